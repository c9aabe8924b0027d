// The dialog classes of the package, and what the package sets up when it loads: the report
// engine's printer and the host's way to the page reports for direct printing.

#include "framework/dialog_base.h"
#include "framework/module.h"
#include "framework/page_report.h"
#include "framework/print_catalogue.h"
#include "host/korvel/page_printer.h"
#include "platform/error.h"

#include <algorithm>

namespace kestrun {

namespace {

std::vector<dialog_class>& dialogs()
{
    static std::vector<dialog_class> d;
    return d;
}

// The data of a page alone, for the host's direct printing: the page report is created and
// filled as for blank paper, then drawn without its form image, moved by the host's margin.
void print_page_data(const page_class& cls, const host::page_data_request& request,
                     printing::render_target& job)
{
    page_instance page(cls, nullptr, request.host);
    for (const auto& [name, value] : request.parameters) {
        int* field = page->parameter(name);
        if (!field)
            throw host_error("the page report " + std::string(cls.class_name) +
                             " has no parameter " + name);
        *field = value;
    }
    page->Prepare();
    page->report().Render(job, {false, request.dx_mm, request.dy_mm});
}

void load_package()
{
    install_printer_job_opener();
    register_direct_pages();
    for (const auto& cls : page_classes()) {
        const page_class* c = &cls;
        host::register_page_printer(
            std::string(cls.class_name),
            {std::string(cls.unit),
             [c](const host::page_data_request& request, printing::render_target& job) {
                 print_page_data(*c, request, job);
             }});
    }
}

const bool registered = [] {
    register_unit({"Fr_ud15", load_package, {}});
    return true;
}();

} // namespace

void register_dialog_class(dialog_class cls)
{
    if (!find_dialog_class(cls.class_name))
        dialogs().push_back(std::move(cls));
}

const std::vector<dialog_class>& dialog_classes()
{
    return dialogs();
}

const dialog_class* find_dialog_class(std::string_view class_name)
{
    auto it = std::find_if(dialogs().begin(), dialogs().end(),
                           [&](const dialog_class& c) { return c.class_name == class_name; });
    return it == dialogs().end() ? nullptr : &*it;
}

} // namespace kestrun

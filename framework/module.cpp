#include "framework/module.h"

#include "framework/page_report.h"
#include "host/korvel/page_printer.h"
#include "platform/error.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace kestrun {

namespace {

struct unit_state {
    unit_entry entry;
    int initializations = 0;
    int finalizations = 0;
};

struct package {
    std::vector<unit_state> units;
    std::vector<page_class> pages;
    bool loaded = false;
};

warning_sink& the_warning_sink()
{
    static warning_sink sink;
    return sink;
}

package& the_package()
{
    static package p;
    return p;
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

// What the package sets up when it loads, before any unit's initialisation: the report engine's
// printer and the host's way to the page reports for direct printing.
void load_package()
{
    install_printer_job_opener();
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

} // namespace

void register_unit(unit_entry unit)
{
    the_package().units.push_back({std::move(unit)});
}

void register_page_class(page_class cls)
{
    the_package().pages.push_back(std::move(cls));
}

void Initialize()
{
    auto& p = the_package();
    if (p.loaded)
        return;
    p.loaded = true;
    load_package();
    for (auto& u : p.units) {
        ++u.initializations;
        if (u.entry.initialization)
            u.entry.initialization();
    }
}

void Finalize()
{
    auto& p = the_package();
    if (!p.loaded)
        return;
    p.loaded = false;
    for (auto it = p.units.rbegin(); it != p.units.rend(); ++it) {
        ++it->finalizations;
        if (it->entry.finalization)
            it->entry.finalization();
    }
}

bool initialized()
{
    return the_package().loaded;
}

const std::vector<page_class>& page_classes()
{
    return the_package().pages;
}

const page_class* find_page_class(std::string_view class_name)
{
    const auto& pages = the_package().pages;
    auto it = std::find_if(pages.begin(), pages.end(),
                           [&](const page_class& c) { return c.class_name == class_name; });
    return it == pages.end() ? nullptr : &*it;
}

std::string page_unit_of(std::string_view class_name)
{
    // "TF_w" + the unit's stem: the unit is "W" + that stem.
    static constexpr std::string_view prefix = "TF_w";
    if (!class_name.starts_with(prefix))
        return {};
    return "W" + std::string(class_name.substr(prefix.size()));
}

page_instance::page_instance(const page_class& cls, vcl::TComponent* owner, host::host_state& host,
                             qr::field_names names)
    : m_class(cls), m_page(cls.create(owner, host, names))
{
    m_class.set_instance(m_page);
    m_page->report().OnClipped = [name = cls.class_name](const qr::TQRPrintable& field,
                                                         std::string_view text) {
        report_clipped(name, field.Name(), text);
    };
}

std::string clipped_warning(std::string_view class_name, std::string_view field,
                            std::string_view text)
{
    return std::string(class_name) + ": the text \"" + std::string(text) + "\" of " +
           std::string(field) + " is wider than its box and is cut at the box edge";
}

void report_clipped(std::string_view class_name, std::string_view field, std::string_view text)
{
    vcl::trace::emit("clipped", {{"class", class_name}, {"field", field}, {"text", text}});
    warn(clipped_warning(class_name, field, text));
}

warning_sink set_warning_sink(warning_sink sink)
{
    return std::exchange(the_warning_sink(), std::move(sink));
}

void warn(const std::string& text)
{
    if (the_warning_sink())
        the_warning_sink()(text);
    else
        std::cerr << "kestrun: warning: " << text << "\n";
}

page_instance::~page_instance()
{
    m_class.set_instance(nullptr);
    delete m_page;
}

void install_printer_job_opener()
{
    qr::set_job_opener(
        [](int index, std::string_view unit) { return vcl::Printer()->OpenJob(index, unit); });
}

} // namespace kestrun

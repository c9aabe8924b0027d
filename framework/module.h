#pragma once
// The module entry: the package's load and unload entry points, the table of its units and the
// class registry through which a host creates a page report by class name (the dialogs' is in
// framework/printrun/dialog_registry.h).

#include "platform/qr/report.h"
#include "platform/vcl/classes.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::host {
class host_state;
}

namespace kestrun {

class page_report;

// What a page report is built from: its unit's design, and what its band does with a field name
// the design lacks.
struct page_setup {
    std::string_view unit;
    qr::field_names names = qr::field_names::passed_over;
};

// A page report class exported to the host: its factory and its instance variable.
struct page_class {
    std::string_view class_name; // TF_w2k15_1
    std::string unit;            // W2k15_1
    std::function<page_report*(vcl::TComponent* owner, host::host_state& host,
                               qr::field_names names)>
        create;
    // Points the class's instance variable (F_w2k15_1) at the page, or nulls it.
    std::function<void(page_report*)> set_instance;
};

// Called once from each unit at package load (by a static registrar): the unit's
// initialisation and finalisation, run by Initialize and Finalize.
struct unit_entry {
    std::string name;
    std::function<void()> initialization;
    std::function<void()> finalization;
};

void register_unit(unit_entry unit);
void register_page_class(page_class cls);

// The package entry points: each unit's initialisation in registration order, and the
// finalisations in reverse. Idempotent.
void Initialize();
void Finalize();
bool initialized();

// Every exported page report class, in registration order, and one by name (null when
// unknown).
const std::vector<page_class>& page_classes();
const page_class* find_page_class(std::string_view class_name);

// A page report created into its instance variable and freed and nulled when the scope ends,
// whatever happens while it prints.
class page_instance {
public:
    page_instance(const page_class& cls, vcl::TComponent* owner, host::host_state& host,
                  qr::field_names names = qr::field_names::passed_over);
    ~page_instance();
    page_instance(const page_instance&) = delete;
    page_instance& operator=(const page_instance&) = delete;
    page_report& operator*() const { return *m_page; }
    page_report* operator->() const { return m_page; }

private:
    const page_class& m_class;
    page_report* m_page;
};

// Where warnings about the pages go: standard error ("kestrun: warning: ...") unless a host
// installs its own sink. Returns the sink replaced.
using warning_sink = std::function<void(const std::string&)>;
warning_sink set_warning_sink(warning_sink sink);
void warn(const std::string& text);

// A field's text printed cut at its box's edge: the warning names the page and the field, and
// the trace has a `clipped` event.
std::string clipped_warning(std::string_view class_name, std::string_view field,
                            std::string_view text);
void report_clipped(std::string_view class_name, std::string_view field, std::string_view text);

// Makes the report engine print its jobs on the application's printer object.
void install_printer_job_opener();

// The unit of a page class: TF_w2815_1 is declared in W2815_1, TF_wo15_3 in Wo15_3.
std::string page_unit_of(std::string_view class_name);

// Registers a page report class and its unit, and connects its before-print handler: what
// KESTRUN_PAGE writes once per page. `instance` gives the calling thread's own instance
// variable: a reference taken here, at start-up, would be the main thread's for every run.
template <class Page> struct page_registrar {
    page_registrar(std::string_view class_name, Page*& (*instance)(), void (Page::*handler)())
    {
        register_page_class(
            {class_name, page_unit_of(class_name),
             [class_name, handler](vcl::TComponent* owner, host::host_state& host,
                                   qr::field_names names) -> page_report* {
                 auto* page = new Page(owner, host, page_setup{page_unit_of(class_name), names});
                 page->connect_before_print([page, handler] { (page->*handler)(); });
                 return page;
             },
             [instance](page_report* p) { instance() = static_cast<Page*>(p); }});
        register_unit({page_unit_of(class_name), {}, {}});
    }
};

} // namespace kestrun

// A page unit's one line: the instance variable (null except while the page prints; one per
// thread, as each print run keeps to its thread), the
// class's registration under its unit, and its before-print handler.
#define KESTRUN_PAGE(Class, Instance, Handler)                                                     \
    thread_local Class* Instance = nullptr;                                                        \
    namespace {                                                                                    \
    const ::kestrun::page_registrar<Class> Class##_registrar{                                      \
        #Class, []() -> Class*& { return Instance; }, &Class::Handler};                            \
    }

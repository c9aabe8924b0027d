#include "host/korvel/proc_dr.h"

#include "host/korvel/direct_pages.h"
#include "host/korvel/page_printer.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <memory>

namespace Proc_dr {

namespace {

thread_local int live = 0;

// The host's port: one device for all print objects of a print run (its thread), as the printer
// cable is one. A sheet
// collects what the page methods draw, as text lines, and goes out with its form feed.
struct port_device {
    std::vector<std::string> sheet;
    std::unique_ptr<kestrun::printing::render_target> job;

    kestrun::printing::render_target& open()
    {
        if (!job)
            job = kestrun::printing::make_recording_target(sheet);
        return *job;
    }

    void eject(const std::filesystem::path& file)
    {
        job.reset();
        // A sheet goes out whole or not at all, as a printer takes a page with its form feed.
        std::string text;
        for (const auto& line : sheet)
            text += line + '\n';
        text += '\f';
        sheet.clear();
        try {
            kestrun::io::append_file(
                file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        } catch (const kestrun::error& e) {
            throw kestrun::io_error(std::string("the print port: ") + e.what());
        }
    }
};

port_device& port()
{
    thread_local port_device p;
    return p;
}

} // namespace

tdruk::tdruk(kestrun::host::host_state& host, const kestrun::host::margin_pair* margins,
             std::string object_name, bool dr_port, std::uint8_t dr_opt1, std::uint8_t dr_opt2,
             std::int16_t dr_opt3)
    : m_host(host), m_margins(margins), m_object(std::move(object_name)), m_dr_port(dr_port),
      m_dr_opt1(dr_opt1), m_dr_opt2(dr_opt2), m_dr_opt3(dr_opt3)
{
    ++live;
}

tdruk::~tdruk()
{
    --live;
}

int tdruk::live_objects()
{
    return live;
}

void tdruk::inic_dr(int n)
{
    kestrun::vcl::trace::emit("inic_dr", {{"object", m_object}, {"n", n}});
    m_started = false;
}

void tdruk::start_dr_win()
{
    kestrun::vcl::trace::emit("start_dr_win", {{"object", m_object}});
    m_started = true;
}

void tdruk::page_method(std::string_view method, std::span<const int> args)
{
    auto traced = nlohmann::ordered_json::array();
    for (int a : args)
        traced.push_back(a);
    kestrun::vcl::trace::emit("direct",
                              {{"object", m_object}, {"method", method}, {"args", traced}});
    const std::string what = m_object + "->" + std::string(method);
    const auto* direct = kestrun::host::find_direct_page(m_object, method);
    if (!direct)
        throw kestrun::host_error(what + ": no such page method");
    auto params = direct->parameters(args);
    const int margin = direct->margin;
    const std::string_view class_name = direct->class_name;
    if (!m_started)
        throw kestrun::host_error(what + ": the page was not started (start_dr_win)");
    if (!m_margins)
        throw kestrun::host_error(what + ": the margin table was not allocated");
    if (margin < 1 || margin > kestrun::host::margin_table_size)
        throw kestrun::host_error(what + ": no margin entry " + std::to_string(margin));
    const auto* page = kestrun::host::find_page_printer(class_name);
    if (!page)
        throw kestrun::render_error(what + ": this kestrun cannot print the page " +
                                    std::string(class_name) + ", its page report is missing");
    // Margins are stored in tenths of a millimetre.
    const auto& m = m_margins[margin - 1];
    kestrun::host::page_data_request request{m_host, class_name, std::move(params), m.x / 10.0,
                                             m.y / 10.0};
    if (m_dr_port) {
        page->print(request, port().open());
    } else {
        auto* printer = kestrun::vcl::Printer();
        printer->Title = page->unit;
        printer->BeginDoc();
        page->print(request, printer->Canvas());
    }
    m_started = false;
}

void tdruk::eject_sheet()
{
    port().eject(kestrun::vcl::Printer()->OutputFolder() / port_file_name);
}

} // namespace Proc_dr

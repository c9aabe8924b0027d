#pragma once
// A rig for driving a print dialog as a user would, without real pages or printers: stand-in
// page reports that log their class and parameters, a recording printer that can fail on a given
// job, stand-in direct printing, a scripted message box and the trace collected in memory.

#include "framework/module.h"
#include "framework/page_report.h"
#include "framework/printrun/dialog_base.h"
#include "framework/printrun/dialog_registry.h"
#include "framework/printrun/print_catalogue.h"
#include "host/korvel/page_printer.h"
#include "host/korvel/settings_file.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"
#include "tests/support/record_builder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace kestrun::testing {

// A page report on the PIT-2K design that records what the driver set on it.
class stand_in_page : public page_report {
public:
    stand_in_page(vcl::TComponent* owner, host::host_state& host, std::string class_name,
                  std::vector<std::string>& log)
        : page_report(owner, host, page_setup{"W2k15_1"}), m_class(std::move(class_name)),
          m_log(log)
    {
        report().BeforePrint = [this](vcl::TObject*, bool&) {
            std::string line = m_class;
            for (const auto& [name, value] : m_params)
                line += " " + name + "=" + std::to_string(value);
            m_log.push_back(line);
        };
    }
    int* parameter(std::string_view name) override
    {
        if (name == "nrsp" || name == "nrp" || name == "nr" || name == "ilb")
            return &m_params[std::string(name)];
        return nullptr;
    }

private:
    std::string m_class;
    std::map<std::string, int> m_params;
    std::vector<std::string>& m_log;
};

struct dialog_rig {
    host::host_state host;
    std::filesystem::path folder;
    std::vector<std::string> pages;  // stand-in pages as they printed
    std::vector<std::string> jobs;   // what the printer received, one line per operation
    std::vector<std::string> direct; // stand-in direct pages: class, parameters, margin
    std::vector<vcl::trace::event> events;
    std::vector<std::string> missing; // page classes the build lacks
    int fail_on_job = 0;              // the printer fails when opening this job (1-based)
    std::map<std::string, page_class> classes;
    std::vector<int> answers;

    dialog_rig()
        : folder(
              std::filesystem::temp_directory_path() /
              ("kestrun-dialogs-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++)))
    {
        Initialize();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        auto* printer = vcl::Printer();
        printer->SetDevices({{"PDF", printing::device_kind::pdf, false},
                             {"Biuro", printing::device_kind::cups, false}});
        printer->SetOutputFolder(folder);
        m_previous_opener = printer->SetDeviceOpener(
            [this](const printing::printer_device& device, const std::string& unit,
                   const std::filesystem::path&) -> std::unique_ptr<printing::render_target> {
                if (fail_on_job != 0 && vcl::Printer()->JobsOpened() + 1 == fail_on_job)
                    throw render_error("printer " + device.name + " is out of paper");
                jobs.push_back("job " + device.name + " " + unit);
                return printing::make_recording_target(jobs);
            });
        install_printer_job_opener();
        m_previous_resolver = print_driver::SetPageResolver(
            [this](std::string_view name) { return resolve(std::string(name)); });
        // Every page the catalogues' direct-print methods name.
        for (const auto* catalogue : print_catalogues)
            for (const auto& step : catalogue->steps) {
                std::string cls(step.page_class());
                host::register_page_printer(
                    cls, {"unit_of_" + cls, [this, cls](const host::page_data_request& r,
                                                        printing::render_target& job) {
                              std::string line = cls;
                              for (const auto& [name, value] : r.parameters)
                                  line += " " + name + "=" + std::to_string(value);
                              direct.push_back(line);
                              job.begin_page({});
                              job.draw_text(cls, {r.dx_mm, r.dy_mm, 10, 5}, {});
                              job.end_page();
                          }});
            }
        m_sink = std::make_unique<vcl::trace::scoped_sink>(
            [this](const vcl::trace::event& e) { events.push_back(e); });
    }

    ~dialog_rig()
    {
        m_sink.reset();
        vcl::Printer()->SetDeviceOpener(std::move(m_previous_opener));
        print_driver::SetPageResolver(std::move(m_previous_resolver));
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    const page_class* resolve(const std::string& name)
    {
        for (const auto& m : missing)
            if (m == name)
                return nullptr;
        auto [it, fresh] = classes.try_emplace(name);
        if (fresh) {
            it->second.class_name = it->first;
            it->second.unit = "W2k15_1";
            it->second.create = [this, n = it->first](vcl::TComponent* owner, host::host_state& h,
                                                      qr::field_names) -> page_report* {
                return new stand_in_page(owner, h, n, pages);
            };
            it->second.set_instance = [](page_report*) {};
        }
        return &it->second;
    }

    // A return with every attachment in both records, whichever dialog prints it: one PIT-28/B
    // attachment; PIT/M amounts, PIT/Z codes 3 and 4 and one business for each person.
    void every_attachment(bool joint = false)
    {
        test::rek28_builder(host).integer("zal_o", 1).integer("zal_d", 1).integer("zal_2k", 1);
        test::rek28_builder(host).integer("zal_a", 1).integer("il_zal_b", 1);
        test::rekzez_builder z(host);
        z.integer("zal_b", 1).integer("zal_d", 1).integer("zal_2k", 1).integer("zal_m", 1);
        z.integer("zal_o", 1).integer("zal_zg", 1).integer("zal_z", 1);
        z.integer("idp", 3).integer("idm", 4);
        z.person(1).real("pitm_ds1", 100);
        z.person(2).real("pitm_ds2", 200);
        if (joint)
            z.joint();
        for (int p : {1, 2})
            host.rekzez_mut().pitb(p).dg(1).set_text("dzial", "handel");
    }

    std::unique_ptr<print_dialog> open(const char* class_name = "Tf_wydpit28")
    {
        host::load_settings(folder, host);
        const auto* cls = find_dialog_class(class_name);
        if (!cls)
            throw input_error(std::string("no dialog ") + class_name);
        return std::unique_ptr<print_dialog>(cls->create(nullptr, host, folder));
    }

    // Shows the dialog modally; `user` acts on it, answers come from `answers`.
    int show(print_dialog& dialog, const std::function<void(print_dialog&)>& user)
    {
        vcl::scoped_user u(vcl::scripted_answers(answers), [&](vcl::TForm&) { user(dialog); });
        return dialog.ShowModal();
    }

    // The events of one kind, as their compact JSON text without the event name.
    std::vector<std::string> of(const std::string& kind) const
    {
        std::vector<std::string> out;
        for (auto e : events)
            if (e["event"] == kind) {
                e.erase("event");
                out.push_back(e.dump());
            }
        return out;
    }
    // Event names in order, those of `kinds` only.
    std::vector<std::string> sequence(std::initializer_list<std::string> kinds) const
    {
        std::vector<std::string> out;
        for (const auto& e : events)
            for (const auto& k : kinds)
                if (e["event"] == k)
                    out.push_back(k == "direct"        ? "direct " + e["method"].get<std::string>()
                                  : k == "prepare"     ? "prepare " + e["op"].get<std::string>()
                                  : k == "message_box" ? "prompt " + e["text"].get<std::string>()
                                                       : k);
        return out;
    }

private:
    static int& counter()
    {
        static int c = 0;
        return c;
    }
    vcl::TPrinter::device_opener m_previous_opener;
    print_driver::page_resolver m_previous_resolver;
    std::unique_ptr<vcl::trace::scoped_sink> m_sink;
};

inline vcl::TCheckBox* box(const print_dialog& d, const std::string& name)
{
    for (auto* b : d.PageBoxes())
        if (b->Name() == name)
            return b;
    throw input_error("no box " + name);
}

// A page as "class name=value ...", parameters sorted, whichever way it printed.
inline std::string normalised(const std::string& line)
{
    std::istringstream in(line);
    std::string cls, param;
    in >> cls;
    std::vector<std::string> params;
    while (in >> param)
        params.push_back(param);
    std::sort(params.begin(), params.end());
    for (const auto& p : params)
        cls += " " + p;
    return cls;
}

// The pages printed: the page reports in blank-paper mode, the host's direct pages otherwise.
inline std::vector<std::string> printed(const dialog_rig& rig)
{
    std::vector<std::string> out;
    for (const auto& l : rig.pages.empty() ? rig.direct : rig.pages)
        out.push_back(normalised(l));
    return out;
}

// The pages a dialog prints with every box checked and every step's condition met, one PIT-28/B
// attachment and one PIT/B sheet per person, read from its catalogue: `persons` is 2 on a joint
// return. A person's PIT/B sheet prints both its pages before the next person's.
inline std::vector<std::string> every_page(const print_catalogue& catalogue, int persons)
{
    std::vector<std::string> out;
    const auto add = [&](const print_step& s, std::array<int, 3> args) {
        std::string line(s.page_class());
        const auto n = static_cast<std::size_t>(s.direct.argument_count());
        for (const auto& [name, value] : s.direct.parameters(std::span(args).first(n)))
            line += " " + name + "=" + std::to_string(value);
        out.push_back(normalised(line));
    };
    const auto steps = catalogue.steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].repeat != print_repeat::per_pitb_sheet) {
            if (steps[i].person() <= persons)
                add(steps[i], steps[i].repeat == print_repeat::per_pit28b ? std::array{1, 0, 0}
                                                                          : steps[i].args);
            continue;
        }
        std::size_t end = i;
        while (end < steps.size() && steps[end].repeat == print_repeat::per_pitb_sheet)
            ++end;
        for (int p = 1; p <= persons; ++p)
            for (std::size_t j = i; j < end; ++j)
                add(steps[j], {p, 1, 1});
        i = end - 1;
    }
    return out;
}

// The host tables a catalogue's run loads, as the trace's "tables" events show them.
inline std::vector<std::string> tables_of(const print_catalogue& catalogue)
{
    std::vector<std::string> out;
    for (const auto& t : catalogue.tables)
        out.push_back(vcl::trace::event{
            {"op", t.kind == host_table::margins ? "czyt_marg" : "czyt_odlcz"},
            {"name", t.name},
            {"count",
             t.count}}.dump());
    return out;
}

// The first line of every prompt, in order.
inline std::vector<std::string> prompts(const dialog_rig& rig)
{
    std::vector<std::string> out;
    for (const auto& p : rig.sequence({"message_box"}))
        out.push_back(
            p.substr(7, p.find('\n') == std::string::npos ? std::string::npos : p.find('\n') - 7));
    return out;
}

// Only the boxes named stay checked.
inline void only(print_dialog& d, std::initializer_list<const char*> boxes)
{
    for (auto* b : d.PageBoxes())
        b->Checked =
            std::any_of(boxes.begin(), boxes.end(), [&](const char* n) { return b->Name() == n; });
}

enum class mode { blank, preprinted, port };

// Opens the dialog in the mode (through the port: the host's print-port flag set), lets `choose`
// set the boxes, and prints; the dialog is returned closed.
inline std::unique_ptr<print_dialog> print(dialog_rig& rig, const char* dialog_class, mode m,
                                           const std::function<void(print_dialog&)>& choose = {})
{
    if (m == mode::port)
        rig.host.rekster_mut().set_flag("dr_port", true);
    auto d = rig.open(dialog_class);
    rig.show(*d, [&](print_dialog& dlg) {
        if (m != mode::port && dlg.ChB_niezadr->Checked != (m == mode::blank))
            dlg.ChB_niezadr->Click();
        if (choose)
            choose(dlg);
        dlg.kl_druk->Click();
    });
    return d;
}

} // namespace kestrun::testing

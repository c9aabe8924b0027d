#include "apps/kestrun/print_command.h"

#include "framework/dialog_base.h"
#include "framework/module.h"
#include "host/korvel/proc_dr.h"
#include "host/korvel/settings_file.h"
#include "host/returnfile/return_file.h"
#include "platform/error.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace kestrun::cli {

namespace {

std::vector<int> parse_answers(const std::vector<std::string>& answers)
{
    std::vector<int> out;
    for (const auto& a : answers) {
        if (a == "ok" || a == "OK" || a == "1")
            out.push_back(vcl::IDOK);
        else if (a == "cancel" || a == "Cancel" || a == "2")
            out.push_back(vcl::IDCANCEL);
        else
            throw input_error("--answers: \"" + a + "\" is neither ok nor cancel");
    }
    return out;
}

std::string joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}

vcl::TCheckBox* find_box(const print_dialog& dialog, const std::string& option,
                         const std::string& name)
{
    std::vector<std::string> names;
    for (auto* box : dialog.PageBoxes()) {
        if (box->Name() == name)
            return box;
        names.push_back(box->Name());
    }
    throw input_error(option + " " + name + ": the " + std::string(dialog.ReturnName()) +
                      " dialog has no such page box (boxes: " + joined(names) + ")");
}

// A box the user can click: a hidden box never, a disabled one (always unchecked) not to check
// it. A click the dialog would ignore is refused rather than passed over in silence.
vcl::TCheckBox* clickable_box(const print_dialog& dialog, const std::string& option,
                              const std::string& name)
{
    auto* box = find_box(dialog, option, name);
    if (!box->Visible)
        throw input_error(option + " " + name + ": the box is not shown in the " +
                          std::string(dialog.ReturnName()) + " dialog, so it cannot be clicked");
    if (option == "--check" && !box->Enabled)
        throw input_error(option + " " + name + ": " + dialog.WhyDisabled(*box));
    return box;
}

// Everything the user could not do in the dialog is refused before anything is clicked, so a
// refused command changes nothing, not even the stored mode.
struct planned_actions {
    std::vector<vcl::TCheckBox*> uncheck, check;
    int printer = -1;
};

planned_actions plan(const print_dialog& dialog, const print_options& o)
{
    planned_actions p;
    if (o.mode == "blank" && !dialog.ChB_niezadr->Visible)
        throw input_error("--mode blank: the print-port flag (rekster.dr_port) is set, so the " +
                          std::string(dialog.ReturnName()) +
                          " dialog offers pre-printed forms only");
    if (o.printer) {
        if (!dialog.ust_dr->Visible)
            throw input_error("--printer " + *o.printer +
                              ": the print-port flag (rekster.dr_port) is set, so the host "
                              "prints through its port and no printer can be chosen");
        p.printer = vcl::Printer()->IndexOf(*o.printer);
        if (p.printer < 0)
            throw input_error("--printer " + *o.printer + ": no such printer (printers: " +
                              joined(vcl::Printer()->Printers) + ")");
    }
    for (const auto& name : o.uncheck)
        p.uncheck.push_back(clickable_box(dialog, "--uncheck", name));
    for (const auto& name : o.check)
        p.check.push_back(clickable_box(dialog, "--check", name));
    return p;
}

void act(print_dialog& dialog, const print_options& o, const planned_actions& p)
{
    if (o.mode && (*o.mode == "blank") != dialog.ChB_niezadr->Checked)
        dialog.ChB_niezadr->Click();
    if (o.toggle_all)
        dialog.kl_zmust->Click();
    for (auto* box : p.uncheck)
        if (box->Checked)
            box->Click();
    for (auto* box : p.check)
        if (!box->Checked)
            box->Click();
    if (p.printer >= 0) {
        auto previous = vcl::TPrintDialog::SetChooser(
            [&](const std::vector<std::string>&, int) -> std::optional<int> { return p.printer; });
        dialog.ust_dr->kl_ustdr->Click();
        vcl::TPrintDialog::SetChooser(std::move(previous));
    }
    dialog.kl_druk->Click();
}

std::string plural(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string destination(const print_dialog& dialog, const host::host_state& state)
{
    const auto* printer = vcl::Printer();
    if (!dialog.BlankPaper() && state.rekster().flag("dr_port"))
        return "to the print port " + (printer->OutputFolder() / Proc_dr::port_file_name).string();
    const auto name = Tfr_ud15::CurrentPrinterName();
    for (const auto& d : printer->Devices())
        if (d.name == name && d.kind == printing::device_kind::cups)
            return "to printer " + name;
    return "as PDF files into " + printer->OutputFolder().string();
}

} // namespace

std::string dialog_class_of(const std::string& return_type)
{
    if (return_type == "pit28")
        return "Tf_wydpit28";
    if (return_type == "pit36")
        return "Tf_wydpit36";
    if (return_type == "pit36l")
        return "Tf_wydpit36L";
    if (return_type == "pit37")
        return "Tf_wydpit37";
    return {};
}

int print(const print_options& o)
{
    const auto class_name = dialog_class_of(o.return_type);
    if (class_name.empty())
        throw input_error("print " + o.return_type + ": expected pit28, pit36, pit36l or pit37");
    const auto* cls = find_dialog_class(class_name);
    if (!cls)
        throw input_error("print " + o.return_type + ": the dialog " + class_name +
                          " is not in this build");
    if (o.mode && *o.mode != "blank" && *o.mode != "preprinted")
        throw input_error("--mode " + *o.mode + ": expected blank or preprinted");
    if (int(o.yes) + int(!o.answers.empty()) + int(o.interactive) > 1)
        throw input_error("give one of --yes, --answers and --interactive");
    const bool terminal = ::isatty(STDIN_FILENO) != 0;
    if (o.interactive && !terminal)
        throw input_error("--interactive: standard input is not a terminal, so no one can answer "
                          "the prompts; use --yes or --answers");
    if (!o.yes && o.answers.empty() && !o.interactive && !terminal)
        throw input_error("the prompts need answers: give --yes, --answers ok,cancel,... or run "
                          "--interactive on a terminal");
    const auto answers = parse_answers(o.answers);

    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    if (!std::filesystem::is_directory(o.out, ec) || ::access(o.out.c_str(), W_OK) != 0)
        throw input_error("--out " + o.out.string() + ": not a writable folder");

    auto state = load_return(o.source);
    const auto settings = o.settings ? *o.settings : host::default_settings_folder();
    host::load_settings(settings, state);

    std::ofstream trace_file;
    std::unique_ptr<vcl::trace::scoped_sink> sink;
    if (o.trace) {
        trace_file.open(*o.trace, std::ios::binary | std::ios::trunc);
        if (!trace_file)
            throw input_error("--trace " + o.trace->string() + ": cannot write the file");
        sink = std::make_unique<vcl::trace::scoped_sink>([&](const vcl::trace::event& e) {
            trace_file << e.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n'
                       << std::flush;
        });
    }

    auto* printer = vcl::Printer();
    printer->SetOutputFolder(o.out);
    install_printer_job_opener();

    std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, settings));
    dialog->OnWarning = [](const std::string& text) {
        std::cerr << "kestrun: warning: " << text << "\n";
    };
    if (!o.quiet)
        dialog->OnPage = [](const page_progress& p) {
            std::cerr << "page " << p.number << " of " << p.planned << ", " << p.page << ": "
                      << (p.printed ? "printed" : "skipped");
            if (p.printed && !p.output.empty())
                std::cerr << " -> " << p.output;
            std::cerr << "\n";
        };

    vcl::TApplication::answerer answerer = o.interactive || (!o.yes && answers.empty())
                                               ? vcl::terminal_answerer(std::cin, std::cerr)
                                               : vcl::scripted_answers(answers);
    bool printing = false;
    vcl::scoped_user user(std::move(answerer), [&](vcl::TForm&) {
        const auto actions = plan(*dialog, o);
        printing = true;
        act(*dialog, o, actions);
    });

    try {
        dialog->ShowModal();
    } catch (const kestrun::error& e) {
        if (!printing)
            throw;
        std::cerr << "kestrun: " << e.what() << "\n";
        std::cerr << "kestrun: the run stopped after printing "
                  << plural(dialog->PagesPrinted(), "page", "pages") << " ("
                  << plural(dialog->PagesSkipped(), "page", "pages") << " skipped) "
                  << destination(*dialog, state) << "\n";
        return 1;
    }
    std::cerr << "kestrun: printed " << plural(dialog->PagesPrinted(), "page", "pages")
              << ", skipped " << dialog->PagesSkipped() << ", " << destination(*dialog, state)
              << "\n";
    return 0;
}

int printers()
{
    const auto* printer = vcl::Printer();
    for (std::size_t i = 0; i < printer->Devices().size(); ++i) {
        const auto& d = printer->Devices()[i];
        std::cout << (static_cast<int>(i) == printer->PrinterIndex ? "* " : "  ") << d.name
                  << (d.kind == printing::device_kind::pdf
                          ? "  (built in: each print job as its own PDF in the --out folder)"
                          : "  (CUPS)")
                  << "\n";
    }
    return 0;
}

} // namespace kestrun::cli

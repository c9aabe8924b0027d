#include "apps/kestrun/print_command.h"

#include "dialogs/print_run.h"
#include "framework/dialog_base.h"
#include "framework/module.h"
#include "host/korvel/proc_dr.h"
#include "host/korvel/settings_file.h"
#include "host/returnfile/return_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/folder_lock.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace kestrun::cli {

namespace {

// Each --answers value is split here rather than by the parser, which drops empty items: an
// item left out by mistake would shift every later answer onto the wrong prompt.
std::vector<int> parse_answers(const std::vector<std::string>& given)
{
    std::vector<std::string> answers;
    for (const auto& list : given) {
        std::size_t from = 0;
        for (;;) {
            const auto comma = list.find(',', from);
            answers.push_back(list.substr(from, comma - from));
            if (comma == std::string::npos)
                break;
            from = comma + 1;
        }
    }
    std::vector<int> out;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const auto& a = answers[i];
        if (a.empty())
            throw input_error("--answers: answer " + std::to_string(i + 1) +
                              " is empty; give ok or cancel for every prompt");
        if (a == "ok" || a == "OK" || a == "1")
            out.push_back(vcl::IDOK);
        else if (a == "cancel" || a == "Cancel" || a == "2")
            out.push_back(vcl::IDCANCEL);
        else
            throw input_error("--answers: \"" + a + "\" is neither ok nor cancel");
    }
    return out;
}

std::string plural(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The pages of a run as the PDF printer names them: NNN-<unit>.pdf.
bool is_page_file(const std::string& name)
{
    const auto digit = [&](std::size_t i) { return name[i] >= '0' && name[i] <= '9'; };
    return name.size() > 8 && digit(0) && digit(1) && digit(2) && name[3] == '-' &&
           name.ends_with(".pdf");
}

// A folder holds one run's pages: pages of an earlier run are refused, or removed with
// --replace. Called with the folder locked, so no other run adds pages meanwhile.
void clear_pages(const std::filesystem::path& folder, bool replace)
{
    std::vector<std::filesystem::path> pages;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && is_page_file(entry.path().filename().string()))
            pages.push_back(entry.path());
    if (pages.empty())
        return;
    if (!replace)
        throw input_error("--out " + folder.string() + ": the folder already holds " +
                          plural(static_cast<int>(pages.size()), "page", "pages") +
                          " of an earlier run (NNN-*.pdf); give --replace to remove them first");
    for (const auto& page : pages) {
        std::error_code ec;
        std::filesystem::remove(page, ec);
        if (ec)
            throw io_error("--replace: cannot remove " + page.string() + ": " + ec.message());
    }
}

// The run's pages as one document, written only when the run printed pages and no job of it
// was dropped halfway. Returns how the closing line tells of it.
std::string finish_run_document(vcl::TPrinter& printer, const std::filesystem::path& file)
{
    bool spoiled = false;
    auto document = printer.TakeRunDocument(spoiled);
    if (spoiled)
        throw render_error("--pdf " + file.string() +
                           ": a print job stopped halfway, so the document is not written");
    if (!document || document->pages() == 0)
        return "; no page printed, so no document " + file.string();
    document->finish();
    return "; the run as one document " + file.string();
}

void append_number(char*& at, int n)
{
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count > 0)
        *at++ = digits[--count];
}

// Called from the signal handler: only write(2) and what is on the stack.
void note_pages_on_signal(int signal)
{
    char line[128];
    char* at = line;
    const auto append = [&at](const char* text) {
        while (*text != '\0')
            *at++ = *text++;
    };
    // Every run of the process counts: the runs of a batch print side by side, and the user is
    // told what is on the paper in all.
    const int pages = vcl::TPrinter::JobsCompletedInProcess();
    append("kestrun: stopped by ");
    append(io::signal_name(signal));
    append(" after printing ");
    append_number(at, pages);
    append(pages == 1 ? " page; the page being written was removed\n"
                      : " pages; the page being written was removed\n");
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, line, std::size_t(at - line));
}

std::string destination(const print_dialog& dialog, const host::host_state& state, bool one_pdf)
{
    const auto* printer = vcl::Printer();
    if (!dialog.BlankPaper() && state.rekster().flag("dr_port"))
        return "to the print port " + (printer->OutputFolder() / Proc_dr::port_file_name).string();
    const auto name = Tfr_ud15::CurrentPrinterName();
    for (const auto& d : printer->Devices())
        if (d.name == name && d.kind == printing::device_kind::cups)
            return "to printer " + name;
    if (one_pdf)
        return "with the PDF printer";
    return "as PDF files into " + printer->OutputFolder().string();
}

} // namespace

int print(const print_options& o)
{
    return print(o, std::cerr, nullptr);
}

int print(const print_options& o, std::ostream& log, print_outcome* outcome)
{
    const auto class_name = dialog_class_of(o.return_type);
    if (class_name.empty())
        throw input_error("print " + o.return_type + ": expected pit28, pit36, pit36l or pit37");
    const auto* cls = find_dialog_class(class_name);
    if (!cls)
        throw input_error("print " + o.return_type + ": this kestrun cannot print " +
                          o.return_type + " returns (its print dialog is missing)");
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
    if (o.pdf && o.pdf->extension() != ".pdf")
        throw input_error("--pdf " + o.pdf->string() + ": expected a .pdf file");
    if (o.pdf)
        check_writable_folder(*o.pdf, "--pdf");

    auto state = load_return(o.source);
    require_record(o.source,
                   o.return_type == "pit28" ? host::record_id::rek28 : host::record_id::rekzez,
                   "print " + o.return_type);

    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    if (!std::filesystem::is_directory(o.out, ec) || ::access(o.out.c_str(), W_OK) != 0)
        throw input_error("--out " + o.out.string() + ": not a writable folder");
    std::unique_ptr<io::folder_lock> out_lock;
    try {
        out_lock = std::make_unique<io::folder_lock>(o.out);
    } catch (const error& e) {
        throw error(e.kind(), "--out " + std::string(e.what()));
    }
    clear_pages(o.out, o.replace);

    const auto settings = o.settings ? *o.settings : host::default_settings_folder();
    host::load_settings(settings, state);

    std::ofstream trace_file;
    std::ostream* trace_stream = nullptr;
    std::unique_ptr<vcl::trace::scoped_sink> sink;
    if (o.trace) {
        if (*o.trace == "-") {
            trace_stream = &std::cout;
        } else {
            trace_file.open(*o.trace, std::ios::binary | std::ios::trunc);
            if (!trace_file)
                throw input_error("--trace " + o.trace->string() + ": cannot write the file");
            trace_stream = &trace_file;
        }
        sink =
            std::make_unique<vcl::trace::scoped_sink>([trace_stream](const vcl::trace::event& e) {
                *trace_stream << e.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                              << '\n'
                              << std::flush;
            });
    }
    // A trace lost to a full disk is a failed run, not a quiet one.
    const auto check_trace = [&] {
        if (trace_stream && !trace_stream->flush())
            throw io_error("--trace " + o.trace->string() + ": cannot write the trace");
    };

    if (o.printer && *o.printer == printing::pdf_printer_name)
        vcl::OfferOnlyTheBuiltInPrinters();
    auto* printer = vcl::Printer();
    printer->SetOutputFolder(o.out);
    install_printer_job_opener();
    // The run document goes with the printer only for this run, whatever ends it.
    const struct run_document_scope {
        vcl::TPrinter* printer;
        ~run_document_scope()
        {
            bool spoiled = false;
            printer->TakeRunDocument(spoiled);
        }
    } document_scope{printer};
    if (o.pdf)
        printer->SetRunDocument(printing::make_pdf_target(*o.pdf), *o.pdf);
    printing::set_job_timeout(o.job_timeout);

    std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, settings));
    dialog->OnWarning = [&log](const std::string& text) {
        log << "kestrun: warning: " << text << "\n";
    };
    io::set_signal_note(&note_pages_on_signal);
    // Progress is for a person watching a terminal, not for a log.
    if (!o.quiet && ::isatty(STDERR_FILENO) != 0)
        dialog->OnPage = [&log](const page_progress& p) {
            log << "page " << p.number << " of " << p.planned << ", " << p.page << ": "
                << (p.printed ? "printed" : "skipped");
            if (p.printed && !p.output.empty())
                log << " -> " << p.output;
            log << "\n";
        };
    const auto report_outcome = [&] {
        if (outcome)
            *outcome = {dialog->PagesPrinted(), dialog->PagesSkipped()};
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
        report_outcome();
        // One line: the cause, then what is on the paper, so a script reads both together.
        log << "kestrun: " << e.what() << "; the run stopped after printing "
            << plural(dialog->PagesPrinted(), "page", "pages") << " ("
            << plural(dialog->PagesSkipped(), "page", "pages") << " skipped) "
            << destination(*dialog, state, o.pdf.has_value())
            << (o.pdf ? "; no document " + o.pdf->string() : std::string()) << "\n";
        return 1;
    }
    report_outcome();
    check_trace();
    const auto document = o.pdf ? finish_run_document(*printer, *o.pdf) : std::string();
    log << "kestrun: printed " << plural(dialog->PagesPrinted(), "page", "pages") << ", skipped "
        << dialog->PagesSkipped() << ", " << destination(*dialog, state, o.pdf.has_value())
        << document << "\n";
    return 0;
}

int printers()
{
    const auto* printer = vcl::Printer();
    if (!printer->CupsUnreachable().empty())
        std::cerr << "kestrun: warning: CUPS could not be reached (" << printer->CupsUnreachable()
                  << "), so its printers are not listed\n";
    for (std::size_t i = 0; i < printer->Devices().size(); ++i) {
        const auto& d = printer->Devices()[i];
        std::cout << (static_cast<int>(i) == printer->PrinterIndex ? "* " : "  ") << d.name
                  << (d.kind == printing::device_kind::pdf
                          ? "  (built in: each print job as its own PDF in the --out folder)"
                          : "  (CUPS)")
                  << "\n";
    }
    finish_standard_output();
    return 0;
}

} // namespace kestrun::cli

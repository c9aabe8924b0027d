#include "apps/kestrun/print_command.h"

#include "apps/kestrun/commands.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/printing/printers.h"
#include "platform/vcl/application.h"
#include "platform/vcl/printer.h"

#include <iostream>
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

} // namespace

int print(const print_options& o)
{
    return print(o, std::cerr, nullptr);
}

int print(const print_options& o, std::ostream& log, print_outcome* outcome)
{
    const auto* kind = o.return_type.empty() ? nullptr : find_return_type(o.return_type);
    if (!o.return_type.empty() && !kind)
        throw input_error("print " + o.return_type + ": expected pit28, pit36, pit36l or pit37");
    if (o.mode_name && *o.mode_name != "blank" && *o.mode_name != "preprinted")
        throw input_error("--mode " + *o.mode_name + ": expected blank or preprinted");
    dialog_choices choices = o;
    if (o.mode_name)
        choices.mode = *o.mode_name == "blank" ? paper::blank : paper::preprinted;
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
        check_output_file(*o.pdf, "--pdf", o.replace);

    auto held = load_return(o.source);
    // A batch prints the return its file holds, the first when it holds two.
    if (!kind)
        kind = returns_held(held).front();
    if (!held.holds(kind->record)) {
        const auto name = std::string(host::record_name(kind->record));
        throw input_error("print " + std::string(kind->type) + ": the return holds no " + name +
                          " record, neither in the return file nor as --image " + name + "=FILE");
    }
    run_setup setup;
    setup.out = o.out;
    setup.replace = o.replace;
    setup.settings = o.settings;
    setup.trace = o.trace;
    setup.built_in_printers_only = o.printer && *o.printer == printing::pdf_printer_name;
    setup.document = o.pdf;
    if (o.pdf)
        setup.document_label = "--pdf " + o.pdf->string();
    setup.embed = !o.no_embed;
    setup.choices = choices;
    printing::set_job_timeout(o.job_timeout);
    print_run run(std::move(held), *kind, setup);

    auto& dialog = run.dialog();
    dialog.OnWarning = [&log](const std::string& text) {
        log << "kestrun: warning: " << text << "\n";
    };
    io::set_signal_note(&note_pages_on_signal);
    // Progress is for a person watching a terminal, not for a log.
    if (!o.quiet && ::isatty(STDERR_FILENO) != 0)
        dialog.OnPage = [&log](const page_progress& p) {
            log << "page " << p.number << " of " << p.planned << ", " << p.page << ": "
                << (p.printed ? "printed" : "skipped");
            if (p.printed && !p.output.empty())
                log << " -> " << p.output;
            log << "\n";
        };

    vcl::TApplication::answerer answerer = o.interactive || (!o.yes && answers.empty())
                                               ? vcl::terminal_answerer(std::cin, std::cerr)
                                               : vcl::scripted_answers(answers);
    bool printing = false;
    const auto& ended = run.show(
        std::move(answerer),
        [&](vcl::TForm&) {
            const auto actions = plan(dialog, choices);
            printing = true;
            act(dialog, choices, actions);
        },
        [&](const error&) { return printing; });
    const auto paper = paper_told(dialog, choices);
    if (outcome)
        *outcome = {ended.printed, ended.skipped, paper};
    if (ended.end == run_end::stopped) {
        // One line: the cause, then what is on the paper, so a script reads both together.
        log << "kestrun: " << ended.cause << "; the run stopped after printing "
            << plural(ended.printed, "page", "pages") << " ("
            << plural(ended.skipped, "page", "pages") << " skipped) " << run.destination()
            << (o.pdf ? "; no document " + o.pdf->string() : std::string()) << "\n";
        return 1;
    }
    const auto document = run.finish();
    if (document) {
        make_parent_folders(*o.pdf, "--pdf");
        document->finish();
    }
    const auto told = !o.pdf     ? std::string()
                      : document ? "; the run as one document " + o.pdf->string()
                                 : "; no page printed, so no document " + o.pdf->string();
    log << "kestrun: printed " << plural(ended.printed, "page", "pages") << ", skipped "
        << ended.skipped << ", " << run.destination() << " (" << paper << ")" << told << "\n";
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

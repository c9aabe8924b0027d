// kestrun: prints the 2015 PIT-28, PIT-36, PIT-36L and PIT-37 returns page by page.

#include "apps/kestrun/batch_command.h"
#include "apps/kestrun/commands.h"
#include "apps/kestrun/complete.h"
#include "apps/kestrun/print_command.h"
#include "apps/kestrun/schema_command.h"
#include "apps/kestrun/usage.h"
#include "framework/module.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/printing/render_target.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <sstream>

namespace {

void add_return_options(CLI::App& cmd, kestrun::return_source& source, bool file_positional)
{
    if (file_positional)
        cmd.add_option("return", source.file,
                       "the return file (JSON), or a document of print --pdf that carries one");
    cmd.add_option("--image", source.images,
                   "NAME=FILE: a packed record image replacing that record (rek28, rekzez, "
                   "rek_uz, pit28_zal, rekster)");
}

void add_page_options(CLI::App& cmd, std::map<std::string, std::optional<int>>& params)
{
    cmd.add_option("--nrp", params["nrp"], "the person: 1 taxpayer, 2 spouse");
    cmd.add_option("--nr", params["nr"], "the first entry the sheet shows");
    cmd.add_option("--ilb", params["ilb"], "the number of PIT/B sheets of the person");
    cmd.add_option("--nrsp", params["nrsp"], "the PIT-28/B partnership, 1 to 4");
}

kestrun::cli::page_parameters given(const std::map<std::string, std::optional<int>>& params)
{
    kestrun::cli::page_parameters out;
    for (const auto& [name, value] : params)
        if (value)
            out[name] = *value;
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"kestrun: prints the 2015 PIT-28, PIT-36, PIT-36L and PIT-37 returns", "kestrun"};
    app.set_version_flag("--version", std::string("kestrun ") + KESTRUN_VERSION);

    kestrun::cli::print_options print_options;
    auto* print = app.add_subcommand(
        "print", "play the print dialog of a return: activate it, set the mode, the page boxes "
                 "and the printer, press \"&Drukuj\" and answer every prompt");
    print->add_option("type", print_options.return_type, "pit28, pit36, pit36l or pit37")
        ->required();
    add_return_options(*print, print_options.source, true);
    print->add_option("--mode", print_options.mode_name,
                      "blank (the form image with the data) or preprinted (the data alone)");
    print->add_option("--uncheck", print_options.uncheck, "page boxes to uncheck (chbox_st_1,...)")
        ->delimiter(',');
    print->add_option("--check", print_options.check, "page boxes to check")->delimiter(',');
    print->add_flag("--toggle-all", print_options.toggle_all, "press \"zmiana wszystkich\"");
    print->add_option(
        "--printer", print_options.printer,
        "choose this printer with \"&Ustawienia drukarki...\" (see kestrun printers)");
    print->add_option("--out", print_options.out,
                      "the folder for the PDF printer's files and the print port (default: ., made "
                      "when missing)");
    print->add_flag("--replace", print_options.replace,
                    "remove the pages of an earlier run (NNN-*.pdf) from --out first, and "
                    "replace an existing --pdf document");
    print->add_option("--settings", print_options.settings,
                      "the folder of the host's settings file zbster and margin tables");
    auto* yes = print->add_flag("--yes", print_options.yes, "answer OK to every prompt");
    auto* answers_option = print->add_option("--answers", print_options.answers,
                                             "ok or cancel for the prompts in order, then OK");
    auto* interactive = print->add_flag("--interactive", print_options.interactive,
                                        "ask each prompt on the terminal");
    yes->excludes(answers_option)->excludes(interactive);
    answers_option->excludes(interactive);
    print->add_option("--trace", print_options.trace,
                      "write the run's events as JSON lines (- for standard output)");
    print->add_flag("--quiet", print_options.quiet,
                    "no progress lines (they show only when standard error is a terminal)");
    print->add_option("--pdf", print_options.pdf,
                      "also write the whole run, every confirmed page in order, as this one PDF "
                      "(its folder made when missing; an existing one only with --replace)");
    print->add_flag("--no-embed", print_options.no_embed,
                    "the --pdf document carries neither the return (return.json) nor the print "
                    "choices (print.json)");
    print
        ->add_option("--job-timeout", print_options.job_timeout,
                     "seconds a CUPS printer may take to complete a page's job (default: 300)")
        ->check(CLI::PositiveNumber);

    std::string class_name;
    std::filesystem::path out;
    kestrun::return_source source;
    std::map<std::string, std::optional<int>> params;

    auto* fields = app.add_subcommand("fields", "fill a page without printing; its fields as JSON");
    fields->add_option("class", class_name, "the page report class (TF_w2k15_1 ...)")->required();
    add_return_options(*fields, source, true);
    add_page_options(*fields, params);
    std::optional<std::string> prepare;
    fields->add_option("--prepare", prepare,
                       "pit28: first copy the PIT-28 attachment data as print pit28 does");

    auto* page = app.add_subcommand("page", "print one page to a PDF or PNG file");
    page->add_option("class", class_name, "the page report class (TF_w2k15_1 ...)")->required();
    add_return_options(*page, source, true);
    add_page_options(*page, params);
    page->add_option("--prepare", prepare,
                     "pit28: first copy the PIT-28 attachment data as print pit28 does");
    page->add_option("--out", out, "FILE.pdf or FILE.png")->required();

    std::filesystem::path return_file;
    auto* encode = app.add_subcommand("encode", "write the packed record images of a return");
    encode->add_option("return", return_file, "the return file (JSON)")->required();
    encode->add_option("--out", out, "the folder for the images (made when missing)")->required();
    bool encode_replace = false;
    encode->add_flag("--replace", encode_replace,
                     "replace the images and globals.json of an earlier encode in --out");

    auto* decode = app.add_subcommand(
        "decode", "the return file of packed record images, or the one a --pdf document carries");
    add_return_options(*decode, source, false);
    std::optional<std::filesystem::path> globals;
    decode->add_option("--globals", globals,
                       "FILE: the globals (reference number, spouse codes) as encode writes "
                       "them in globals.json");
    std::optional<std::filesystem::path> from_pdf;
    decode->add_option("--from-pdf", from_pdf,
                       "FILE.pdf: the return file embedded in a document of print --pdf");

    kestrun::cli::batch_options batch_options;
    auto* batch = kestrun::cli::add_batch_command(app, batch_options);

    auto* printers = app.add_subcommand("printers", "list the printers a print run can choose");
    app.add_subcommand("help", "this help, or a command's: kestrun help print");
    auto* schema = app.add_subcommand("schema", "the JSON Schema of the return file");

    // The shell's completion asks for the words it offers (share/bash-completion/kestrun).
    if (argc >= 2 && std::string_view(argv[1]) == "complete") {
        for (const auto& word : kestrun::cli::completions(app, {argv + 2, argv + argc}))
            std::cout << word << "\n";
        kestrun::Finalize();
        return 0;
    }
    // "help [COMMAND]" is answered before parsing: the parser would take the topic for a
    // command to run.
    if (argc >= 2 && std::string_view(argv[1]) == "help") {
        auto* topic = argc == 2 ? &app : kestrun::cli::find_command(app, argv[2]);
        if (!topic || argc > 3) {
            std::cerr << "kestrun: "
                      << (topic ? std::string("help takes one command")
                                : kestrun::cli::unknown_command(app, argv[2]))
                      << "\n";
            return 2;
        }
        std::cout << topic->help();
        return 0;
    }
    if (auto wrong = kestrun::cli::unknown_word(app, argc, argv)) {
        std::cerr << "kestrun: " << *wrong << "\n";
        return 2;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "kestrun: " << e.what() << " (try --help)\n";
        return 2;
    }

    // A run stopped by a signal leaves no hidden temporary file behind.
    kestrun::io::remove_temporaries_on_signal();
    kestrun::printing::use_only_the_print_fonts();
    kestrun::Initialize();
    int status = 2;
    try {
        if (*fields)
            status = kestrun::cli::fields(class_name, source, given(params), prepare);
        else if (*page)
            status = kestrun::cli::page(class_name, source, given(params), out, prepare);
        else if (*encode)
            status = kestrun::cli::encode(return_file, out, encode_replace);
        else if (*decode)
            status = kestrun::cli::decode(source, globals, from_pdf);
        else if (*print)
            status = kestrun::cli::print(print_options);
        else if (*batch)
            status = kestrun::cli::batch(batch_options);
        else if (*printers)
            status = kestrun::cli::printers();
        else if (*schema)
            status = kestrun::cli::schema();
    } catch (const kestrun::error& e) {
        // A return file's faults come all at once, one line each.
        std::istringstream lines(e.what());
        for (std::string line; std::getline(lines, line);)
            std::cerr << "kestrun: " << line << "\n";
        status =
            e.kind() == kestrun::error_kind::render || e.kind() == kestrun::error_kind::io ? 1 : 2;
    } catch (const std::exception& e) {
        std::cerr << "kestrun: " << e.what() << "\n";
        status = 1;
    }
    kestrun::Finalize();
    return status;
}

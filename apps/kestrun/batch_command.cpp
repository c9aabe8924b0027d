#include "apps/kestrun/batch_command.h"

#include "apps/kestrun/commands.h"
#include "platform/error.h"
#include "platform/io/files.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace kestrun::cli {

namespace {

struct return_result {
    std::filesystem::path file;
    std::filesystem::path folder;
    int status = 0; // as `kestrun print` would end: 0, 1 or 2
    int pages = 0;
    std::string paper;                 // as paper_told says it
    std::string failure;               // the lines naming what went wrong
    std::vector<std::string> warnings; // the dialog's warnings, in order
};

// The lines of a run's log: the failure is the first line that is not a warning, as print()
// writes the cause before the line saying how far the run got.
void read_log(const std::string& log, return_result& r)
{
    std::istringstream lines(log);
    constexpr std::string_view prefix = "kestrun: ", warning = "kestrun: warning: ";
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(warning))
            r.warnings.push_back(line.substr(warning.size()));
        else if (r.status != 0 && r.failure.empty())
            r.failure = line.starts_with(prefix) ? line.substr(prefix.size()) : line;
    }
}

void print_one(const print_options& common, return_result& r)
{
    try {
        print_options o = common;
        o.source = {r.file, {}};
        o.out = r.folder;
        o.quiet = true;
        std::ostringstream log;
        print_outcome outcome;
        r.status = print(o, log, &outcome);
        r.pages = outcome.printed;
        r.paper = outcome.paper;
        read_log(log.str(), r);
    } catch (const kestrun::error& e) {
        r.status = e.kind() == error_kind::input ? 2 : 1;
        r.failure = e.what();
    } catch (const std::exception& e) {
        r.status = 1;
        r.failure = e.what();
    }
}

// The progress bar on a terminal: returns done of all, and the pages printed so far.
class progress {
public:
    progress(std::size_t total, bool shown) : m_total(total), m_shown(shown) { draw(); }

    void done(const return_result& r)
    {
        const std::lock_guard lock(m_lock);
        ++m_done;
        m_pages += r.pages;
        m_failed += r.status != 0 ? 1 : 0;
        draw();
    }
    void finish() const
    {
        if (m_shown)
            std::cerr << "\n";
    }

private:
    void draw() const
    {
        if (!m_shown)
            return;
        constexpr std::size_t width = 30;
        const std::size_t filled = m_total == 0 ? width : width * m_done / m_total;
        std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, '.') << "] "
                  << m_done << "/" << m_total << " returns, " << m_pages << " pages";
        if (m_failed != 0)
            std::cerr << ", " << m_failed << " failed";
        std::cerr << std::flush;
    }

    std::mutex m_lock;
    std::size_t m_total, m_done = 0, m_failed = 0;
    int m_pages = 0;
    bool m_shown;
};

// A file name as one line of a message: control characters (a newline in a name) as \xNN.
std::string printable(const std::string& name)
{
    std::string out;
    for (const unsigned char c : name) {
        if (c < 0x20 || c == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The folder a return prints into is named after its file, so that name must be a plain name
// inside --out: "..json" or "...json" would otherwise print into --out itself or its parent,
// and --replace would remove another run's pages there.
std::filesystem::path return_folder(const std::filesystem::path& out,
                                    const std::filesystem::path& file)
{
    const auto stem = file.stem().string();
    const bool plain = !stem.empty() && stem != "." && stem != ".." &&
                       std::none_of(stem.begin(), stem.end(), [](unsigned char c) {
                           return c < 0x20 || c == 0x7f || c == '/' || c == '\\';
                       });
    if (!plain)
        throw input_error("batch: " + printable(file.string()) + ": \"" + printable(stem) +
                          "\" is no plain folder name to print into inside --out (a return "
                          "prints into the folder named after its file less its extension)");
    return out / stem;
}

// A failure as one cell of the table: its first line, and how many more standard error holds.
std::string failure_cell(const std::string& failure)
{
    const auto more = std::count(failure.begin(), failure.end(), '\n');
    const auto first = failure.substr(0, failure.find('\n'));
    return more == 0 ? first : first + " and " + std::to_string(more) + " more";
}

std::string padded(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

} // namespace

CLI::App* add_batch_command(CLI::App& app, batch_options& b)
{
    auto& p = b.print;
    auto* cmd = app.add_subcommand(
        "batch", "print many returns, each through its own return's dialog into its own folder "
                 "under --out (--out DIR: DIR/<file stem>/NNN-*.pdf), several at once");
    cmd->add_option("returns", b.returns,
                    "the return files (JSON): rek28 makes a PIT-28, else rekzez.rodz_zez 0, 1, "
                    "2 a PIT-36, PIT-37, PIT-36L")
        ->required();
    cmd->add_option("--jobs,-j", b.jobs, "returns printed at once (default: one per core)")
        ->check(CLI::Validator(
            [](const std::string& text) {
                unsigned n = 0;
                const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
                return ec == std::errc() && end == text.data() + text.size() && n >= 1
                           ? std::string()
                           : std::string("expected a whole number, 1 or more");
            },
            "N"));
    cmd->add_option("--mode", p.mode_name, "blank or preprinted");
    cmd->add_option("--uncheck", p.uncheck, "page boxes to uncheck")->delimiter(',');
    cmd->add_option("--check", p.check, "page boxes to check")->delimiter(',');
    cmd->add_flag("--toggle-all", p.toggle_all, "press \"zmiana wszystkich\"");
    cmd->add_option("--printer", p.printer, "the printer for every return");
    cmd->add_option("--out", p.out, "the folder holding one folder per return (default: .)");
    cmd->add_flag("--replace", p.replace, "remove the pages of an earlier run first");
    cmd->add_option("--settings", p.settings, "the folder of zbster and the margin tables");
    auto* yes = cmd->add_flag("--yes", p.yes, "answer OK to every prompt");
    yes->excludes(cmd->add_option("--answers", p.answers, "the prompts' answers, then OK"));
    cmd->add_flag("--quiet", p.quiet, "no progress bar");
    cmd->add_option("--job-timeout", p.job_timeout,
                    "seconds a CUPS printer may take to complete a page's job (default: 300)")
        ->check(CLI::PositiveNumber);
    return cmd;
}

int batch(const batch_options& b)
{
    if (!b.print.yes && b.print.answers.empty())
        throw input_error("batch: the prompts need answers: give --yes or --answers ok,cancel,...");
    // Each return prints into the folder of its file's stem; two of one stem would share it.
    std::vector<return_result> results(b.returns.size());
    std::map<std::filesystem::path, std::filesystem::path> by_folder;
    for (std::size_t i = 0; i < b.returns.size(); ++i) {
        auto& r = results[i];
        r.file = b.returns[i];
        r.folder = return_folder(b.print.out, r.file);
        const auto [it, fresh] = by_folder.emplace(r.folder, r.file);
        if (!fresh)
            throw input_error("batch: " + it->second.string() + " and " + r.file.string() +
                              " would both print into " + r.folder.string());
    }

    const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
    const auto workers = std::min<std::size_t>(b.jobs != 0 ? b.jobs : cores,
                                               std::max<std::size_t>(results.size(), 1));
    progress bar(results.size(), !b.print.quiet && ::isatty(STDERR_FILENO) != 0);
    const auto start = std::chrono::steady_clock::now();
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::jthread> threads;
        for (std::size_t w = 0; w < workers; ++w)
            threads.emplace_back([&] {
                for (auto i = next++; i < results.size(); i = next++) {
                    print_one(b.print, results[i]);
                    bar.done(results[i]);
                }
            });
    }
    bar.finish();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

    std::size_t name_width = 6;
    for (const auto& r : results)
        name_width = std::max(name_width, r.file.string().size());
    std::cout << padded("return", name_width) << "  pages  result\n";
    int pages = 0, failed = 0;
    for (const auto& r : results) {
        char count[16];
        std::snprintf(count, sizeof count, "%5d", r.pages);
        std::cout << padded(r.file.string(), name_width) << "  " << count << "  "
                  << (r.status == 0 ? "printed into " + r.folder.string() + " (" + r.paper + ")"
                                    : "failed: " + failure_cell(r.failure))
                  << "\n";
        pages += r.pages;
        failed += r.status != 0 ? 1 : 0;
    }
    finish_standard_output();
    for (const auto& r : results) {
        for (const auto& w : r.warnings)
            std::cerr << "kestrun: " << r.file.string() << ": warning: " << w << "\n";
        // A fault in the file itself already starts with the file's name.
        std::istringstream lines(r.status != 0 ? r.failure : std::string());
        for (std::string line; std::getline(lines, line);)
            std::cerr << "kestrun: "
                      << (line.starts_with(r.file.string()) ? "" : r.file.string() + ": ") << line
                      << "\n";
    }
    char rate[96];
    std::snprintf(rate, sizeof rate, "%d pages in %.2f s (%.1f pages/s, %zu worker%s)", pages,
                  took.count(), took.count() > 0 ? pages / took.count() : 0.0, workers,
                  workers == 1 ? "" : "s");
    if (failed != 0) {
        std::cerr << "kestrun: " << failed << " of " << results.size()
                  << " returns failed; the others printed " << rate << "\n";
        return 1;
    }
    std::cerr << "kestrun: printed " << results.size() << " returns, " << rate << "\n";
    return 0;
}

} // namespace kestrun::cli

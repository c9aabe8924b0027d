// Printing to CUPS for real: a private cupsd with its own configuration, spool, logs and socket
// in a scratch folder (never the system's), and queues whose backend keeps every job it receives
// as a file, with its title, for the test to read.

#include "platform/printing/printers.h"
#include "tests/support/cli_probe.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit28.json";
const char* const cupsd = "/usr/sbin/cupsd";

// The backend of the test queues: "keep:DIR" writes job-ID.pdf and job-ID.title into DIR. It
// takes DIR/delay seconds over each job (a slow printer), and with DIR/fail, once it kept one
// job, fails every later one saying what that file says (a printer that jams after taking it).
const char* const keep_backend = R"sh(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct keep "Unknown" "keeps each job as a file"'; exit 0; fi
dir=${DEVICE_URI#keep:}
[ -f "$dir/delay" ] && sleep "$(cat "$dir/delay")"
if [ -f "$dir/fail" ] && ls "$dir"/job-*.pdf >/dev/null 2>&1; then
    echo "ERROR: $(cat "$dir/fail")" >&2; exit 1
fi
if [ -n "$6" ]; then cat "$6"; else cat; fi > "$dir/job-$1.pdf" || exit 1
printf '%s\n' "$3" > "$dir/job-$1.title"
)sh";

class private_cups {
public:
    explicit private_cups(const fs::path& root) : m_root(root)
    {
        for (const char* d : {"bin/backend", "spool", "tmp", "cache", "state", "log"})
            fs::create_directories(root / d);
        // The system's filters and helpers, and our one backend.
        for (const char* d : {"filter", "cgi-bin", "daemon", "monitor", "notifier", "driver"})
            if (fs::exists(fs::path("/usr/lib/cups") / d))
                fs::create_directory_symlink(fs::path("/usr/lib/cups") / d, root / "bin" / d);
        write_text(root / "bin/backend/keep", keep_backend);
        // Mode 0700: run as the server's own user, as root when the server runs as root.
        ::chmod((root / "bin/backend/keep").c_str(), 0700);
        const auto r = root.string();
        write_text(root / "cups-files.conf",
                   "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nTempDir " + r +
                       "/tmp\nCacheDir " + r + "/cache\nStateDir " + r + "/state\nServerBin " + r +
                       "/bin\nDataDir /usr/share/cups\nDocumentRoot /usr/share/cups/doc-root\n"
                       "AccessLog " +
                       r + "/log/access_log\nErrorLog " + r + "/log/error_log\nPageLog " + r +
                       "/log/page_log\nFileDevice Yes\nPrintcap /dev/null\n");
        write_text(root / "cupsd.conf", "Listen " + socket().string() +
                                            "\nBrowsing No\nWebInterface No\nLogLevel info\n"
                                            "<Policy default>\n<Limit All>\nOrder allow,deny\n"
                                            "Allow all\n</Limit>\n</Policy>\n");
        if (!fs::exists(cupsd)) {
            m_why_not = std::string(cupsd) + " is not installed";
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            const auto conf = (root / "cupsd.conf").string();
            const auto files = (root / "cups-files.conf").string();
            const auto log = (root / "log" / "cupsd.out").string();
            std::freopen(log.c_str(), "w", stdout);
            std::freopen(log.c_str(), "a", stderr);
            ::execl(cupsd, cupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr);
            ::_exit(127);
        }
        for (int i = 0; i < 100 && !answers(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!answers())
            m_why_not = "cupsd did not start: " +
                        run("cat " + shell_quote(root / "log" / "cupsd.out") + " " +
                            shell_quote(root / "log" / "error_log") + " 2>&1 | tail -3")
                            .output;
    }
    ~private_cups()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
    }
    private_cups(const private_cups&) = delete;
    private_cups& operator=(const private_cups&) = delete;

    const std::string& why_not() const { return m_why_not; }
    fs::path socket() const { return m_root / "cups.sock"; }
    // The environment that points a client at this server only.
    std::string env() const { return "CUPS_SERVER=" + shell_quote(socket()) + " "; }

    // A queue that keeps its jobs in DIR/<name>; `options` go to lpadmin as given.
    fs::path add_queue(const std::string& name, const std::string& options = {})
    {
        const auto out = m_root / "queues" / name;
        fs::create_directories(out);
        // The backend may run as the server's unprivileged user.
        fs::permissions(out, fs::perms::all);
        fs::permissions(m_root / "queues", fs::perms::all);
        // A server that just started, or is busy with a slow (sanitized) client, may drop the
        // first connections: lpadmin then says it cannot connect, and is tried again.
        const auto command =
            env() + "lpadmin -p " + name + " -E -v keep:" + out.string() + " " + options + " 2>&1";
        auto r = run(command);
        for (int i = 0;
             i < 50 && r.status != 0 && r.output.find("Unable to connect") != std::string::npos;
             ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            r = run(command);
        }
        EXPECT_EQ(r.status, 0) << r.output;
        return out;
    }

    // Waits until the server has no job left to print.
    void wait_for_jobs() const
    {
        for (int i = 0; i < 300; ++i) {
            if (run(env() + "lpstat -o 2>&1").output.empty())
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "jobs still queued: " << run(env() + "lpstat -o 2>&1").output;
    }

private:
    bool answers() const { return run(env() + "lpstat -r 2>&1").status == 0; }

    fs::path m_root;
    pid_t m_pid = -1;
    std::string m_why_not;
};

struct arrived_job {
    std::string title;
    fs::path pdf;
};

// The jobs a queue kept, in the order the server numbered them.
std::vector<arrived_job> arrived(const fs::path& queue)
{
    std::map<int, arrived_job> jobs;
    for (const auto& entry : fs::directory_iterator(queue)) {
        const auto name = entry.path().filename().string();
        if (!name.starts_with("job-") || entry.path().extension() != ".pdf")
            continue;
        auto title = entry.path();
        title.replace_extension(".title");
        std::ifstream in(title);
        std::string line;
        std::getline(in, line);
        jobs[std::stoi(name.substr(4))] = {line, entry.path()};
    }
    std::vector<arrived_job> out;
    for (auto& [id, job] : jobs)
        out.push_back(std::move(job));
    return out;
}

// Every job a valid PDF of one page, titled for the person at the printer.
void expect_valid_pages(const std::vector<arrived_job>& jobs, std::size_t pages_in_run)
{
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(jobs[i].title);
        EXPECT_EQ(jobs[i].title, "PIT-28 " + std::to_string(i + 1) + "/" +
                                     std::to_string(pages_in_run) + " — Łukaszewicz Zbigniew");
        const auto check = run(std::string(KESTRUN_QPDF) + " --check " + shell_quote(jobs[i].pdf));
        EXPECT_EQ(check.status, 0) << check.output;
        const auto pages =
            run(std::string(KESTRUN_QPDF) + " --show-npages " + shell_quote(jobs[i].pdf));
        EXPECT_EQ(pages.output, "1\n");
    }
}

std::string print_command(const private_cups& cups, const fs::path& dir, const std::string& extra)
{
    return cups.env() + cli + " print pit28 " + shell_quote(example) +
           " --yes --mode blank --settings " + shell_quote(dir / "settings") + " --out " +
           shell_quote(dir / "out") + " " + extra + " 2>&1";
}

TEST(cups_names, a_queue_never_takes_the_built_in_printers_name)
{
    using kestrun::printing::device_kind;
    const auto devices =
        kestrun::printing::name_devices({{"Biuro", device_kind::cups, true},
                                         {"pdf", device_kind::cups, false},
                                         {"PDF", device_kind::cups, false},
                                         {"Biuro/kopia", device_kind::cups, false}});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Biuro", "Biuro"},
        {"cups:pdf", "pdf"},
        {"cups:PDF", "PDF"},
        {"Biuro/kopia", "Biuro/kopia"}};
    ASSERT_EQ(devices.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(devices[i].name, expected[i].first);
        EXPECT_EQ(kestrun::printing::cups_queue(devices[i]), expected[i].second);
    }
    EXPECT_EQ(devices.back().name, "PDF");
    EXPECT_EQ(devices.back().kind, device_kind::pdf);
}

TEST(cups_print, every_page_arrives_as_a_valid_pdf_with_the_data_and_a_title_a_person_reads)
{
    scratch_dir dir;
    private_cups cups(dir / "cups");
    if (!cups.why_not().empty())
        GTEST_SKIP() << "no private CUPS server here: " << cups.why_not();
    const auto kolejka = cups.add_queue("kolejka");
    const auto pdf_queue = cups.add_queue("PDF");

    // Each printer listed once: the queue named like the built-in printer as cups:PDF.
    auto listed = run(cups.env() + cli + " printers");
    ASSERT_EQ(listed.status, 0) << listed.output;
    for (const char* name : {"  kolejka  (CUPS)", "  cups:PDF  (CUPS)", "PDF  (built in"})
        EXPECT_NE(listed.output.find(name), std::string::npos) << listed.output;
    EXPECT_EQ(std::count(listed.output.begin(), listed.output.end(), '\n'), 3) << listed.output;

    auto r = run(print_command(cups, dir.path(), "--printer kolejka"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("printed 14 pages, skipped 0, to printer kolejka"), std::string::npos)
        << r.output;
    cups.wait_for_jobs();
    const auto jobs = arrived(kolejka);
    ASSERT_EQ(jobs.size(), 14U);
    expect_valid_pages(jobs, 14);
    std::string text;
    for (const auto& job : jobs)
        text += run(std::string(KESTRUN_PDFTOTEXT) + " " + shell_quote(job.pdf) + " -").output;
    for (const char* data : {"6 7 7 - 2 1 3 - 4 5 - 0 2", "Łukaszewicz", "Zbigniew"})
        EXPECT_NE(text.find(data), std::string::npos) << data;
    EXPECT_TRUE(fs::is_empty(dir / "out")) << "a CUPS run writes no page files";

    // cups:PDF is the queue, not the built-in printer; --pdf keeps the run's document too.
    r = run(print_command(cups, dir.path(),
                          "--printer cups:PDF --pdf " + shell_quote(dir / "run.pdf")));
    ASSERT_EQ(r.status, 0) << r.output;
    cups.wait_for_jobs();
    EXPECT_EQ(arrived(pdf_queue).size(), 14U);
    EXPECT_EQ(
        run(std::string(KESTRUN_QPDF) + " --show-npages " + shell_quote(dir / "run.pdf")).output,
        "14\n");
    EXPECT_TRUE(fs::is_empty(dir / "out"));
}

// A page counts as printed when the printer completed its job: the run waits for each job before
// the next page, and a job the queue refuses, the printer fails, or does not complete in time,
// ends the run; what printed before stays printed, and no run document is left.
TEST(cups_print, a_page_is_printed_when_the_printer_completed_its_job)
{
    scratch_dir dir;
    private_cups cups(dir / "cups");
    if (!cups.why_not().empty())
        GTEST_SKIP() << "no private CUPS server here: " << cups.why_not();
    const auto slow = cups.add_queue("wolna");
    write_text(slow / "delay", "0.2");
    const auto failing = cups.add_queue("zacieta", "-o printer-error-policy=abort-job");
    write_text(failing / "fail", "paper jam in tray 2");
    const auto stuck = cups.add_queue("stoi");
    write_text(stuck / "delay", "5");
    // A quota of one kilobyte: the first job is taken, every later one refused.
    const auto quota = cups.add_queue("stroma", "-o job-quota-period=86400 -o job-k-limit=1");

    auto r = run(print_command(cups, dir.path(), "--printer wolna"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(arrived(slow).size(), 14U) << "every job completed before the run ended";

    struct row {
        std::string printer;
        std::string says;
        std::size_t kept;
    };
    const row rows[] = {
        {"stroma", "kestrun: printer stroma refused the job PIT-28 2/14", 1},
        {"zacieta",
         "kestrun: printer zacieta did not print the job PIT-28 2/14 — Łukaszewicz Zbigniew "
         "(aborted): paper jam in tray 2",
         1},
        {"stoi --job-timeout 1",
         "kestrun: printer stoi did not complete the job PIT-28 1/14 — Łukaszewicz Zbigniew "
         "within 1 s (--job-timeout)",
         0},
    };
    for (const auto& w : rows) {
        SCOPED_TRACE(w.printer);
        r = run(print_command(cups, dir.path(),
                              "--printer " + w.printer + " --pdf " + shell_quote(dir / "run.pdf")));
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_FALSE(fs::exists(dir / "run.pdf")) << "a failed run leaves no document";
        EXPECT_NE(r.output.find(w.says), std::string::npos) << r.output;
        EXPECT_NE(r.output.find("the run stopped after printing " + std::to_string(w.kept) +
                                (w.kept == 1 ? " page" : " pages")),
                  std::string::npos)
            << r.output;
    }
    EXPECT_EQ(arrived(failing).size(), 1U);
    cups.wait_for_jobs();
    const auto kept = arrived(quota);
    ASSERT_EQ(kept.size(), 1U) << "the page printed before the refusal stays printed";
    expect_valid_pages(kept, 14);
}

TEST(cups_print, a_server_that_cannot_be_reached_is_said_with_why)
{
    const std::string env = "CUPS_SERVER=/nonexistent ";
    const auto listed = run(env + cli + " printers 2>&1");
    EXPECT_EQ(listed.status, 0) << listed.output;
    for (const char* says : {"kestrun: warning: CUPS could not be reached (/nonexistent: No such "
                             "file or directory)",
                             "PDF  (built in"})
        EXPECT_NE(listed.output.find(says), std::string::npos) << listed.output;
    scratch_dir dir;
    const auto r =
        run(env + cli + " print pit28 " + shell_quote(example) + " --yes --printer q --settings " +
            shell_quote(dir / "settings") + " --out " + shell_quote(dir / "out") + " 2>&1");
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("--printer q: CUPS could not be reached (/nonexistent: No such file or "
                            "directory)"),
              std::string::npos)
        << r.output;
}

} // namespace

// `kestrun print` as a user runs it: what it refuses, with which status and line, and a run that
// prints and remembers its mode.

#include "platform/io/folder_lock.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct run_result {
    int status = -1;
    std::string err;
};

struct cli_rig {
    fs::path dir = fs::temp_directory_path() / ("kestrun-print-" + std::to_string(::getpid()));
    cli_rig()
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~cli_rig()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path write(const char* name, const std::string& text)
    {
        std::ofstream(dir / name) << text;
        return dir / name;
    }
    // Runs the command line with standard input from /dev/null; standard error is kept.
    run_result run(const std::string& args)
    {
        const auto err = dir / "stderr";
        const std::string cmd = "KESTRUN_NO_CUPS=1 " + std::string(KESTRUN_CLI) + " " + args +
                                " </dev/null >/dev/null 2>" + err.string();
        const int raw = std::system(cmd.c_str());
        std::ifstream in(err);
        std::stringstream text;
        text << in.rdbuf();
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text.str()};
    }
    std::string common() const
    {
        return "--out " + (dir / "out").string() + " --settings " + (dir / "settings").string();
    }
};

TEST(print_command, refuses_what_the_dialog_would_not_allow)
{
    cli_rig rig;
    const auto plain = rig.write("plain.json", R"({"rek28": {"zal_o": 0}, "rekzez": {}})");
    const auto port = rig.write("port.json", R"({"rek28": {}, "rekster": {"dr_port": true}})");
    struct refusal_case {
        std::string args;
        std::string line;
        const char* why;
        std::string type = "pit28";
    };
    const refusal_case cases[] = {
        {"--yes --check chbox_zz", "--check chbox_zz: the PIT-28 dialog has no such page box",
         "an unknown box"},
        {"--yes --uncheck chbox_o_9", "--uncheck chbox_o_9: the PIT-28 dialog has no such page box",
         "an unknown box to uncheck"},
        {"--yes --check chbox_o_1",
         "--check chbox_o_1: the return has no PIT/O attachment (rek28.zal_o is 0)",
         "a disabled box names the missing attachment"},
        {"--yes --printer Nowhere", "--printer Nowhere: no such printer (printers: PDF)",
         "an unknown printer"},
        {"--interactive", "--interactive: standard input is not a terminal",
         "no one to ask the prompts"},
        {"--yes --mode sepia", "--mode sepia: expected blank or preprinted", "an unknown mode"},
        {"--yes --uncheck Chbox_uz_1",
         "--uncheck Chbox_uz_1: the box is not shown in the PIT-36 dialog, so it cannot be clicked",
         "a hidden box takes no click, to uncheck", "pit36"},
        {"--yes --check Chbox_uz_1",
         "--check Chbox_uz_1: the box is not shown in the PIT-36 dialog, so it cannot be clicked",
         "nor to check", "pit36"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto r =
            rig.run("print " + c.type + " " + plain.string() + " " + rig.common() + " " + c.args);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
    }
    // A new settings folder: the return's settings record seeds it; an existing one would win.
    auto r = rig.run("print pit28 " + port.string() + " --yes --mode blank --out " +
                     (rig.dir / "out").string() + " --settings " + (rig.dir / "port").string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--mode blank: the print-port flag (rekster.dr_port) is set"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(rig.dir / "out" / "001-W2815_1.pdf")) << "nothing printed";
}

// Four runs into one folder once left a mix of their pages: a folder holds one run's pages.
TEST(print_command, a_folder_holds_the_pages_of_one_run)
{
    cli_rig rig;
    const auto plain = rig.write("plain.json", R"({"rek28": {}})");
    const std::string args = "print pit28 " + plain.string() + " --yes --quiet " + rig.common();
    ASSERT_EQ(rig.run(args).status, 0);
    const auto out = (rig.dir / "out").string();
    struct row {
        std::string extra;
        bool locked;
        int status;
        std::string says;
        const char* why;
    };
    const row rows[] = {
        {"", false, 2, "--out " + out + ": the folder already holds 3 pages of an earlier run",
         "pages of an earlier run are never mixed with new ones"},
        {" --replace", true, 2, "--out " + out + ": another run is printing into this folder",
         "a run started while another prints into the folder"},
        {" --replace", false, 0, "kestrun: printed 4 pages", "--replace removes them first"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        fs::remove(rig.dir / "out" / "004-W2815_4.pdf");
        std::optional<kestrun::io::folder_lock> other_run;
        if (r.locked)
            other_run.emplace(rig.dir / "out");
        const auto result = rig.run(args + r.extra);
        EXPECT_EQ(result.status, r.status) << result.err;
        EXPECT_NE(result.err.find(r.says), std::string::npos) << result.err;
        EXPECT_EQ(fs::exists(rig.dir / "out" / "004-W2815_4.pdf"), r.status == 0)
            << "a refused run prints nothing";
    }
}

TEST(print_command, prints_each_page_as_its_own_file_and_remembers_the_mode)
{
    cli_rig rig;
    const auto plain = rig.write("plain.json", R"({"rek28": {}})");
    const auto trace = rig.dir / "trace.jsonl";
    auto first = rig.run("print pit28 " + plain.string() + " --yes --mode blank " + rig.common() +
                         " --uncheck chbox_st_2 --trace " + trace.string());
    ASSERT_EQ(first.status, 0) << first.err;
    for (const char* f : {"001-W2815_1.pdf", "002-W2815_3.pdf", "003-W2815_4.pdf"})
        EXPECT_TRUE(fs::exists(rig.dir / "out" / f)) << f;
    EXPECT_EQ(first.err.find("page 1 of"), std::string::npos)
        << "standard error is a file, not a terminal: no progress lines";
    EXPECT_NE(first.err.find("kestrun: printed 3 pages, skipped 0, as PDF files into"),
              std::string::npos)
        << first.err;

    auto second = rig.run("print pit28 " + plain.string() + " --answers cancel --quiet " +
                          rig.common() + " --replace --trace " + trace.string());
    ASSERT_EQ(second.status, 0) << second.err;
    std::ifstream in(trace);
    std::string activation;
    std::getline(in, activation);
    const std::string blank_caption = "Wydruk zeznania PIT-28 (za rok 2015)";
    EXPECT_NE(activation.find("\"caption\":\"" + blank_caption + "\""), std::string::npos)
        << "the second run starts in blank-paper mode: " << activation;
    EXPECT_NE(second.err.find("kestrun: printed 3 pages, skipped 1"), std::string::npos)
        << second.err;
    EXPECT_EQ(second.err.find("page 1 of"), std::string::npos) << "--quiet: no progress";
}

} // namespace

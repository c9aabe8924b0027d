// `kestrun print` as a user runs it: what it refuses, with which status and line, and a folder
// that holds the pages of one run only.

#include "platform/io/folder_lock.h"
#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

// Standard input from /dev/null: no one answers a prompt.
std::string print(const scratch_dir& dir, const std::string& type, const fs::path& file,
                  const std::string& args)
{
    return "KESTRUN_NO_CUPS=1 " + cli + " print " + type + " " + shell_quote(file) + " --out " +
           shell_quote(dir / "out") + " --settings " + shell_quote(dir / "settings") + " " + args +
           " </dev/null";
}

TEST(print_command, refuses_what_the_dialog_would_not_allow)
{
    scratch_dir dir;
    write_text(dir / "plain.json", R"({"rek28": {"zal_o": 0}, "rekzez": {}})");
    write_text(dir / "port.json", R"({"rek28": {}, "rekster": {"dr_port": true}})");
    struct refusal_case {
        std::string args;
        std::string line;
        const char* why;
        std::string type = "pit28";
        const char* file = "plain.json";
    };
    const refusal_case cases[] = {
        {"--yes --check chbox_zz", "--check chbox_zz: the PIT-28 dialog has no such page box",
         "an unknown box"},
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
         "a hidden box takes no click", "pit36"},
        // A new settings folder: the return's settings record seeds it.
        {"--yes --mode blank", "--mode blank: the print-port flag (rekster.dr_port) is set",
         "blank paper on the print port", "pit28", "port.json"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto r = run(print(dir, c.type, dir / c.file, c.args));
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find(c.line), std::string::npos) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        EXPECT_FALSE(fs::exists(dir / "out")) << "nothing printed";
    }
}

// Four runs into one folder once left a mix of their pages: a folder holds one run's pages.
TEST(print_command, a_folder_holds_the_pages_of_one_run)
{
    scratch_dir dir;
    write_text(dir / "plain.json", R"({"rek28": {}})");
    const auto args = print(dir, "pit28", dir / "plain.json", "--yes --quiet");
    ASSERT_EQ(run(args).status, 0);
    const auto out = (dir / "out").string();
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
        fs::remove(dir / "out" / "004-W2815_4.pdf");
        std::optional<kestrun::io::folder_lock> other_run;
        if (r.locked)
            other_run.emplace(dir / "out");
        const auto result = run(args + r.extra);
        EXPECT_EQ(result.status, r.status) << result.output;
        EXPECT_NE(result.output.find(r.says), std::string::npos) << result.output;
        EXPECT_EQ(fs::exists(dir / "out" / "004-W2815_4.pdf"), r.status == 0)
            << "a refused run prints nothing";
    }
}

} // namespace

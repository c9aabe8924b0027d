// The command line's conventions as a new user meets them: unknown words named with the nearest
// known one, a return that lacks the record its print needs, the trace on
// standard output, progress only on a terminal, and what a page warns of.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

const std::string examples = std::string(KESTRUN_SOURCE_DIR) + "/examples/";

// Standard output alone: standard error is dropped.
std::string standard_output(const std::string& command)
{
    return run("{ " + command + " 2>/dev/null; }").output;
}

TEST(cli_usage, unknown_words_are_named_with_the_nearest_known_one)
{
    struct usage_case {
        std::string args;
        std::string says;
        const char* why;
    };
    const usage_case cases[] = {
        {"frobnicate", "kestrun: unknown command 'frobnicate' (did you mean 'print'?",
         "an unknown command"},
        {"print pit28 --mod blank", "unknown option '--mod' for print (did you mean '--mode'?)",
         "an unknown option of a command"},
        {"page TF_w2k15_1 --outt x.pdf", "unknown option '--outt' for page (did you mean '--out'?)",
         "another command's options"},
        {"--verison", "unknown option '--verison' (did you mean '--version'?)",
         "an unknown option before the command"},
        {"", "a command is required: print", "no command at all"},
        {"decode", "decode: give the packed record images as --image NAME=FILE",
         "decode with nothing to decode"},
        {"help frobnicate", "unknown command 'frobnicate'", "help on an unknown command"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto r = run(cli + " " + c.args);
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
    }
}

TEST(cli_print, a_return_without_the_record_its_print_needs_is_refused_before_anything_prints)
{
    scratch_dir dir;
    write_text(dir / "rek28_only.json", R"({"rek28": {"nazw": "Nowak"}})");
    write_text(dir / "globals_only.json", R"({"wsp_z_malz": [2]})");
    struct record_case {
        std::string type, file, says;
    };
    const record_case cases[] = {
        {"pit28", examples + "pit36_joint.json",
         "print pit28: the return holds no rek28 record, neither in the return file nor as "
         "--image rek28=FILE"},
        {"pit28", (dir / "globals_only.json").string(), "no rek28 record"},
        {"pit36", (dir / "rek28_only.json").string(), "print pit36: the return holds no rekzez"},
        {"pit36l", (dir / "rek28_only.json").string(), "print pit36l: the return holds no rekzez"},
        {"pit37", (dir / "rek28_only.json").string(), "print pit37: the return holds no rekzez"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type + " " + c.file);
        const auto r =
            run("KESTRUN_NO_CUPS=1 " + cli + " print " + c.type + " " + shell_quote(c.file) +
                " --yes --printer PDF --out " + shell_quote(dir / "out") + " --settings " +
                shell_quote(dir / "settings") + " --pdf " + shell_quote(dir / "r.pdf"));
        EXPECT_EQ(r.status, 2) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        EXPECT_TRUE(!fs::exists(dir / "out") || fs::is_empty(dir / "out")) << "nothing printed";
        EXPECT_FALSE(fs::exists(dir / "r.pdf"));
    }
    // The record given as an image is enough.
    ASSERT_EQ(run(cli + " encode " + shell_quote(examples + "pit28.json") + " --out " +
                  shell_quote(dir.path()))
                  .status,
              0);
    const auto r = run("KESTRUN_NO_CUPS=1 " + cli + " print pit28 --image rek28=" +
                       shell_quote(dir / "rek28.bin") + " --yes --quiet --printer PDF --out " +
                       shell_quote(dir / "out") + " --settings " + shell_quote(dir / "settings"));
    EXPECT_EQ(r.status, 0) << r.output;
}

TEST(cli_print, the_trace_goes_to_standard_output_and_progress_only_to_a_terminal)
{
    scratch_dir dir;
    const std::string command =
        "KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + shell_quote(examples + "pit28.json") +
        " --yes --printer PDF --check chbox_st_1 --toggle-all --out " + shell_quote(dir / "out") +
        " --settings " + shell_quote(dir / "settings");
    const auto trace = standard_output(command + " --trace -");
    EXPECT_EQ(trace.rfind("{\"event\":\"activate\"", 0), 0U) << trace;
    EXPECT_NE(trace.find("{\"event\":\"message_box\""), std::string::npos) << trace;
    EXPECT_FALSE(fs::exists("-"));

    // Standard error is a pipe here: the closing line alone.
    auto piped = run(command + " --replace");
    ASSERT_EQ(piped.status, 0) << piped.output;
    EXPECT_EQ(piped.output.find("page 1 of"), std::string::npos) << piped.output;
    EXPECT_NE(piped.output.find("kestrun: printed"), std::string::npos) << piped.output;
    // On a terminal, a line per page.
    auto terminal = run("script -qec " + shell_quote(command + " --replace") + " /dev/null");
    EXPECT_NE(terminal.output.find("page 1 of"), std::string::npos) << terminal.output;
}

TEST(cli_page, prepare_pit28_shows_the_attachment_as_print_pit28_prints_it)
{
    const auto pit28 = shell_quote(examples + "pit28.json");
    struct prepare_case {
        std::string args;
        bool warned;
        std::string nazw;
        const char* why;
    };
    const prepare_case cases[] = {
        {"TF_wo15_1 " + pit28, true, "", "the page as stored, with a warning"},
        {"TF_wo15_1 " + pit28 + " --prepare pit28", false, "Łukaszewicz",
         "as print pit28 shows it"},
        {"TF_w2k15_1 " + shell_quote(examples + "pit36_joint.json"), false, "Wiśniewski",
         "a return without PIT-28 attachment data has nothing to warn of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto r = run("{ " + cli + " fields " + c.args + " 2>&1 >/dev/null; }");
        EXPECT_EQ(r.output.find("add --prepare pit28") != std::string::npos, c.warned) << r.output;
        auto f = kestrun::testing::cli_fields(c.args);
        EXPECT_EQ(f["QRL_nazw"].caption, c.nazw);
    }
    const auto wrong = run(cli + " page TF_w2815_1 " + pit28 + " --prepare pit36 --out /tmp/x.pdf");
    EXPECT_EQ(wrong.status, 2) << wrong.output;
    EXPECT_NE(wrong.output.find("--prepare pit36: expected pit28"), std::string::npos);
}

} // namespace

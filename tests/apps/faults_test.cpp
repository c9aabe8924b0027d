// Bad input, unknown words and faults found from outside that once crashed the command line or
// lost data: each ends with one line, the right status and no output file.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

TEST(cli_faults, each_ends_with_one_line_its_status_and_no_output)
{
    scratch_dir dir;
    write_text(dir / "nul.json", R"({"rek28": {"nazw": "A\u0000B"}})");
    write_text(dir / "long_ref.json", R"({"nr_zez_refer": ")" + std::string(5000, '7') + R"("})");
    write_text(dir / "plain.json", R"({"rek28": {"nazw": "Nowak"}})");
    write_text(dir / "not_json.json", "{\"rekzez\": ");
    write_text(dir / "unknown_key.json", R"({"rekzez": {"nazwisko": "Nowak"}})");
    write_text(dir / "both.json", R"({"rek28": {"zal_o": 0}, "rekzez": {}})");
    write_text(dir / "port.json", R"({"rek28": {}, "rekster": {"dr_port": true}})");
    write_text(dir / "globals_only.json", R"({"wsp_z_malz": [2]})");
    fs::create_directory(dir / "folder");
    // Sparse: larger than any return file may be, without filling the disk.
    write_text(dir / "huge.json", "{}");
    fs::resize_file(dir / "huge.json", 17U << 20);
    ASSERT_EQ(run(cli + " encode " + shell_quote(dir / "plain.json") + " --out " +
                  shell_quote(dir.path()))
                  .status,
              0);
    write_text(dir / "rekster.bin", std::string(1024, '\0'));
    const std::string out = " --out " + shell_quote(dir / "x.pdf");
    const std::string example =
        shell_quote(std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json");
    const std::string pit28 = shell_quote(std::string(KESTRUN_SOURCE_DIR) + "/examples/pit28.json");
    const std::string rekster = " --image rekster=" + shell_quote(dir / "rekster.bin");
    const std::string print =
        "KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + shell_quote(dir / "plain.json") + " --out " +
        shell_quote(dir / "pages") + " --settings " + shell_quote(dir / "settings") + " </dev/null";
    // A print refused before anything prints: no page, no run document x.pdf. A new settings
    // folder, which the return's settings record seeds.
    const auto refused = [&](const std::string& type, const fs::path& file,
                             const std::string& args) {
        return "KESTRUN_NO_CUPS=1 " + cli + " print " + type + " " + shell_quote(file) + " --out " +
               shell_quote(dir / "refused") + " --settings " +
               shell_quote(dir / "refused-settings") + " --pdf " + shell_quote(dir / "x.pdf") +
               " " + args + " </dev/null";
    };
    const auto both = dir / "both.json", rek28_only = dir / "plain.json";
    // Standard output to a full device, standard error still to the test.
    const auto to_full = [](const std::string& command) {
        return "{ " + command + " >/dev/full; }";
    };
    struct row {
        std::string command;
        int status;
        std::string says;
        const char* why;
    };
    const row rows[] = {
        {cli + " frobnicate", 2, "kestrun: unknown command 'frobnicate' (did you mean 'print'?",
         "an unknown command"},
        {cli + " print pit28 --mod blank", 2,
         "unknown option '--mod' for print (did you mean '--mode'?)",
         "an unknown option of a command"},
        {cli + " page TF_w2k15_1 --outt x.pdf", 2,
         "unknown option '--outt' for page (did you mean '--out'?)", "another command's options"},
        {cli + " --verison", 2, "unknown option '--verison' (did you mean '--version'?)",
         "an unknown option before the command"},
        {cli, 2, "a command is required: print", "no command at all"},
        {cli + " help frobnicate", 2, "unknown command 'frobnicate'", "help on an unknown command"},
        {cli + " decode", 2, "decode: give the packed record images as --image NAME=FILE",
         "decode with nothing to decode"},
        {cli + " page TF_w9915_1 " + example + out, 2, "TF_w9915_1", "unknown class"},
        {cli + " fields TF_wb15_1 --nr 2", 2,
         "kestrun: TF_wb15_1: nr 2 is outside what the page shows (1 or 3)",
         "a PIT/B sheet that does not start at an entry"},
        {cli + " fields TF_wb15_2 --nr 3", 2,
         "kestrun: TF_wb15_2: nr 3 is outside what the page shows (1 or 4)", "nor on page 2"},
        {cli + " fields TF_wb15_1 --nrp 0", 2,
         "kestrun: TF_wb15_1: nrp 0 is outside what the page shows (1 or 2)", "no person 0"},
        {cli + " fields TF_wb15_2 --ilb 3", 2,
         "kestrun: TF_wb15_2: ilb 3 is outside what the page shows (1 or 2)", "no third sheet"},
        {cli + " page TF_w28b15_2 " + pit28 + " --nrsp 5" + out, 2,
         "kestrun: TF_w28b15_2: nrsp 5 is outside 1 to 4 (rek28 holds four partnerships)",
         "a partnership outside the record"},
        {cli + " page TF_w2k15_1 " + example + " --nrp 1" + out, 2, "nrp",
         "a parameter the page does not take"},
        {cli + " page TF_w2k15_1 " + shell_quote(dir / "not_json.json") + out, 2, "not_json.json",
         "not JSON at all"},
        {cli + " page TF_w2k15_1 " + shell_quote(dir / "missing.json") + out, 2, "missing.json",
         "no such file"},
        {cli + " page TF_w2k15_1 " + example + " --out " + shell_quote(dir / "no" / "x.pdf"), 2,
         "no", "the output folder does not exist"},
        {cli + " page TF_w2k15_1 " + example + " --out " + shell_quote(dir / "x.txt"), 2,
         ".pdf or .png", "an output that is neither PDF nor PNG"},
        {cli + " fields", 2, "class", "usage: the class is required"},
        {cli + " encode " + example + " --out " + shell_quote(dir.path()), 2,
         "of an earlier encode; give --replace", "encode over the images of an earlier one"},
        {cli + " decode" + rekster + " --globals " + shell_quote(dir / "unknown_key.json"), 2,
         "unknown_key.json: rekzez: a globals file holds only", "a record in the globals file"},
        {cli + " decode" + rekster + " --globals " + shell_quote(dir / "missing.json"), 2,
         "missing.json", "no globals file"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "nul.json") + out, 2,
         "rek28.nazw: control character U+0000",
         "a control character in a return file is refused with its path, not a crash"},
        {cli + " page TF_w2815_1 /dev/zero" + out, 2, "/dev/zero", "an endless return file"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "folder") + out, 2, "folder",
         "a folder as the return file"},
        {cli + " page TF_w2815_1 --image rek28=/dev/zero" + out, 2, "/dev/zero",
         "an endless image"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "huge.json") + out, 2,
         "larger than 16777216 bytes", "a return file beyond any real one"},
        {cli + " page TF_w2815_1 " + shell_quote(dir / "long_ref.json") + out, 2,
         "nr_zez_refer: text of 5000 characters, capacity 32",
         "a reference number longer than the host holds"},
        {to_full(cli + " decode --image rek28=" + shell_quote(dir / "rek28.bin")), 1,
         "standard output", "decode to a full device"},
        {to_full(cli + " fields TF_w2815_1 " + shell_quote(dir / "plain.json")), 1,
         "standard output", "fields to a full device"},
        {print + " --yes --quiet --trace /dev/full", 1, "--trace /dev/full",
         "a trace lost to a full disk"},
        {print + " --answers ok,,cancel", 2, "--answers: answer 2 is empty",
         "an empty answer would shift every later one"},
        {refused("pit28", both, "--yes --check chbox_zz"), 2,
         "--check chbox_zz: the PIT-28 dialog has no such page box", "an unknown box"},
        {refused("pit28", both, "--yes --check chbox_o_1"), 2,
         "--check chbox_o_1: the return has no PIT/O attachment (rek28.zal_o is 0)",
         "a disabled box names the missing attachment"},
        {refused("pit28", both, "--yes --printer Nowhere"), 2,
         "--printer Nowhere: no such printer (printers: PDF)", "an unknown printer"},
        {refused("pit28", both, "--interactive"), 2,
         "--interactive: standard input is not a terminal", "no one to ask the prompts"},
        {refused("pit28", both, "--yes --mode sepia"), 2,
         "--mode sepia: expected blank or preprinted", "an unknown mode"},
        {refused("pit36", both, "--yes --uncheck Chbox_uz_1"), 2,
         "--uncheck Chbox_uz_1: the box is not shown in the PIT-36 dialog, so it cannot be clicked",
         "a hidden box takes no click"},
        {refused("pit28", dir / "port.json", "--yes --mode blank"), 2,
         "--mode blank: the print-port flag (rekster.dr_port) is set",
         "blank paper on the print port"},
        {refused("pit28", fs::path(KESTRUN_SOURCE_DIR) / "examples" / "pit36_joint.json", "--yes"),
         2,
         "print pit28: the return holds no rek28 record, neither in the return file nor as "
         "--image rek28=FILE",
         "a return without the record its print needs"},
        {refused("pit28", dir / "globals_only.json", "--yes"), 2, "no rek28 record",
         "a return of globals alone"},
        {refused("pit36", rek28_only, "--yes"), 2, "print pit36: the return holds no rekzez",
         "PIT-36 needs rekzez"},
        {refused("pit36l", rek28_only, "--yes"), 2, "print pit36l: the return holds no rekzez",
         "PIT-36L needs rekzez"},
        {refused("pit37", rek28_only, "--yes"), 2, "print pit37: the return holds no rekzez",
         "PIT-37 needs rekzez"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto result = run(r.command);
        EXPECT_EQ(result.status, r.status) << result.output;
        EXPECT_NE(result.output.find(r.says), std::string::npos) << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
        EXPECT_FALSE(fs::exists(dir / "x.pdf"));
        EXPECT_TRUE(!fs::exists(dir / "refused") || fs::is_empty(dir / "refused"));
    }
}

// A control byte in a packed image is not the user's typing: the page prints it replaced.
TEST(cli_faults, a_control_byte_in_an_image_prints_replaced)
{
    scratch_dir dir;
    write_text(dir / "r.json", R"({"rek28": {"nazw": "AXB"}})");
    ASSERT_EQ(
        run(cli + " encode " + shell_quote(dir / "r.json") + " --out " + shell_quote(dir.path()))
            .status,
        0);
    auto image = read_bytes(dir / "rek28.bin");
    const auto x = std::find(image.begin(), image.end(), 'X');
    ASSERT_NE(x, image.end());
    *x = 0;
    write_text(dir / "rek28.bin", std::string(image.begin(), image.end()));
    const std::string source = " --image rek28=" + shell_quote(dir / "rek28.bin");

    auto fields = kestrun::testing::cli_fields("TF_w2815_1" + source);
    EXPECT_EQ(fields["QRL_nazw"].caption, "A\uFFFDB");
    const auto page =
        run(cli + " page TF_w2815_1" + source + " --out " + shell_quote(dir / "p.pdf"));
    EXPECT_EQ(page.status, 0) << page.output;
    EXPECT_TRUE(fs::exists(dir / "p.pdf"));
}

} // namespace

namespace {

// The pages a run left in a folder: each a whole PDF (qpdf finds nothing wrong), none hidden
// (no temporary file), in print order.
std::vector<std::string> whole_pages(const fs::path& folder)
{
    EXPECT_EQ(hidden_files(folder), std::vector<std::string>{}) << "no temporary file left";
    std::vector<std::string> pages;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        const auto name = e.path().filename().string();
        if (!e.is_regular_file())
            continue;
        const auto check = run(std::string(KESTRUN_QPDF) + " --check " + shell_quote(e.path()));
        EXPECT_EQ(check.status, 0) << name << ": " << check.output;
        pages.push_back(name);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

// "... after printing N pages ...": the N the run reports, or -1.
int pages_reported(const std::string& output)
{
    const auto at = output.find("after printing ");
    return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + 15);
}

const std::string pit28_example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit28.json";

} // namespace

// Faults of the settings file, the output folder, the assets and the printer during a PIT-28
// run: each ends with one line naming the culprit and the status it deserves; what printed
// before it stays, each page whole, and nothing half-written is left anywhere.
TEST(print_faults, each_names_its_culprit_and_keeps_what_printed_whole)
{
    scratch_dir dir;
    const auto assets = fs::path(KESTRUN_BUILD_ASSETS_DIR);
    const std::string print = "KESTRUN_NO_CUPS=1 " + cli + " print pit28 " +
                              shell_quote(pit28_example) + " --quiet --mode blank --printer PDF";
    struct row {
        std::string name;
        std::function<std::string(const fs::path& at)> prepare; // returns a command prefix
        std::string args;
        int status;
        std::string says;
        int pages; // pages printed before the fault
        const char* why;
    };
    const auto copy_assets = [&](const fs::path& at) {
        fs::copy(assets, at / "assets", fs::copy_options::recursive);
        return "KESTRUN_ASSETS=" + shell_quote(at / "assets") + " ";
    };
    const row rows[] = {
        {"settings-below-file",
         [](const fs::path& at) {
             write_text(at / "file", "x");
             return std::string();
         },
         "--settings {}/file/kestrun", 1, "/file/kestrun: cannot create the settings folder", 0,
         "a settings folder below a regular file cannot be made"},
        {"settings-full",
         [](const fs::path& at) {
             fs::create_directories(at / "settings");
             fs::create_symlink("/dev/full", at / "settings" / "zbster");
             return std::string();
         },
         "", 2, "zbster: the settings file is not a regular file", 0,
         "a settings file on a full device"},
        {"settings-truncated",
         [](const fs::path& at) {
             fs::create_directories(at / "settings");
             write_text(at / "settings" / "zbster", std::string(500, '\0'));
             return std::string();
         },
         "", 1, "zbster: record 0 is incomplete (500 of 1024 bytes)", 0,
         "a settings file cut short"},
        {"settings-corrupt",
         [](const fs::path& at) {
             fs::create_directories(at / "settings");
             write_text(at / "settings" / "zbster", std::string(1024, '\xFF'));
             return std::string();
         },
         "", 2, "the print-port flag (rekster.dr_port) is set", 0,
         "every byte of the settings set: the flag that names the port refuses blank paper"},
        {"out-below-file",
         [](const fs::path& at) {
             write_text(at / "file", "x");
             return std::string();
         },
         "--out {}/file/pages", 2, "/file/pages: not a writable folder", 0,
         "an output folder below a regular file"},
        {"out-fills-up",
         [&](const fs::path& at) {
             // Page 1 is the largest; without it the file size limit lets the two smaller pages
             // after it through and stops the next, larger one: the disk is full at page 3.
             const auto reference =
                 run(print + " --yes --uncheck chbox_st_1 --settings " +
                     shell_quote(at / "settings") + " --out " + shell_quote(at / "reference"));
             EXPECT_EQ(reference.status, 0) << reference.output;
             const auto size = [&](const char* page) {
                 return fs::file_size(at / "reference" / page);
             };
             const auto limit = std::max(size("001-W2815_2.pdf"), size("002-W2815_3.pdf"));
             EXPECT_LT(limit, size("003-W2815_4.pdf"));
             return "trap '' XFSZ; prlimit --fsize=" + std::to_string(limit) + " env ";
         },
         "--uncheck chbox_st_1", 1, "003-W2815_4.pdf: write: File too large", 2,
         "the output folder fills up mid-run"},
        {"form-missing",
         [&](const fs::path& at) {
             const auto prefix = copy_assets(at);
             fs::remove(at / "assets" / "forms" / "W2815_3.json");
             return prefix;
         },
         "", 1, "forms/W2815_3.json (the form drawing of W2815_3)", 2, "a form drawing missing"},
        {"form-corrupt",
         [&](const fs::path& at) {
             const auto prefix = copy_assets(at);
             const auto form = at / "assets" / "forms" / "W2815_2.json";
             fs::resize_file(form, fs::file_size(form) / 2);
             return prefix;
         },
         "", 1, "forms/W2815_2.json", 1, "a form drawing cut in half"},
        {"printer-fails-at-4",
         [](const fs::path& at) {
             fs::create_directories(at / "out" / "004-W2815_4.pdf");
             return std::string();
         },
         "", 1, "004-W2815_4.pdf", 3, "the PDF printer cannot write page 4"},
        {"assets-missing",
         [](const fs::path& at) { return "KESTRUN_ASSETS=" + shell_quote(at / "none") + " "; }, "",
         1, "missing asset", 0, "no assets where the run looks for them"},
        {"unknown-box", [](const fs::path&) { return std::string(); }, "--uncheck chbox_st_9", 2,
         "has no such page box", 0, "a page box the dialog lacks"},
        {"cancel-at-3", [](const fs::path&) { return std::string(); }, "--answers ok,ok,cancel", 0,
         "printed 13 pages, skipped 1", 13, "Cancel at the third prompt skips that page alone"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const auto at = dir / r.name;
        fs::create_directories(at);
        const auto prefix = r.prepare(at);
        std::string args = r.args;
        for (auto brace = args.find("{}"); brace != std::string::npos; brace = args.find("{}"))
            args.replace(brace, 2, at.string());
        const std::string defaults =
            (args.find("--settings") == std::string::npos
                 ? " --settings " + shell_quote(at / "settings")
                 : "") +
            (args.find("--out") == std::string::npos ? " --out " + shell_quote(at / "out") : "") +
            (args.find("--answers") == std::string::npos ? " --yes" : "");
        const bool had_settings = fs::exists(fs::symlink_status(at / "settings" / "zbster"));
        const auto result = run(prefix + print + " " + args + defaults + " </dev/null");
        if (r.status != 0 && r.pages == 0) {
            // Refused before printing: neither the output folder nor the settings file is made.
            EXPECT_FALSE(fs::exists(at / "out"));
            EXPECT_EQ(fs::exists(fs::symlink_status(at / "settings" / "zbster")), had_settings);
        }
        EXPECT_EQ(result.status, r.status) << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
        EXPECT_NE(result.output.find(r.says), std::string::npos) << result.output;
        const auto pages = whole_pages(at / "out");
        if (r.status == 1 && r.pages > 0) {
            EXPECT_EQ(int(pages.size()), pages_reported(result.output)) << result.output;
        }
        EXPECT_EQ(int(pages.size()), r.pages) << result.output;
        EXPECT_EQ(hidden_files(at / "settings"), std::vector<std::string>{});
    }
}

// SIGINT or SIGTERM while pages print: the page being written is removed, the pages before it
// stay whole, and the last line says how many there are.
TEST(print_faults, a_signal_mid_run_keeps_the_printed_pages_and_says_how_many)
{
    for (const std::string signal : {"INT", "TERM"}) {
        SCOPED_TRACE(signal);
        scratch_dir dir;
        const auto out = dir / "out";
        // Job control gives the run its own process group, where SIGINT is not ignored as it is
        // for a background command of a script.
        const auto script = dir / "run.sh";
        write_text(script,
                   "set -m\nKESTRUN_NO_CUPS=1 " + cli + " print pit36 " +
                       shell_quote(std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json") +
                       " --yes --quiet --mode blank --printer PDF --settings " +
                       shell_quote(dir / "settings") + " --out " + shell_quote(out) +
                       " &\npid=$!\nfor i in $(seq 3000); do ls " + shell_quote(out) +
                       "/003-* >/dev/null 2>&1 && break; sleep 0.01; done\nkill -" + signal +
                       " $pid\nwait $pid\necho status $?\n");
        const auto result = run("bash " + shell_quote(script));
        EXPECT_NE(result.output.find("stopped by SIG" + signal + " after printing"),
                  std::string::npos)
            << result.output;
        EXPECT_NE(result.output.find(signal == "INT" ? "status 130" : "status 143"),
                  std::string::npos)
            << result.output;
        const auto pages = whole_pages(out);
        EXPECT_GE(pages.size(), 3U);
        EXPECT_EQ(int(pages.size()), pages_reported(result.output)) << result.output;
    }
}

// A run killed while a page was being written leaves that page's hidden temporary file: the next
// run in the folder removes it, and nothing else hidden there.
TEST(print_faults, a_run_removes_the_half_written_pages_a_killed_run_left)
{
    scratch_dir dir;
    fs::create_directories(dir / "out");
    const auto stale = dir / "out" / ".014-Wo15_2.pdf.lTm60c";
    const fs::path others[] = {dir / "out" / ".notes.txt", dir / "out" / ".notes.txt.lTm60c",
                               dir / "out" / ".014-Wo15_2.pdf.lTm6"};
    write_text(stale, "half a page");
    for (const auto& other : others)
        write_text(other, "not a page");
    const auto result =
        run("KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + shell_quote(pit28_example) +
            " --quiet --yes --mode blank --printer PDF --toggle-all --check "
            "chbox_st_1 --settings " +
            shell_quote(dir / "settings") + " --out " + shell_quote(dir / "out"));
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_FALSE(fs::exists(stale));
    for (const auto& other : others)
        EXPECT_TRUE(fs::exists(other)) << other;
}

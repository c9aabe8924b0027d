// The faces over one print run. The library's one-call print: the dialog a return file calls
// for, played to one PDF that carries its return unless told not to, and nothing written when
// the return is refused or the run fails. `kestrun print` as a user runs it: a folder that holds
// the pages of one run only.

#include "dialogs/print_run.h"
#include "host/returnfile/return_file.h"
#include "kestrun/kestrun.h"
#include "platform/error.h"
#include "platform/io/folder_lock.h"
#include "tests/support/cli_probe.h"
#include "tests/support/render_probe.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {

using kestrun::printing::probe::run;
using kestrun::printing::probe::scratch_dir;

const std::filesystem::path examples = std::filesystem::path(KESTRUN_SOURCE_DIR) / "examples";

int pages_of(const std::filesystem::path& pdf)
{
    const auto r = run(std::string(KESTRUN_QPDF) + " --show-npages '" + pdf.string() + "'");
    return r.status == 0 ? std::stoi(r.output) : -1;
}

struct library_print : ::testing::Test {
    void SetUp() override { ::setenv("KESTRUN_NO_CUPS", "1", 1); }
    scratch_dir dir;
};

TEST_F(library_print, each_example_becomes_one_checked_pdf_of_its_dialog)
{
    struct row {
        const char* file;
        const char* return_name;
        const char* surname;
        kestrun::paper mode;
        bool embed;
    };
    const row rows[] = {
        {"pit28.json", "PIT-28", "Łukaszewicz", kestrun::paper::blank, true},
        {"pit36_joint.json", "PIT-36", "Wiśniewski", kestrun::paper::preprinted, true},
        {"pit37.json", "PIT-37", "Nowakowski", kestrun::paper::blank, false},
        {"pit36l.json", "PIT-36L", "Zieliński", kestrun::paper::blank, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        const auto pdf = dir.path() / (std::string(r.file) + ".pdf");
        const auto printed =
            kestrun::print_return_to_pdf(examples / r.file, pdf, {r.mode, {}, r.embed});
        if (r.embed)
            EXPECT_EQ(
                kestrun::return_from_pdf(pdf),
                kestrun::host::to_return_json(kestrun::load_return({examples / r.file, {}}).state));
        else
            EXPECT_THROW(kestrun::return_from_pdf(pdf), kestrun::print_error);
        EXPECT_EQ(printed.return_name, r.return_name);
        EXPECT_GT(printed.pages, 1);
        EXPECT_EQ(pages_of(pdf), printed.pages);
        const auto check = run(std::string(KESTRUN_QPDF) + " --check '" + pdf.string() + "'");
        EXPECT_EQ(check.status, 0) << check.output;
        const auto words = kestrun::printing::probe::words_of(pdf);
        EXPECT_TRUE(std::any_of(words.begin(), words.end(),
                                [&](const auto& w) { return w.text == r.surname; }));
    }
}

TEST_F(library_print, a_refused_return_writes_no_pdf_and_names_every_fault)
{
    const auto bad = dir.path() / "bad.json";
    std::ofstream(bad) << R"({"rekzez": {"rodz_zez": 1, "rok": "x", "nazwa": 1}})";
    const auto pdf = dir.path() / "bad.pdf";
    try {
        kestrun::print_return_to_pdf(bad, pdf);
        ADD_FAILURE() << "no error";
    } catch (const kestrun::print_error& e) {
        EXPECT_TRUE(e.bad_input());
        EXPECT_EQ(std::string(e.what()),
                  bad.string() + ": rekzez.nazwa: unknown field (did you mean 'nazw'?)\n" +
                      bad.string() + ": rekzez.rok: expected an integer, got string");
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
    // A return file that is not there is bad input as well, as the command line has it.
    try {
        kestrun::print_return_to_pdf(dir.path() / "missing.json", pdf);
        ADD_FAILURE() << "no error";
    } catch (const kestrun::print_error& e) {
        EXPECT_TRUE(e.bad_input()) << e.what();
    }
}

// Which returns a file holds, so which dialogs print it: PIT-28 for rek28, the kind of
// rekzez.rodz_zez for rekzez, both in the table's order when it gives both.
TEST(returns_held, the_records_a_file_gives_choose_its_dialogs)
{
    struct row {
        const char* json; // null: no file
        std::vector<std::string_view> held;
        const char* error;
    };
    const row rows[] = {
        {R"({"rek28": {}})", {"pit28"}, nullptr},
        {R"({"rekzez": {}})", {"pit36"}, nullptr},
        {R"({"rekzez": {"rodz_zez": 1}})", {"pit37"}, nullptr},
        {R"({"rekzez": {"rodz_zez": 2}, "rek28": {}})", {"pit28", "pit36l"}, nullptr},
        {R"({"rekster": {}})", {}, "holds neither rek28 (PIT-28) nor rekzez"},
        {R"({"rekzez": {"rodz_zez": 5}})", {}, "rekzez.rodz_zez: 5 is no return type"},
        {nullptr, {}, "cannot open"},
    };
    scratch_dir dir;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.json ? r.json : "no file");
        const auto file = dir.path() / (r.json ? "r.json" : "missing.json");
        if (r.json)
            std::ofstream(file) << r.json;
        try {
            std::vector<std::string_view> held;
            for (const auto* kind : kestrun::returns_held(kestrun::load_return({file, {}})))
                held.push_back(kind->type);
            EXPECT_EQ(held, r.held);
            EXPECT_EQ(r.error, nullptr);
        } catch (const kestrun::error& e) {
            EXPECT_EQ(e.kind(), kestrun::error_kind::input);
            ASSERT_NE(r.error, nullptr) << e.what();
            EXPECT_NE(std::string(e.what()).find(r.error), std::string::npos) << e.what();
        }
    }
}

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

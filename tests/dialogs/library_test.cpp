// The library's one-call print: the dialog a return file calls for, played to one PDF, and
// nothing written when the return is refused or the run fails.

#include "dialogs/print_run.h"
#include "kestrun/kestrun.h"
#include "platform/error.h"
#include "tests/support/record_builder.h"
#include "tests/support/render_probe.h"

#include <gtest/gtest.h>

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
    };
    const row rows[] = {
        {"pit28.json", "PIT-28", "Łukaszewicz", kestrun::paper::blank},
        {"pit36_joint.json", "PIT-36", "Wiśniewski", kestrun::paper::preprinted},
        {"pit37.json", "PIT-37", "Nowakowski", kestrun::paper::blank},
        {"pit36l.json", "PIT-36L", "Zieliński", kestrun::paper::blank},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        const auto pdf = dir.path() / (std::string(r.file) + ".pdf");
        const auto printed = kestrun::print_return_to_pdf(examples / r.file, pdf, {r.mode, {}});
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

TEST_F(library_print, the_pdf_holds_the_pages_the_command_line_prints_one_file_each)
{
    const auto pdf = dir.path() / "pit28.pdf";
    const auto printed = kestrun::print_return_to_pdf(examples / "pit28.json", pdf);
    const auto out = dir.path() / "out";
    const auto r = run("KESTRUN_NO_CUPS=1 " + std::string(KESTRUN_CLI) + " print pit28 '" +
                       (examples / "pit28.json").string() + "' --yes --printer PDF --mode blank " +
                       "--quiet --out '" + out.string() + "' --settings '" +
                       (dir.path() / "settings").string() + "'");
    ASSERT_EQ(r.status, 0) << r.output;
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out))
        pages += pages_of(entry.path());
    EXPECT_EQ(printed.pages, pages);
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
}

TEST(return_type_of, the_records_a_return_holds_choose_its_dialog)
{
    using kestrun::test::rek28_builder;
    using kestrun::test::rekzez_builder;
    struct row {
        kestrun::host::host_state state;
        const char* type; // empty: refused
        const char* why;
    };
    const row rows[] = {
        {rek28_builder{}.text("nazw", "A").build(), "pit28", "rek28 holds data"},
        {rekzez_builder{}.text("nazw", "A").build(), "pit36", "rodz_zez 0"},
        {rekzez_builder{}.integer("rodz_zez", 1).build(), "pit37", "rodz_zez 1"},
        {rekzez_builder{}.integer("rodz_zez", 2).build(), "pit36l", "rodz_zez 2"},
        {rekzez_builder{}.integer("rodz_zez", 3).build(), "", "no such kind"},
        {kestrun::host::host_state{}, "", "neither record holds anything"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        if (*r.type == '\0')
            EXPECT_THROW(kestrun::return_type_of(r.state), kestrun::error);
        else
            EXPECT_EQ(kestrun::return_type_of(r.state), r.type);
    }
}

} // namespace

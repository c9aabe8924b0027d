// What a page tells of the text it prints: a text cut at its box's edge is warned of, naming the
// page and the field, on standard error and in the trace; `fields` reports the size a text is
// printed at, as the PDF shows it.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace kestrun::testing;

// A house number of ten wide characters, within the record's capacity, and an amount above
// 999 999,99 in a narrow column.
const std::string wide_return = R"({"rek28": {"nazw": "Nowak", "nrd": "WWWWWWWWWW",
                                   "przdg": [99999999.99, 0, 0, 0, 0, 0, 0]}})";
const std::string clipped_line =
    "kestrun: warning: TF_w2815_1: the text \"WWWWWWWWWW\" of QRL_nrd is wider than its box";

TEST(cli_clipped, a_text_cut_at_its_box_edge_is_warned_of_in_every_command_and_the_trace)
{
    scratch_dir dir;
    std::ofstream(dir / "wide.json") << wide_return;
    const auto file = shell_quote(dir / "wide.json");
    struct clip_case {
        std::string command;
        const char* why;
    };
    const clip_case cases[] = {
        {"{ " + cli + " fields TF_w2815_1 " + file + " >/dev/null; }", "fields"},
        {cli + " page TF_w2815_1 " + file + " --out " + shell_quote(dir / "p.pdf"), "page"},
        {"KESTRUN_NO_CUPS=1 " + cli + " print pit28 " + file +
             " --yes --mode blank --printer PDF --out " + shell_quote(dir / "out") +
             " --settings " + shell_quote(dir / "s") + " --trace " +
             shell_quote(dir / "trace.jsonl"),
         "print"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto r = run(c.command);
        EXPECT_EQ(r.status, 0) << r.output;
        EXPECT_NE(r.output.find(clipped_line), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("QRL_nazw"), std::string::npos) << "a text that fits is quiet";
    }
    std::ifstream trace(dir / "trace.jsonl");
    int clipped = 0;
    for (std::string line; std::getline(trace, line);) {
        const auto e = nlohmann::json::parse(line);
        if (e.at("event") != "clipped")
            continue;
        ++clipped;
        EXPECT_EQ(e.at("class"), "TF_w2815_1");
        EXPECT_EQ(e.at("field"), "QRL_nrd");
        EXPECT_EQ(e.at("text"), "WWWWWWWWWW");
    }
    EXPECT_EQ(clipped, 1);
}

TEST(cli_clipped, fields_reports_the_size_a_text_is_printed_at)
{
    scratch_dir dir;
    std::ofstream(dir / "wide.json") << wide_return;
    const auto file = shell_quote(dir / "wide.json");
    auto f = kestrun::testing::cli_fields("TF_w2815_1 " + file);
    ASSERT_TRUE(f.count("QRL_przdg1"));
    ASSERT_EQ(f["QRL_przdg1"].caption, "99.999.999,99");
    const double reported = f["QRL_przdg1"].font_pt;
    EXPECT_LT(reported, 8.0) << "the amount prints below its reduced design size";

    // The PDF agrees: a glyph box of Liberation Sans is 1.149 of the size in height, and every
    // caption of one size has the same height.
    ASSERT_EQ(run(cli + " page TF_w2815_1 " + file + " --out " + shell_quote(dir / "p.pdf")).status,
              0);
    const auto words = kestrun::printing::probe::words_of(dir / "p.pdf");
    const auto height_of = [&](const std::string& text) {
        for (const auto& w : words)
            if (w.text == text)
                return w.y_max - w.y_min;
        return 0.0;
    };
    const double amount = height_of("99.999.999,99");
    const double name = height_of("Nowak");
    ASSERT_GT(amount, 0.0);
    ASSERT_GT(name, 0.0);
    EXPECT_NEAR(amount / name, reported / f["QRL_nazw"].font_pt, 0.01)
        << "the printed heights keep the ratio of the reported sizes";
}

} // namespace

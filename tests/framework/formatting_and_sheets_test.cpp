// The host's formatting texts, character for character: every page relies on them. PIT/B sheet
// counting: which entries are in use wherever they lie, how many sheets a person needs, and
// which entries in use no sheet shows, as the warning names them.

#include "framework/page_report.h"
#include "framework/pitb_sheets.h"
#include "host/korvel/zezprzel.h"
#include "host/tamdor/host_state.h"
#include "host/tamdor/libr.h"
#include "platform/error.h"
#include "tests/support/record_builder.h"
#include "tests/support/render_probe.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct rstrsp_case {
    double value;
    int width, decimals;
    const char* text;
    const char* why;
};

TEST(host_formatting, rstrsp_rounds_groups_and_pads_and_refuses_what_is_not_a_number)
{
    const rstrsp_case cases[] = {
        {1999164.555, 13, 2, " 1.999.164,56", "half away from zero on the decimal text"},
        {-250, 13, 2, "      -250,00", "negative with its sign"},
        {0, 13, 0, "            0", "zero is printed"},
        {-0.004, 13, 2, "         0,00", "no sign on a value that rounds to zero"},
        {-0.005, 13, 2, "        -0,01", "half away from zero for negatives"},
        {2.675, 13, 2, "         2,68", "2.675 reads as 2.675 although its double lies below"},
        {12345678901.0, 13, 2, "12.345.678.901,00", "never cut when wider than the field"},
        {1234.5, 13, 0, "        1.235", "whole zloty round half up"},
        {12.5, 5, 2, "12,50", "percentage width 5"},
        {static_cast<double>(0.005f), 13, 2, "         0,00",
         "a single holding 0.005 is 0.004999... and prints 0,00"},
        {999.995, 13, 2, "     1.000,00", "carry through the thousands"},
        {-1.7014118346031449e38, 13, 2, "-170.141.183.460.314.490.000.000.000.000.000.000.000,00",
         "a very large value as its shortest decimal text, not its binary digits"},
        {4.9e-324, 13, 2, "         0,00", "the smallest double rounds to zero"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Libr::rstrsp(c.value, c.width, c.decimals), c.text);
    }
    EXPECT_THROW(Libr::rstrsp(std::numeric_limits<double>::infinity(), 13, 2), kestrun::error);
    EXPECT_THROW(Libr::rstrsp(std::numeric_limits<double>::quiet_NaN(), 13, 2), kestrun::error);
}

TEST(host_formatting, nip_editing_and_cells)
{
    struct nip_case {
        const char* in;
        std::uint8_t style;
        const char* out;
        const char* why;
    };
    const nip_case cases[] = {
        {"1234563218", 1, "123-456-32-18", "style 1"},
        {"1234563218", 0, "123-45-63-218", "style 0 of the PIT/B partnership box"},
        {"123456321", 1, "123456321", "nine digits stay as they are"},
        {"12345632A8", 1, "12345632A8", "not all digits"},
        {"", 1, "", "empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Libr::red_nip(c.in, c.style), c.out);
    }
    EXPECT_EQ(Libr::usun_kreski("123-456-32-18"), "1234563218");
    EXPECT_EQ(Pr_vcl::wydznaki("2015"), "2 0 1 5");
    EXPECT_EQ(Pr_vcl::wydznaki("123-456"), "1 2 3 - 4 5 6");
    EXPECT_EQ(Pr_vcl::wydznaki("Łó"), "Ł ó") << "characters, not bytes";
    EXPECT_EQ(Pr_vcl::wydznaki(""), "");
}

TEST(host_formatting, the_font_shrinks_only_above_the_limit_as_compared)
{
    // The values sit on the limit exactly as the check compares them, doubles, not amounts that
    // went through a 6-byte real (999 999,99 stored decodes just below the limit).
    constexpr double limit = 999999.99;
    struct font_case {
        double value, font_pt;
        const char* why;
    };
    const font_case cases[] = {
        {limit, 10, "the limit itself keeps the design font"},
        {std::nextafter(limit, 2e6), 8, "the next double above is one size smaller"},
        {std::nextafter(limit, 0.0), 10, "the next double below"},
        {-2e6, 10, "a large loss keeps it"},
        {std::numeric_limits<double>::quiet_NaN(), 10, "not a number is never above"},
    };
    kestrun::host::host_state h;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        kestrun::page_instance page(*kestrun::find_page_class("TF_w2815_1"), nullptr, h);
        Zezprzel::zmn_font(page->DB_dane(), "QRL_przdg1", c.value, limit, 1);
        auto* field = dynamic_cast<kestrun::qr::TQRLabel*>(page->DB_dane().Find("QRL_przdg1"));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->Font.size_pt, c.font_pt);
    }
}

// The margin store is the user's file: a deeply nested one once overflowed the stack.
TEST(host_tables, a_margin_store_is_read_within_the_json_depth_limit)
{
    const kestrun::printing::probe::scratch_dir dir;
    kestrun::host::margin_pair table[3];
    struct row {
        std::string store;
        std::string error; // empty: read
        const char* why;
    };
    const row rows[] = {
        {R"({"ofdr": [[10, -20], [3, 4]]})", "", "two pairs stored, the third stays 0"},
        {R"({"ofdr": )" + std::string(100000, '[') + std::string(100000, ']') + "}",
         "marginesy.json: the JSON nests deeper than 8 levels", "nested 100000 deep"},
        {R"({"ofdr": [[10]]})", "marginesy.json: ofdr[1] is not a pair [x, y]", "not a pair"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        std::ofstream(dir / "marginesy.json") << r.store;
        try {
            EXPECT_EQ(Libr::czyt_marg(dir.path(), "ofdr", 3, table), 2);
            EXPECT_EQ(table[0].y, -20);
            EXPECT_EQ(table[2].x, 0);
            EXPECT_EQ(r.error, "");
        } catch (const kestrun::error& e) {
            EXPECT_EQ(e.kind(), kestrun::error_kind::io);
            EXPECT_NE(std::string(e.what()).find(r.error), std::string::npos) << e.what();
            EXPECT_NE(r.error, "") << e.what();
        }
    }
}

using kestrun::pitb_sheets;
using kestrun::host::host_state;

// Entries given as positions; each entry in use by one of its identifying texts in turn, so
// every text that makes an entry count is exercised.
host_state with_entries(int person, std::initializer_list<int> businesses,
                        std::initializer_list<int> partnerships)
{
    return kestrun::test::rekzez_builder{}.with([&](host_state& h) {
        const auto b = h.rekzez_mut().pitb(person);
        int turn = 0;
        for (int j : businesses) {
            if (turn++ % 2)
                b.dg(j).set_text("reg", "X");
            else
                b.dg(j).set_text("dzial", "X");
        }
        for (int i : partnerships) {
            const auto s = b.sp(i);
            switch (turn++ % 3) {
            case 0:
                s.set_text("nazsp", "X");
                break;
            case 1:
                s.set_text("regsp", "X");
                break;
            default:
                s.set_text("nipsp", "X");
            }
        }
        // Amounts alone never put an entry in use.
        for (int j = 1; j <= 4; ++j)
            b.dg(j).set_real("prz", 100.0);
        for (int i = 1; i <= 6; ++i)
            b.sp(i).set_real("kw", 2, 100.0);
    });
}

TEST(pitb_sheets, entries_count_wherever_they_lie_and_positions_decide_what_prints)
{
    struct row {
        std::initializer_list<int> dg, sp;
        int businesses, partnerships, sheets;
        std::vector<std::string> unprinted;
        const char* why;
    };
    const row rows[] = {
        {{}, {}, 0, 0, 1, {}, "nothing in use: box 3 would show 1, no sheet prints"},
        {{1, 2}, {1, 2, 3}, 2, 3, 1, {}, "a full sheet is still one sheet"},
        {{1, 2, 3}, {1}, 3, 1, 2, {}, "a third business needs a second sheet"},
        {{1}, {1, 2, 3, 4}, 1, 4, 2, {}, "a fourth partnership needs a second sheet"},
        {{1, 4}, {}, 2, 0, 1, {"dg[4]"}, "business 4 behind an empty 3: counted, not shown"},
        {{}, {5, 6}, 0, 2, 1, {"sp[5]", "sp[6]"}, "partnerships 5 and 6 behind empty entries"},
        {{2}, {3, 4}, 1, 2, 1, {"sp[4]"}, "partnership 4 on one sheet lies past its three"},
        {{4}, {2, 4, 5, 6}, 1, 4, 2, {}, "two sheets show every position"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        for (int person : {1, 2}) {
            SCOPED_TRACE("person " + std::to_string(person));
            const host_state h = with_entries(person, r.dg, r.sp);
            const auto s = pitb_sheets::of(h.rekzez(), person);
            EXPECT_EQ(s.businesses(), r.businesses);
            EXPECT_EQ(s.partnerships(), r.partnerships);
            EXPECT_EQ(s.sheets(), r.sheets);
            EXPECT_EQ(s.unprinted(), r.unprinted);
            const auto other = pitb_sheets::of(h.rekzez(), 3 - person);
            EXPECT_FALSE(other.any()) << "the other person's entries stay apart";
        }
    }
    // The warning names the person and every entry left out, on one line.
    const host_state h = with_entries(2, {3}, {5});
    EXPECT_EQ(kestrun::unprinted_warning(2, pitb_sheets::of(h.rekzez(), 2)).find('\n'),
              std::string::npos);
    EXPECT_NE(kestrun::unprinted_warning(2, pitb_sheets::of(h.rekzez(), 2))
                  .find("rekzez.pitb[2]: dg[3], sp[5]"),
              std::string::npos);
}

} // namespace

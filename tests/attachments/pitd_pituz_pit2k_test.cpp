// PIT/D pages 1 and 2, PIT/UZ and PIT-2K: the spouses' requests printed row by row by their own
// flags, the amounts printed also when zero, the kind of return on PIT/UZ, and PIT-2K's kind of
// investment and plain years. The spouse's identification is the shared convention checked on
// PIT/O page 1.

#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;
using kestrun::test::spouses;
using kestrun::testing::fill_page;

// One request block: its page, its two flags and the record fields of its four boxes.
struct request_block {
    const char* page;
    const char *flag28, *flag36;
    const char* fields[4]; // PIT-28 taxpayer, spouse, PIT-36/37 taxpayer, spouse
    const char* name;
};

void set_request(rekzez_builder& b, const request_block& block, bool row28, bool row36)
{
    const auto z = b.view();
    const auto& layout = kestrun::host::rekzez_layout;
    z.set_flag_at(*layout.find(block.flag28), 0, row28);
    z.set_flag_at(*layout.find(block.flag36), 0, row36);
    for (int i = 0; i < 4; ++i)
        z.set_real_at(*layout.find(block.fields[i]), 0, 0, 100.0 * (i + 1) + 0.25);
}

TEST(pitd, each_request_row_prints_by_its_own_flag_without_the_joint_test)
{
    const request_block blocks[] = {
        {"TF_wd15_1",
         "wn_b11_28",
         "wn_b11_36",
         {"ods28p", "ods28m", "ods36p", "ods36m"},
         "B.1.1, boxes 13-16"},
        {"TF_wd15_2",
         "wn_b31_28",
         "wn_b31_36",
         {"ods28p1", "ods28m1", "ods36p1", "ods36m1"},
         "B.3.1, boxes 23-26"},
        {"TF_wd15_2",
         "wn_c21_28",
         "wn_c21_36",
         {"pod28p", "pod28m", "pod36p", "pod36m"},
         "C.2.1, boxes 32-35"},
    };
    // The boxes of page 1's B.1.1 and page 2's C.2.1 share their field names.
    const char* fields_of[3][4] = {
        {"QRL_ods28p", "QRL_ods28m", "QRL_ods36p", "QRL_ods36m"},
        {"QRL_ods28p1", "QRL_ods28m1", "QRL_ods36p1", "QRL_ods36m1"},
        {"QRL_ods28p", "QRL_ods28m", "QRL_ods36p", "QRL_ods36m"},
    };
    struct row_case {
        bool row28, row36, joint;
        const char* why;
    };
    const row_case rows[] = {
        {false, false, true, "both flags clear: all four boxes empty"},
        {true, false, true, "PIT-28 row only, even with amounts in the other row"},
        {false, true, true, "PIT-36/PIT-37 row only"},
        {true, true, true, "both rows"},
        {true, true, false, "not joint: the spouse boxes still print with their row"},
    };
    const char* printed[4] = {"100,25", "200,25", "300,25", "400,25"};
    for (int b = 0; b < 3; ++b) {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(blocks[b].name) + ": " + r.why);
            auto builder = spouses(r.joint);
            set_request(builder, blocks[b], r.row28, r.row36);
            // The interest request's amounts must not leak into C.2.1's boxes on page 2.
            if (b == 2)
                builder.real("ods28p", 9).real("ods28m", 9).real("ods36p", 9).real("ods36m", 9);
            host_state h = builder;
            auto f = fill_page(blocks[b].page, h);
            for (int i = 0; i < 4; ++i) {
                const bool shown = i < 2 ? r.row28 : r.row36;
                EXPECT_EQ(f[fields_of[b][i]].caption, shown ? printed[i] : "") << fields_of[b][i];
            }
        }
    }
}

TEST(pitd_and_pituz, unconditional_amounts_print_also_when_zero)
{
    const std::pair<const char*, std::vector<const char*>> pages[] = {
        {"TF_wd15_1",
         {"QRL_ods", "QRL_ods28", "QRL_ods36", "QRL_odl_doch", "QRL_odl_bez_pokr",
          "QRL_odl_doch_og", "QRL_odl_doch28", "QRL_odl_doch36"}},
        {"TF_wd15_2",
         {"QRL_kas", "QRL_bez_pokr", "QRL_odl_pod_og", "QRL_odl_pod28", "QRL_odl_pod36"}},
        {"TF_wuz15_1",
         {"QRL_uz_zus1", "QRL_uz_dz1", "QRL_uz_rozn", "QRL_uz_doza", "QRL_uz_doza1", "QRL_uz_nadpl",
          "QRL_uz_zwrot"}},
    };
    for (const auto& [page, names] : pages) {
        host_state h;
        auto f = fill_page(page, h);
        for (const char* name : names)
            EXPECT_EQ(f[name].caption, "0,00") << page << " " << name;
    }
}

TEST(pituz, kind_of_return_marks_one_square)
{
    struct kind_case {
        int rodz_zez;
        const char *pit36, *pit37, *why;
    };
    const kind_case cases[] = {
        {0, "x", "", "PIT-36: square 1"},
        {1, "", "x", "PIT-37: square 2"},
        {2, "", "", "the PIT-36L case, or any other value, marks neither"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = spouses(true).integer("rodz_zez", c.rodz_zez);
        auto f = fill_page("TF_wuz15_1", h);
        EXPECT_EQ(f["QRL_36"].caption, c.pit36);
        EXPECT_EQ(f["QRL_37"].caption, c.pit37);
    }
}

host_state statement()
{
    return kestrun::test::spouses()
        .integer("rodz_inw", 1)
        .real("kw_wyd", 1999164.555)
        .integer("rok_rozp", 2011);
}

TEST(pit2k, kind_of_investment_marks_one_square)
{
    struct mark_case {
        int rodz_inw;
        const char* marked;
        const char* why;
    };
    const mark_case cases[] = {
        {0, "QRL_bud", "building a house"},
        {1, "QRL_wkl", "contribution to a housing cooperative"},
        {2, "QRL_zak", "purchase of a new house or flat: square 3 only"},
        {3, "QRL_nadb", "extension or conversion"},
        {4, "", "any other value marks no square"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto h = statement();
        h.rekzez_mut().set_integer("rodz_inw", c.rodz_inw);
        auto f = fill_page("TF_w2k15_1", h);
        for (const char* square : {"QRL_bud", "QRL_wkl", "QRL_zak", "QRL_nadb"})
            EXPECT_EQ(f[square].caption, std::string(square) == c.marked ? "x" : "") << square;
    }
}

TEST(pit2k, years_print_plain_and_zero_prints)
{
    auto h = statement();
    h.rekzez_mut().set_integer("rok_kr", 0);
    h.rekzez_mut().set_real("kw_kr", 0);
    auto f = fill_page("TF_w2k15_1", h);
    EXPECT_EQ(f["QRL_rok1"].caption, "2011") << "plain decimal, not spread over cells";
    EXPECT_EQ(f["QRL_rok3"].caption, "0") << "no housing loan: year 0 prints as the digit 0";
    EXPECT_EQ(f["QRL_kw3"].caption, "0,00") << "and the zero amount";
}

} // namespace

// PIT-36L pages 1-3: the two sign tests of section D, the squares of section C, the reference
// number on one line, the boxes whose field names mislead, the fields that never print, and a
// return of one person whatever the spouse's data says.

#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;
using kestrun::testing::fill_page;

// A flat-tax taxpayer with a business; each test changes only what its rule is about.
rekzez_builder pit36l_return()
{
    return rekzez_builder{}
        .text("nip", "8792104534")
        .integer("rok", 2015)
        .text("urz", "Pierwszy Urząd Skarbowy w Toruniu")
        .text("nazw", "Zieliński")
        .text("im", "Andrzej")
        .date("dur", 1971, 6, 23)
        .real("zr", 3, 1, 612480.35)
        .real("zr", 3, 2, 438215.60)
        .real("zr", 3, 3, 174264.75)
        .real("zr", 3, 4, 29480);
}

TEST(pit36l_page1, section_d_rows_split_income_and_loss_by_their_own_tests)
{
    struct split_case {
        int idm;
        double business, zw_str4, agricultural;
        const char *p13, *p14, *p23, *p24, *why;
    };
    const split_case cases[] = {
        {0, -2100.0, 900.0, -4550.4, "0,00", "2.100,00", "0,00", "4.550,40",
         "losses without code 4: each loss made positive, zw_str4 unused"},
        {4, -2100.0, 1500.5, 1.0, "0,00", "1.500,50", "1,00", "0,00",
         "code 4: box 16 is zw_str4, box 15 still by the sign"},
        {4, 3000.0, 1500.5, 0.0, "3.000,00", "1.500,50", "0,00", "0,00",
         "code 4 with an income: box 16 is zw_str4 even so"},
        {0, 0.0, 0.0, 0.0, "0,00", "0,00", "0,00", "0,00",
         "results of zero: the agricultural loss box shows the negated zero without a sign"},
        {0, 0.004, 0.0, -0.004, "0,00", "0,00", "0,00", "0,00",
         "results that round to zero print no sign either"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit36l_return()
                           .integer("idm", c.idm)
                           .real("zr", 3, 3, c.business)
                           .real("zw_str4", c.zw_str4)
                           .real("zr", 4, 3, c.agricultural);
        auto f = fill_page("TF_w36l15_1", h);
        EXPECT_EQ(f["QRL_p13"].caption, c.p13);
        EXPECT_EQ(f["QRL_p14"].caption, c.p14);
        EXPECT_EQ(f["QRL_p23"].caption, c.p23);
        EXPECT_EQ(f["QRL_p24"].caption, c.p24);
        EXPECT_EQ(f["QRL_p15"].caption, "29.480") << "the advance in whole zloty";
    }
}

TEST(pit36l_page1, section_c_squares_are_cleared_and_marked_only_by_their_codes)
{
    struct code_case {
        int idp, idm;
        const char *dok, *zw, *rokzw, *why;
    };
    const code_case cases[] = {
        {2, 0, "x", "", "", "taxpayer code 2: box 10 only"},
        {0, 4, "", "x", "2 0 1 2", "spouse byte code 4: box 11 and the year in box 12"},
        {2, 4, "x", "x", "2 0 1 2", "both squares"},
        {4, 2, "", "", "", "the codes swapped mark nothing"},
        {3, 3, "", "", "", "the PIT-36 code 3 means nothing here"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h =
            pit36l_return().integer("idp", c.idp).integer("idm", c.idm).integer("rokzw", 2012);
        auto f = fill_page("TF_w36l15_1", h);
        EXPECT_EQ(f["QRL_dok"].caption, c.dok);
        EXPECT_EQ(f["QRL_zw"].caption, c.zw);
        EXPECT_EQ(f["QRL_rokzw"].caption, c.rokzw);
    }
}

TEST(pit36l_page1, reference_number_is_one_memo_line_and_identification_has_no_pesel)
{
    struct reference_case {
        bool printed;
        const char *number, *memo, *why;
    };
    const reference_case cases[] = {
        {false, "PIT36L-2015-KP-004127", "", "dr_zez_ref clear: the memo does not print"},
        {true, "PIT36L-2015-KP-004127-TORUŃ", "PIT36L-2015-KP-004127-TORUŃ",
         "27 characters stay on one line"},
        {true, "ABC", "ABC", "a short number, no empty second line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit36l_return().flag("kor").flag("id_pesel");
        h.set_dr_zez_ref(c.printed);
        h.set_nr_zez_refer(c.number);
        auto f = fill_page("TF_w36l15_1", h);
        EXPECT_EQ(f["QRL_nrref"].enabled, c.printed);
        EXPECT_EQ(f["QRL_nrref"].caption, c.memo);
        EXPECT_EQ(f["QRL_nip"].caption, "8 7 9 - 2 1 0 - 4 5 - 3 4") << "NIP even when by PESEL";
        EXPECT_EQ(f.count("QRL_kas_nip") + f.count("QRL_kas_pes"), 0u);
        EXPECT_EQ(f["QRL_zl_zez"].caption, "");
        EXPECT_EQ(f["QRL_kor_zez"].caption, "x");
    }
}

TEST(pit36l_pages, fields_named_after_other_boxes_show_their_own_box)
{
    host_state h = pit36l_return()
                       .real("pg", 1, 101.01)
                       .real("pg", 4, 104.04)
                       .real("pl", 6, 206.06)
                       .real("pl", 7, 207.07)
                       .real("do_zapl", 255.55)
                       .real("nadpl", 256.56)
                       .real("zr44", 1, 571)
                       .real("zal44_1", 1, 811)
                       .real("zal44_7", 1, 999)
                       .real("ods44", 12, 802)
                       .real("zal44_1", 12, 922);
    struct name_case {
        const char *page, *field, *caption, *why;
    };
    const name_case cases[] = {
        {"TF_w36l15_1", "QRL_w1", "101,01", "page 1 box 28: pg[1]"},
        {"TF_w36l15_1", "QRL_w4", "104,04", "page 1 box 31: pg[4]"},
        {"TF_w36l15_2", "QRL_w1", "206,06", "page 2 box 53: pl[6], not pg[1]"},
        {"TF_w36l15_2", "QRL_w2", "207,07", "page 2 box 54: pl[7]"},
        {"TF_w36l15_2", "QRL_w3", "255,55", "page 2 box 55: the amount to pay"},
        {"TF_w36l15_2", "QRL_w4", "256,56", "page 2 box 56: the overpayment"},
        {"TF_w36l15_2", "QRL_44_1m1", "571", "box 57: zr44, not zal44_1"},
        {"TF_w36l15_3", "QRL_44_7p1", "0", "box 69: ods44, not zal44_7"},
        {"TF_w36l15_3", "QRL_44_7p12", "802", "box 80: ods44[12]"},
        {"TF_w36l15_3", "QRL_44_7m1", "811", "box 81: zal44_1, not zal44_7"},
        {"TF_w36l15_3", "QRL_44_7m12", "922", "box 92: zal44_1[12]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(fill_page(c.page, h)[c.field].caption, c.caption);
    }
}

TEST(pit36l_page2, tax_base_and_settlement_print_whole_zloty_the_rest_grosze)
{
    struct decimals_case {
        const char* field;
        const char* caption;
    };
    const decimals_case cases[] = {
        {"QRL_w7", "1.234,56"}, {"QRL_w8", "1.235"},  {"QRL_w16", "1.234,56"},
        {"QRL_w18", "1.235"},   {"QRL_w19", "1.235"}, {"QRL_w20", "1.235"},
        {"QRL_w21", "1.235"},   {"QRL_w22", "1.235"}, {"QRL_w24", "1.234,56"},
    };
    host_state h = pit36l_return()
                       .real("doch_opod", 1234.56)
                       .real("podst_opod", 1234.56)
                       .real("pod_po_odl_d", 1234.56)
                       .real("pod_zaokr", 1234.56)
                       .real("sum_zal", 1234.56)
                       .real("rozn", 1234.56)
                       .real("rozn1", 1234.56)
                       .real("zal_wpl", 1234.56)
                       .real("pl", 2, 1234.56);
    auto f = fill_page("TF_w36l15_2", h);
    for (const auto& c : cases)
        EXPECT_EQ(f[c.field].caption, c.caption) << c.field;
}

TEST(pit36l_pages, one_person_only_and_the_never_printed_fields_stay_off)
{
    // The spouse's twin of everything the pages read, on a return the host marks joint: the
    // pages print the same as for a single taxpayer.
    auto single = pit36l_return()
                      .real("ods44", 3, 300)
                      .flag("jest_peln", false)
                      .text("peln", "Barbara Kaczmarek")
                      .person(2)
                      .real("zr", 3, 3, -999.0)
                      .real("pg", 1, 999.0)
                      .real("zr44", 1, 999)
                      .real("ods44", 3, 999)
                      .real("zal44_1", 1, 999)
                      .real("pl", 6, 999.0)
                      .real("zus", 999.0)
                      .record();
    host_state alone = single;
    host_state joint = single.joint();
    for (const char* page : {"TF_w36l15_1", "TF_w36l15_2", "TF_w36l15_3"}) {
        SCOPED_TRACE(page);
        auto f = fill_page(page, joint);
        EXPECT_EQ(f, fill_page(page, alone)) << "the joint flag changes nothing";
        for (const auto& [name, field] : f)
            EXPECT_EQ(field.caption.find("999"), std::string::npos) << name;
    }
    auto p2 = fill_page("TF_w36l15_2", joint);
    auto p3 = fill_page("TF_w36l15_3", joint);
    EXPECT_FALSE(p2["QRL_w23"].enabled);
    EXPECT_FALSE(p3["QRL_zal5"].enabled);
    EXPECT_EQ(p3["QRL_44_7p3"].caption, "300");
    EXPECT_EQ(p3["QRL_zal1"].caption, "0") << "no PIT/B still prints its count";
    EXPECT_EQ(p3["QRL_peln"].caption, "") << "a name without a proxy signing";
}

} // namespace

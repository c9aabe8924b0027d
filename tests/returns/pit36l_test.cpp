// PIT-36L pages 1-3: the squares of section C and the two sign tests of section D, the boxes
// whose field names mislead, and a return of one person whatever the spouse's data says.

#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::testing::fill_page;

kestrun::test::rekzez_builder pit36l_return()
{
    return kestrun::test::rekzez_builder{}.text("nip", "8792104534").real("zr", 3, 4, 29480);
}

TEST(pit36l_page1, section_c_squares_and_section_d_sign_tests)
{
    struct page1_case {
        int idp, idm;
        double business, zw_str4, agricultural;
        const char *printed, *why; // boxes 10, 11, 12, 15, 16, 20, 21
    };
    const page1_case cases[] = {
        {2, 0, -2100, 900, -4550.4, "x|||0,00|2.100,00|0,00|4.550,40",
         "code 2 marks box 10 alone; losses made positive, zw_str4 unused without code 4"},
        {0, 4, -2100, 1500.5, 1, "|x|2 0 1 2|0,00|1.500,50|1,00|0,00",
         "code 4: box 11 with the year, box 16 from zw_str4, box 15 still by the sign"},
        {2, 4, 3000, 1500.5, 0, "x|x|2 0 1 2|3.000,00|1.500,50|0,00|0,00",
         "code 4 with an income: box 16 is zw_str4 even so"},
        {4, 2, 0, 0, 0, "|||0,00|0,00|0,00|0,00",
         "codes swapped mark nothing; a zero loss unsigned"},
        {3, 3, 0.004, 0, -0.004, "|||0,00|0,00|0,00|0,00",
         "code 3 means nothing; results rounding to zero unsigned"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit36l_return()
                           .integer("idp", c.idp)
                           .integer("idm", c.idm)
                           .integer("rokzw", 2012)
                           .real("zr", 3, 3, c.business)
                           .real("zw_str4", c.zw_str4)
                           .real("zr", 4, 3, c.agricultural);
        auto f = fill_page("TF_w36l15_1", h);
        std::string printed = f["QRL_dok"].caption;
        for (const char* box : {"QRL_zw", "QRL_rokzw", "QRL_p13", "QRL_p14", "QRL_p23", "QRL_p24"})
            printed += "|" + f[box].caption;
        EXPECT_EQ(printed, c.printed);
    }
}

TEST(pit36l_pages, fields_named_after_other_boxes_show_their_own_box)
{
    host_state h = pit36l_return()
                       .real("pg", 1, 101.01)
                       .real("pl", 6, 206.06)
                       .real("nadpl", 256.56)
                       .real("podst_opod", 1234.56)
                       .real("zr44", 1, 571)
                       .real("zal44_7", 1, 999)
                       .real("ods44", 12, 802)
                       .real("zal44_1", 12, 922);
    struct name_case {
        const char *page, *field, *caption, *why;
    };
    const name_case cases[] = {
        {"TF_w36l15_1", "QRL_w1", "101,01", "page 1 box 28: pg[1]"},
        {"TF_w36l15_2", "QRL_w1", "206,06", "page 2 box 53: pl[6], not pg[1]"},
        {"TF_w36l15_2", "QRL_w4", "256,56", "page 2 box 56: the overpayment"},
        {"TF_w36l15_2", "QRL_w8", "1.235", "box 35: the tax base in whole zloty"},
        {"TF_w36l15_2", "QRL_44_1m1", "571", "box 57: zr44, not zal44_1"},
        {"TF_w36l15_3", "QRL_44_7p1", "0", "box 69: ods44, not zal44_7"},
        {"TF_w36l15_3", "QRL_44_7p12", "802", "box 80: ods44[12]"},
        {"TF_w36l15_3", "QRL_44_7m12", "922", "box 92: zal44_1[12]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(fill_page(c.page, h)[c.field].caption, c.caption);
    }
}

TEST(pit36l_pages, one_person_only_and_the_never_printed_fields_stay_off)
{
    // Every spouse twin the pages could mistake for the taxpayer's, on a return marked joint.
    auto single = pit36l_return()
                      .flag("id_pesel")
                      .text("peln", "Barbara Kaczmarek")
                      .person(2)
                      .real("zr", 3, 3, -999)
                      .real("pg", 1, 999)
                      .real("zr44", 1, 999)
                      .real("ods44", 3, 999)
                      .real("pl", 6, 999)
                      .record();
    single.state().set_dr_zez_ref(true);
    single.state().set_nr_zez_refer("PIT36L-2015-KP-004127-TORUŃ");
    host_state alone = single;
    host_state joint = single.joint();
    for (const char* page : {"TF_w36l15_1", "TF_w36l15_2", "TF_w36l15_3"}) {
        SCOPED_TRACE(page);
        auto f = fill_page(page, joint);
        EXPECT_EQ(f, fill_page(page, alone)) << "the joint flag changes nothing";
        for (const auto& [name, field] : f)
            EXPECT_EQ(field.caption.find("999"), std::string::npos) << name;
    }
    auto p1 = fill_page("TF_w36l15_1", joint);
    EXPECT_EQ(p1["QRL_nrref"].caption, "PIT36L-2015-KP-004127-TORUŃ") << "one line, uncut";
    EXPECT_EQ(p1["QRL_nip"].caption, "8 7 9 - 2 1 0 - 4 5 - 3 4") << "no PESEL on PIT-36L";
    EXPECT_FALSE(fill_page("TF_w36l15_2", joint)["QRL_w23"].enabled);
    auto p3 = fill_page("TF_w36l15_3", joint);
    EXPECT_FALSE(p3["QRL_zal5"].enabled);
    EXPECT_EQ(p3["QRL_zal1"].caption, "0") << "no PIT/B still prints its count";
    EXPECT_EQ(p3["QRL_peln"].caption, "") << "a name without a proxy signing";
}

} // namespace

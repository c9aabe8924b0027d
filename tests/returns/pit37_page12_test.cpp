// PIT-37 pages 1/4 and 2/4: the first page prints boxes 1-36 as PIT-36 does and nothing of
// section C; the income table takes data row 9 as its total, the author's-rights 50 % costs
// into its own row 4, and ignores section C's codes.

#include "tests/returns/pit36_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit36_test;

TEST(pit37_page1, prints_what_pit36_page1_prints_in_boxes_1_to_36)
{
    for (bool joint : {true, false}) {
        SCOPED_TRACE(joint ? "joint" : "individual");
        auto b = pit36_return().integer("idp", 4).integer("idm", 4).flag("kor", true);
        host_state h = joint ? b : individual(b);
        h.set_dr_zez_ref(true);
        h.set_nr_zez_refer("PIT37-2015-0000000001");
        auto pit37 = fill_page("TF_w37151", h), pit36 = fill_page("TF_w36151", h);
        EXPECT_EQ(pit37.size(), pit36.size() - 10) << "no section C: 8 squares, 2 years";
        for (const auto& [name, field] : pit37) {
            EXPECT_EQ(field.caption, pit36[name].caption) << name;
            EXPECT_EQ(field.enabled, pit36[name].enabled) << name;
        }
    }
}

TEST(pit37_page2, rows_come_from_data_rows_1_to_5_and_the_total_from_row_9)
{
    const std::pair<const char*, const char*> expected[] = {
        {"33", "0,00"},       {"34", "100,00"}, // a loss, whatever section C's codes say
        {"23", "-40,00"},                       // pensions keep their sign
        {"41", "7.000,00"},   {"53", "0,01"},       {"54", "0,00"},
        {"61", "9.999,99"},   {"63", "-12,50"},     {"65", "1.234"}, // data row 9, never 6 to 8
        {"11_1", "3.000,00"}, {"41_1", "5.000,00"}, {"42_1", "2.500,00"}};
    for (int p : {1, 2}) {
        SCOPED_TRACE(p == 1 ? "taxpayer" : "spouse");
        auto b = pit36_return().integer("idp", 3).integer("idm", 4).person(p);
        b.real("zr", 2, 3, -40.00).real("zr", 3, 3, -100.00).real("zr", 4, 1, 7000.00);
        b.real("zr", 5, 3, 0.01).real("zr", 6, 1, 111.11).real("zr", 8, 1, 888.88);
        b.real("zr", 9, 1, 9999.99).real("zr", 9, 3, -12.50).real("zr", 9, 4, 1234.4);
        b.real("k50", 1, 3000.00).real("k50", 3, 5000.00).real("k50", 4, 2500.00);
        b.real("zw_str3", 55.00).real("zw_str4", 66.00).real("zus", 80.00);
        host_state h = b;
        auto f = fill_page("TF_w37152", h);
        const std::string s = p == 1 ? "QRL_pp" : "QRL_pm";
        for (const auto& [field, caption] : expected)
            EXPECT_EQ(f[s + field].caption, caption) << field;
        EXPECT_EQ(f[p == 1 ? "QRL_zus" : "QRL_zus1"].caption, "80,00");
        h.rekzez_mut().set_integer("sp_opod", individual_code);
        f = fill_page("TF_w37152", h);
        for (const auto& [name, field] : f) {
            if (name.starts_with("QRL_pm") || name == "QRL_zus1") {
                EXPECT_EQ(field.caption, "") << name << ": not joint";
            }
        }
    }
}

} // namespace

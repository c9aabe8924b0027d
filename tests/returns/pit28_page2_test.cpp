// PIT-28 page 2/4: the two loss amounts of box 68 printed as one, the deductions per rate and the
// whole-zloty tax base.

#include "tests/returns/pit28_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit28_test;

TEST(pit28_page2, box_68_prints_the_sum_of_both_loss_amounts)
{
    struct loss_case {
        double str, str2;
        const char* caption;
        const char* why;
    };
    const loss_case cases[] = {
        {0, 0, "0,00", "no losses: the host's text for zero"},
        {1200.50, 0, "1.200,50", "the first amount alone"},
        {0, 830.25, "830,25", "the second amount alone is not dropped"},
        {1200.50, 830.25, "2.030,75", "both added before formatting"},
        {0.004, 0.004, "0,01", "added before rounding: each alone would print 0,00"},
        {999999.99, 0.02, "1.000.000,01", "a sum above a million keeps the page's font"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return().real("str", c.str).real("str2", c.str2);
        auto f = fill_page("TF_w2815_2", h);
        EXPECT_EQ(f["QRL_str"].caption, c.caption);
        EXPECT_EQ(f["QRL_str"].font_pt, 10);
    }
}

TEST(pit28_page2, deductions_print_with_grosze_and_the_tax_base_in_whole_zloty)
{
    host_state h = pit28_return()
                       .real("prz", 1, 620.456)
                       .real("prz", 7, 15.5)
                       .real("podst_op", 1, 120400.50)
                       .real("podst_op", 2, 120399.49)
                       .real("podst_op", 7, 0.5)
                       .real("prz_po_odl1", 174201.5);
    auto f = fill_page("TF_w2815_2", h);
    const std::pair<const char*, const char*> expected[] = {
        {"QRL_prz1", "620,46"},       // deductions keep their grosze
        {"QRL_prz2", "0,00"},         // and print when zero
        {"QRL_prz7", "15,50"},        // the art. 17 column
        {"QRL_podst_op1", "120.401"}, // whole zloty: half a zloty rounds up
        {"QRL_podst_op2", "120.399"}, {"QRL_podst_op3", "0"},
        {"QRL_podst_op7", "1"},       {"QRL_prz_po_odl1", "174.202"}, // box 95 in whole zloty too
    };
    for (const auto& [name, caption] : expected)
        EXPECT_EQ(f[name].caption, caption) << name;
}

} // namespace

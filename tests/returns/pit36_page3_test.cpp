// PIT-36 page 3/6: the PIT/M totals summed in ten-thousandths of a zloty, with the shared
// amounts, ties rounded to even and an amount too large for the sum refused.

#include "platform/error.h"
#include "tests/returns/pit36_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit36_test;

struct pitm_case {
    bool joint;
    double ds1, ds1_m;                     // income of the taxpayer's and the spouse's PIT/M
    int wsp, wsp_m;                        // 1: the amounts count for both spouses
    double ds2, ds2_m;                     // advance tax
    const char *pm, *pm1, *zm, *zm1, *why; // boxes 145-148; pm "!" names the refused field
};

const pitm_case cases[] = {
    {true, 1500.25, 800.10, 0, 0, 120, 64, "1.500,25", "800,10", "120", "64", "each his own"},
    {true, 1500.25, 800.10, 1, 0, 120, 64, "1.500,25", "2.300,35", "120", "184",
     "the taxpayer's shared: box 146 holds both"},
    {false, 1500.25, 800.10, 1, 1, 120, 64, "1.500,25", "", "120", "", "not joint: no sharing"},
    {true, -200.00, 50.00, 0, 1, 0, 0, "-150,00", "50,00", "0", "0", "signs are kept"},
    // 0.03125 is exactly 312.5 ten-thousandths: to even 312, and 312 + 37 = 349 prints 0,03,
    // where rounding the tie away from zero gives 350 and 0,04.
    {true, 0.03125, 0.0037, 1, 0, 0, 0, "0,03", "0,03", "0", "0", "a tie goes to the even one"},
    // 0.09375 is 937.5: to even 938, and 938 + 4062 = 5000 prints 1 in whole zloty.
    {true, 0, 0, 0, 1, 0.09375, 0.4062, "0,00", "0,00", "1", "0", "an odd tie goes up"},
    {true, 9.2e14, 0, 0, 0, 0, 0, "920.000.000.000.000,00", "0,00", "0", "0", "still fits"},
    {true, 1e15, 0, 0, 0, 0, 0, "!rekzez.pitm_ds1", "", "", "", "1e19 do not fit 64 bits"},
    {true, -1e30, 0, 0, 0, 0, 0, "!rekzez.pitm_ds1", "", "", "", "nor a large loss"},
    {true, 9e14, 9e14, 0, 1, 0, 0, "!rekzez.pitm_ds1_m", "", "", "", "the shared sum overflows"},
};

TEST(pit36_page3, pitm_totals_are_exact_sums_of_each_parents_and_the_shared_amounts)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto b = pit36_return()
                     .real("pitm_ds1", c.ds1)
                     .real("pitm_ds2", c.ds2)
                     .integer("pitm_wsp", c.wsp)
                     .real("pitm_ds1_m", c.ds1_m)
                     .real("pitm_ds2_m", c.ds2_m)
                     .integer("pitm_wsp_m", c.wsp_m);
        host_state h = c.joint ? b : individual(b);
        try {
            auto f = fill_page("TF_w36153", h);
            EXPECT_EQ(f["QRL_pm"].caption, c.pm);
            EXPECT_EQ(f["QRL_pm1"].caption, c.pm1);
            EXPECT_EQ(f["QRL_zm"].caption, c.zm);
            EXPECT_EQ(f["QRL_zm1"].caption, c.zm1);
        } catch (const kestrun::error& e) {
            EXPECT_EQ(e.kind(), kestrun::error_kind::host);
            EXPECT_TRUE(std::string(e.what()).starts_with(std::string(c.pm + 1) + ": "))
                << e.what();
            EXPECT_EQ(c.pm[0], '!') << e.what();
        }
    }
}

} // namespace

// PIT-36 page 2/6: where a result goes in each kind of row, for both persons and the disposal
// row's 4-byte floats; the business row under section C's codes; a return that is not joint.

#include "tests/returns/pit36_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit36_test;

TEST(pit36_page2, a_result_splits_into_income_and_loss_except_pensions_and_the_total)
{
    struct split_case {
        double result;
        const char *income, *loss, *kept; // the split columns, and the result with its sign
    };
    const split_case cases[] = {{-250.00, "0,00", "250,00", "-250,00"},
                                {-0.01, "0,00", "0,01", "-0,01"},
                                {0, "0,00", "0,00", "0,00"},
                                {0.01, "0,01", "0,00", "0,01"}};
    for (const auto& c : cases)
        for (int p : {1, 2}) {
            SCOPED_TRACE(std::to_string(c.result) + (p == 1 ? ", taxpayer" : ", spouse"));
            auto person = pit36_return().person(p);
            for (int row : {1, 2, 3, 8, 9})
                person.real("zr", row, 3, c.result);
            host_state h = person.real("zbyc", 3, c.result);
            auto f = fill_page("TF_w36152", h);
            const std::string s = p == 1 ? "QRL_pp" : "QRL_pm",
                              poz = p == 1 ? "QRL_pozp" : "QRL_pozm";
            for (const auto& [income, loss] : {std::pair{s + "13", s + "14"},
                                               {s + "33", s + "34"},
                                               {s + "83", s + "84"},
                                               {poz + "3", poz + "4"}}) {
                EXPECT_EQ(f[income].caption, c.income) << income;
                EXPECT_EQ(f[loss].caption, c.loss) << loss;
            }
            EXPECT_EQ(f[s + "23"].caption, c.kept) << "pensions keep the sign";
            EXPECT_EQ(f[s + "93"].caption, c.kept) << "so does the total";
            h.rekzez_mut().set_integer("sp_opod", individual_code);
            auto alone = fill_page("TF_w36152", h);
            EXPECT_EQ(alone["QRL_pm13"].caption, "") << "not joint";
            EXPECT_EQ(alone["QRL_pp13"].caption, p == 1 ? c.income : "0,00");
        }
}

TEST(pit36_page2, business_row_follows_each_persons_section_c_code)
{
    struct code_case {
        int code;
        double result;
        const char *income, *loss, *exempt, *why;
    };
    const code_case cases[] = {
        {0, -500.00, "0,00", "500,00", "", "no code: the row's own loss"},
        {2, -500.00, "0,00", "500,00", "", "documentation only: the row as stored"},
        {3, 800.00, "800,00", "120,00", "9.400,00", "exempt this year: stored loss, exempt income"},
        {3, -500.00, "0,00", "120,00", "9.400,00", "exempt this year: not the row's loss"},
        {4, 800.00, "800,00", "75,50", "", "added back: the loss after the addition"},
        {4, -500.00, "0,00", "75,50", "", "added back, with a loss in the row"},
    };
    for (const auto& c : cases)
        for (int p : {1, 2}) {
            SCOPED_TRACE(std::string(c.why) + (p == 1 ? ", taxpayer" : ", spouse"));
            const int other = c.code == 3 ? 4 : 3; // the other person's code must not leak
            host_state h = pit36_return()
                               .integer("idp", p == 1 ? c.code : other)
                               .integer("idm", p == 1 ? other : c.code)
                               .person(p)
                               .real("zr", 3, 3, c.result)
                               .real("zw_doch", 9400.00)
                               .real("zw_str3", 120.00)
                               .real("zw_str4", 75.50);
            auto f = fill_page("TF_w36152", h);
            const std::string s = p == 1 ? "QRL_pp" : "QRL_pm";
            EXPECT_EQ(f[s + "33"].caption, c.income);
            EXPECT_EQ(f[s + "34"].caption, c.loss);
            EXPECT_EQ(f[s + "_zwol"].caption, c.exempt);
        }
}

} // namespace

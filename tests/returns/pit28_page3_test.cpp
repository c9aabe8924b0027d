// PIT-28 page 3/4: the flat tax and its deductions, the exemption year and its squares, and the
// whole-zloty amounts due.

#include "tests/returns/pit28_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit28_test;

TEST(pit28_page3, exemption_year_prints_only_after_2000)
{
    struct year_case {
        int rok_zw;
        const char *year, *amount, *why;
    };
    const year_case cases[] = {
        {0, "", "", "no year: boxes 115 and 116 stay empty"},
        {2000, "", "", "2000 itself counts as no year"},
        {-5, "", "", "a negative year is no year either"},
        {2001, "2001", "1.234", "the first year that prints"},
        {2014, "2014", "1.234", "four plain digits, not spread over cells"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return().integer("rok_zw", c.rok_zw).real("pod_zwol", 1234.40);
        auto f = fill_page("TF_w2815_3", h);
        EXPECT_EQ(f["QRL_rok_zw"].caption, c.year);
        EXPECT_EQ(f["QRL_pod_zwol"].caption, c.amount);
    }
}

TEST(pit28_page3, use_of_the_exemption_marks_one_of_three_squares)
{
    struct zw_case {
        int zw;
        const char *all, *part, *none, *why;
    };
    const zw_case cases[] = {
        {0, "x", "", "", "0: exempt on all revenue"},
        {1, "", "x", "", "1: exempt on part of it"},
        {2, "", "", "x", "2: not exempt"},
        {5, "", "", "x", "any other code is no"},
        {255, "", "", "x", "the largest byte"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return().integer("zw", c.zw);
        auto f = fill_page("TF_w2815_3", h);
        EXPECT_EQ(f["QRL_zw_ca"].caption, c.all);
        EXPECT_EQ(f["QRL_zw_cz"].caption, c.part);
        EXPECT_EQ(f["QRL_zw_nie"].caption, c.none);
    }
}

TEST(pit28_page3, flat_tax_with_grosze_and_amounts_due_in_whole_zloty)
{
    host_state h = pit28_return()
                       .real("pod", 1, 3612.02)
                       .real("zdr", 2908.32)
                       .real("pod_zrycz", 741.2)
                       .real("wpl_rycz", 600.0)
                       .real("do_zapl", 141.49);
    auto f = fill_page("TF_w2815_3", h);
    const std::pair<const char*, const char*> expected[] = {
        {"QRL_pod1", "3.612,02"}, {"QRL_pod2", "0,00"},     {"QRL_zdr", "2.908,32"},
        {"QRL_pmnast", "0,00"},   {"QRL_pod_zrycz", "741"}, {"QRL_wpl_rycz", "600"},
        {"QRL_do_zapl", "141"},   {"QRL_nadpl", "0"},
    };
    for (const auto& [name, caption] : expected)
        EXPECT_EQ(f[name].caption, caption) << name;
}

} // namespace

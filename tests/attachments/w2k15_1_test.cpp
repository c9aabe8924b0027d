// PIT-2K: the kind of investment and the plain years. The spouse's identification
// is the shared convention checked on PIT/O page 1.

#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::testing::fill_page;

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

// PIT-2K: the kind of investment, the amounts and the plain years. The spouse's identification
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
        .real("kw_fakt", 298450.37)
        .integer("rok_rozp", 2011)
        .integer("rok_zak", 2012)
        .integer("rok_kr", 2011)
        .real("kw_kr", 287000);
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
        {4, "", "4 marks no square"},
        {255, "", "any other value marks none"},
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

TEST(pit2k, amounts_and_plain_years)
{
    auto h = statement();
    auto f = fill_page("TF_w2k15_1", h);
    EXPECT_EQ(f["QRL_kw1"].caption, "1.999.164,56");
    EXPECT_EQ(f["QRL_kw2"].caption, "298.450,37");
    EXPECT_EQ(f["QRL_rok1"].caption, "2011") << "plain decimal, not spread over cells";
    EXPECT_EQ(f["QRL_rok2"].caption, "2012");
    EXPECT_EQ(f["QRL_rok3"].caption, "2011");
    EXPECT_EQ(f["QRL_kw3"].caption, "287.000,00");

    auto z = h.rekzez_mut();
    z.set_integer("rok_kr", 0);
    z.set_real("kw_kr", 0);
    f = fill_page("TF_w2k15_1", h);
    EXPECT_EQ(f["QRL_rok3"].caption, "0") << "no housing loan: year 0 prints as the digit 0";
    EXPECT_EQ(f["QRL_kw3"].caption, "0,00") << "and the zero amount";
}

} // namespace

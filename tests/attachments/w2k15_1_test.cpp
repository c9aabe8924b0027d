// PIT-2K: identification of both spouses under the joint test, the kind of investment, the
// amounts and the plain years.

#include "tests/support/page_probe.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::testing::fill_page;

host_state statement(bool joint)
{
    host_state h;
    auto z = h.rekzez_mut();
    z.set_text("nip", "5261040828");
    z.set_text("pesel", "74031804573");
    z.set_flag("id_pesel", false);
    z.set_text("nazw", "Wiśniewski");
    z.set_text("im", "Grzegorz");
    z.set_date("dur", {1974, 3, 18});
    z.set_text("nip_m", "7251801126");
    z.set_text("pesel_m", "76090211288");
    z.set_flag("id_pesel_m", true);
    z.set_text("nazw_m", "Wiśniewska");
    z.set_text("im_m", "Małgorzata");
    z.set_date("dur_m", {1976, 9, 2});
    z.set_integer("sp_opod", 2);
    h.set_in_wsp_z_malz(2, joint);
    z.set_integer("rodz_inw", 1);
    z.set_real("kw_wyd", 1999164.555);
    z.set_real("kw_fakt", 298450.37);
    z.set_integer("rok_rozp", 2011);
    z.set_integer("rok_zak", 2012);
    z.set_integer("rok_kr", 2011);
    z.set_real("kw_kr", 287000);
    return h;
}

TEST(pit2k, joint_return_names_the_spouse_with_own_identifier)
{
    auto h = statement(true);
    auto f = fill_page("TF_w2k15_1", h);
    EXPECT_EQ(f["QRL_nip"].caption, "5 2 6 - 1 0 4 - 0 8 - 2 8");
    EXPECT_TRUE(f["QRL_kas_pes"].enabled) << "identified by NIP: numer PESEL struck out";
    EXPECT_FALSE(f["QRL_kas_nip"].enabled);
    EXPECT_EQ(f["QRL_nip1"].caption, "7 6 0 9 0 2 1 1 2 8 8");
    EXPECT_TRUE(f["QRL_nip1"].enabled);
    EXPECT_TRUE(f["QRL_kas_nip1"].enabled) << "spouse by PESEL: NIP struck out";
    EXPECT_FALSE(f["QRL_kas_pes1"].enabled);
    EXPECT_EQ(f["QRL_nazw"].caption, "Wiśniewski");
    EXPECT_EQ(f["QRL_im"].caption, "Grzegorz");
    EXPECT_EQ(f["QRL_dur"].caption, "18-03-1974");
    EXPECT_EQ(f["QRL_nazw1"].caption, "Wiśniewska");
    EXPECT_EQ(f["QRL_im1"].caption, "Małgorzata");
    EXPECT_EQ(f["QRL_dur1"].caption, "02-09-1976");
}

TEST(pit2k, return_not_joint_leaves_the_spouse_out)
{
    auto h = statement(false);
    auto f = fill_page("TF_w2k15_1", h);
    EXPECT_EQ(f["QRL_nip1"].caption, "");
    EXPECT_FALSE(f["QRL_nip1"].enabled) << "box 2 does not print at all";
    EXPECT_FALSE(f["QRL_kas_nip1"].enabled) << "no strike-out in box 2";
    EXPECT_FALSE(f["QRL_kas_pes1"].enabled);
    for (const char* name : {"QRL_nazw1", "QRL_im1", "QRL_dur1"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(f[name].caption, "");
    }
    EXPECT_EQ(f["QRL_nazw"].caption, "Wiśniewski") << "the taxpayer still prints";
}

TEST(pit2k, sp_opod_of_128_or_more_is_never_joint)
{
    auto h = statement(true);
    h.wsp_z_malz_mut().fill(0xff);
    h.rekzez_mut().set_integer("sp_opod", 200);
    auto f = fill_page("TF_w2k15_1", h);
    EXPECT_FALSE(f["QRL_nip1"].enabled);
    EXPECT_EQ(f["QRL_nazw1"].caption, "");
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
        auto h = statement(true);
        h.rekzez_mut().set_integer("rodz_inw", c.rodz_inw);
        auto f = fill_page("TF_w2k15_1", h);
        for (const char* square : {"QRL_bud", "QRL_wkl", "QRL_zak", "QRL_nadb"})
            EXPECT_EQ(f[square].caption, std::string(square) == c.marked ? "x" : "") << square;
    }
}

TEST(pit2k, amounts_and_plain_years)
{
    auto h = statement(true);
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

TEST(pit2k, a_page_created_twice_starts_from_its_design)
{
    auto joint = statement(true);
    auto single = statement(false);
    fill_page("TF_w2k15_1", joint);
    auto f = fill_page("TF_w2k15_1", single);
    EXPECT_EQ(f["QRL_nazw1"].caption, "");
    EXPECT_FALSE(f["QRL_kas_nip1"].enabled);
}

} // namespace

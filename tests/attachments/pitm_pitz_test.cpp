// PIT/M, PIT/Z and PIT/ZG, each printed for one person: the PIT/M table chosen by the person's
// own flag, PIT/Z's part B and page 2 by the person's section C code, the spouse's copy read from
// the spouse's blocks, and the person parameter's guard.

#include "tests/support/faults.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;
using kestrun::testing::fill_page;

// Amounts of person p tell the person apart: p000 + 10 r + c, a year 201p.
rekzez_builder two_persons(int idp = 0, int idm = 0, int rodz_zez = 0)
{
    rekzez_builder b;
    b.joint().integer("idp", idp).integer("idm", idm).integer("rodz_zez", rodz_zez);
    b.text("nip", "5261040828").text("pesel_m", "76090211288").flag("id_pesel_m");
    for (int p = 1; p <= 2; ++p) {
        auto person = b.person(p);
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c)
                person.real("pitm", r, c, 1000.0 * p + 10 * r + c);
        for (int c = 1; c <= 4; ++c)
            person.real("pitz_b", 1, c, 1000.0 * p + 10 + c)
                .real("pitz_c1", c, 1000.0 * p + 500 + c)
                .real("pitz_w", c, 1000.0 * p + 700 + c);
        person.real("pitm_ds1", 1234567.5).real("zw_doch", 1000.0 * p + 93);
        person.integer("rokzw", 2010 + p).real("zg_prz", 7, 3, 1000.0 * p + 73);
    }
    return b;
}

TEST(pitm, the_persons_own_flag_picks_the_table_and_rows_with_a_loss_box_split_the_sign)
{
    struct table_case {
        int nrp, flag, other_flag;
        bool b2;
        const char* why;
    };
    const table_case cases[] = {
        {1, 1, 0, true, "flag 1: both parents have the right, table B.2"},
        {1, 2, 1, false, "any flag other than 1 means table B.1"},
        {2, 1, 0, true, "the spouse follows the spouse's own flag"},
        {2, 0, 1, false, "the spouse's B.1 while the taxpayer's flag says B.2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto b = two_persons();
        b.person(c.nrp).integer("pitm_wsp", c.flag).real("pitm", 3, 3, -500.5);
        b.person(c.nrp).real("pitm", 5, 3, -30);
        b.person(3 - c.nrp).integer("pitm_wsp", c.other_flag);
        host_state h = b;
        auto f = fill_page("TF_wm15_1", h, {{"nrp", c.nrp}});
        const std::string used = c.b2 ? "QRL_ob" : "QRL_prz", unused = c.b2 ? "QRL_prz" : "QRL_ob";
        const std::string p = std::to_string(c.nrp);
        // Row 2: the person's amounts, the advance in whole zloty; row 3: a loss leaves the
        // income at zero; row 5 has no loss box and shows a negative income.
        EXPECT_EQ(f[used + "21"].caption + "|" + f[used + "25"].caption,
                  p + ".021,00|" + p + ".024");
        EXPECT_EQ(f[used + "33"].caption + "|" + f[used + "34"].caption, "0,00|500,50");
        EXPECT_EQ(f[used + "53"].caption, "-30,00");
        EXPECT_EQ(f[unused + "21"].caption + f[unused + "53"].caption, "");
        EXPECT_EQ(f["QRL_ob63"].caption, c.b2 ? f["QRL_ds1"].caption : "") << "box 50 repeats 52";
    }
}

TEST(pitz, part_b_and_page_2_follow_the_persons_code)
{
    struct code_case {
        int nrp, idp, idm, rodz_zez;
        bool part_b, part_c;
        const char* why;
    };
    const code_case cases[] = {
        {1, 3, 4, 0, true, false, "taxpayer code 3: part B, page 2 empty"},
        {1, 4, 3, 0, false, true, "taxpayer code 4: page 2, part B empty"},
        {2, 4, 3, 0, true, false, "the spouse goes by idm, not idp"},
        {1, 0, 4, 2, false, true, "PIT-36L: idm 4 fills the taxpayer's page 2"},
        {1, 0, 4, 0, false, false, "idm 4 on another kind of return does not"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = two_persons(c.idp, c.idm, c.rodz_zez);
        auto page1 = fill_page("TF_wz15_1", h, {{"nrp", c.nrp}});
        auto page2 = fill_page("TF_wz15_2", h, {{"nrp", c.nrp}});
        const std::string p = std::to_string(c.nrp);
        EXPECT_EQ(page1["QRL_prz41"].caption + page1["QRL_prz53"].caption,
                  c.part_b ? p + ".011,00" + p + ".093,00" : "");
        EXPECT_EQ(page2["QRL_rok"].caption + page2["QRL_prz24"].caption,
                  c.part_c ? "2 0 1 " + p + p + ".702,00" : "");
    }
}

TEST(person_pages, the_spouses_copy_shows_the_spouses_data_also_on_a_return_not_joint)
{
    host_state h = two_persons(3, 3).text("nip_m", "7251801126").with([](host_state& s) {
        s.set_in_wsp_z_malz(1, false);
    });
    auto zg = fill_page("TF_wzg15_1", h, {{"nrp", 2}});
    EXPECT_EQ(zg["QRL_nip"].caption, "7 6 0 9 0 2 1 1 2 8 8");
    EXPECT_TRUE(zg["QRL_kas_nip"].enabled) << "by PESEL: NIP struck out";
    EXPECT_EQ(zg["QRL_prz73"].caption, "2.073,00");
    EXPECT_EQ(zg["QRL_w1"].caption, "0,00") << "zero amounts print";
    // PIT/Z knows no PESEL: the spouse's NIP, though she is identified by PESEL.
    EXPECT_EQ(fill_page("TF_wz15_1", h, {{"nrp", 2}})["QRL_nip"].caption,
              "7 2 5 - 1 8 0 - 1 1 - 2 6");
}

TEST(person_pages, a_person_other_than_1_or_2_is_refused_naming_nrp)
{
    for (const char* page : {"TF_wm15_1", "TF_wz15_1", "TF_wz15_2", "TF_wzg15_1"})
        for (int nrp : {0, 3}) {
            host_state h = two_persons();
            const auto fault = kestrun::testing::fault_of(kestrun::error_kind::input, [&] {
                fill_page(page, h, {{"nrp", nrp}});
            });
            EXPECT_NE(fault.find("nrp " + std::to_string(nrp)), std::string::npos)
                << page << ": " << fault;
        }
}

} // namespace

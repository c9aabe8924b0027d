// PIT/M, PIT/Z and PIT/ZG, each printed for one person: the PIT/M table chosen by the person's
// own flag with its sign split, PIT/Z's part B and page 2 by the person's status code (and the
// PIT-36L case of page 2), the spouse's copy read from the spouse's blocks, and the person
// parameter's guard.

#include "platform/error.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;
using kestrun::testing::fill_page;

// Two persons whose amounts tell them apart: person p's PIT/M amount of row r, column k is
// p000 + 10 r + k, its advance p00 + r.
rekzez_builder two_parents()
{
    rekzez_builder b;
    b.joint().integer("rok", 2015);
    b.text("nip", "5261040828").text("nazw", "Nowak").text("im", "Jan").date("dur", 1974, 3, 18);
    b.text("pesel_m", "76090211288").flag("id_pesel_m");
    b.text("nazw_m", "Nowak").text("im_m", "Anna").date("dur_m", 1976, 9, 2);
    for (int p = 1; p <= 2; ++p) {
        auto person = b.person(p);
        for (int r = 1; r <= 5; ++r) {
            for (int k = 1; k <= 3; ++k)
                person.real("pitm", r, k, 1000.0 * p + 10 * r + k + 0.25);
            person.real("pitm", r, 4, 100.0 * p + r);
        }
        person.real("pitm_ds1", 1234567.5 * p).real("pitm_ds2", 300.0 * p);
    }
    return b;
}

TEST(pitm, one_table_carries_the_amounts_by_the_persons_own_flag)
{
    struct table_case {
        int nrp, flag, other_flag;
        bool b2;
        const char* why;
    };
    const table_case cases[] = {
        {1, 1, 0, true, "flag 1: both parents have the right, table B.2"},
        {1, 0, 1, false, "flag 0: one parent, table B.1"},
        {1, 2, 1, false, "any flag other than 1 means table B.1"},
        {2, 1, 0, true, "the spouse follows the spouse's own flag, not the taxpayer's"},
        {2, 0, 1, false, "the spouse's B.1 while the taxpayer's flag says B.2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto b = two_parents();
        b.person(c.nrp).integer("pitm_wsp", c.flag);
        b.person(3 - c.nrp).integer("pitm_wsp", c.other_flag);
        host_state h = b;
        auto f = fill_page("TF_wm15_1", h, {{"nrp", c.nrp}});
        const std::string used = c.b2 ? "QRL_ob" : "QRL_prz";
        const std::string unused = c.b2 ? "QRL_prz" : "QRL_ob";
        const std::string p = std::to_string(c.nrp);
        EXPECT_EQ(f[used + "21"].caption, p + ".021,25");
        EXPECT_EQ(f[used + "42"].caption, p + ".042,25");
        EXPECT_EQ(f[used + "55"].caption, p + "05") << "advances in whole zloty";
        for (int r = 1; r <= 5; ++r)
            for (int k = 1; k <= 5; ++k) {
                const std::string name = unused + std::to_string(r) + std::to_string(k);
                if (f.count(name)) {
                    EXPECT_EQ(f[name].caption, "") << name;
                }
            }
        // Boxes 52-53 always; boxes 50-51 repeat them only under B.2.
        const std::string ds1 = c.nrp == 1 ? "1.234.567,50" : "2.469.135,00";
        EXPECT_EQ(f["QRL_ds1"].caption, ds1);
        EXPECT_EQ(f["QRL_ds2"].caption, c.nrp == 1 ? "300,00" : "600,00");
        EXPECT_EQ(f["QRL_ob63"].caption, c.b2 ? ds1 : "");
        EXPECT_EQ(f["QRL_ob65"].caption, c.b2 ? f["QRL_ds2"].caption : "");
    }
}

TEST(pitm, a_negative_income_is_a_loss_only_in_the_rows_with_a_loss_box)
{
    struct sign_case {
        int row;
        double income;
        const char *income_box, *loss_box, *why;
    };
    const sign_case cases[] = {
        {3, -500.5, "0,00", "500,50", "property rights: loss box, income zero"},
        {2, 0.0, "0,00", "0,00", "zero is an income"},
        {4, 12.5, "12,50", "0,00", "an income leaves the loss box at zero"},
        {1, -70.0, "-70,00", nullptr, "pensions have no loss box: a negative income"},
        {5, -30.0, "-30,00", nullptr, "the total has no loss box: a negative income"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto b = two_parents();
        b.person(1).integer("pitm_wsp", 0).real("pitm", c.row, 3, c.income);
        host_state h = b;
        auto f = fill_page("TF_wm15_1", h, {{"nrp", 1}});
        const std::string stem = "QRL_prz" + std::to_string(c.row);
        EXPECT_EQ(f[stem + "3"].caption, c.income_box);
        if (c.loss_box)
            EXPECT_EQ(f[stem + "4"].caption, c.loss_box);
        else
            EXPECT_EQ(f.count(stem + "4"), 0u);
    }
}

// PIT/Z amounts of person p: p000 + 10 r + c in part B, p500 + c in C.1, p700 + i in C.2.
rekzez_builder exemption(int idp, int idm, int rodz_zez)
{
    auto b = two_parents();
    b.integer("idp", idp).integer("idm", idm).integer("rodz_zez", rodz_zez);
    for (int p = 1; p <= 2; ++p) {
        auto person = b.person(p);
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c)
                person.real("pitz_b", r, c, 1000.0 * p + 10 * r + c);
        for (int i = 1; i <= 4; ++i)
            person.real("pitz_c1", i, 1000.0 * p + 500 + i).real("pitz_w", i, 1000.0 * p + 700 + i);
        person.real("pitz_doch", 1000.0 * p + 91).real("zw_str3", 1000.0 * p + 92);
        person.real("zw_doch", 1000.0 * p + 93).integer("rokzw", 2010 + p);
    }
    return b;
}

TEST(pitz, part_b_and_page_2_follow_the_persons_status_code)
{
    struct status_case {
        int nrp, idp, idm, rodz_zez;
        bool part_b, part_c;
        const char* why;
    };
    const status_case cases[] = {
        {1, 3, 4, 0, true, false, "taxpayer code 3: part B, page 2 empty"},
        {1, 4, 3, 0, false, true, "taxpayer code 4: page 2, part B empty"},
        {2, 4, 3, 0, true, false, "the spouse goes by idm, not idp"},
        {2, 3, 4, 0, false, true, "spouse code 4: the spouse's part C"},
        {1, 0, 4, 2, false, true, "PIT-36L: idm 4 fills the taxpayer's page 2"},
        {1, 0, 4, 0, false, false, "idm 4 on another kind of return does not"},
        {1, 3, 3, 2, true, false, "PIT-36L with idm 3: page 2 empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = exemption(c.idp, c.idm, c.rodz_zez);
        auto page1 = fill_page("TF_wz15_1", h, {{"nrp", c.nrp}});
        auto page2 = fill_page("TF_wz15_2", h, {{"nrp", c.nrp}});
        const std::string p = std::to_string(c.nrp);
        // The header prints in any case.
        EXPECT_EQ(page1["QRL_im"].caption, c.nrp == 1 ? "Jan" : "Anna");
        EXPECT_EQ(page1["QRL_rok"].caption, "2 0 1 5");
        const std::pair<const char*, std::string> b_boxes[] = {
            {"QRL_prz11", p + ".011,00"}, {"QRL_prz34", p + ".034,00"},
            {"QRL_prz41", p + ".011,00"}, {"QRL_prz42", p + ".012,00"},
            {"QRL_prz43", p + ".091,00"}, {"QRL_prz44", p + ".092,00"},
            {"QRL_prz53", p + ".093,00"},
        };
        for (const auto& [name, shown] : b_boxes)
            EXPECT_EQ(page1[name].caption, c.part_b ? shown : "") << name;
        const std::pair<const char*, std::string> c_boxes[] = {
            {"QRL_rok", "2 0 1 " + p},    {"QRL_prz11", p + ".501,00"},
            {"QRL_prz14", p + ".504,00"}, {"QRL_w1", p + ".701,00"},
            {"QRL_w4", p + ".704,00"},    {"QRL_prz21", p + ".501,00"},
            {"QRL_prz22", p + ".502,00"}, {"QRL_prz23", p + ".704,00"},
            {"QRL_prz24", p + ".702,00"},
        };
        for (const auto& [name, shown] : c_boxes)
            EXPECT_EQ(page2[name].caption, c.part_c ? shown : "") << name;
    }
}

TEST(person_pages, the_spouses_copy_reads_the_spouses_data_whatever_the_return)
{
    for (bool joint : {true, false}) {
        SCOPED_TRACE(joint ? "joint" : "not joint");
        auto b = exemption(3, 3, 0);
        b.text("nip_m", "7251801126");
        b.person(2).text("zg_kraj", "Wielka Brytania").real("zg_prz", 7, 3, 1800.0);
        b.person(2).real("zg_w", 6, 64.5);
        if (!joint)
            b.state().set_in_wsp_z_malz(1, false);
        host_state h = b;
        auto zg = fill_page("TF_wzg15_1", h, {{"nrp", 2}});
        EXPECT_EQ(zg["QRL_nip"].caption, "7 6 0 9 0 2 1 1 2 8 8") << "by PESEL";
        EXPECT_TRUE(zg["QRL_kas_nip"].enabled);
        EXPECT_FALSE(zg["QRL_kas_pes"].enabled);
        EXPECT_EQ(zg["QRL_im"].caption, "Anna");
        EXPECT_EQ(zg["QRL_dur"].caption, "02-09-1976");
        EXPECT_EQ(zg["QRL_kraj"].caption, "Wielka Brytania");
        EXPECT_EQ(zg["QRL_prz73"].caption, "1.800,00");
        EXPECT_EQ(zg["QRL_prz11"].caption, "0,00") << "zero amounts print";
        EXPECT_EQ(zg["QRL_w6"].caption, "64,50");
        // PIT/Z knows no PESEL: the spouse's NIP, though she is identified by PESEL.
        auto z = fill_page("TF_wz15_1", h, {{"nrp", 2}});
        EXPECT_EQ(z["QRL_nip"].caption, "7 2 5 - 1 8 0 - 1 1 - 2 6");
        EXPECT_EQ(z["QRL_prz11"].caption, "2.011,00");
        auto m = fill_page("TF_wm15_1", h, {{"nrp", 2}});
        EXPECT_EQ(m["QRL_prz21"].caption, "2.021,25");
    }
}

TEST(person_pages, a_person_other_than_1_or_2_is_refused)
{
    for (const char* page : {"TF_wm15_1", "TF_wz15_1", "TF_wz15_2", "TF_wzg15_1"}) {
        for (int nrp : {0, 3, -1}) {
            SCOPED_TRACE(std::string(page) + " nrp " + std::to_string(nrp));
            host_state h = two_parents();
            try {
                fill_page(page, h, {{"nrp", nrp}});
                ADD_FAILURE() << "printed";
            } catch (const kestrun::error& e) {
                EXPECT_EQ(e.kind(), kestrun::error_kind::input);
                EXPECT_NE(std::string(e.what()).find("nrp"), std::string::npos) << e.what();
            }
        }
    }
}

} // namespace

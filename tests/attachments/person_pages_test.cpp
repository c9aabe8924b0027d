// The pages of PIT/O, PIT/M, PIT/Z, PIT/ZG and PIT/B. PIT/O pages 1 to 3: the identifiers and
// the spouse's column under the joint test, the joined kind of other deductions, the host's
// limiting of part C, the child count, and the children of part E with their months. PIT/M, PIT/Z
// and PIT/ZG, each printed for one person: the PIT/M table chosen by the person's own flag, PIT/Z's
// part B and page 2 by the person's section C code, the spouse's copy read from the spouse's
// blocks, and the person parameter's guard. PIT/O and PIT/D of a PIT-28 return: the host copies
// the attachment from its PIT-28 store into rekzez before the pages print, exactly the fields
// those pages read and nothing else. PIT/B: entries shown by position, one and two sheets, part D
// once per person on the last sheet, the share and the NIP printed differently on the two pages,
// the spouse's sheets, and the longest texts inside their fields.

#include "host/korvel/zezprzel.h"
#include "tests/support/cli_probe.h"
#include "tests/support/faults.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

namespace {

using kestrun::host::host_state;
using kestrun::test::spouses;
using kestrun::testing::fill_page;

TEST(pito_page1, identifiers_strike_out_the_other_word_and_box_2_needs_joint_taxation)
{
    struct identifier_case {
        bool joint, id_pesel, id_pesel_m;
        const char *box1, *box2;
        bool kas_nip, kas_pes, kas_nip1, kas_pes1;
        const char* why;
    };
    const identifier_case cases[] = {
        {true, false, true, "5 2 6 - 1 0 4 - 0 8 - 2 8", "7 6 0 9 0 2 1 1 2 8 8", false, true, true,
         false, "taxpayer by NIP edited in groups, spouse by PESEL"},
        {true, true, false, "7 4 0 3 1 8 0 4 5 7 3", "7 2 5 - 1 8 0 - 1 1 - 2 6", true, false,
         false, true, "taxpayer by PESEL, spouse by NIP"},
        {false, false, true, "5 2 6 - 1 0 4 - 0 8 - 2 8", "", false, true, false, false,
         "not joint: box 2 empty and no strike-out in it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h =
            spouses(c.joint).flag("id_pesel", c.id_pesel).flag("id_pesel_m", c.id_pesel_m);
        auto f = fill_page("TF_wo15_1", h);
        EXPECT_EQ(f["QRL_nip"].caption, c.box1);
        EXPECT_EQ(f["QRL_nip1"].caption, c.box2);
        EXPECT_EQ(f["QRL_nip1"].enabled, c.joint);
        EXPECT_EQ(f["QRL_kas_nip"].enabled, c.kas_nip);
        EXPECT_EQ(f["QRL_kas_pes"].enabled, c.kas_pes);
        EXPECT_EQ(f["QRL_kas_nip1"].enabled, c.kas_nip1);
        EXPECT_EQ(f["QRL_kas_pes1"].enabled, c.kas_pes1);
        EXPECT_EQ(f["QRL_ilzalo"].caption, "1") << "the attachment number is always 1";
        EXPECT_TRUE(f["QRL_ilzalo"].enabled);
    }
}

TEST(pito_page1, kind_of_other_deductions_joins_three_lines_and_trims_only_the_ends)
{
    struct join_case {
        const char *l1, *l2, *l3, *shown, *why;
    };
    const join_case cases[] = {
        {"Wpłaty", "na rzecz", "kościoła", "Wpłaty na rzecz kościoła", "one blank between lines"},
        {"Wpłaty", "", "kościoła", "Wpłaty  kościoła", "an empty middle line keeps two blanks"},
        {"", "", "kościoła", "kościoła", "no leading blanks"},
        {"  Wpłaty ", "na", "x  ", "Wpłaty  na x", "blanks stored inside a line stay"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = spouses()
                           .text("in_odl_doch", 1, c.l1)
                           .text("in_odl_doch", 2, c.l2)
                           .text("in_odl_doch", 3, c.l3)
                           .text("in_odl_pod", 1, c.l1)
                           .text("in_odl_pod", 2, c.l2)
                           .text("in_odl_pod", 3, c.l3);
        EXPECT_EQ(fill_page("TF_wo15_1", h)["QRL_in_odlp"].caption, c.shown) << "box 31";
        EXPECT_EQ(fill_page("TF_wo15_2", h)["QRL_in_odlp"].caption, c.shown) << "box 45";
    }
}

TEST(pito_page2, the_host_limits_each_person_before_part_c_is_read)
{
    for (bool joint : {true, false}) {
        SCOPED_TRACE(joint ? "joint" : "not joint");
        host_state h = spouses(joint)
                           .integer("ildz", 2)
                           .real("odl_o", 12, -50)
                           .real("ulg_o", 4, -1)
                           .real("ulg_o", 1, 700)
                           .real("odl_o_m", 13, -80)
                           .real("ulg_o_m", 2, 40);
        auto f = fill_page("TF_wo15_2", h);
        EXPECT_EQ(f["QRL_odl11"].caption, "0,00") << "box 36: a negative deduction becomes 0";
        EXPECT_EQ(f["QRL_odl16"].caption, "0,00") << "box 48";
        EXPECT_EQ(f["QRL_odl13"].caption, "700,00") << "box 41";
        EXPECT_EQ(f["QRL_odl22"].caption, joint ? "0,00" : "") << "box 39";
        EXPECT_EQ(f["QRL_odl24"].caption, joint ? "40,00" : "") << "box 44";
        EXPECT_EQ(h.rekzez().real("odl_o_m", 13), joint ? 0.0 : -80.0)
            << "the spouse is limited only under joint taxation";
    }
}

TEST(pito_page2, child_relief_prints_only_with_a_number_of_children)
{
    struct count_case {
        int ildz;
        bool joint;
        const char *box40, *box41, *box42, *why;
    };
    const count_case cases[] = {
        {0, true, "", "", "", "no children: boxes 40-42 empty whatever the amounts"},
        {3, true, "3", "1.668,06", "1.112,04", "three children"},
        {3, false, "3", "1.668,06", "", "not joint: box 42 empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = spouses(c.joint)
                           .integer("ildz", c.ildz)
                           .real("ulg_o", 1, 1668.06)
                           .real("ulg_o_m", 1, 1112.04)
                           .real("ulg_o", 2, 5);
        auto f = fill_page("TF_wo15_2", h);
        EXPECT_EQ(f["QRL_ildz"].caption, c.box40);
        EXPECT_EQ(f["QRL_odl13"].caption, c.box41);
        EXPECT_EQ(f["QRL_odl23"].caption, c.box42);
        EXPECT_EQ(f["QRL_odl14"].caption, "5,00") << "box 43 does not depend on the count";
    }
}

// Page 3 ------------------------------------------------------------------------------------

std::set<std::string> marked(const std::map<std::string, kestrun::testing::printed_field>& f)
{
    std::set<std::string> out;
    for (const auto& [name, field] : f)
        if (field.caption == "x")
            out.insert(name);
    return out;
}

TEST(pito_page3, a_child_prints_with_a_pesel_or_with_both_names_and_a_date)
{
    struct child_case {
        const char *pesel, *im, *nazw;
        int year;
        bool printed;
        const char* why;
    };
    const child_case cases[] = {
        {"05211401239", "", "", 0, true, "a PESEL and nothing else"},
        {"", "Antoni", "Wiśniewski", 2015, true, "no PESEL, both names and a date"},
        {"", "Hanna", "Wiśniewska", 0, false, "no PESEL and no date of birth"},
        {"", "Hanna", "", 2010, false, "no PESEL and no surname"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = spouses(false).with([&](host_state& s) {
            auto d = s.rekzez_mut().dziecko(4);
            d.set_text("pesel", c.pesel);
            d.set_text("im", c.im);
            d.set_text("nazw", c.nazw);
            if (c.year != 0)
                d.set_date("dur", {static_cast<std::uint16_t>(c.year), 5, 14});
            d.set_integer("mies_tr", 1);
            d.set_real("ud", 92.67);
            d.set_real("ud_m", 46.5);
        });
        auto f = fill_page("TF_wo15_3", h);
        EXPECT_EQ(f["QRL_pes_d4"].caption, c.printed && *c.pesel ? "0 5 2 1 1 4 0 1 2 3 9" : "");
        EXPECT_EQ(f["QRL_im_d4"].caption, c.printed ? c.im : "");
        EXPECT_EQ(f["QRL_dur_d4"].caption, c.printed && c.year ? "14-05-2015" : "");
        EXPECT_EQ(f["QRL_p4_cr"].caption, c.printed ? "x" : "");
        EXPECT_EQ(f["QRL_ud41"].caption, c.printed ? "92,67" : "");
        // Box 8 prints the spouse's relief as stored, even on a return that is not joint.
        EXPECT_EQ(f["QRL_ud42"].caption, c.printed ? "46,50" : "");
        for (int k : {1, 2, 3, 5})
            EXPECT_EQ(f[kestrun::page_report::indexed("QRL_ud", k, 1)].caption, "")
                << "the other children are not given";
    }
}

TEST(pito_page3, months_modes_of_each_parent)
{
    struct months_case {
        bool joint;
        int mode, mode_m;
        std::set<std::string> marks;
        const char* why;
    };
    // Months I, VI and XII flagged for both parents in every case.
    const months_case cases[] = {
        {true, 1, 1, {"QRL_p2_cr", "QRL_m2_cr"}, "whole year: only the squares of boxes 5 and 6"},
        {true,
         2,
         2,
         {"QRL_p21", "QRL_p26", "QRL_p212", "QRL_m21", "QRL_m26", "QRL_m212"},
         "the flagged months of each"},
        {true, 2, 0, {"QRL_p21", "QRL_p26", "QRL_p212"}, "spouse's mode 0 marks nothing"},
        {true, 0, 1, {"QRL_m2_cr"}, "taxpayer's mode 0 marks nothing"},
        {false, 2, 2, {"QRL_p21", "QRL_p26", "QRL_p212"}, "not joint: spouse months never"},
        {true, 3, 7, {}, "other modes mark nothing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = spouses(c.joint).with([&](host_state& s) {
            auto d = s.rekzez_mut().dziecko(2);
            d.set_text("pesel", "08263004566");
            d.set_integer("mies_tr", c.mode);
            d.set_integer("mies_tr_m", c.mode_m);
            for (int m : {1, 6, 12}) {
                d.set_flag("mies", m, true);
                d.set_flag("mies_m", m, true);
            }
        });
        EXPECT_EQ(marked(fill_page("TF_wo15_3", h)), c.marks);
    }
    host_state none = spouses().with([](host_state& s) {
        auto d = s.rekzez_mut().dziecko(1);
        d.set_text("pesel", "05211401239");
        d.set_integer("mies_tr", 2);
    });
    EXPECT_TRUE(marked(fill_page("TF_wo15_3", none)).empty()) << "mode 2 without months";
}

using kestrun::test::rekzez_builder;

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

// rekzez holds a joint PIT-36 return; the store holds the PIT-28 attachments of a taxpayer
// filing alone.
host_state two_returns()
{
    host_state h;
    h.set_in_wsp_z_malz(2, true);
    auto z = h.rekzez_mut();
    z.set_integer("sp_opod", 2);
    z.set_text("nazw", "Wiśniewski");
    z.set_text("nazw_m", "Wiśniewska");
    z.set_real("zr", 1, 1, 84500);
    z.set_real("odl_o", 11, 1);
    z.set_real("ods", 77);
    z.dziecko(1).set_text("pesel", "05211401239");
    auto s = h.pit28_zal_mut();
    s.set_integer("sp_opod", 0);
    s.set_text("nip", "7251801126");
    s.set_text("nazw", "Nowak");
    s.set_integer("rok", 2015);
    s.set_real("odl_o", 11, 250);
    s.set_integer("ildz", 1);
    s.set_real("ulg_o", 1, 92.67);
    s.obdar(2).set_text("nazpel", "Fundacja „Promyk”");
    s.set_real("ods", 1200);
    s.set_flag("wn_c21_28", true);
    s.set_real("pod28m", 40);
    s.dziecko(1).set_text("pesel", "11310307820");
    return h;
}

TEST(pit28_attachment_copy, pito_pages_print_the_pit28_store)
{
    auto h = two_returns();
    Zezprzel::przep_zalo(h);
    auto p1 = fill_page("TF_wo15_1", h);
    EXPECT_EQ(p1["QRL_nip"].caption, "7 2 5 - 1 8 0 - 1 1 - 2 6");
    EXPECT_EQ(p1["QRL_nazw"].caption, "Nowak");
    EXPECT_EQ(p1["QRL_rok"].caption, "2 0 1 5");
    EXPECT_EQ(p1["QRL_odl18"].caption, "250,00");
    EXPECT_EQ(p1["QRL_nazw1"].caption, "") << "the joint code came along: not joint";
    auto p2 = fill_page("TF_wo15_2", h);
    EXPECT_EQ(p2["QRL_ildz"].caption, "1");
    EXPECT_EQ(p2["QRL_odl13"].caption, "92,67");
    EXPECT_EQ(p2["QRL_nazpel1"].caption, "Fundacja „Promyk”");

    const auto z = h.rekzez();
    EXPECT_EQ(z.real("zr", 1, 1), 84500) << "the return's own data stays";
    EXPECT_EQ(z.real("ods"), 77) << "PIT/D is copied by its own operation";
    EXPECT_EQ(z.dziecko(1).text("pesel"), "05211401239") << "page 3 is not printed for PIT-28";
}

TEST(pit28_attachment_copy, pitd_pages_print_the_pit28_store)
{
    auto h = two_returns();
    Zezprzel::przep_zald(h);
    auto p1 = fill_page("TF_wd15_1", h);
    EXPECT_EQ(p1["QRL_nazw"].caption, "Nowak");
    EXPECT_EQ(p1["QRL_ods"].caption, "1.200,00");
    EXPECT_FALSE(p1["QRL_nip1"].enabled);
    auto p2 = fill_page("TF_wd15_2", h);
    EXPECT_EQ(p2["QRL_ods28m"].caption, "40,00") << "the C.2.1 request and its flag";

    const auto z = h.rekzez();
    EXPECT_EQ(z.real("odl_o", 11), 1) << "PIT/O is copied by its own operation";
    EXPECT_EQ(z.real("zr", 1, 1), 84500);
}

// Business j: kind and address with blanks around them, REGON, revenue 10000 j + 0.50, costs
// 1000 j, income 9000 j + 0.50. Partnership i: share 12.5 i %, NIP 526104082i, amounts
// 1000 i + 100 c + 0.25 in column c. `only_nip` leaves partnership i with its NIP alone.
void pitb(host_state& h, int p, std::initializer_list<int> businesses,
          std::initializer_list<int> partnerships, int only_nip = 0)
{
    const auto b = h.rekzez_mut().pitb(p);
    for (int j : businesses) {
        const auto dg = b.dg(j);
        dg.set_text("dzial", " Handel " + std::to_string(j) + " ");
        dg.set_text("reg", "12345678" + std::to_string(j));
        dg.set_text("mp", " Kraków " + std::to_string(j));
        dg.set_real("prz", 10000.0 * j + 0.5);
        dg.set_real("ko", 1000.0 * j);
        dg.set_real("d", 9000.0 * j + 0.5);
    }
    for (int i : partnerships) {
        const auto sp = b.sp(i);
        if (i != only_nip) {
            sp.set_text("nazsp", " Spółka " + std::to_string(i) + " ");
            sp.set_text("regsp", "98765432" + std::to_string(i));
            sp.set_real("prsp", 12.5 * i);
        }
        sp.set_text("nipsp", "526104082" + std::to_string(i));
        for (int c = 1; c <= 6; ++c)
            sp.set_real("kw", c, 1000.0 * i + 100.0 * c + 0.25);
    }
}

// The taxpayer's one sheet holds only entries past empty ones and a loss; the spouse needs two.
host_state pitb_return(bool joint)
{
    auto b = kestrun::test::rekzez_builder{}.text("nip", "5261040828").text("nip_m", "7251801126");
    b.text("nazw", "Wiśniewski").text("nazw_m", "Wiśniewska").integer("sp_opod", 1);
    b.state().set_in_wsp_z_malz(1, joint);
    return b.with([](host_state& h) {
        pitb(h, 1, {3}, {2, 5}, 2);
        h.rekzez_mut().pitb(1).dg(3).set_real("d", -40000.0);
        h.rekzez_mut().pitb(1).dg(2).set_real("prz", 99999.0); // amounts alone: not in use
        pitb(h, 2, {1, 2, 3}, {1, 2, 4});
    });
}

TEST(pitb_pages, entries_print_by_position_and_part_d_once_on_the_last_sheet)
{
    struct row {
        const char* page;
        std::map<std::string, int> params;
        std::map<std::string, std::string> expected;
        const char* why;
    };
    const row rows[] = {
        {"TF_wb15_1",
         {{"nrp", 1}},
         {{"QRL_ilzalb", "1"},
          {"QRL_dzial", ""},
          {"QRL_prz_dg1", ""},
          {"QRL_reg1", ""},
          {"QRL_prz_dg2", ""},
          {"QRL_nazsp1", ""},
          {"QRL_nip", "5 2 6 - 1 0 4 - 0 8 - 2 8"}},
         "business 3 lies behind two empty positions, an amount alone does not count"},
        {"TF_wb15_2",
         {{"nrp", 1}},
         {{"QRL_prz_sp11", ""},
          {"QRL_nazsp2", ""},
          {"QRL_nipsp2", "526-10-40-822"},
          {"QRL_prsp2", "0,00"},
          {"QRL_prz_sp26", "2.600,25"},
          {"QRL_prz_sp31", ""},
          {"QRL_prz_sum", "37.401,00"},
          {"QRL_ko_sum", "10.800,50"},
          {"QRL_d_sum", "0,00"},
          {"QRL_st_sum", "31.799,50"}},
         "a NIP alone puts a partnership in use; part D counts entries no sheet shows; a loss"},
        {"TF_wb15_1",
         {{"nrp", 2}, {"ilb", 2}},
         {{"QRL_ilzalb", "2"},
          {"QRL_nazw", "Wiśniewska"},
          {"QRL_nip", "7 2 5 - 1 8 0 - 1 1 - 2 6"},
          {"QRL_dzial", "Handel 1"},
          {"QRL_mp1", "Kraków 2"},
          {"QRL_prz_dg2", "20.000,50"},
          {"QRL_nazsp1", "Spółka 1"},
          {"QRL_prsp1", "12,50"},
          {"QRL_nipsp1", "526-10-40-821"}},
         "sheet 1 of 2, page 1: texts trimmed, the share to width 6, the NIP in style 0"},
        {"TF_wb15_2",
         {{"nrp", 2}},
         {{"QRL_prz_sp12", "1.200,25"},
          {"QRL_nazsp2", " Spółka 2 "},
          {"QRL_prsp2", "25,00"},
          {"QRL_prz_sp21", "2.100,25"},
          {"QRL_nazsp3", ""},
          {"QRL_prz_sp36", ""},
          {"QRL_prz_sum", ""},
          {"QRL_st_sum", ""}},
         "sheet 1 of 2, page 2: texts as stored, part D empty"},
        {"TF_wb15_1",
         {{"nrp", 2}, {"nr", 3}, {"ilb", 2}},
         {{"QRL_dzial", "Handel 3"},
          {"QRL_d_dg1", "27.000,50"},
          {"QRL_dzial1", ""},
          {"QRL_ko_dg2", ""},
          {"QRL_nazsp1", "Spółka 4"},
          {"QRL_prsp1", "50,00"}},
         "sheet 2, page 1: business 3, B.2 empty, partnership 4 in C.1.1"},
        {"TF_wb15_2",
         {{"nrp", 2}, {"nr", 4}},
         {{"QRL_prz_sp11", "4.100,25"},
          {"QRL_nazsp2", ""},
          {"QRL_prz_sp21", ""},
          {"QRL_prz_sum", "67.602,25"},
          {"QRL_ko_sum", "14.200,75"},
          {"QRL_d_sum", "62.802,25"},
          {"QRL_st_sum", "0,00"}},
         "sheet 2, page 2: partnership 4 in row 1, part D over all the spouse's entries"},
    };
    for (bool joint : {true, false}) {
        host_state h = pitb_return(joint);
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.why) + (joint ? "" : " (return not joint)"));
            auto printed = fill_page(r.page, h, r.params);
            for (const auto& [name, caption] : r.expected)
                EXPECT_EQ(printed.at(name).caption, caption) << name;
        }
    }
}

TEST(pitb_pages, longest_texts_and_largest_amounts_print_inside_their_fields)
{
    // Every text at its capacity, with wide Polish capitals, and amounts of eight digits.
    const nlohmann::json business = {
        {"dzial", "Wytwarzanie wyrobów z gliny, ceramiki i porcelany – ŁĘŻ"},
        {"reg", "123456789"},
        {"mp", "Świętochłowice, ul. Wojska Polskiego 123"},
        {"prz", 99999999.99},
        {"ko", -99999999.99},
        {"d", -99999999.99}};
    const nlohmann::json partnership = {{"nazsp", "Przedsiębiorstwo Wielobranżowe ŻÓŁW sp.j"},
                                        {"prsp", 100},
                                        {"nipsp", "1234567890"},
                                        {"regsp", "987654321"},
                                        {"mprowsp", "Świętochłowice, ul. Wojska Polskiego 123"},
                                        {"kw", std::vector<double>(6, -99999999.99)}};
    const nlohmann::json person = {{"dg", std::vector<nlohmann::json>(4, business)},
                                   {"sp", std::vector<nlohmann::json>(6, partnership)}};
    kestrun::printing::probe::scratch_dir dir;
    const auto file = dir / "pitb.json";
    std::ofstream(file) << nlohmann::json{{"rekzez",
                                           {{"nip", "5261040828"},
                                            {"nazw", "Żółkiewska-Świętochowska"},
                                            {"pitb", {person, person}}}}};
    for (const char* args : {"TF_wb15_1 --nr 3 --ilb 2", "TF_wb15_2 --nr 4"}) {
        SCOPED_TRACE(args);
        kestrun::testing::expect_page_prints_inside_fields(
            std::string(args) + " " + kestrun::testing::shell_quote(file), dir / "page.pdf");
    }
}

} // namespace

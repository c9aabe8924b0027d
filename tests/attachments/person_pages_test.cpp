// PIT/O pages 1 to 3: the identifiers and the spouse's column under the joint test, the joined
// kind of other deductions, the host's limiting of part C, the child count, and the children of
// part E with their months.

#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>
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

} // namespace

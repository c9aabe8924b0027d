// The PIT-36 pages and the PIT-37 pages that share their blocks, on a couple filing jointly
// (`individual()` makes the return not joint while the spouse's data stays in the record, so a
// test sees that a page does not print it): the spouse's boxes and section C's squares, where a
// result goes in each kind of row, the PIT/M totals summed exactly in ten-thousandths of a zloty,
// the child-relief refund, the monthly tables, the attachment counts, the joined texts and where
// the PIT/D went; PIT-37's own income table and tax boxes. PIT-36L pages 1-3: the squares of
// section C and the two sign tests of section D, the boxes whose field names mislead, and a
// return of one person whatever the spouse's data says.

#include "framework/module.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;
using kestrun::testing::fill_page;

// sp_opod 2 (jointly, art. 6a ust. 1) belongs to the joint set; 0 (individually) does not.
constexpr int joint_code = 2;
constexpr int individual_code = 0;

rekzez_builder pit36_return()
{
    return rekzez_builder{}
        .joint(joint_code)
        .integer("rodz_zez", 0)
        .integer("rok", 2015)
        .text("urz", "Drugi Urząd Skarbowy Łódź-Bałuty")
        .flag("kor", false)
        .person(1)
        .text("nip", "5261040828")
        .text("pesel", "74031804573")
        .flag("id_pesel", false)
        .text("nazw", "Wiśniewski")
        .text("im", "Grzegorz")
        .date("dur", 1974, 3, 18)
        .text("kodp", "91-303")
        .person(2)
        .text("nip", "7271002114")
        .text("pesel", "76090211288")
        .flag("id_pesel", true)
        .text("nazw", "Wiśniewska")
        .text("im", "Małgorzata")
        .date("dur", 1976, 9, 2)
        .text("miejsc", "Ożarów Mazowiecki")
        .text("kodp", "05-850")
        .record();
}

// The same couple, each filing alone: sp_opod 0, which the joint set does not hold.
rekzez_builder individual(rekzez_builder b)
{
    return b.integer("sp_opod", individual_code);
}

TEST(pit36_page1, spouse_boxes_and_section_c_follow_the_joint_test_and_the_codes)
{
    struct page1_case {
        int sp_opod, code; // the code of section C, the same for both persons
        bool joint;
        const char* why;
    };
    const page1_case cases[] = {
        {joint_code, 4, true, "jointly, art. 6a ust. 1: both years of the exemption print"},
        {individual_code, 4, false, "individually: nothing of the spouse, the taxpayer's year"},
        {3, 3, false, "a single parent's code lies outside the joint set"},
        {joint_code, 1, true, "code 1: squares only"},
        {joint_code, 0, true, "code 0 marks no square"},
        {4, 5, false, "codes without a square mark none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit36_return()
                           .integer("sp_opod", c.sp_opod)
                           .integer("idp", c.code)
                           .integer("idm", c.code)
                           .flag("nier_m", true)
                           .integer("rokzw", 2011)
                           .person(2)
                           .integer("rokzw", 2013);
        auto f = fill_page("TF_w36151", h);
        EXPECT_EQ(f["QRL_nip1"].enabled, c.joint);
        EXPECT_EQ(f["QRL_nip1"].caption, c.joint ? "7 6 0 9 0 2 1 1 2 8 8" : "");
        EXPECT_EQ(f["QRL_kas_nip1"].enabled, c.joint); // the spouse is identified by PESEL
        EXPECT_FALSE(f["QRL_kas_pes1"].enabled);
        EXPECT_EQ(f["QRL_dur1"].caption, c.joint ? "02-09-1976" : "");
        EXPECT_EQ(f["QRL_kodp1"].caption, c.joint ? "05-850" : "");
        EXPECT_EQ(f["QRL_nier1"].caption, "x") << "the spouse's own statement prints always";
        EXPECT_EQ(f["QRL_rokzw_p"].caption, c.code == 4 ? "2 0 1 1" : "");
        EXPECT_EQ(f["QRL_rokzw_m"].caption, c.code == 4 && c.joint ? "2 0 1 3" : "");
        for (int i = 1; i <= 4; ++i) {
            const auto n = std::to_string(i);
            EXPECT_EQ(f["QRL_sp_op" + n].caption, i == c.sp_opod + 1 ? "x" : "") << i;
            EXPECT_EQ(f["QRL_idp" + n].caption, i == c.code ? "x" : "") << i;
            EXPECT_EQ(f["QRL_idm" + n].caption, i == c.code && c.joint ? "x" : "") << i;
        }
    }
}

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

TEST(pit36_page3, pitm_totals_are_exact_sums_of_each_parents_and_the_shared_amounts)
{
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
        {true, -1.7014118346e38, 0, 0, 0, 0, 0, "!rekzez.pitm_ds1", "", "", "",
         "nor the largest loss a six-byte real holds"},
        {true, 9e14, 9e14, 0, 1, 0, 0, "!rekzez.pitm_ds1_m", "", "", "",
         "the shared sum overflows"},
    };
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

constexpr const char* refund[] = {"QRL_uz_zus1", "QRL_uz_zus2", "QRL_uz_dz1", "QRL_uz_dz2",
                                  "QRL_uz_rozn"};

// The spouse's data is in the record either way: a page must not print it alone.
rekzez_builder couple(bool joint)
{
    return joint ? pit36_return() : individual(pit36_return());
}

TEST(pit36_pages456, child_relief_refund_prints_as_one_block_or_not_at_all)
{
    struct refund_case {
        bool joint;
        double dz, dz_m, rozn;
        bool shown;
        const char *spouse_dz, *why;
    };
    const refund_case cases[] = {
        {true, 0, 150, 0, true, "150,00", "the spouse's difference alone, joint"},
        {false, 0, 150, 0, false, "", "the spouse's difference does not count alone"},
        {true, 0, 0, 0, false, "", "contributions alone never show the block"},
        {false, 80, 150, 0, true, "", "not joint: the spouse's boxes stay empty"},
        {false, 0, 0, 0.01, true, "", "the difference due alone"},
    };
    for (const char* page : {"TF_w36154", "TF_w37153"})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page) + ": " + c.why);
            host_state h = couple(c.joint)
                               .then<kestrun::host::record_id::rek_uz>()
                               .real("zus", 500)
                               .real("zus_m", 300)
                               .real("dz", c.dz)
                               .real("dz_m", c.dz_m)
                               .real("rozn", c.rozn);
            auto f = fill_page(page, h);
            for (const char* name : refund)
                EXPECT_EQ(f[name].enabled, c.shown) << name;
            if (c.shown) {
                EXPECT_EQ(f["QRL_uz_dz2"].caption, c.spouse_dz);
            }
        }
}

TEST(pit36_pages456, a_page_printed_again_shows_the_refund_block_it_hid_before)
{
    host_state h;
    kestrun::page_instance page(*kestrun::find_page_class("TF_w36154"), nullptr, h);
    page->Prepare();
    kestrun::test::rek_uz_builder{h}.real("dz", 120);
    page->Prepare();
    const auto f = kestrun::testing::captions_of(*page);
    for (const char* name : refund)
        EXPECT_TRUE(f.at(name).enabled) << name;
}

TEST(pit36_pages456, monthly_tables_print_whole_zloty_and_the_spouse_only_when_joint)
{
    // Month i of table t holds (t+1)000 + i, the spouse's (t+5)000 + i: a month or a table
    // swapped shows. January's 1001,50 rounds half away from zero.
    const char* tables[][3] = {{"TF_w36155", "QRL_44p", "QRL_44m"},
                               {"TF_w36155", "QRL_odsp", "QRL_odsm"},
                               {"TF_w36155", "QRL_44_1p", "QRL_44_1m"},
                               {"TF_w36156", "QRL_44_7p", "QRL_44_7m"}};
    const char* arrays[] = {"zr44", "ods44", "zal44_1", "zal44_7"};
    for (bool joint : {true, false}) {
        auto b = couple(joint);
        for (int t = 0; t < 8; ++t)
            for (int i = 1; i <= 12; ++i)
                b.state().rekzez_mut().set_real_at(
                    *b.view().layout().find(std::string(arrays[t % 4]) + (t < 4 ? "" : "_m")), i, 0,
                    (t + 1) * 1000 + i + (t == 0 && i == 1 ? 0.5 : 0));
        for (int t = 0; t < 4; ++t) {
            SCOPED_TRACE(std::string(tables[t][1]) + (joint ? " joint" : " alone"));
            auto f = fill_page(tables[t][0], b.state());
            const auto p = std::string(tables[t][1]), m = std::string(tables[t][2]);
            EXPECT_EQ(f[p + "1"].caption, t == 0 ? "1.002" : std::to_string(t + 1) + ".001");
            EXPECT_EQ(f[p + "12"].caption, std::to_string(t + 1) + ".012");
            EXPECT_EQ(f[m + "7"].caption, joint ? std::to_string(t + 5) + ".007" : "");
        }
    }
}

TEST(pit36_pages456, attachment_counts_print_by_their_index_and_never_counts_9_and_10)
{
    const char* counts[] = {"zal_b", "zal_d",    "zal_2k", "zal_m",  "zal_o",    "zal_zg",
                            "zal_z", "zal_sser", "zal_uz", "zal_10", "zal_ceny", "zal_cert"};
    host_state h;
    for (int i = 1; i <= 12; ++i)
        h.rekzez_mut().set_integer_at(*h.rekzez().layout().find(counts[i - 1]), 0, 20 + i);
    auto f = fill_page("TF_w36156", h);
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 11, 12})
        EXPECT_EQ(f["QRL_zal" + std::to_string(i)].caption, std::to_string(20 + i)) << i;
    EXPECT_EQ(f.count("QRL_zal9"), 0u) << "the form has no box for count 9";
    EXPECT_FALSE(f["QRL_zaluz"].enabled) << "the PIT/UZ count stays in the margin";
    EXPECT_EQ(f["QRL_zaluz"].caption, "29");
    EXPECT_FALSE(f["QRL_zal10"].enabled) << "count 10 stays in the margin";
}

TEST(pit36_pages456, transfer_contact_and_proxy_on_both_forms)
{
    struct text_case {
        const char *first, *second, *joined;
        bool proxy;
        const char* why;
    };
    const text_case cases[] = {
        {"", "", "", false, "both parts empty: the joining blank is trimmed; no proxy"},
        {" na  leczenie", "Ani ", "na  leczenie Ani", true, "inner blanks stay; a proxy"},
    };
    // The income of art. 45 ust. 3c is spelt differently on each form.
    const char* pages[][3] = {{"TF_w36156", "QRL_doch_45", "TF_w36156"},
                              {"TF_w37153", "QRLdoch_45", "TF_w37154"}};
    for (const auto& page : pages)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page[0]) + ": " + c.why);
            host_state h = rekzez_builder{}
                               .real("doch_45", 1234.5)
                               .text("cel1", c.first)
                               .text("cel2", c.second)
                               .text("kontakt1", c.first)
                               .text("kontakt2", c.second)
                               .flag("jest_peln", c.proxy)
                               .text("peln", " Jan Nowak ");
            auto f = fill_page(page[0], h);
            EXPECT_EQ(f[page[1]].caption, "1.234,50");
            EXPECT_EQ(f["QRL_cel"].caption, c.joined);
            EXPECT_EQ(f["QRL_kontakt"].caption, c.joined);
            EXPECT_EQ(fill_page(page[2], h)["QRL_peln"].caption, c.proxy ? "Jan Nowak" : "");
        }
}

TEST(pit36_pages456, pitd_attached_elsewhere_marks_only_when_someone_attached_it)
{
    const char* spouse = "7251801126 Wiśniewska Małgorzata US Łódź-Bałuty";
    struct pitd_case {
        int kto, form;
        const char* marks; // QRL_d_p, QRL_d_m, QRL_d28, QRL_d36, QRL_d37
        const char *d_us, *why;
    };
    const pitd_case cases[] = {
        {0, 2, "x---x", "", "the taxpayer's PIT-37: no spouse named"},
        {1, 1, "-x-x-", spouse, "the spouse's PIT-36: three texts, a blank each"},
        {2, 1, "-----", "", "nobody: no square keeps its design cross"},
        {1, 3, "-x---", spouse, "a form code out of range marks no form"},
    };
    const char* squares[] = {"QRL_d_p", "QRL_d_m", "QRL_d28", "QRL_d36", "QRL_d37"};
    for (const char* page : {"TF_w36156", "TF_w37154"})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(page) + ": " + c.why);
            host_state h = rekzez_builder{}
                               .integer("d_kto", c.kto)
                               .integer("d_form", c.form)
                               .text("d_us1", "7251801126")
                               .text("d_us2", "Wiśniewska Małgorzata")
                               .text("d_us3", "US Łódź-Bałuty");
            auto f = fill_page(page, h);
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(f[squares[i]].caption, c.marks[i] == 'x' ? "x" : "") << squares[i];
            EXPECT_EQ(f["QRL_d_us"].caption, c.d_us);
        }
}

TEST(pit37_page1, prints_what_pit36_page1_prints_in_boxes_1_to_36)
{
    for (bool joint : {true, false}) {
        SCOPED_TRACE(joint ? "joint" : "individual");
        auto b = pit36_return().integer("idp", 4).integer("idm", 4).flag("kor", true);
        host_state h = joint ? b : individual(b);
        h.set_dr_zez_ref(true);
        h.set_nr_zez_refer("PIT37-2015-0000000001");
        auto pit37 = fill_page("TF_w37151", h), pit36 = fill_page("TF_w36151", h);
        EXPECT_EQ(pit37.size(), pit36.size() - 10) << "no section C: 8 squares, 2 years";
        for (const auto& [name, field] : pit37) {
            EXPECT_EQ(field.caption, pit36[name].caption) << name;
            EXPECT_EQ(field.enabled, pit36[name].enabled) << name;
        }
    }
}

TEST(pit37_page2, rows_come_from_data_rows_1_to_5_and_the_total_from_row_9)
{
    const std::pair<const char*, const char*> expected[] = {
        {"33", "0,00"},       {"34", "100,00"}, // a loss, whatever section C's codes say
        {"23", "-40,00"},                       // pensions keep their sign
        {"41", "7.000,00"},   {"53", "0,01"},       {"54", "0,00"},
        {"61", "9.999,99"},   {"63", "-12,50"},     {"65", "1.234"}, // data row 9, never 6 to 8
        {"11_1", "3.000,00"}, {"41_1", "5.000,00"}, {"42_1", "2.500,00"}};
    for (int p : {1, 2}) {
        SCOPED_TRACE(p == 1 ? "taxpayer" : "spouse");
        auto b = pit36_return().integer("idp", 3).integer("idm", 4).person(p);
        b.real("zr", 2, 3, -40.00).real("zr", 3, 3, -100.00).real("zr", 4, 1, 7000.00);
        b.real("zr", 5, 3, 0.01).real("zr", 6, 1, 111.11).real("zr", 8, 1, 888.88);
        b.real("zr", 9, 1, 9999.99).real("zr", 9, 3, -12.50).real("zr", 9, 4, 1234.4);
        b.real("k50", 1, 3000.00).real("k50", 3, 5000.00).real("k50", 4, 2500.00);
        b.real("zw_str3", 55.00).real("zw_str4", 66.00).real("zus", 80.00);
        host_state h = b;
        auto f = fill_page("TF_w37152", h);
        const std::string s = p == 1 ? "QRL_pp" : "QRL_pm";
        for (const auto& [field, caption] : expected)
            EXPECT_EQ(f[s + field].caption, caption) << field;
        EXPECT_EQ(f[p == 1 ? "QRL_zus" : "QRL_zus1"].caption, "80,00");
        h.rekzez_mut().set_integer("sp_opod", individual_code);
        f = fill_page("TF_w37152", h);
        for (const auto& [name, field] : f) {
            if (name.starts_with("QRL_pm") || name == "QRL_zus1") {
                EXPECT_EQ(field.caption, "") << name << ": not joint";
            }
        }
    }
}

TEST(pit37_pages34, tax_boxes_and_attachment_counts_differ_from_pit36_where_the_forms_differ)
{
    host_state h = rekzez_builder{}
                       .integer("zal_o", 0)
                       .integer("zal_d", 2)
                       .integer("zal_2k", 3)
                       .integer("zal_cert", 255)
                       .integer("zal_b", 7)
                       .real("pod_po_odl", 3120.4)
                       .real("pod_po_odl_d", 2870.4)
                       .real("sum_zal", 1234.56)
                       .real("rozn", 1885.5)
                       .real("rozn1", 0.49)
                       .then<kestrun::host::record_id::rek_uz>()
                       .real("zwrot", 845);
    struct page_case {
        const char *page, *after_deductions, *sum_zal, *rozn, *rozn1, *why;
    };
    const page_case cases[] = {
        {"TF_w37153", "3.120,40", "1.235", "1.886", "0", "before the housing relief, whole zloty"},
        {"TF_w36154", "2.870,40", "1.234,56", "1.885,50", "0,49", "PIT-36: after it, grosze"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto f = fill_page(c.page, h);
        EXPECT_EQ(f["QRL_pod_po_odl"].caption, c.after_deductions);
        EXPECT_EQ(f["QRL_sum_zal"].caption, c.sum_zal);
        EXPECT_EQ(f["QRL_rozn"].caption, c.rozn);
        EXPECT_EQ(f["QRL_rozn1"].caption, c.rozn1);
    }
    auto f = fill_page("TF_w37153", h);
    EXPECT_FALSE(f["QRL_uz_rozn"].enabled) << "no difference: the refund block is hidden";
    EXPECT_EQ(f["QRL_uz_zwrot"].caption, "845,00") << "box 135 prints in any case";
    // Boxes 142 to 145: PIT/O (zero printed), PIT/D, PIT-2K, certificates, not the PIT/B count.
    f = fill_page("TF_w37154", h);
    EXPECT_EQ(f["QRL_zal1"].caption + "|" + f["QRL_zal2"].caption + "|" + f["QRL_zal3"].caption +
                  "|" + f["QRL_zal4"].caption,
              "0|2|3|255");
}

kestrun::test::rekzez_builder pit36l_return()
{
    return kestrun::test::rekzez_builder{}.text("nip", "8792104534").real("zr", 3, 4, 29480);
}

TEST(pit36l_page1, section_c_squares_and_section_d_sign_tests)
{
    struct page1_case {
        int idp, idm;
        double business, zw_str4, agricultural;
        const char *printed, *why; // boxes 10, 11, 12, 15, 16, 20, 21
    };
    const page1_case cases[] = {
        {2, 0, -2100, 900, -4550.4, "x|||0,00|2.100,00|0,00|4.550,40",
         "code 2 marks box 10 alone; losses made positive, zw_str4 unused without code 4"},
        {0, 4, -2100, 1500.5, 1, "|x|2 0 1 2|0,00|1.500,50|1,00|0,00",
         "code 4: box 11 with the year, box 16 from zw_str4, box 15 still by the sign"},
        {2, 4, 3000, 1500.5, 0, "x|x|2 0 1 2|3.000,00|1.500,50|0,00|0,00",
         "code 4 with an income: box 16 is zw_str4 even so"},
        {4, 2, 0, 0, 0, "|||0,00|0,00|0,00|0,00",
         "codes swapped mark nothing; a zero loss unsigned"},
        {3, 3, 0.004, 0, -0.004, "|||0,00|0,00|0,00|0,00",
         "code 3 means nothing; results rounding to zero unsigned"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit36l_return()
                           .integer("idp", c.idp)
                           .integer("idm", c.idm)
                           .integer("rokzw", 2012)
                           .real("zr", 3, 3, c.business)
                           .real("zw_str4", c.zw_str4)
                           .real("zr", 4, 3, c.agricultural);
        auto f = fill_page("TF_w36l15_1", h);
        std::string printed = f["QRL_dok"].caption;
        for (const char* box : {"QRL_zw", "QRL_rokzw", "QRL_p13", "QRL_p14", "QRL_p23", "QRL_p24"})
            printed += "|" + f[box].caption;
        EXPECT_EQ(printed, c.printed);
    }
}

TEST(pit36l_pages, fields_named_after_other_boxes_show_their_own_box)
{
    host_state h = pit36l_return()
                       .real("pg", 1, 101.01)
                       .real("pl", 6, 206.06)
                       .real("nadpl", 256.56)
                       .real("podst_opod", 1234.56)
                       .real("zr44", 1, 571)
                       .real("zal44_7", 1, 999)
                       .real("ods44", 12, 802)
                       .real("zal44_1", 12, 922);
    struct name_case {
        const char *page, *field, *caption, *why;
    };
    const name_case cases[] = {
        {"TF_w36l15_1", "QRL_w1", "101,01", "page 1 box 28: pg[1]"},
        {"TF_w36l15_2", "QRL_w1", "206,06", "page 2 box 53: pl[6], not pg[1]"},
        {"TF_w36l15_2", "QRL_w4", "256,56", "page 2 box 56: the overpayment"},
        {"TF_w36l15_2", "QRL_w8", "1.235", "box 35: the tax base in whole zloty"},
        {"TF_w36l15_2", "QRL_44_1m1", "571", "box 57: zr44, not zal44_1"},
        {"TF_w36l15_3", "QRL_44_7p1", "0", "box 69: ods44, not zal44_7"},
        {"TF_w36l15_3", "QRL_44_7p12", "802", "box 80: ods44[12]"},
        {"TF_w36l15_3", "QRL_44_7m12", "922", "box 92: zal44_1[12]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(fill_page(c.page, h)[c.field].caption, c.caption);
    }
}

TEST(pit36l_pages, one_person_only_and_the_never_printed_fields_stay_off)
{
    // Every spouse twin the pages could mistake for the taxpayer's, on a return marked joint.
    auto single = pit36l_return()
                      .flag("id_pesel")
                      .text("peln", "Barbara Kaczmarek")
                      .person(2)
                      .real("zr", 3, 3, -999)
                      .real("pg", 1, 999)
                      .real("zr44", 1, 999)
                      .real("ods44", 3, 999)
                      .real("pl", 6, 999)
                      .record();
    single.state().set_dr_zez_ref(true);
    single.state().set_nr_zez_refer("PIT36L-2015-KP-004127-TORUŃ");
    host_state alone = single;
    host_state joint = single.joint();
    for (const char* page : {"TF_w36l15_1", "TF_w36l15_2", "TF_w36l15_3"}) {
        SCOPED_TRACE(page);
        auto f = fill_page(page, joint);
        EXPECT_EQ(f, fill_page(page, alone)) << "the joint flag changes nothing";
        for (const auto& [name, field] : f)
            EXPECT_EQ(field.caption.find("999"), std::string::npos) << name;
    }
    auto p1 = fill_page("TF_w36l15_1", joint);
    EXPECT_EQ(p1["QRL_nrref"].caption, "PIT36L-2015-KP-004127-TORUŃ") << "one line, uncut";
    EXPECT_EQ(p1["QRL_nip"].caption, "8 7 9 - 2 1 0 - 4 5 - 3 4") << "no PESEL on PIT-36L";
    EXPECT_FALSE(fill_page("TF_w36l15_2", joint)["QRL_w23"].enabled);
    auto p3 = fill_page("TF_w36l15_3", joint);
    EXPECT_FALSE(p3["QRL_zal5"].enabled);
    EXPECT_EQ(p3["QRL_zal1"].caption, "0") << "no PIT/B still prints its count";
    EXPECT_EQ(p3["QRL_peln"].caption, "") << "a name without a proxy signing";
}

} // namespace

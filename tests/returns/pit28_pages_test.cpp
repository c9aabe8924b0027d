// The PIT-28 pages and their attachments PIT-28/A and PIT-28/B, on a return of an ordinary
// taxpayer in which each test changes only what its rules are about: the identifier and its
// strike-out, the purpose squares, the reference number, the font check, the shares, box 68, the
// exemption, the joined texts, the counts, where the PIT/D went, the proxy, the business of
// PIT-28/A, and the partnership guard and part C.3 totals of PIT-28/B.

#include "host/tamdor/host_state.h"
#include "tests/support/faults.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using kestrun::host::host_state;
using kestrun::testing::fill_page;

kestrun::test::rek28_builder pit28_return()
{
    return kestrun::test::rek28_builder{}
        .text("nip", "526-104-08-28")
        .text("pesel", "74031804573")
        .flag("id_pesel", false)
        .integer("rok", 2015);
}

TEST(pit28_page1, identifier_prints_one_number_and_strikes_out_the_other_word)
{
    // PIT-28/A identifies the taxpayer as the return does.
    for (const char* page : {"TF_w2815_1", "TF_w28a15_1"})
        for (bool by_pesel : {false, true}) {
            SCOPED_TRACE(std::string(page) + (by_pesel ? " by PESEL" : " by NIP"));
            host_state h = pit28_return().flag("id_pesel", by_pesel);
            auto f = fill_page(page, h);
            EXPECT_EQ(f["QRL_nip"].caption,
                      by_pesel ? "7 4 0 3 1 8 0 4 5 7 3" : "5 2 6 - 1 0 4 - 0 8 - 2 8")
                << "the stored NIP is edited again and spread over the cells";
            EXPECT_EQ(f["QRL_kas_nip"].enabled, by_pesel);
            EXPECT_EQ(f["QRL_kas_pes"].enabled, !by_pesel);
        }
}

TEST(pit28_page1, purpose_of_filing_marks_one_square_and_shares_print_times_100)
{
    struct cel_case {
        int cel;
        const char* squares; // filing, correction
        double fraction;
        const char *share, *why;
    };
    const cel_case cases[] = {
        {0, "x|", 0.25, "25,00", "0 is filing; a quarter prints as 25 with two decimals"},
        {1, "|x", 0.0, "0,00", "1 is a correction; zero prints"},
        {255, "|x", 0.123456, "12,35", "any other value is a correction too; rounded to two"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .integer("cel", c.cel)
                           .real("pr", 2, c.fraction)
                           .real("prosz", 6, c.fraction);
        auto f = fill_page("TF_w2815_1", h);
        EXPECT_EQ(f["QRL_zl_zez"].caption + "|" + f["QRL_kor_zez"].caption, c.squares);
        EXPECT_EQ(f["QRL_pr2"].caption, c.share);
        EXPECT_EQ(f["QRL_prosz6"].caption, c.share);
    }
}

TEST(pit28_page1, reference_number_splits_after_its_sixteenth_character)
{
    struct reference_case {
        bool printed;
        const char* number;
        const char* memo;
        const char* why;
    };
    const reference_case cases[] = {
        {false, "ABCDEFGHIJKLMNOPQRST", "", "dr_zez_ref clear: no reference at all"},
        {true, "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP\nQRST", "20 characters: 16 and 4"},
        {true, "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP\n", "16 characters: the second line empty"},
        {true, "ŻÓŁĆĘŚĄŹŃżółćęśąŹ9", "ŻÓŁĆĘŚĄŹŃżółćęśą\nŹ9", "counted in characters, not bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return();
        h.set_dr_zez_ref(c.printed);
        h.set_nr_zez_refer(c.number);
        auto f = fill_page("TF_w2815_1", h);
        EXPECT_EQ(f["QRL_nrref"].enabled, c.printed);
        EXPECT_EQ(f["QRL_nrref"].caption, c.memo);
    }
}

TEST(pit28_page1, amount_above_999999_99_prints_in_the_smaller_font_field_by_field)
{
    struct font_case {
        const char* record_field;
        int index;
        double value;
        const char* field;
        const char* caption;
        double font_pt;
        const char* why;
    };
    const font_case cases[] = {
        {"przdg", 1, 1000000.00, "QRL_przdg1", "1.000.000,00", 8, "a million is above the limit"},
        {"przdg", 2, 999999.99, "QRL_przdg2", "999.999,99", 10, "the limit itself keeps the font"},
        {"przsp", 7, 1999164.555, "QRL_przsp7", "1.999.164,56", 8, "the total column too"},
        {"osz", 7, 1200000.0, "QRL_osz7", "1.200.000,00", 8, "row 6 total"},
        {"przdg", 3, -1500000.0, "QRL_przdg3", "-1.500.000,00", 10, "only amounts above it"},
    };
    host_state h = pit28_return();
    for (const auto& c : cases)
        h.rek28_mut().set_real_at(*kestrun::host::rek28_layout.find(c.record_field), c.index, 0,
                                  c.value);
    auto f = fill_page("TF_w2815_1", h);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(f[c.field].caption, c.caption);
        EXPECT_EQ(f[c.field].font_pt, c.font_pt);
    }
    EXPECT_EQ(f["QRL_przsp1"].font_pt, 10) << "a field of a zero amount keeps its font";

    // The next page made starts from the design: the smaller font does not carry over.
    host_state small = pit28_return();
    auto again = fill_page("TF_w2815_1", small);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(again[c.field].font_pt, 10);
        EXPECT_EQ(again[c.field].caption, "0,00");
    }
}

TEST(pit28_page2, box_68_prints_the_sum_of_both_loss_amounts)
{
    struct loss_case {
        double str, str2;
        const char* caption;
        const char* why;
    };
    const loss_case cases[] = {
        {0, 0, "0,00", "no losses: the host's text for zero"},
        {0, 830.25, "830,25", "the second amount alone is not dropped"},
        {1200.50, 830.25, "2.030,75", "both added before formatting"},
        {0.004, 0.004, "0,01", "added before rounding: each alone would print 0,00"},
        {999999.99, 0.02, "1.000.000,01", "a sum above a million keeps the page's font"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return().real("str", c.str).real("str2", c.str2);
        auto f = fill_page("TF_w2815_2", h);
        EXPECT_EQ(f["QRL_str"].caption, c.caption);
        EXPECT_EQ(f["QRL_str"].font_pt, 10);
    }
}

TEST(pit28_page3, exemption_year_prints_after_2000_and_its_use_marks_one_of_three_squares)
{
    struct zw_case {
        int rok_zw, zw;
        const char *year, *amount, *squares, *why; // squares: all, part, none
    };
    const zw_case cases[] = {
        {0, 0, "", "", "x||", "no year: boxes 115 and 116 stay empty; 0: exempt on all revenue"},
        {2000, 1, "", "", "|x|", "2000 itself counts as no year; 1: exempt on part of it"},
        {2001, 2, "2001", "1.234", "||x", "the first year that prints, four plain digits; 2: no"},
        {2001, 255, "2001", "1.234", "||x", "any other code is no"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .integer("rok_zw", c.rok_zw)
                           .real("pod_zwol", 1234.40)
                           .integer("zw", c.zw);
        auto f = fill_page("TF_w2815_3", h);
        EXPECT_EQ(f["QRL_rok_zw"].caption, c.year);
        EXPECT_EQ(f["QRL_pod_zwol"].caption, c.amount);
        EXPECT_EQ(f["QRL_zw_ca"].caption + "|" + f["QRL_zw_cz"].caption + "|" +
                      f["QRL_zw_nie"].caption,
                  c.squares);
    }
}

TEST(pit28_page4, joined_texts_trimmed_counts_printed_and_the_proxy_only_when_one_signs)
{
    struct page4_case {
        const char *first, *second, *joined;
        int spr;
        bool pelnom;
        const char *peln, *peln_caption, *why;
    };
    const page4_case cases[] = {
        {"na leczenie", "Jana Kowalskiego", "na leczenie Jana Kowalskiego", 0, false, "Jan Nowak",
         "", "one blank between; no proxy: the stored name does not print"},
        {"", "na leczenie", "na leczenie", 2, true, " Jan Nowak  ", "Jan Nowak",
         "an empty first part leaves no leading blank; a proxy's name, trimmed"},
        {"  na  leczenie ", " Ani  ", "na  leczenie   Ani", 0, false, "", "",
         "inner blanks stay as they are"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .text("cel1", c.first)
                           .text("cel2", c.second)
                           .text("kontakt1", c.first)
                           .text("kontakt2", c.second)
                           .integer("spr", c.spr)
                           .flag("pelnom", c.pelnom)
                           .text("peln", c.peln);
        auto f = fill_page("TF_w2815_4", h);
        EXPECT_EQ(f["QRL_cel"].caption, c.joined) << "box 136";
        EXPECT_EQ(f["QRL_kontakt"].caption, c.joined) << "box 138";
        EXPECT_EQ(f["QRL_spr"].caption, std::to_string(c.spr)) << "the count prints even when 0";
        EXPECT_EQ(f["QRL_peln"].caption, c.peln_caption);
        for (const char* box : {"QRL_zal1", "QRL_zal2", "QRL_zal3", "QRL_zal6", "QRL_zal7"})
            EXPECT_EQ(f[box].caption, "0") << box << ": attachment counts print even when 0";
    }
}

TEST(pit28_page4, pitd_attached_elsewhere_marks_whose_return_and_names_the_spouse)
{
    struct pitd_case {
        int kto, form;
        const char *us1, *p, *m, *d28, *d36, *d37, *d_us, *why;
    };
    const char* spouse = "7251801126 Małgorzata Wiśniewska US Łódź-Bałuty";
    const char* named = "7251801126 Małgorzata";
    const pitd_case cases[] = {
        {0, 0, named, "x", "", "x", "", "", "", "the taxpayer's own PIT-28: box 146 empty"},
        {1, 1, named, "", "x", "", "x", "", spouse, "the spouse's PIT-36 names the spouse"},
        {1, 2, named, "", "x", "", "", "x", spouse, "the spouse's PIT-37"},
        {1, 2, "", "", "x", "", "", "x", "Wiśniewska US Łódź-Bałuty", "trimmed after joining"},
        {255, 255, named, "", "", "", "", "", "", "codes out of range mark nothing, name no one"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .integer("zal_d_kto", c.kto)
                           .integer("zal_d_form", c.form)
                           .text("d_us1", c.us1)
                           .text("d_us2", "Wiśniewska US Łódź-")
                           .text("d_us3", "Bałuty");
        auto f = fill_page("TF_w2815_4", h);
        EXPECT_EQ(f["QRL_d_p"].caption, c.p);
        EXPECT_EQ(f["QRL_d_m"].caption, c.m);
        EXPECT_EQ(f["QRL_d28"].caption, c.d28);
        EXPECT_EQ(f["QRL_d36"].caption, c.d36);
        EXPECT_EQ(f["QRL_d37"].caption, c.d37);
        EXPECT_EQ(f["QRL_d_us"].caption, c.d_us) << "d_us3 continues d_us2 without a blank";
    }
}

TEST(pit28a, kind_of_business_joins_with_blanks_and_place_without)
{
    struct business_case {
        const char *d1, *d2, *d3, *d4, *kind;
        const char *mp1, *mp2, *place;
        const char* why;
    };
    const business_case cases[] = {
        {"Usługi", "remontowo-", "budowlane", "(PKD 43.39)",
         "Usługi remontowo- budowlane (PKD 43.39)", "ul. Źródłowa 12a, 91-7", "35 Łódź",
         "ul. Źródłowa 12a, 91-735 Łódź", "four parts with single blanks; two parts run on"},
        {"Handel", "", "", "detaliczny", "Handel   detaliczny", "Łódź", "", "Łódź",
         "empty inner parts keep their blanks"},
        {"", "", "", "Sklep", "Sklep", "", " Łódź ", "Łódź", "the joined text is trimmed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .text("dzial1", c.d1)
                           .text("dzial2", c.d2)
                           .text("dzial3", c.d3)
                           .text("dzial4", c.d4)
                           .text("mp1", c.mp1)
                           .text("mp2", c.mp2);
        auto f = fill_page("TF_w28a15_1", h);
        EXPECT_EQ(f["QRL_dzial"].caption, c.kind) << "box 6";
        EXPECT_EQ(f["QRL_mp"].caption, c.place) << "box 7";
    }
}

TEST(pit28a, revenue_comes_from_the_returns_rows_without_the_font_check)
{
    auto b = pit28_return().real("prznaj", 3, 24000.0).real("prznaj", 7, 99.0);
    for (int i = 1; i <= 7; ++i) {
        b.real("przdg", i, 1000000.0 * i + 0.5);
        b.real("osz", i, 10.0 * i);
    }
    host_state h = b;
    auto f = fill_page("TF_w28a15_1", h);
    for (int i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f["QRL_prz_dg" + std::to_string(i)].font_pt, 10) << "no smaller font here";
        EXPECT_EQ(f["QRL_przosz" + std::to_string(i)].caption, std::to_string(10 * i) + ",00");
    }
    EXPECT_EQ(f["QRL_prz_dg1"].caption, "1.000.000,50") << "3.0 %, the return's box 20";
    EXPECT_EQ(f["QRL_prz_dg6"].caption, "6.000.000,50") << "20 %, the return's box 25";
    EXPECT_EQ(f.count("QRL_prz_dg7"), 0u) << "the return's total is not on this form";
    EXPECT_EQ(f["QRL_prznaj3"].caption, "24.000,00") << "rental and lease at 8.5 %";
}

// Partnership k has amounts that tell k, the row and the column apart: k000 + 100 r + 10 j for
// the partnership's revenue and the same + 0.25 for the taxpayer's part.
host_state with_partnerships(int attachments)
{
    auto b = pit28_return().integer("il_zal_b", attachments);
    for (int row = 1; row <= 2; ++row)
        for (int rate = 1; rate <= 6; ++rate)
            b.real("razem_sp", row, rate, 90000.0 + 100 * row + 10 * rate);
    b.with([](host_state& h) {
        for (int k = 1; k <= 4; ++k) {
            const auto s = h.rek28_mut().sp(k);
            for (int row = 1; row <= 2; ++row)
                for (int rate = 1; rate <= 6; ++rate) {
                    s.set_real("prz_sp", row, rate, 1000.0 * k + 100 * row + 10 * rate);
                    s.set_real("prz_wsp", row, rate, 1000.0 * k + 100 * row + 10 * rate + 0.25);
                }
        }
    });
    return b;
}

TEST(pit28b, page_asked_for_a_partnership_outside_1_to_4_refuses)
{
    struct guard_case {
        const char* page;
        int nrsp;
        const char* message;
    };
    const guard_case cases[] = {
        {"TF_w28b15_1", 4, "no error"},
        {"TF_w28b15_2", 1, "no error"},
        {"TF_w28b15_1", 5, "TF_w28b15_1: nrsp 5 is outside 1 to 4 (rek28 holds four partnerships)"},
        {"TF_w28b15_2", -1,
         "TF_w28b15_2: nrsp -1 is outside 1 to 4 (rek28 holds four partnerships)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " nrsp " + std::to_string(c.nrsp));
        host_state h = with_partnerships(2);
        EXPECT_EQ(kestrun::testing::fault_of(kestrun::error_kind::input,
                                             [&] {
                                                 fill_page(c.page, h, {{"nrsp", c.nrsp}});
                                             }),
                  c.message);
    }
}

TEST(pit28b, a_page_printed_without_nrsp_shows_the_first_attachment)
{
    host_state h = with_partnerships(1);
    for (auto [page, nrsp] : {std::pair{"TF_w28b15_1", 1}, std::pair{"TF_w28b15_2", 2}}) {
        SCOPED_TRACE(page);
        kestrun::page_instance p(*kestrun::find_page_class(page), nullptr, h);
        EXPECT_EQ(*p->parameter("nrsp"), nrsp);
        EXPECT_EQ(p->parameter("nrp"), nullptr) << "no other parameter";
    }
}

TEST(pit28b, page1_identifies_the_taxpayer_by_nip_only)
{
    for (bool by_pesel : {false, true}) {
        SCOPED_TRACE(by_pesel ? "identified by PESEL on the return" : "by NIP");
        host_state h = with_partnerships(1);
        h.rek28_mut().set_flag("id_pesel", by_pesel);
        auto f = fill_page("TF_w28b15_1", h, {{"nrsp", 1}});
        EXPECT_EQ(f["QRL_nip"].caption, "5 2 6 - 1 0 4 - 0 8 - 2 8") << "the NIP re-edited";
        EXPECT_EQ(f.count("QRL_kas_nip") + f.count("QRL_kas_pes"), 0u) << "nothing to strike";
    }
}

TEST(pit28b, part_c3_totals_the_attachments_partnerships_or_prints_the_stored_totals)
{
    struct totals_case {
        int attachments, nrsp;
        const char *sp11, *sp26, *why;
    };
    const totals_case cases[] = {
        {0, 2, "90.110,00", "90.260,00", "no attachment counted: the stored totals"},
        {1, 2, "90.110,00", "90.260,00", "one attachment: razem_sp unchanged, entries ignored"},
        {2, 1, "3.220,50", "3.520,50", "first of two: entries 1 and 2 added"},
        {2, 4, "7.220,50", "7.520,50", "second of two: entries 3 and 4 added"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = with_partnerships(c.attachments);
        auto f = fill_page("TF_w28b15_2", h, {{"nrsp", c.nrsp}});
        EXPECT_EQ(f["QRL_sp11"].caption, c.sp11);
        EXPECT_EQ(f["QRL_sp26"].caption, c.sp26);
        for (int row = 1; row <= 2; ++row)
            for (int rate = 1; rate <= 6; ++rate)
                EXPECT_FALSE(
                    f["QRL_sp" + std::to_string(row) + std::to_string(rate)].caption.empty());
    }
}

TEST(pit28b, part_c3_sums_are_rounded_once)
{
    // Each taxpayer's part alone would round up; their sum rounds as a whole.
    host_state h = with_partnerships(2);
    h.rek28_mut().sp(1).set_real("prz_wsp", 1, 1, 0.125);
    h.rek28_mut().sp(2).set_real("prz_wsp", 1, 1, 0.125);
    EXPECT_EQ(fill_page("TF_w28b15_2", h, {{"nrsp", 2}})["QRL_sp11"].caption, "0,25");
}

} // namespace

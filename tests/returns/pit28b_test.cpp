// PIT-28/B: the partnership each page shows (nrsp) and its guard, the partnership block as
// stored, and the totals of part C.3 with one and with two attachments.

#include "tests/returns/pit28_return.h"
#include "tests/support/faults.h"

#include <gtest/gtest.h>

namespace {

using namespace pit28_test;

// Partnership k has amounts that tell k, the row and the column apart: k000 + 100 r + 10 j for
// the partnership's revenue and the same + 0.25 for the taxpayer's part.
host_state with_partnerships(int attachments)
{
    auto b = pit28_return().integer("il_zal_b", attachments);
    for (int row = 1; row <= 2; ++row)
        for (int rate = 1; rate <= 6; ++rate)
            b.real("razem_sp", row, rate, 90000.0 + 100 * row + 10 * rate);
    b.with([](host_state& h) {
        const char* names[] = {"Wiśniewski i Wspólnicy s.c.", "Żak, Łęcki sp. j.",
                               "Ogrody Ślęży s.c.", "Pracownia Źródło sp. p."};
        const char* nips[] = {"725-18-01-126", "5261040828", "123-456-32-18", "PL 897-17-42-309"};
        for (int k = 1; k <= 4; ++k) {
            const auto s = h.rek28_mut().sp(k);
            s.set_text("nazsp", names[k - 1]);
            s.set_text("nipsp", nips[k - 1]);
            s.set_real("prsp", 25.0 * k);
            s.set_real("przsp", 1000000.0 * k + 0.5);
            s.set_real("przwsp", 1000.0 * k + 0.25);
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
        {"TF_w28b15_1", 1, "no error"},
        {"TF_w28b15_1", 4, "no error"},
        {"TF_w28b15_2", 2, "no error"},
        {"TF_w28b15_2", 3, "no error"},
        {"TF_w28b15_1", 5, "TF_w28b15_1: nrsp 5 is outside 1 to 4 (rek28 holds four partnerships)"},
        {"TF_w28b15_2", 0, "TF_w28b15_2: nrsp 0 is outside 1 to 4 (rek28 holds four partnerships)"},
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

TEST(pit28b, each_page_shows_the_partnership_of_its_nrsp)
{
    struct block_case {
        const char* page;
        int nrsp;
        const char *name, *nip, *share, *revenue, *taxpayer, *sp11, *wsp26, *why;
    };
    const block_case cases[] = {
        {"TF_w28b15_1", 1, "Wiśniewski i Wspólnicy s.c.", "725-18-01-126", "25,00", "1.000.000,50",
         "1.000,25", "1.110,00", "1.260,25", "attachment 1, page 1; the NIP with its dashes"},
        {"TF_w28b15_2", 2, "Żak, Łęcki sp. j.", "5261040828", "50,00", "2.000.000,50", "2.000,25",
         "2.110,00", "2.260,25", "page 2; a NIP without dashes is not edited"},
        {"TF_w28b15_1", 3, "Ogrody Ślęży s.c.", "123-456-32-18", "75,00", "3.000.000,50",
         "3.000,25", "3.110,00", "3.260,25", "attachment 2, page 1"},
        {"TF_w28b15_2", 4, "Pracownia Źródło sp. p.", "PL 897-17-42-309", "100,00", "4.000.000,50",
         "4.000,25", "4.110,00", "4.260,25", "a NIP as stored, whatever it holds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = with_partnerships(2);
        auto f = fill_page(c.page, h, {{"nrsp", c.nrsp}});
        EXPECT_EQ(f["QRL_nazsp"].caption, c.name);
        EXPECT_EQ(f["QRL_nipsp"].caption, c.nip);
        EXPECT_EQ(f["QRL_prsp"].caption, c.share);
        EXPECT_EQ(f["QRL_przsp"].caption, c.revenue);
        EXPECT_EQ(f["QRL_przwsp"].caption, c.taxpayer);
        EXPECT_EQ(f["QRL_prz_sp11"].caption, c.sp11) << "row 1, 3.0 %";
        EXPECT_EQ(f["QRL_prz_wsp26"].caption, c.wsp26) << "row 2 (art. 17), 20 %";
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

TEST(pit28b, number_of_attachments_is_the_same_on_every_first_page)
{
    for (int attachments : {1, 2}) {
        for (int nrsp = 1; nrsp <= 2 * attachments; nrsp += 2) {
            SCOPED_TRACE("attachment " + std::to_string((nrsp + 1) / 2) + " of " +
                         std::to_string(attachments));
            host_state h = with_partnerships(attachments);
            EXPECT_EQ(fill_page("TF_w28b15_1", h, {{"nrsp", nrsp}})["QRL_ilzalb"].caption,
                      std::to_string(attachments));
        }
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
        {2, 2, "3.220,50", "3.520,50", "first of two: entries 1 and 2 added"},
        {2, 4, "7.220,50", "7.520,50", "second of two: entries 3 and 4 added"},
        {2, 1, "3.220,50", "3.520,50", "an odd nrsp belongs to the first attachment too"},
        {2, 3, "7.220,50", "7.520,50", "and 3 to the second"},
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

// PIT-28/A: the identifier as on the return, the kind and place of business joined from their
// parts, and the revenue copied from the return's rows.

#include "tests/returns/pit28_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit28_test;

TEST(pit28a, identifier_strikes_out_exactly_one_word)
{
    for (bool by_pesel : {false, true}) {
        SCOPED_TRACE(by_pesel ? "by PESEL" : "by NIP");
        host_state h = pit28_return().flag("id_pesel", by_pesel);
        auto f = fill_page("TF_w28a15_1", h);
        EXPECT_EQ(f["QRL_nip"].caption,
                  by_pesel ? "7 4 0 3 1 8 0 4 5 7 3" : "5 2 6 - 1 0 4 - 0 8 - 2 8");
        EXPECT_EQ(f["QRL_kas_nip"].enabled, by_pesel);
        EXPECT_EQ(f["QRL_kas_pes"].enabled, !by_pesel);
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
        {"", "", "", "", "", "", "", "", "nothing entered"},
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

} // namespace

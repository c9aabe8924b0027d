// PIT-28 page 4/4: the 1 % request with its trimmed texts, the counts of attachments, where the
// PIT/D went, the transfer-pricing count and the proxy.

#include "tests/returns/pit28_return.h"

#include <gtest/gtest.h>

namespace {

using namespace pit28_test;

TEST(pit28_page4, joined_texts_are_trimmed_after_joining)
{
    struct join_case {
        const char *first, *second, *joined, *why;
    };
    const join_case cases[] = {
        {"na leczenie", "Jana Kowalskiego", "na leczenie Jana Kowalskiego", "one blank between"},
        {"", "na leczenie", "na leczenie", "an empty first part leaves no leading blank"},
        {"na leczenie", "", "na leczenie", "an empty second part leaves no trailing blank"},
        {"  na  leczenie ", " Ani  ", "na  leczenie   Ani", "inner blanks stay as they are"},
        {"", "", "", "nothing at all"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .text("cel1", c.first)
                           .text("cel2", c.second)
                           .text("kontakt1", c.first)
                           .text("kontakt2", c.second);
        auto f = fill_page("TF_w2815_4", h);
        EXPECT_EQ(f["QRL_cel"].caption, c.joined) << "box 136";
        EXPECT_EQ(f["QRL_kontakt"].caption, c.joined) << "box 138";
    }
}

TEST(pit28_page4, public_benefit_request)
{
    host_state h =
        pit28_return().text("krs", "  0000037904 ").real("poz_odl", 7.4).flag("inf_cel", true);
    auto f = fill_page("TF_w2815_4", h);
    EXPECT_EQ(f["QRL_krs"].caption, "0000037904") << "the KRS number without its blanks";
    EXPECT_EQ(f["QRL_poz_odl"].caption, "7,40");
    EXPECT_EQ(f["QRL_inf_cel"].caption, "x") << "consent given";

    host_state refused = pit28_return().flag("inf_cel", false);
    EXPECT_EQ(fill_page("TF_w2815_4", refused)["QRL_inf_cel"].caption, "");
}

TEST(pit28_page4, attachment_counts_print_even_when_zero)
{
    struct count_case {
        int o, d, k2, a, b;
        const char* why;
    };
    const count_case cases[] = {
        {0, 0, 0, 0, 0, "a return without attachments prints five zeros"},
        {1, 1, 1, 1, 2, "one of each and two PIT-28/B"},
        {3, 0, 2, 0, 1, "each count in its own box"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .integer("zal_o", c.o)
                           .integer("zal_d", c.d)
                           .integer("zal_2k", c.k2)
                           .integer("zal_a", c.a)
                           .integer("il_zal_b", c.b);
        auto f = fill_page("TF_w2815_4", h);
        EXPECT_EQ(f["QRL_zal1"].caption, std::to_string(c.o)) << "PIT/O";
        EXPECT_EQ(f["QRL_zal2"].caption, std::to_string(c.d)) << "PIT/D";
        EXPECT_EQ(f["QRL_zal3"].caption, std::to_string(c.k2)) << "PIT-2K";
        EXPECT_EQ(f["QRL_zal6"].caption, std::to_string(c.a)) << "PIT-28/A";
        EXPECT_EQ(f["QRL_zal7"].caption, std::to_string(c.b)) << "PIT-28/B";
        EXPECT_EQ(f.count("QRL_zal4") + f.count("QRL_zal5"), 0u) << "the form has no such boxes";
    }
}

TEST(pit28_page4, pitd_attached_elsewhere_marks_whose_return_and_names_the_spouse)
{
    struct pitd_case {
        int kto, form;
        const char *p, *m, *d28, *d36, *d37, *d_us, *why;
    };
    const char* spouse = "7251801126 Małgorzata Wiśniewska US Łódź-Bałuty";
    const pitd_case cases[] = {
        {0, 0, "x", "", "x", "", "", "", "the taxpayer's own PIT-28: box 146 empty despite d_us1"},
        {1, 1, "", "x", "", "x", "", spouse, "the spouse's PIT-36 names the spouse in box 146"},
        {1, 2, "", "x", "", "", "x", spouse, "the spouse's PIT-37"},
        {2, 3, "", "", "", "", "", "", "codes out of range mark nothing and name no one"},
        {255, 255, "", "", "", "", "", "", "the largest byte"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h = pit28_return()
                           .integer("zal_d_kto", c.kto)
                           .integer("zal_d_form", c.form)
                           .text("d_us1", "7251801126 Małgorzata")
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

TEST(pit28_page4, box_146_is_trimmed_after_joining)
{
    host_state h = pit28_return()
                       .integer("zal_d_kto", 1)
                       .text("d_us1", "")
                       .text("d_us2", "Kowalska ")
                       .text("d_us3", " US Wola  ");
    EXPECT_EQ(fill_page("TF_w2815_4", h)["QRL_d_us"].caption, "Kowalska  US Wola");
}

TEST(pit28_page4, transfer_pricing_count_and_proxy)
{
    struct proxy_case {
        int spr;
        bool pelnom;
        const char *peln, *spr_caption, *peln_caption, *why;
    };
    const proxy_case cases[] = {
        {0, false, "Jan Nowak", "0", "", "no proxy: the stored name does not print"},
        {2, true, " Jan Nowak  ", "2", "Jan Nowak", "a proxy's name, trimmed"},
        {255, true, "", "255", "", "a proxy without a name prints nothing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        host_state h =
            pit28_return().integer("spr", c.spr).flag("pelnom", c.pelnom).text("peln", c.peln);
        auto f = fill_page("TF_w2815_4", h);
        EXPECT_EQ(f["QRL_spr"].caption, c.spr_caption);
        EXPECT_EQ(f["QRL_peln"].caption, c.peln_caption);
    }
}

} // namespace

// The PIT-37 and PIT-36L print dialogs: their page sequences in both modes and through the port,
// the tables each run loads, the PIT/Z condition and PIT/B sheets of PIT-36L's one person, and
// what Cancel and toggle-all leave.

#include "dialog_rig.h"
#include "dialogs/Zw36l_15.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>
#include <iterator>

namespace {

using namespace kestrun::testing;
using kestrun::vcl::IDCANCEL;
using kestrun::vcl::IDOK;
using strings = std::vector<std::string>;

TEST(pit37_dialog, ten_pages_in_order_in_every_mode)
{
    const auto pages = every_page(kestrun::pit37_catalogue, 1);
    ASSERT_EQ(pages.size(), 10u);
    for (mode m : {mode::blank, mode::preprinted, mode::port}) {
        SCOPED_TRACE(static_cast<int>(m));
        dialog_rig rig;
        kestrun::test::rekzez_builder(rig.host)
            .integer("zal_o", 1)
            .integer("zal_d", 1)
            .integer("zal_2k", 1);
        kestrun::testing::print(rig, "Tf_wydpit37", m);
        EXPECT_EQ(printed(rig), pages);
        EXPECT_EQ(prompts(rig).size(), 10u);
        EXPECT_EQ(prompts(rig).at(6),
                  m == mode::blank ? "Wydruk PIT/O 3/3" : "Włóż druk PIT/O 3/3");
        EXPECT_TRUE(rig.of("prepare").empty()) << "PIT-37 reads its attachments as stored";
        EXPECT_EQ(rig.of("wysuw_str").size(), m == mode::port ? 10u : 0u);
        EXPECT_EQ(kestrun::vcl::Printer()->JobsCompleted(), m == mode::port ? 0 : 10);
    }
}

TEST(pit37_dialog, cancel_skips_one_page_and_toggle_all_leaves_missing_attachments)
{
    dialog_rig rig;
    kestrun::test::rekzez_builder(rig.host).integer("zal_o", 1);
    rig.answers = {IDOK, IDCANCEL, IDOK};
    kestrun::testing::print(rig, "Tf_wydpit37", mode::preprinted, [](kestrun::print_dialog& d) {
        for (auto* b : d.PageBoxes())
            EXPECT_EQ(b->Enabled, b->Name().find("_d_") == std::string::npos &&
                                      b->Name().find("_2k") == std::string::npos)
                << b->Name();
        d.kl_zmust->Click();
        for (auto* b : d.PageBoxes())
            EXPECT_FALSE(b->Checked) << b->Name() << ", the hidden PIT/UZ box too";
        only(d, {"chbox_o_1", "chbox_o_2", "ChBox_o_3"});
    });
    EXPECT_EQ(prompts(rig),
              (strings{"Włóż druk PIT/O 1/3", "Włóż druk PIT/O 2/3", "Włóż druk PIT/O 3/3"}));
    EXPECT_EQ(printed(rig), (strings{"TF_wo15_1", "TF_wo15_3"}));
}

// A PIT-36L return with every attachment; the spouse's data must never print.
void pit36l_return(dialog_rig& rig, int idm, std::vector<int> businesses)
{
    kestrun::test::rekzez_builder z(rig.host);
    z.integer("zal_b", 1).integer("zal_z", 1).integer("zal_zg", 1).integer("idm", idm).joint();
    for (int p : {1, 2})
        for (int j : businesses)
            rig.host.rekzez_mut().pitb(p).dg(j).set_text("dzial", "usługi");
}

TEST(pit36l_dialog, page_sequence_of_the_one_person)
{
    struct run_case {
        mode m;
        int idm;
        std::vector<int> businesses;
        strings pages;
        const char* why;
    };
    // Every page of the one person, one PIT/B sheet; the cases leave out or repeat some.
    const auto all = every_page(kestrun::pit36l_catalogue, 1);
    const auto without = [&](std::string_view prefix) {
        strings s;
        std::copy_if(all.begin(), all.end(), std::back_inserter(s),
                     [&](const std::string& p) { return !p.starts_with(prefix); });
        return s;
    };
    auto two_sheets = without("TF_wz15_");
    two_sheets.erase(two_sheets.begin() + 3, two_sheets.begin() + 5);
    two_sheets.insert(two_sheets.begin() + 3,
                      {"TF_wb15_1 ilb=2 nr=1 nrp=1", "TF_wb15_2 nr=1 nrp=1",
                       "TF_wb15_1 ilb=2 nr=3 nrp=1", "TF_wb15_2 nr=4 nrp=1"});
    const run_case cases[] = {
        {mode::blank, 4, {1}, all, "idm 4: PIT/Z; a joint code changes nothing"},
        {mode::preprinted,
         3,
         {1, 2, 3},
         two_sheets,
         "idm 3 prints no PIT/Z; three businesses take two sheets"},
        {mode::port, 4, {}, without("TF_wb15_"), "through the port, no PIT/B entry"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        pit36l_return(rig, c.idm, c.businesses);
        kestrun::testing::print(rig, "Tf_wydpit36L", c.m);
        EXPECT_EQ(printed(rig), c.pages);
        for (const auto& p : prompts(rig))
            EXPECT_EQ(p.find_first_of("()"), std::string::npos) << "no person, no stray ')': " << p;
        EXPECT_EQ(rig.of("tables"), kestrun::testing::tables_of(kestrun::pit36l_catalogue));
    }
}

TEST(pit36l_dialog, cancel_on_pitz_page_2_and_the_exported_instance)
{
    dialog_rig rig;
    pit36l_return(rig, 4, {});
    rig.answers = {IDCANCEL};
    EXPECT_EQ(f_wydpit36L, nullptr);
    {
        auto d = rig.open("Tf_wydpit36L");
        EXPECT_EQ(f_wydpit36L, d.get()) << "the instance variable points at the open dialog";
        rig.show(*d, [](kestrun::print_dialog& dlg) {
            if (dlg.ChB_niezadr->Checked)
                dlg.ChB_niezadr->Click();
            only(dlg, {"ChBox_z_2", "Chbox_zg_1"});
            dlg.kl_druk->Click();
        });
    }
    EXPECT_EQ(f_wydpit36L, nullptr) << "and is null once it is freed";
    EXPECT_EQ(prompts(rig), (strings{"Włóż druk PIT/Z 2/2", "Włóż druk PIT/ZG 1/1"}));
    EXPECT_EQ(printed(rig), strings{"TF_wzg15_1 nrp=1"});
}

} // namespace

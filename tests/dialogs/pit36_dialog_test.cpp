// The PIT-36 print dialog driven as a user would: the pages of each person, the conditions of
// the per-person attachments, the PIT/B sheets, in both modes and through the print port.

#include "dialog_rig.h"
#include "tests/support/record_builder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace kestrun::testing;
using kestrun::vcl::IDCANCEL;
using kestrun::vcl::IDOK;
using strings = std::vector<std::string>;

// A return with every attachment of both persons: PIT/M amounts, PIT/Z codes 3 and 4, one
// business each.
void every_attachment(dialog_rig& rig, bool joint)
{
    kestrun::test::rekzez_builder z(rig.host);
    z.integer("zal_b", 1).integer("zal_d", 1).integer("zal_2k", 1).integer("zal_m", 1);
    z.integer("zal_o", 1).integer("zal_zg", 1).integer("zal_z", 1);
    z.integer("idp", 3).integer("idm", 4);
    z.person(1).real("pitm_ds1", 100);
    z.person(2).real("pitm_ds2", 200);
    if (joint)
        z.joint();
    for (int p : {1, 2})
        rig.host.rekzez_mut().pitb(p).dg(1).set_text("dzial", "handel");
}

void print(dialog_rig& rig, mode m, const std::function<void(kestrun::print_dialog&)>& choose = {})
{
    kestrun::testing::print(rig, "Tf_wydpit36", m, choose);
}

TEST(pit36_dialog, page_sequence_of_joint_and_individual_returns_in_every_mode)
{
    struct run_case {
        bool joint;
        mode m;
        const char* first_spouse_prompt;
        const char* why;
    };
    const run_case cases[] = {
        {true, mode::blank, "Wydruk PIT/M 1/1 (małżonek)", "joint, blank paper"},
        {true, mode::preprinted, "Włóż druk PIT/M 1/1 (małżonek)", "joint, pre-printed"},
        {true, mode::port, "Włóż druk PIT/M 1/1 (małżonek)", "joint, through the port"},
        {false, mode::blank, nullptr, "individual: no spouse page, whatever the spouse's data"},
        {false, mode::preprinted, nullptr, "individual, pre-printed"},
        {false, mode::port, nullptr, "individual, through the port"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        every_attachment(rig, c.joint);
        print(rig, c.m);
        const auto pages = kestrun::testing::every_page(kestrun::pit36_catalogue, c.joint ? 2 : 1);
        EXPECT_EQ(printed(rig), pages);
        const auto asked = prompts(rig);
        EXPECT_EQ(asked.size(), pages.size()) << "one prompt per page";
        const bool spouse_asked =
            std::find_if(asked.begin(), asked.end(), [](const std::string& p) {
                return p.find("(małżonek)") != std::string::npos;
            }) != asked.end();
        EXPECT_EQ(spouse_asked, c.joint);
        if (c.first_spouse_prompt) {
            EXPECT_NE(std::find(asked.begin(), asked.end(), c.first_spouse_prompt), asked.end());
        }
        EXPECT_EQ(rig.of("wysuw_str").size(), c.m == mode::port ? asked.size() : 0u);
        if (c.m != mode::blank) {
            EXPECT_EQ(rig.of("direct").front(),
                      R"({"object":"drukzez","method":"wyd36_st1","args":[]})");
        }
        EXPECT_EQ(rig.of("tables"), kestrun::testing::tables_of(kestrun::pit36_catalogue));
    }
}

TEST(pit36_dialog, per_person_conditions_and_cancel)
{
    struct condition_case {
        std::function<void(kestrun::test::rekzez_builder&)> data;
        std::initializer_list<const char*> boxes;
        std::vector<int> answers;
        strings pages;
        const char* why;
    };
    using builder = kestrun::test::rekzez_builder;
    const condition_case cases[] = {
        {[](builder& z) { z.joint().person(2).real("pitm_ds2", 5); },
         {"chbox_m_1"},
         {},
         {"TF_wm15_1 nrp=2"},
         "the taxpayer's PIT/M is empty, the spouse's is not"},
        {[](builder& z) { z.person(2).real("pitm_ds1", 5); },
         {"chbox_m_1"},
         {},
         {},
         "the spouse's PIT/M of an individual return"},
        {[](builder& z) { z.joint().integer("idp", 2).integer("idm", 3); },
         {"ChBox_z_1", "ChBox_z_2"},
         {},
         {"TF_wz15_1 nrp=2", "TF_wz15_2 nrp=2"},
         "PIT/Z for code 3 only: not the taxpayer's code 2"},
        {[](builder& z) { z.joint().integer("idp", 4).integer("idm", 1); },
         {"ChBox_z_2"},
         {},
         {"TF_wz15_2 nrp=1"},
         "PIT/Z for code 4, page 2 only as checked; the spouse's code 1 prints none"},
        {[](builder& z) { z.integer("idp", 0).integer("idm", 4); },
         {"ChBox_z_1", "ChBox_z_2"},
         {},
         {},
         "no code: nothing; the spouse's code 4 of an individual return: nothing"},
        {[](builder& z) {
             z.joint().person(1).real("pitm_ds1", 1);
             z.person(2).real("pitm_ds1", 1);
         },
         {"chbox_m_1", "Chbox_zg_1"},
         {IDOK, IDCANCEL, IDOK, IDOK},
         {"TF_wm15_1 nrp=1", "TF_wzg15_1 nrp=1", "TF_wzg15_1 nrp=2"},
         "Cancel on the spouse's PIT/M skips that page only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        every_attachment(rig, false);
        kestrun::test::rekzez_builder z(rig.host);
        z.integer("idp", 0).integer("idm", 0);
        z.person(1).real("pitm_ds1", 0);
        z.person(2).real("pitm_ds2", 0);
        c.data(z);
        rig.answers = c.answers;
        print(rig, mode::blank, [&](kestrun::print_dialog& d) { only(d, c.boxes); });
        EXPECT_EQ(printed(rig), c.pages);
    }
}

TEST(pit36_dialog, pitb_sheets_per_person)
{
    struct sheet_case {
        std::vector<int> businesses, partnerships; // positions in use, of each person
        bool page1, page2;
        strings pages; // the taxpayer's; the spouse's are the same with nrp=2
        std::size_t warnings;
        const char* why;
    };
    const sheet_case cases[] = {
        {{1, 2, 3},
         {1},
         true,
         true,
         {"TF_wb15_1 ilb=2 nr=1", "TF_wb15_2 nr=1", "TF_wb15_1 ilb=2 nr=3", "TF_wb15_2 nr=4"},
         0,
         "a third business: two sheets, both pages of the second prompted"},
        {{1, 4},
         {},
         true,
         true,
         {"TF_wb15_1 ilb=1 nr=1", "TF_wb15_2 nr=1"},
         1,
         "scattered: businesses 1 and 4 count two, one sheet; business 4 is warned of"},
        {{},
         {1, 2, 3, 4},
         false,
         true,
         {"TF_wb15_2 nr=1", "TF_wb15_2 nr=4"},
         0,
         "page 1 unchecked: two passes of page 2 alone"},
        {{1}, {}, false, true, {}, 0, "page 1 unchecked and no partnership: no pass"},
        {{}, {}, true, true, {}, 0, "no entry in use: no PIT/B page"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        kestrun::test::rekzez_builder(rig.host).integer("zal_b", 1).joint();
        for (int p : {1, 2}) {
            auto b = rig.host.rekzez_mut().pitb(p);
            for (int j : c.businesses)
                b.dg(j).set_text("reg", "123456785");
            for (int j : c.partnerships)
                b.sp(j).set_text("nipsp", "1234563218");
        }
        strings warnings;
        auto d = rig.open("Tf_wydpit36");
        d->OnWarning = [&](const std::string& w) { warnings.push_back(w); };
        rig.show(*d, [&](kestrun::print_dialog& dlg) {
            if (!dlg.ChB_niezadr->Checked)
                dlg.ChB_niezadr->Click();
            only(dlg, {c.page1 ? "chbox_b_1" : "", c.page2 ? "chbox_b_2" : ""});
            dlg.kl_druk->Click();
        });
        strings expected;
        for (int p : {1, 2})
            for (const auto& page : c.pages)
                expected.push_back(normalised(page + " nrp=" + std::to_string(p)));
        EXPECT_EQ(printed(rig), expected);
        EXPECT_EQ(warnings.size(), 2 * c.warnings) << "once per person";
        EXPECT_EQ(rig.of("warning").size(), 2 * c.warnings) << "and in the trace";
        for (const auto& p : prompts(rig))
            EXPECT_EQ(p.find("(p"), std::string::npos) << "PIT/B prompts name no person: " << p;
    }
}

TEST(pit36_dialog, boxes_of_missing_attachments_and_nothing_to_print)
{
    dialog_rig rig;
    auto d = rig.open("Tf_wydpit36");
    int result = rig.show(*d, [](kestrun::print_dialog& dlg) {
        EXPECT_EQ(dlg.PageBoxes().size(), 19u);
        for (auto* b : dlg.PageBoxes()) {
            const bool return_page = b->Name().find("_st_") != std::string::npos;
            const bool hidden = b->Name() == "Chbox_uz_1";
            EXPECT_EQ(b->Enabled, return_page || hidden) << b->Name();
            EXPECT_EQ(b->Visible, !hidden) << b->Name();
        }
        dlg.kl_zmust->Click();
        for (auto* b : dlg.PageBoxes())
            EXPECT_FALSE(b->Checked) << b->Name() << ": toggled off, the hidden box too";
        EXPECT_FALSE(dlg.FindComponent("Chbox_uz_1") == nullptr);
        dlg.kl_druk->Click();
    });
    EXPECT_EQ(result, kestrun::vcl::mrOk);
    EXPECT_TRUE(rig.of("message_box").empty()) << "all boxes unchecked: no prompt";
    EXPECT_TRUE(rig.pages.empty());
    EXPECT_EQ(d->WhyDisabled(*kestrun::testing::box(*d, "ChBox_z_1")),
              "the return has no PIT/Z attachment (rekzez.zal_z is 0)");
}

TEST(pit36_dialog, blank_paper_choice_is_written_to_its_own_field)
{
    dialog_rig rig;
    auto d = rig.open("Tf_wydpit36");
    rig.show(*d, [&](kestrun::print_dialog& dlg) {
        dlg.ChB_niezadr->Click();
        EXPECT_EQ(dlg.Caption, "Wydruk zeznania PIT-36 (za rok 2015)");
        dlg.kl_anuluj->Click();
    });
    EXPECT_EQ(rig.of("settings_write"), strings{R"({"field":"wydr_niezadr36","value":true})"});
    EXPECT_TRUE(rig.host.rekster().flag("wydr_niezadr36"));
}

} // namespace

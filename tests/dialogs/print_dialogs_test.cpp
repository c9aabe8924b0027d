// The print dialogs driven as a user would. PIT-28: which pages it offers, in which order it asks
// for them and prints them, in both modes, and what it remembers. PIT-36 and PIT-36L: the
// conditions of the per-person attachments, the PIT/B sheets, Cancel on one page, PIT-36L's PIT/Z
// for idm 4 only, and the PIT-36L dialog's exported instance.

#include "dialog_rig.h"
#include "dialogs/Zw36l_15.h"
#include "framework/printrun/dialog_registry.h"
#include "host/korvel/proc_dr.h"
#include "tests/support/record_builder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace kestrun::testing;
using strings = std::vector<std::string>;

// Switches to blank paper, if not on it already, and prints.
void print_blank(kestrun::print_dialog& d)
{
    if (!d.ChB_niezadr->Checked)
        d.ChB_niezadr->Click();
    d.kl_druk->Click();
}

TEST(pit28_dialog, partnership_attachments_repeat_both_pages_in_turn_within_the_records_four)
{
    struct mode_case {
        int il_zal_b;
        mode m;
        std::string prompt; // page k of an attachment asks prompt + "k/2"
        const char* why;
    };
    const mode_case cases[] = {
        {2, mode::blank, "Wydruk PIT-28/B ",
         "blank paper: the page reports get partnerships 1 to 4"},
        {2, mode::preprinted, "Włóż druk PIT-28/B ",
         "pre-printed: the host prints attachment 1 then attachment 2"},
        {5, mode::blank, "Wydruk PIT-28/B ",
         "more attachments than the record holds: two print, and a warning once"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        rig.host.rek28_mut().set_integer("il_zal_b", c.il_zal_b);
        print(rig, "Tf_wydpit28", c.m, [](auto& dlg) { only(dlg, {"chbox_b_1", "chbox_b_2"}); });
        EXPECT_EQ(prompts(rig), (strings{c.prompt + "1/2", c.prompt + "2/2", c.prompt + "1/2",
                                         c.prompt + "2/2"}));
        EXPECT_EQ(printed(rig), (strings{"TF_w28b15_1 nrsp=1", "TF_w28b15_2 nrsp=2",
                                         "TF_w28b15_1 nrsp=3", "TF_w28b15_2 nrsp=4"}));
        EXPECT_EQ(rig.sequence({"direct"}).size(), c.m == mode::blank ? 0u : 4u);
        const auto warnings = rig.of("warning");
        ASSERT_EQ(warnings.size(), c.il_zal_b > 2 ? 1u : 0u);
        for (const auto& w : warnings)
            EXPECT_NE(w.find("il_zal_b is 5"), std::string::npos) << w;
    }
}

TEST(pit28_dialog, missing_attachments_are_switched_off_and_toggle_all_leaves_them)
{
    struct count_case {
        const char* field;
        strings boxes;
    };
    const count_case cases[] = {
        {"zal_o", {"chbox_o_1", "chbox_o_2"}},
        {"zal_d", {"chbox_d_1", "chbox_d_2"}},
        {"zal_2k", {"chbox_2k"}},
        {"zal_a", {"chbox_a"}},
        {"il_zal_b", {"chbox_b_1", "chbox_b_2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        dialog_rig rig;
        rig.every_attachment();
        rig.host.rek28_mut().set_integer_at(*kestrun::host::rek28_layout.find(c.field), 0, 0);
        auto d = rig.open();
        d->Activate();
        for (auto* b : d->PageBoxes()) {
            const bool lacking =
                std::find(c.boxes.begin(), c.boxes.end(), b->Name()) != c.boxes.end();
            EXPECT_EQ(b->Enabled, !lacking) << b->Name();
            EXPECT_EQ(b->Checked, !lacking) << b->Name();
        }
        d->kl_zmustClick(d.get());
        for (auto* b : d->PageBoxes())
            EXPECT_FALSE(b->Checked) << b->Name() << ": toggled off, or never on";
        EXPECT_FALSE(d->ChB_niezadr->Checked) << "the mode box is not a page box";
        d->pm_zm_wsz->Click();
        for (auto* b : d->PageBoxes()) {
            const bool lacking =
                std::find(c.boxes.begin(), c.boxes.end(), b->Name()) != c.boxes.end();
            EXPECT_EQ(b->Checked, !lacking) << b->Name() << ": the menu item toggles too";
        }
        EXPECT_NE(d->WhyDisabled(*box(*d, c.boxes[0])).find(std::string("rek28.") + c.field),
                  std::string::npos);
        d->Deactivate();
    }
}

TEST(pit28_dialog, print_port_hides_the_choice_prints_direct_and_saves_nothing)
{
    dialog_rig rig;
    rig.every_attachment();
    auto stored = rig.host.rekster_mut();
    stored.set_flag("dr_port", true);
    stored.set_flag("wydr_niezadr28", true);
    auto d = rig.open();
    rig.show(*d, [](auto& dlg) {
        EXPECT_FALSE(dlg.ust_dr->Visible);
        EXPECT_FALSE(dlg.ChB_niezadr->Visible);
        EXPECT_EQ(dlg.Caption, "Wydruk zeznania PIT-28");
        EXPECT_FALSE(dlg.ChB_niezadr->Click()) << "a hidden box takes no click";
        dlg.kl_druk->Click();
    });
    EXPECT_TRUE(rig.pages.empty()) << "no page report in pre-printed mode";
    EXPECT_TRUE(rig.of("end_doc").empty());
    for (const auto& w : rig.of("wysuw_str"))
        EXPECT_EQ(w, R"({"object":"drukzez"})") << "every sheet ejected through drukzez";
    EXPECT_TRUE(rig.of("settings_write").empty());
    EXPECT_TRUE(std::filesystem::exists(rig.folder / Proc_dr::port_file_name));
}

TEST(pit28_dialog, direct_page_sequence_follows_the_host_objects)
{
    dialog_rig rig;
    rig.host.rek28_mut().set_integer("zal_o", 1);
    print(rig, "Tf_wydpit28", mode::preprinted, [](auto& dlg) {
        only(dlg, {"chbox_st_1", "chbox_o_1"});
    });
    EXPECT_EQ(rig.sequence({"message_box", "prepare", "inic_dr", "start_dr_win", "direct",
                            "end_doc", "wysuw_str", "page_report"}),
              (strings{"prompt Włóż druk PIT-28 1/4", "inic_dr", "start_dr_win", "direct w28_st1",
                       "end_doc", "prompt Włóż druk PIT/O 1/3", "prepare przep_zalo", "inic_dr",
                       "start_dr_win", "direct wydzalo_I", "end_doc"}));
    EXPECT_EQ(rig.of("inic_dr"),
              (strings{R"({"object":"wydp28","n":0})", R"({"object":"drukzez","n":0})"}));
    EXPECT_EQ(rig.jobs.front(), "job PDF unit_of_TF_w2815_1");
}

TEST(pit28_dialog, prompts_carry_the_caption_flags_and_second_line)
{
    dialog_rig rig;
    auto d = rig.open();
    rig.show(*d, [](auto& dlg) {
        only(dlg, {"chbox_st_2"});
        dlg.ChB_niezadr->Click();
        dlg.kl_druk->Click();
    });
    EXPECT_EQ(
        rig.of("message_box"),
        strings{
            R"({"caption":"Wydruk zeznania PIT-28","text":"Wydruk strony 2/4\n\r   Włóż kartkę","flags":49,"answer":1})"});
}

TEST(pit28_dialog, preparation_only_for_confirmed_attachment_pages)
{
    struct answer_case {
        std::vector<int> answers;
        strings prepared;
        strings printed;
        const char* why;
    };
    using kestrun::vcl::IDCANCEL;
    using kestrun::vcl::IDOK;
    const answer_case cases[] = {
        {{IDOK, IDOK, IDOK, IDOK},
         {"prepare przep_zalo", "prepare przep_zalo", "prepare przep_zald", "prepare przep_zal2k"},
         {"TF_wo15_1", "TF_wo15_2", "TF_wd15_1", "TF_w2k15_1"},
         "every page confirmed"},
        {{IDCANCEL, IDOK, IDOK, IDOK},
         {"prepare przep_zalo", "prepare przep_zald", "prepare przep_zal2k"},
         {"TF_wo15_2", "TF_wd15_1", "TF_w2k15_1"},
         "PIT/O 1/3 cancelled: no preparation for it, and the run goes on"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        rig.every_attachment();
        rig.answers = c.answers;
        auto d = rig.open();
        rig.show(*d, [](auto& dlg) {
            only(dlg, {"chbox_o_1", "chbox_o_2", "chbox_d_1", "chbox_2k"});
            print_blank(dlg);
        });
        EXPECT_EQ(rig.sequence({"prepare"}), c.prepared);
        EXPECT_EQ(rig.pages, c.printed);
        EXPECT_EQ(d->PagesSkipped(), static_cast<int>(4 - c.printed.size()));
    }
}

TEST(print_dialogs, mode_is_saved_once_in_the_dialogs_own_field_and_shown_next_time)
{
    struct dialog_case {
        const char *dialog, *field, *caption;
    };
    for (const auto& [dialog, field, caption] :
         {dialog_case{"Tf_wydpit28", "wydr_niezadr28", "Wydruk zeznania PIT-28 (za rok 2015)"},
          dialog_case{"Tf_wydpit36", "wydr_niezadr36", "Wydruk zeznania PIT-36 (za rok 2015)"}}) {
        SCOPED_TRACE(dialog);
        dialog_rig rig;
        {
            auto d = rig.open(dialog);
            rig.show(*d, [](auto& dlg) {
                dlg.ChB_niezadr->Click();
                dlg.ChB_niezadr->Click();
                dlg.ChB_niezadr->Click();
                dlg.kl_anuluj->Click();
            });
        }
        EXPECT_EQ(rig.of("settings_write"),
                  strings{R"({"field":")" + std::string(field) + R"(","value":true})"});
        kestrun::host::host_state fresh;
        kestrun::host::load_settings(rig.folder, fresh);
        EXPECT_TRUE(fresh.rekster().flag_at(*kestrun::host::rekster_layout.find(field), 0))
            << "record 0 of zbster holds it";

        rig.events.clear();
        auto again = rig.open(dialog);
        rig.show(*again, [shown = caption](auto& dlg) {
            EXPECT_TRUE(dlg.ChB_niezadr->Checked);
            EXPECT_EQ(dlg.Caption, shown);
            dlg.kl_anuluj->Click();
        });
        EXPECT_TRUE(rig.of("settings_write").empty()) << "unchanged: nothing written";
        EXPECT_TRUE(rig.pages.empty()) << "Anuluj prints nothing";
    }
}

TEST(pit28_dialog, printer_failure_mid_run_keeps_printed_pages_and_frees_everything)
{
    dialog_rig rig;
    rig.every_attachment();
    rig.fail_on_job = 3;
    auto d = rig.open();
    const int designed = d->ComponentCount();
    EXPECT_THROW(rig.show(*d, print_blank), kestrun::error);
    EXPECT_EQ(kestrun::vcl::Printer()->JobsCompleted(), 2) << "pages already printed stay";
    EXPECT_EQ(rig.pages.size(), 3u) << "the third page was filled, then its job failed";
    EXPECT_EQ(Proc_dr::tdruk::live_objects(), 0) << "the host objects are freed";
    EXPECT_EQ(d->ComponentCount(), designed) << "no page report left owned by the dialog";
    EXPECT_FALSE(d->Active()) << "the dialog closed";
}

TEST(pit28_dialog, missing_page_class_is_a_clear_error)
{
    dialog_rig rig;
    rig.missing = {"TF_w2815_3"};
    try {
        print(rig, "Tf_wydpit28", mode::blank);
        FAIL() << "a page that is not built cannot print";
    } catch (const kestrun::error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "this kestrun cannot print PIT-28 3/4: its page report TF_w2815_3 is missing");
    }
    EXPECT_EQ(rig.pages, (strings{"TF_w2815_1", "TF_w2815_2"}));
}

TEST(pit28_dialog, printer_frame_names_a_newly_chosen_printer_only)
{
    dialog_rig rig;
    auto d = rig.open();
    auto* printer = kestrun::vcl::Printer();
    struct choice_case {
        std::optional<int> chosen;
        const char* shown;
        const char* why;
    };
    const choice_case cases[] = {
        {std::nullopt, "PDF", "Cancel changes nothing"},
        {0, "PDF", "the same printer confirmed keeps the text"},
        {1, "Biuro", "another printer is named"},
    };
    rig.show(*d, [&](auto& dlg) {
        EXPECT_EQ(dlg.ust_dr->e_druk->Caption, "PDF") << "activation names the printer in use";
        for (const auto& c : cases) {
            SCOPED_TRACE(c.why);
            dlg.ust_dr->e_druk->Caption = "PDF";
            printer->PrinterIndex = 0;
            auto previous =
                kestrun::vcl::TPrintDialog::SetChooser([&](const auto&, int) { return c.chosen; });
            dlg.ust_dr->kl_ustdr->Click();
            kestrun::vcl::TPrintDialog::SetChooser(previous);
            EXPECT_EQ(dlg.ust_dr->e_druk->Caption, c.shown);
        }
        dlg.kl_zmust->Click();
        dlg.pm_zm_wsz->Click();
        dlg.ChB_niezadr->Click();
        only(dlg, {"chbox_st_1"});
        dlg.kl_druk->Click();
    });
    EXPECT_EQ(rig.jobs.front(), "job Biuro W2k15_1") << "the next page prints on the new printer";
    EXPECT_EQ(rig.of("page_report").at(0).find(R"("printer":"Biuro")") != std::string::npos, true);
    printer->PrinterIndex = 0;
}

using kestrun::vcl::IDCANCEL;
using kestrun::vcl::IDOK;

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
        rig.every_attachment();
        kestrun::test::rekzez_builder z(rig.host);
        z.integer("idp", 0).integer("idm", 0);
        z.person(1).real("pitm_ds1", 0);
        z.person(2).real("pitm_ds2", 0);
        c.data(z);
        rig.answers = c.answers;
        print(rig, "Tf_wydpit36", mode::blank, [&](kestrun::print_dialog& d) { only(d, c.boxes); });
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

// A joint PIT-36L return with PIT/Z and PIT/ZG attachments: the spouse's data must never print.
void pit36l_return(dialog_rig& rig, int idm)
{
    kestrun::test::rekzez_builder(rig.host)
        .integer("zal_z", 1)
        .integer("zal_zg", 1)
        .integer("idm", idm)
        .joint();
}

TEST(pit36l_dialog, pitz_prints_for_idm_4_only)
{
    for (int idm : {4, 3}) {
        SCOPED_TRACE(idm);
        dialog_rig rig;
        pit36l_return(rig, idm);
        kestrun::testing::print(rig, "Tf_wydpit36L", mode::preprinted, [](auto& dlg) {
            only(dlg, {"ChBox_z_1", "ChBox_z_2"});
        });
        EXPECT_EQ(printed(rig),
                  (idm == 4 ? strings{"TF_wz15_1 nrp=1", "TF_wz15_2 nrp=1"} : strings{}));
    }
}

TEST(pit36l_dialog, cancel_on_pitz_page_2_and_the_exported_instance)
{
    dialog_rig rig;
    pit36l_return(rig, 4);
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

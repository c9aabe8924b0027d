// The PIT-28 print dialog driven as a user would: which pages it offers, in which order it asks
// for them and prints them, in both modes, and what it remembers.

#include "dialog_rig.h"
#include "framework/printrun/dialog_registry.h"
#include "host/korvel/proc_dr.h"

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

void print(dialog_rig& rig, mode m, const std::function<void(kestrun::print_dialog&)>& choose = {})
{
    kestrun::testing::print(rig, "Tf_wydpit28", m, choose);
}

TEST(pit28_dialog, page_table_order_with_every_attachment)
{
    dialog_rig rig;
    rig.every_attachment(1);
    auto d = rig.open();
    EXPECT_EQ(rig.show(*d, print_blank), 1);
    EXPECT_EQ(kestrun::testing::printed(rig), every_page(kestrun::pit28_catalogue, 1));
    EXPECT_EQ(d->PagesPrinted(), 12);
    EXPECT_EQ(kestrun::vcl::Printer()->JobsCompleted(), 12) << "each page its own job";
}

TEST(pit28_dialog, partnership_attachments_repeat_both_pages_in_turn)
{
    struct mode_case {
        mode m;
        strings prompts;
        strings printed;
        const char* why;
    };
    const mode_case cases[] = {
        {mode::blank,
         {"Wydruk PIT-28/B 1/2", "Wydruk PIT-28/B 2/2", "Wydruk PIT-28/B 1/2",
          "Wydruk PIT-28/B 2/2"},
         {"TF_w28b15_1 nrsp=1", "TF_w28b15_2 nrsp=2", "TF_w28b15_1 nrsp=3", "TF_w28b15_2 nrsp=4"},
         "blank paper: the page reports get partnerships 1 to 4"},
        {mode::preprinted,
         {"Włóż druk PIT-28/B 1/2", "Włóż druk PIT-28/B 2/2", "Włóż druk PIT-28/B 1/2",
          "Włóż druk PIT-28/B 2/2"},
         {"direct zal_b_1", "direct zal_b_2", "direct zal_b_1", "direct zal_b_2"},
         "pre-printed: the host prints attachment 1 then attachment 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        dialog_rig rig;
        rig.host.rek28_mut().set_integer("il_zal_b", 2);
        print(rig, c.m, [](auto& dlg) { only(dlg, {"chbox_b_1", "chbox_b_2"}); });
        EXPECT_EQ(prompts(rig), c.prompts);
        if (c.m == mode::blank) {
            EXPECT_EQ(rig.pages, c.printed);
        } else {
            EXPECT_EQ(rig.sequence({"direct"}), c.printed);
            EXPECT_EQ(rig.of("direct"),
                      (strings{R"({"object":"wydp28","method":"zal_b_1","args":[1]})",
                               R"({"object":"wydp28","method":"zal_b_2","args":[1]})",
                               R"({"object":"wydp28","method":"zal_b_1","args":[2]})",
                               R"({"object":"wydp28","method":"zal_b_2","args":[2]})"}));
            EXPECT_EQ(rig.direct, (strings{"TF_w28b15_1 nrsp=1", "TF_w28b15_2 nrsp=2",
                                           "TF_w28b15_1 nrsp=3", "TF_w28b15_2 nrsp=4"}));
        }
    }
}

TEST(pit28_dialog, more_attachments_than_the_record_holds_print_two_and_warn_once)
{
    dialog_rig rig;
    rig.host.rek28_mut().set_integer("il_zal_b", 5);
    auto d = rig.open();
    strings warnings;
    d->OnWarning = [&](const std::string& w) { warnings.push_back(w); };
    rig.show(*d, print_blank);
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(rig.of("warning").size(), 1u);
    EXPECT_NE(warnings.at(0).find("il_zal_b is 5"), std::string::npos) << warnings.at(0);
    strings partnerships;
    for (const auto& p : rig.pages)
        if (p.starts_with("TF_w28b"))
            partnerships.push_back(p);
    EXPECT_EQ(partnerships, (strings{"TF_w28b15_1 nrsp=1", "TF_w28b15_2 nrsp=2",
                                     "TF_w28b15_1 nrsp=3", "TF_w28b15_2 nrsp=4"}))
        << "never a partnership past the record's four";
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
    rig.every_attachment(1);
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
    EXPECT_EQ(rig.direct.size(), 12u);
    EXPECT_TRUE(rig.of("end_doc").empty());
    EXPECT_EQ(rig.of("wysuw_str").size(), 12u) << "every sheet ejected through drukzez";
    for (const auto& w : rig.of("wysuw_str"))
        EXPECT_EQ(w, R"({"object":"drukzez"})");
    EXPECT_TRUE(rig.of("settings_write").empty());
    EXPECT_TRUE(rig.jobs.empty()) << "nothing goes to the platform printer";
    EXPECT_TRUE(std::filesystem::exists(rig.folder / Proc_dr::port_file_name));
}

TEST(pit28_dialog, direct_page_sequence_follows_the_host_objects)
{
    dialog_rig rig;
    rig.host.rek28_mut().set_integer("zal_o", 1);
    print(rig, mode::preprinted, [](auto& dlg) { only(dlg, {"chbox_st_1", "chbox_o_1"}); });
    EXPECT_EQ(rig.sequence({"message_box", "prepare", "inic_dr", "start_dr_win", "direct",
                            "end_doc", "wysuw_str", "page_report"}),
              (strings{"prompt Włóż druk PIT-28 1/4", "inic_dr", "start_dr_win", "direct w28_st1",
                       "end_doc", "prompt Włóż druk PIT/O 1/3", "prepare przep_zalo", "inic_dr",
                       "start_dr_win", "direct wydzalo_I", "end_doc"}));
    EXPECT_EQ(rig.of("inic_dr"),
              (strings{R"({"object":"wydp28","n":0})", R"({"object":"drukzez","n":0})"}));
    EXPECT_EQ(rig.jobs.front(), "job PDF unit_of_TF_w2815_1");
    EXPECT_EQ(rig.of("tables"), kestrun::testing::tables_of(kestrun::pit28_catalogue));
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

TEST(pit28_dialog, mode_is_saved_once_and_shown_next_time)
{
    dialog_rig rig;
    {
        auto d = rig.open();
        rig.show(*d, [](auto& dlg) {
            dlg.ChB_niezadr->Click();
            dlg.ChB_niezadr->Click();
            dlg.ChB_niezadr->Click();
            dlg.kl_anuluj->Click();
        });
    }
    EXPECT_EQ(rig.of("settings_write"), strings{R"({"field":"wydr_niezadr28","value":true})"});
    kestrun::host::host_state fresh;
    kestrun::host::load_settings(rig.folder, fresh);
    EXPECT_TRUE(fresh.rekster().flag("wydr_niezadr28")) << "record 0 of zbster holds it";

    rig.events.clear();
    auto again = rig.open();
    rig.show(*again, [](auto& dlg) {
        EXPECT_TRUE(dlg.ChB_niezadr->Checked);
        EXPECT_EQ(dlg.Caption, "Wydruk zeznania PIT-28 (za rok 2015)");
        dlg.kl_anuluj->Click();
    });
    EXPECT_TRUE(rig.of("settings_write").empty()) << "unchanged: nothing written";
    EXPECT_TRUE(rig.pages.empty()) << "Anuluj prints nothing";
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
        print(rig, mode::blank);
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

} // namespace

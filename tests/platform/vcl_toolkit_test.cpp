// The toolkit stand-in: what a user's clicks do to the controls, how a modal form opens and
// closes, the message box's answerers and the printer object.

#include "platform/error.h"
#include "platform/vcl/application.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/printer.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace kestrun::vcl;

TEST(vcl_controls, clicks_reach_only_what_a_user_can_reach)
{
    struct reach_case {
        bool form_shown, parent_enabled, box_visible, box_enabled;
        bool clicked;
        const char* why;
    };
    const reach_case cases[] = {
        {true, true, true, true, true, "shown and enabled"},
        {false, true, true, true, false, "the form is not shown"},
        {true, false, true, true, false, "its group is disabled"},
        {true, true, false, true, false, "the box is hidden"},
        {true, true, true, false, false, "the box is disabled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TForm form(nullptr);
        auto* group = new TGroupBox(&form);
        group->SetParent(&form);
        auto* box = new TCheckBox(&form);
        box->SetParent(group);
        int clicks = 0;
        box->OnClick = [&](TObject*) { ++clicks; };
        form.Visible = c.form_shown;
        group->Enabled = c.parent_enabled;
        box->Visible = c.box_visible;
        box->Enabled = c.box_enabled;
        EXPECT_EQ(box->Click(), c.clicked);
        EXPECT_EQ(box->Checked, c.clicked);
        EXPECT_EQ(clicks, c.clicked ? 1 : 0);
    }
}

TEST(vcl_forms, show_modal_activates_acts_and_deactivates)
{
    struct modal_case {
        int button_result; // 0: the user closes the window
        bool throws;
        int result;
        const char* why;
    };
    const modal_case cases[] = {
        {mrOk, false, mrOk, "the OK button closes with OK"},
        {mrCancel, false, mrCancel, "the cancel button closes with Cancel"},
        {0, false, mrCancel, "closing the window is Cancel"},
        {mrOk, true, 0, "a failure in a handler still closes the form"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TForm form(nullptr);
        auto* button = new TButton(&form);
        button->SetParent(&form);
        button->ModalResult = c.button_result;
        std::vector<std::string> log;
        form.OnActivate = [&](TObject*) { log.push_back("activate"); };
        form.OnDeactivate = [&](TObject*) { log.push_back("deactivate"); };
        button->OnClick = [&](TObject*) {
            log.push_back("click");
            if (c.throws)
                throw kestrun::render_error("printer jammed");
        };
        scoped_user user(scripted_answers({}), [&](TForm&) {
            if (c.button_result != 0)
                button->Click();
        });
        if (c.throws) {
            EXPECT_THROW(form.ShowModal(), kestrun::error);
        } else {
            EXPECT_EQ(form.ShowModal(), c.result);
        }
        std::vector<std::string> expected{"activate"};
        if (c.button_result != 0)
            expected.push_back("click");
        expected.push_back("deactivate");
        EXPECT_EQ(log, expected);
        EXPECT_FALSE(form.Visible);
        EXPECT_FALSE(form.Active());
    }
}

TEST(vcl_application, answerers_script_and_terminal)
{
    auto scripted = scripted_answers({IDCANCEL, IDOK});
    EXPECT_EQ(scripted("a", "c", 0x31), IDCANCEL);
    EXPECT_EQ(scripted("a", "c", 0x31), IDOK);
    EXPECT_EQ(scripted("a", "c", 0x31), IDOK) << "after the script, OK";

    struct line_case {
        const char* input;
        int answer;
        const char* why;
    };
    const line_case cases[] = {
        {"\n", IDOK, "Enter is OK"},
        {"ok\n", IDOK, "ok"},
        {"A\n", IDCANCEL, "a for Anuluj, any case"},
        {"what\ncancel\n", IDCANCEL, "asked again until understood"},
        {"", IDCANCEL, "end of input cancels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::istringstream in(c.input);
        std::ostringstream out;
        auto terminal = terminal_answerer(in, out);
        EXPECT_EQ(terminal("Wydruk strony 1/4\n\r   Włóż kartkę", "Wydruk", 0x31), c.answer);
        EXPECT_EQ(out.str().find('\r'), std::string::npos) << "no carriage return on a terminal";
        EXPECT_NE(out.str().find("   Włóż kartkę"), std::string::npos);
    }
}

TEST(vcl_printer, current_printer_and_job_files)
{
    TPrinter printer;
    printer.SetDevices({{"Biuro", kestrun::printing::device_kind::cups, false},
                        {"PDF", kestrun::printing::device_kind::pdf, false}});
    EXPECT_EQ(printer.PrinterIndex, 1) << "no CUPS default: PDF is current";
    printer.SetDevices({{"Biuro", kestrun::printing::device_kind::cups, true},
                        {"PDF", kestrun::printing::device_kind::pdf, false}});
    EXPECT_EQ(printer.PrinterIndex, 0) << "the CUPS default is current";

    printer.PrinterIndex = 1;
    printer.SetOutputFolder("/out");
    std::vector<std::string> files;
    std::vector<std::string> log;
    printer.SetDeviceOpener([&](const auto&, const std::string&, const std::filesystem::path& f) {
        files.push_back(f.string());
        return kestrun::printing::make_recording_target(log);
    });
    printer.OpenJob(1, "W2815_1")->finish();
    printer.Title = "Wo15_1";
    printer.BeginDoc();
    printer.Canvas().begin_page({});
    printer.Canvas().end_page();
    EXPECT_TRUE(printer.Printing());
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    printer.EndDoc();
    EXPECT_EQ(files, (std::vector<std::string>{"/out/001-W2815_1.pdf", "/out/002-Wo15_1.pdf"}));
    EXPECT_EQ(printer.JobsCompleted(), 2);
    EXPECT_THROW(printer.OpenJob(7, "W2815_1"), kestrun::error) << "no such printer";
    EXPECT_THROW(printer.Canvas(), kestrun::error) << "no job open";
}

} // namespace

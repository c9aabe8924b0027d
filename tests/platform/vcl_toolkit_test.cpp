// The toolkit stand-in: what a user's clicks do to the controls, how a modal form opens and
// closes, the message box's answerers, the printer object and typed files.

#include "platform/vcl/application.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"
#include "platform/vcl/typed_file.h"
#include "tests/support/faults.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

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

TEST(vcl_controls, owner_frees_in_reverse_and_parents_forget_freed_children)
{
    auto* form = new TForm(nullptr);
    auto* first = new TCheckBox(form);
    auto* second = new TButton(form);
    second->SetParent(form);
    first->SetParent(form);
    EXPECT_EQ(form->Components(0), first) << "ownership order is creation order";
    EXPECT_EQ(form->Controls(0), second) << "parent order is the order of SetParent";
    delete second;
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 1);
    TCheckBox* kept = first;
    FreeAndNil(kept);
    EXPECT_EQ(kept, nullptr);
    EXPECT_EQ(form->ComponentCount(), 0);
    delete form;
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

// A trace file holds every event a run raised, one per line; a line lost to a full device makes
// the check fail rather than leave a silently short trace.
TEST(vcl_trace, a_file_sink_writes_each_event_and_reports_a_lost_line)
{
    const auto file = std::filesystem::temp_directory_path() /
                      ("kestrun-trace-" + std::to_string(::getpid()) + ".jsonl");
    {
        trace::file_sink sink(file, "--trace");
        trace::emit("activate", {{"dialog", "Tf_wydpit36"}});
        trace::emit("deactivate");
        sink.check();
    }
    EXPECT_FALSE(trace::enabled()) << "the sink ends with its scope";
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "{\"event\":\"activate\",\"dialog\":\"Tf_wydpit36\"}\n{\"event\":\"deactivate\"}\n");
    std::filesystem::remove(file);

    EXPECT_THROW(trace::file_sink("/nonexistent/dir/t.jsonl", "--trace"), kestrun::error);
    trace::file_sink full("/dev/full", "--trace");
    trace::emit("deactivate");
    try {
        full.check();
        ADD_FAILURE() << "a lost line passed the check";
    } catch (const kestrun::error& e) {
        EXPECT_EQ(e.kind(), kestrun::error_kind::io);
        EXPECT_STREQ(e.what(), "--trace /dev/full: cannot write the trace");
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

std::filesystem::path scratch(const char* name)
{
    auto dir =
        std::filesystem::temp_directory_path() / ("kestrun-vcl-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

TEST(vcl_typed_file, records_in_place_and_every_failure_an_io_error)
{
    const auto file = scratch("zbster");
    std::vector<std::uint8_t> a(4, 0xaa), b(4, 0xbb), c(4, 0xcc), got(4);
    TTypedFile f;
    f.AssignFile(file);
    f.Rewrite(4);
    f.Write(a);
    f.Write(b);
    f.CloseFile();
    f.Reset(4);
    f.Write(c); // record 0 in place, record 1 kept
    f.Seek(1);
    f.Read(got);
    EXPECT_EQ(got, b);
    f.CloseFile();
    EXPECT_EQ(std::filesystem::file_size(file), 8u) << "a reset never truncates";

    std::ofstream(scratch("plain")) << "x";
    struct failure_case {
        std::function<void(TTypedFile&)> run;
        const char* why;
    };
    const failure_case cases[] = {
        {[&](TTypedFile& t) { t.AssignFile(scratch("missing")), t.Reset(4); },
         "reset does not create the file"},
        {[&](TTypedFile& t) { t.AssignFile(scratch("plain") / "zbster"), t.Rewrite(4); },
         "a path below a regular file"},
        {[&](TTypedFile& t) { t.AssignFile("/dev/full"), t.Reset(4), t.Write(a); },
         "a device that is full"},
        {[&](TTypedFile& t) { t.AssignFile(file), t.Reset(4), t.Write(got = {1}); },
         "a write of another size than the record"},
        {[&](TTypedFile& t) { t.AssignFile(file), t.Reset(4), t.Seek(5), t.Read(got); },
         "a record past the end"},
        {[&](TTypedFile& t) { t.AssignFile(file), t.Write(a); }, "a file that is not open"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.why);
        TTypedFile t;
        EXPECT_NE(kestrun::testing::fault_of(kestrun::error_kind::io, [&] { k.run(t); }),
                  "no error");
        got.resize(4);
    }
    std::filesystem::remove_all(file.parent_path());
}

} // namespace

// The dialogs as windows, clicked through their Qt widgets: the same clicks give the same trace
// and the same pages as `kestrun print`; the widgets lie where the model puts them and their
// captions fit; the prompts are warning boxes with OK and "Anuluj"; a preview shows the page
// as it will print.

#include "apps/gui/dialog_window.h"
#include "apps/gui/gui_run.h"
#include "apps/gui/modal.h"
#include "apps/gui/preview.h"
#include "dialogs/print_run.h"
#include "framework/module.h"
#include "framework/printrun/dialog_registry.h"
#include "host/korvel/settings_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "tests/support/render_probe.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

namespace fs = std::filesystem;
using namespace kestrun;

const fs::path examples = fs::path(KESTRUN_SOURCE_DIR) / "examples";

using printing::probe::read_bytes;
using printing::probe::scratch_dir;

// The trace with the run's own folder named alike, so two runs into two folders compare.
std::vector<std::string> trace_lines(const fs::path& file, const fs::path& out)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        for (auto at = line.find(out.string()); at != std::string::npos;
             at = line.find(out.string()))
            line.replace(at, out.string().size(), "OUT");
        lines.push_back(line);
    }
    return lines;
}

std::map<std::string, std::vector<std::uint8_t>> pages_in(const fs::path& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> pages;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".pdf")
            pages[entry.path().filename().string()] = read_bytes(entry.path());
    return pages;
}

// What a person does in a dialog, in the command line's order.
struct clicks {
    std::string type;
    std::string file;
    std::string mode; // empty: as stored
    bool toggle_all = false;
    std::vector<std::string> uncheck, check;
    std::vector<bool> answers; // true OK; OK for every further prompt
};

std::string cli_args(const clicks& c)
{
    std::string args = "print " + c.type + " " + (examples / c.file).string() + " --printer PDF";
    if (!c.mode.empty())
        args += " --mode " + c.mode;
    if (c.toggle_all)
        args += " --toggle-all";
    for (const auto& b : c.uncheck)
        args += " --uncheck " + b;
    for (const auto& b : c.check)
        args += " --check " + b;
    args += " --answers ";
    for (std::size_t i = 0; i < c.answers.size(); ++i)
        args += (i ? "," : "") + std::string(c.answers[i] ? "ok" : "cancel");
    return args + (c.answers.empty() ? "ok" : "");
}

template <class W> W* child(QWidget& window, const std::string& name)
{
    auto* w = window.findChild<W*>(QString::fromStdString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Acts in each modal window as the person of `c`: the dialog clicked through its widgets, the
// printer chosen in the printer list, the prompts answered in order.
gui::modal_watcher person(const clicks& c, std::vector<std::string>& prompts)
{
    auto answers = std::make_shared<std::deque<bool>>(c.answers.begin(), c.answers.end());
    return [c, answers, &prompts](QDialog& window) {
        if (auto* box = qobject_cast<QMessageBox*>(&window)) {
            prompts.push_back(box->windowTitle().toStdString());
            const bool ok = answers->empty() || answers->front();
            if (!answers->empty())
                answers->pop_front();
            for (auto* button : box->buttons())
                if (button->text() == (ok ? "OK" : "Anuluj"))
                    return button->click();
            return ADD_FAILURE() << "no button " << (ok ? "OK" : "Anuluj");
        }
        if (auto* list = window.findChild<QListWidget*>("choices")) {
            const auto pdf = list->findItems("PDF", Qt::MatchExactly);
            EXPECT_EQ(pdf.size(), 1) << "the built-in PDF printer is offered";
            list->setCurrentItem(pdf.value(0));
            return window.accept();
        }
        auto* blank = child<QCheckBox>(window, "ChB_niezadr");
        if (!c.mode.empty() && (c.mode == "blank") != blank->isChecked())
            blank->click();
        if (c.toggle_all)
            child<QPushButton>(window, "kl_zmust")->click();
        for (const auto& name : c.uncheck)
            if (auto* box = child<QCheckBox>(window, name); box->isChecked())
                box->click();
        for (const auto& name : c.check)
            if (auto* box = child<QCheckBox>(window, name); !box->isChecked())
                box->click();
        child<QPushButton>(window, "kl_ustdr")->click();
        EXPECT_EQ(child<QLabel>(window, "e_druk")->text(), "PDF");
        child<QPushButton>(window, "kl_druk")->click();
    };
}

// One person's clicks in the window and on the command line: the same prompts and answers,
// the same trace line for line, and the same pages byte for byte.
TEST(gui_as_command_line, same_clicks_same_trace_and_pages)
{
    const clicks cases[] = {
        {"pit36",
         "pit36_joint.json",
         "blank",
         true,
         {},
         {"chbox_st_1", "ChBox_st_6", "chbox_b_1", "chbox_o_1", "ChBox_z_1", "chbox_m_1"},
         {true, false, true}},
        {"pit28", "pit28.json", "blank", true, {}, {"chbox_st_1", "chbox_o_1"}, {}},
        {"pit37", "pit37.json", "blank", false, {"chbox_st_2"}, {}, {false}},
        {"pit36l", "pit36l.json", "preprinted", false, {}, {}, {true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(cli_args(c));
        scratch_dir tmp;
        const auto gui_out = tmp / "gui", cli_out = tmp / "cli";
        const std::string cmd = "KESTRUN_NO_CUPS=1 " + std::string(KESTRUN_CLI) + " " +
                                cli_args(c) + " --quiet --out " + cli_out.string() +
                                " --settings " + (tmp / "cli-settings").string() + " --trace " +
                                (tmp / "cli.trace").string() + " </dev/null";
        ASSERT_EQ(printing::probe::run(cmd).status, 0);

        std::vector<std::string> prompts;
        auto previous = gui::set_modal_watcher(person(c, prompts));
        const int status =
            gui::run({examples / c.file, c.type, gui_out, tmp / "gui-settings", tmp / "gui.trace"});
        gui::set_modal_watcher(std::move(previous));
        ASSERT_EQ(status, 0);

        const auto gui_trace = trace_lines(tmp / "gui.trace", gui_out);
        EXPECT_GT(gui_trace.size(), 4U);
        EXPECT_EQ(gui_trace, trace_lines(tmp / "cli.trace", cli_out));
        EXPECT_GE(prompts.size(), c.answers.size());
        const auto pages = pages_in(gui_out);
        EXPECT_FALSE(pages.empty());
        EXPECT_TRUE(pages == pages_in(cli_out)) << "the PDF pages differ";
    }
}

TEST(gui_prompts, a_warning_box_with_ok_and_anuluj_without_the_carriage_return)
{
    struct seen {
        QMessageBox::Icon icon;
        QString title, text;
        std::vector<QString> buttons;
    } shown{};
    auto previous = gui::set_modal_watcher([&](QDialog& window) {
        auto& box = dynamic_cast<QMessageBox&>(window);
        shown = {box.icon(), box.windowTitle(), box.text(), {}};
        QAbstractButton* cancel = nullptr;
        for (auto* b : box.buttons()) {
            shown.buttons.push_back(b->text());
            if (b->text() == "Anuluj")
                cancel = b;
        }
        ASSERT_NE(cancel, nullptr);
        cancel->click();
    });
    const int answer = gui::message_box_answerer()(blank_paper_prompt("Wydruk strony 1/6"),
                                                   "Wydruk zeznania PIT-36", prompt_flags);
    gui::set_modal_watcher(std::move(previous));
    EXPECT_EQ(answer, vcl::IDCANCEL);
    EXPECT_EQ(shown.icon, QMessageBox::Warning);
    EXPECT_EQ(shown.title, "Wydruk zeznania PIT-36");
    EXPECT_EQ(shown.text, QString::fromUtf8("Wydruk strony 1/6\n   Włóż kartkę"));
    EXPECT_EQ(shown.buttons.size(), 2U);
}

// A dialog model of an example return, activated as ShowModal activates it.
struct open_dialog {
    host::host_state state;
    scratch_dir settings;
    std::unique_ptr<print_dialog> model;
    open_dialog(const std::string& type, const std::string& file)
        : state(load_return({examples / file, {}}).state)
    {
        host::load_settings(settings.path(), state);
        model.reset(find_dialog_class(find_return_type(type)->dialog_class)
                        ->create(nullptr, state, settings.path()));
        model->Visible = true; // as ShowModal shows it
        model->Activate();
    }
};

// Every control lies where the model puts it (its position on the form, summed over its
// parents, within 2 px), is shown as the model shows it, and its caption fits its width.
TEST(gui_layout, widgets_at_the_model_positions_with_captions_that_fit)
{
    const std::pair<const char*, const char*> dialogs[] = {{"pit28", "pit28.json"},
                                                           {"pit36", "pit36_joint.json"},
                                                           {"pit37", "pit37.json"},
                                                           {"pit36l", "pit36l.json"}};
    for (const auto& [type, file] : dialogs) {
        SCOPED_TRACE(type);
        open_dialog d(type, file);
        gui::dialog_window window(*d.model, {});
        window.show();
        EXPECT_EQ(window.size(), QSize(d.model->Width, d.model->Height));
        EXPECT_EQ(window.windowTitle().toStdString(), d.model->Caption);
        int checked = 0;
        std::function<void(const vcl::TControl&, QPoint, bool)> walk =
            [&](const vcl::TControl& c, QPoint origin, bool parent_shown) {
                const QPoint at = origin + QPoint(c.Left, c.Top);
                auto* w = window.widget_of(c);
                ASSERT_NE(w, nullptr) << c.Name();
                const QPoint shown = w->mapTo(&window, QPoint(0, 0));
                EXPECT_LE((shown - at).manhattanLength(), 2) << c.Name();
                EXPECT_EQ(w->width(), c.Width) << c.Name();
                const bool shown_in_model = parent_shown && c.Visible;
                EXPECT_EQ(w->isVisibleTo(&window), shown_in_model) << c.Name();
                if (shown_in_model) {
                    EXPECT_EQ(w->isEnabled(), c.Reachable()) << c.Name();
                }
                if (auto* box = qobject_cast<QCheckBox*>(w); box && shown_in_model) {
                    EXPECT_LE(box->sizeHint().width(), c.Width) << c.Name() << " caption is cut";
                    ++checked;
                }
                for (int i = 0; i < c.ControlCount(); ++i)
                    walk(*c.Controls(i), at, shown_in_model);
            };
        for (int i = 0; i < d.model->ControlCount(); ++i)
            walk(*d.model->Controls(i), QPoint(0, 0), true);
        EXPECT_GT(checked, 8);
    }
}

int dark_pixels(const std::vector<std::uint8_t>& png)
{
    const QImage image = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG")
                             .convertToFormat(QImage::Format_Grayscale8);
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

// Blank paper shows the page exactly as `kestrun page` renders it; a pre-printed form shows
// the data alone; a right click on a page box opens the preview; the return is not touched.
TEST(gui_preview, the_page_as_it_will_print)
{
    open_dialog d("pit36", "pit36_joint.json");
    const auto before = d.state.bytes(host::record_id::rekzez);
    const std::vector<std::uint8_t> record(before.begin(), before.end());
    auto* box = dynamic_cast<vcl::TCheckBox*>(d.model->FindComponent("chbox_st_1"));
    const auto blank = gui::render_preview(*d.model, d.state, *box, true);
    const auto preprinted = gui::render_preview(*d.model, d.state, *box, false);
    EXPECT_EQ(blank.page, "PIT-36 1/6");

    scratch_dir tmp;
    const auto png = tmp / "page.png";
    const std::string cmd = std::string(KESTRUN_CLI) + " page TF_w36151 " +
                            (examples / "pit36_joint.json").string() + " --out " + png.string() +
                            " >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const auto cli = io::read_file(png, io::document_limit, "page");
    EXPECT_TRUE(blank.png == cli) << "the blank-paper preview differs from kestrun page";
    EXPECT_GT(dark_pixels(blank.png), 3 * dark_pixels(preprinted.png));
    EXPECT_GT(dark_pixels(preprinted.png), 500) << "the data are shown";
    const auto after = d.state.bytes(host::record_id::rekzez);
    EXPECT_TRUE(std::equal(after.begin(), after.end(), record.begin(), record.end()));

    QSize shown;
    gui::dialog_window window(*d.model, [&](QWidget* parent, const vcl::TCheckBox& b) {
        gui::show_preview(parent, gui::render_preview(*d.model, d.state, b, true), true);
    });
    window.show();
    auto previous = gui::set_modal_watcher([&](QDialog& preview) {
        shown = preview.findChild<QLabel*>("page")->pixmap().size();
        preview.accept();
    });
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(window.widget_of(*box), &right_click);
    gui::set_modal_watcher(std::move(previous));
    EXPECT_EQ(shown, QSize(992, 1403)); // A4 at 120 dpi
}

// Started without a window system, the desktop face says so in one line and exits 2, instead of
// Qt's several lines and an abort.
TEST(gui_start, without_a_display_one_line_and_exit_2)
{
    const char* const environments[] = {
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
        "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97", // no server answers there
    };
    for (const char* environment : environments) {
        SCOPED_TRACE(environment);
        const auto run = printing::probe::run(std::string(environment) + " " + KESTRUN_GUI + " " +
                                              (examples / "pit28.json").string());
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_EQ(run.output.rfind("kestrun-gui: no display found: ", 0), 0U) << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
}

QtMessageHandler qt_default_handler = nullptr;

} // namespace

int main(int argc, char** argv)
{
    // The tests run headless, on the platform that draws into memory, with the built-in PDF
    // printer only.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("KESTRUN_NO_CUPS", "1", 1);
    QApplication app(argc, argv);
    // The offscreen platform says on every window that it keeps no size hints.
    qt_default_handler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& where, const QString& text) {
            if (qt_default_handler && !text.contains(QStringLiteral("propagateSizeHints")))
                qt_default_handler(type, where, text);
        });
    ::testing::InitGoogleTest(&argc, argv);
    kestrun::Initialize();
    const int status = RUN_ALL_TESTS();
    kestrun::Finalize();
    return status;
}

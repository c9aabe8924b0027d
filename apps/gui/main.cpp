// kestrun-gui: the print dialogs of a return as desktop windows.

#include "apps/gui/gui_run.h"
#include "apps/gui/modal.h"
#include "framework/module.h"
#include "platform/error.h"
#include "platform/io/files.h"

#include <CLI/CLI.hpp>
#include <QApplication>
#include <cstdlib>
#include <iostream>

namespace {

// The window system the environment names: an X display, a Wayland one, or a platform the user
// chose (offscreen, vnc, ...).
bool display_named()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0')
            return true;
    return false;
}

// While the window system opens, Qt's own messages are held back: when it cannot be opened the
// user gets one line naming the first reason, not Qt's several lines and an abort; when it
// opens, they are said after all.
QStringList held_qt_messages;

void while_opening(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    held_qt_messages << text;
    if (type == QtFatalMsg) {
        std::cerr << "kestrun-gui: no display found: " << held_qt_messages.front().toStdString()
                  << "\n";
        std::_Exit(2);
    }
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"kestrun-gui: the print dialog of a return as a window"};
    kestrun::gui::gui_options options;
    app.add_option("return", options.return_file, "the return file (JSON)")->required();
    app.add_option("--return", options.return_type,
                   "pit28, pit36, pit36l or pit37: the return to print when the file holds two");
    app.add_option("--out", options.out, "the folder for the PDF printer's pages (default: .)");
    app.add_option("--settings", options.settings,
                   "the settings folder (zbster, marginesy.json; default: the user's)");
    app.add_option("--trace", options.trace, "write the run's events as JSON lines");
    std::string screenshot;
    app.add_option("--screenshot", screenshot,
                   "FILE.png: save the dialog as it opens, then close it without printing");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "kestrun-gui: " << e.what() << " (try --help)\n";
        return 2;
    }

    if (!display_named()) {
        std::cerr << "kestrun-gui: no display found: set DISPLAY or WAYLAND_DISPLAY (or "
                     "QT_QPA_PLATFORM=offscreen to run without a screen)\n";
        return 2;
    }
    const auto qt_handler = qInstallMessageHandler(while_opening);
    QApplication qt(argc, argv);
    qInstallMessageHandler(qt_handler);
    for (const auto& text : held_qt_messages)
        qWarning("%s", qPrintable(text));
    kestrun::io::remove_temporaries_on_signal();
    kestrun::Initialize();
    if (!screenshot.empty())
        kestrun::gui::set_modal_watcher([&screenshot](QDialog& window) {
            if (!window.grab().save(QString::fromStdString(screenshot), "PNG"))
                std::cerr << "kestrun-gui: cannot write " << screenshot << "\n";
            window.reject();
        });
    int status = 2;
    try {
        status = kestrun::gui::run(options);
    } catch (const kestrun::error& e) {
        std::cerr << "kestrun-gui: " << e.what() << "\n";
        status = e.kind() == kestrun::error_kind::input ? 2 : 1;
    } catch (const std::exception& e) {
        std::cerr << "kestrun-gui: " << e.what() << "\n";
        status = 1;
    }
    kestrun::Finalize();
    return status;
}

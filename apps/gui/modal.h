#pragma once
// The modal windows of the desktop face: the prompt before each sheet, the choice from a list
// (the printer, the return of a file that holds two), and the one way every modal window of the
// GUI is run, so that a watcher (the tests) can act in it as a person would.

#include "platform/vcl/application.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::gui {

QString qs(std::string_view utf8);

// Called once each modal window of the GUI is showing, inside its modal loop.
using modal_watcher = std::function<void(QDialog& window)>;
// Installs the watcher; returns the one it replaced.
modal_watcher set_modal_watcher(modal_watcher watcher);
// Runs the window modally, the watcher acting in it first when there is one.
int exec_modal(QDialog& window);

// The module's prompts as modal message boxes: the caption, the text, OK and (with
// MB_OKCANCEL) "Anuluj", the exclamation icon when the flags ask for it.
vcl::TApplication::answerer message_box_answerer();

// A modal list to choose one name from, the current one selected; nothing for "Anuluj".
std::optional<int> choose_from_list(const std::string& title, const std::string& label,
                                    const std::vector<std::string>& names, int current);

// The printer-selection dialog over the module's printers (the CUPS destinations and the
// built-in PDF printer).
std::optional<int> choose_printer(const std::vector<std::string>& names, int current);

} // namespace kestrun::gui

#pragma once
// Playing the user of a print dialog: the mode, the page boxes and the printer as chosen, then
// "&Drukuj". What the user could not do in the dialog is refused before anything is clicked, so
// a refused run changes nothing, not even the stored mode. The command line and the library's
// one-call print share it.

#include "framework/dialog_base.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrun::host {
class host_state;
}

namespace kestrun {

// What the user does in the dialog before pressing "&Drukuj".
struct dialog_choices {
    std::optional<std::string> mode; // blank, preprinted; unset keeps the stored mode
    std::vector<std::string> uncheck;
    std::vector<std::string> check;
    bool toggle_all = false;
    std::optional<std::string> printer;
};

// The clicks, resolved against the open dialog.
struct planned_actions {
    std::vector<vcl::TCheckBox*> uncheck, check;
    int printer = -1;
};

// Resolves the choices against the dialog; throws kestrun::error (input) naming the option and
// what the dialog would not let a user do.
planned_actions plan(const print_dialog& dialog, const dialog_choices& choices);
// Clicks as planned, then "&Drukuj", which prints the run.
void act(print_dialog& dialog, const dialog_choices& choices, const planned_actions& actions);

// The dialog class of a return type ("pit28" -> "Tf_wydpit28"), or empty when unknown.
std::string dialog_class_of(const std::string& return_type);
// The return type a return holds: pit28 when it holds a PIT-28 (rek28), otherwise by
// rekzez.rodz_zez: 0 pit36, 1 pit37, 2 pit36l. Throws kestrun::error (input) when it holds
// neither, or an unknown kind.
std::string return_type_of(const host::host_state& state);

} // namespace kestrun

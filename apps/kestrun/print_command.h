#pragma once
// `kestrun print` plays the user of a print dialog: activation, the mode, the page boxes and the
// printer as given, "&Drukuj", the prompts answered as given, then closing the dialog.
// `kestrun printers` lists the printers a run can choose.

#include "apps/kestrun/commands.h"
#include "dialogs/print_run.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrun::cli {

// The dialog's choices (mode, page boxes, printer) and how the run is answered and recorded.
struct print_options : dialog_choices {
    std::string return_type; // pit28, pit36, pit36l, pit37
    return_source source;
    std::filesystem::path out = ".";
    std::optional<std::filesystem::path> settings;
    bool yes = false;
    std::vector<std::string> answers; // as given: comma-separated ok and cancel
    bool replace = false;             // remove the pages of an earlier run from --out
    bool interactive = false;
    std::optional<std::filesystem::path> trace; // "-": the standard output
    bool quiet = false;
    std::optional<std::filesystem::path> pdf; // the whole run as one PDF
};

int print(const print_options& options);
int printers();

using kestrun::dialog_class_of;

} // namespace kestrun::cli

#pragma once
// `kestrun print` plays the user of a print dialog: activation, the mode, the page boxes and the
// printer as given, "&Drukuj", the prompts answered as given, then closing the dialog.
// `kestrun printers` lists the printers a run can choose.

#include "dialogs/print_run.h"
#include "platform/printing/printers.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kestrun::cli {

// The dialog's choices (the page boxes and the printer; the mode as given, checked by print)
// and how the run is answered and recorded.
struct print_options : dialog_choices {
    std::string return_type; // pit28, pit36, pit36l, pit37; empty: the one the return holds
    std::optional<std::string> mode_name; // blank, preprinted
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
    bool no_embed = false; // the document carries neither the return nor the choices
    int job_timeout = printing::default_job_timeout_seconds; // seconds a CUPS job may take
};

// What a print run got done, known also when it stopped while printing.
struct print_outcome {
    int printed = 0;
    int skipped = 0;
    std::string paper; // as paper_told says it
};

int print(const print_options& options);
// The same, with the progress lines and the closing line (or the lines naming the failure and
// what printed before it) written to `log`; `outcome`, when given, receives the page counts.
// Faults found before printing starts are thrown (kestrun::error), as by print().
int print(const print_options& options, std::ostream& log, print_outcome* outcome);
int printers();

} // namespace kestrun::cli

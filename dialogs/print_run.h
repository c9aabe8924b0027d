#pragma once
// A print run: a return, the print dialog of its kind, the folder its pages go to, the settings
// folder, the trace, the printer and the run's one document, and how the run ended. The command
// line's print and batch, the window and the library's one-call print each set one up with
// their own choices and tell its outcome their own way.
//
// Playing the user of the dialog is here too: the mode, the page boxes and the printer as
// chosen, then "&Drukuj". What the user could not do in the dialog is refused before anything is
// clicked, so a refused run changes nothing, not even the stored mode.

#include "framework/printrun/dialog_base.h"
#include "framework/printrun/return_kinds.h"
#include "host/tamdor/host_state.h"
#include "kestrun/kestrun.h"
#include "platform/error.h"
#include "platform/io/folder_lock.h"
#include "platform/printing/render_target.h"
#include "platform/vcl/application.h"
#include "platform/vcl/trace.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrun {

// Where a return comes from: a return file, and packed record images given as NAME=FILE, each
// replacing its record.
struct return_source {
    std::optional<std::filesystem::path> file;
    std::vector<std::string> images;
};

// A return as a run prints it: the host's records, and which records the file or an image gave.
struct loaded_return {
    host::host_state state;
    std::vector<host::record_id> given;
    std::string origin; // the return file, which starts a message about what it holds

    bool holds(host::record_id id) const;
};

// The file read once, then each image, then the globals file (as encode writes it) replacing
// the globals. A file named *.pdf is a run document: the return embedded in it is read, under
// the limits and checks of a return file. A return that cannot be read is bad input
// (kestrun::error, kind input), whatever failed underneath.
loaded_return load_return(const return_source& source,
                          const std::optional<std::filesystem::path>& globals = {});

// The return file embedded in a run document, checked as a return file is; throws as
// load_return does.
std::string return_json_from_pdf(const std::filesystem::path& pdf);

// The return embedded in a run document, and the choices it was printed with.
inline constexpr const char* embedded_return_name = "return.json";
inline constexpr const char* embedded_choices_name = "print.json";

// The returns it holds, in the order of the table: PIT-28 when it gives rek28, and the kind of
// its rekzez.rodz_zez when it gives rekzez. Throws kestrun::error (input) when it gives neither,
// or a rodz_zez that is no kind.
std::vector<const return_kind_row*> returns_held(const loaded_return& r);

// What the user does in the dialog before pressing "&Drukuj".
struct dialog_choices {
    std::optional<paper> mode; // unset keeps the stored mode
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

// The paper the dialog prints on and where that came from, as a closing line says it: "blank
// paper, from --mode" or "pre-printed forms, as stored" (the settings of an earlier run).
std::string paper_told(const print_dialog& dialog, const dialog_choices& choices);

// Where a run's pages, settings and trace go.
struct run_setup {
    std::filesystem::path out = "."; // the PDF printer's files and the print port's
    bool replace = false;            // pages of an earlier run in `out` removed, else refused
    bool replace_offered = true;     // the refusal points to --replace
    std::optional<std::filesystem::path> settings; // unset: the host's default folder
    std::optional<std::filesystem::path> trace;    // "-": the standard output
    bool built_in_printers_only = false;           // CUPS is not asked for its printers
    std::optional<std::filesystem::path> document; // every job of the run into one PDF
    std::string document_label;                    // how a message names the document: "--pdf FILE"
    bool embed = true;      // the document carries its return and the choices (not --no-embed)
    dialog_choices choices; // what the user does in the dialog, recorded in the document
};

enum class run_end {
    printed, // "&Drukuj" pressed and the run printed to its end
    closed,  // the dialog closed without printing
    stopped, // a fault while printing: `cause` names it
};

struct run_outcome {
    int printed = 0;
    int skipped = 0;
    run_end end = run_end::closed;
    std::string cause;
};

class print_run {
public:
    // Opens the run: the output folder made, locked and checked for an earlier run's NNN-*.pdf
    // pages, the settings loaded, the trace opened, the printer pointed at the folder and the
    // document, and the dialog created. Throws kestrun::error naming the option at fault.
    print_run(loaded_return r, const return_kind_row& kind, const run_setup& setup);
    ~print_run();
    print_run(const print_run&) = delete;
    print_run& operator=(const print_run&) = delete;

    print_dialog& dialog() { return *m_dialog; }
    host::host_state& state() { return m_return.state; }
    const return_kind_row& kind() const { return m_kind; }

    // Shows the dialog, played by `user` and answered by `answerer`. A fault for which
    // `stops_run` holds ends the run as stopped, with what printed before it; any other is
    // thrown.
    const run_outcome& show(vcl::TApplication::answerer answerer,
                            vcl::TApplication::modal_user user,
                            const std::function<bool(const error&)>& stops_run);
    const run_outcome& outcome() const { return m_outcome; }

    // After a run that did not stop: a lost trace line throws kestrun::error (io); the run's
    // document, null when no page went to it, and a render error when a job of it stopped
    // halfway. The document is described and, unless the setup says not to, carries the return
    // as it was loaded (return.json) and the choices and answers of the run (print.json).
    std::unique_ptr<printing::render_target> finish();

    // Where the pages went, as a closing line says it: "to printer NAME", "as PDF files into
    // DIR", "with the PDF printer" (into the document) or "to the print port FILE".
    std::string destination() const;

private:
    // The dialog closed, the document dropped, the folder unlocked and the printer's folder given
    // back; a run refused or stopped before its first page also removes the folders and the
    // settings file it made.
    void end() noexcept;

    loaded_return m_return;
    std::string m_return_json; // as loaded, before the run prepares a record or loads settings
    const return_kind_row& m_kind;
    run_setup m_setup;
    std::filesystem::path m_settings;
    std::unique_ptr<io::folder_lock> m_lock;
    std::optional<vcl::trace::file_sink> m_trace;
    std::filesystem::path m_printer_folder; // the printer's folder before the run, given back
    std::unique_ptr<print_dialog> m_dialog;
    run_outcome m_outcome;
    std::vector<int> m_answers; // to the prompts, in order: what the document records
    std::vector<std::filesystem::path> m_made; // created by the run, each before its folder
    bool m_refused = false;                    // ended before its first page printed
};

} // namespace kestrun

#include "apps/gui/gui_run.h"

#include "apps/gui/dialog_window.h"
#include "apps/gui/modal.h"
#include "apps/gui/preview.h"
#include "dialogs/print_run.h"
#include "platform/error.h"
#include "platform/vcl/printer.h"

#include <QMessageBox>
#include <algorithm>
#include <iostream>

namespace kestrun::gui {

namespace {

// The return chosen: the one given, the one the file holds, or, when it holds two, the one the
// user picks; null when the choice was cancelled.
const return_kind_row* chosen_return(const gui_options& o, const loaded_return& r)
{
    const auto held = returns_held(r);
    if (o.return_type) {
        const auto given = std::ranges::find(held, *o.return_type, &return_kind_row::type);
        if (given == held.end())
            throw input_error("--return " + *o.return_type + ": " + o.return_file.string() +
                              " holds no such return");
        return *given;
    }
    if (held.size() == 1)
        return held.front();
    std::vector<std::string> names;
    for (const auto* kind : held)
        names.emplace_back(kind->name());
    const auto index = choose_from_list("kestrun", "Zeznanie do wydruku:", names, 0);
    return index ? held[static_cast<std::size_t>(*index)] : nullptr;
}

} // namespace

int run(const gui_options& o)
{
    auto r = load_return({o.return_file, {}});
    const auto* kind = chosen_return(o, r);
    if (!kind)
        return 0; // the choice was cancelled: nothing to print
    run_setup setup;
    setup.out = o.out;
    setup.replace_offered = false;
    setup.settings = o.settings;
    setup.trace = o.trace;
    print_run run(std::move(r), *kind, setup);

    auto previous_chooser = vcl::TPrintDialog::SetChooser(&choose_printer);
    struct restore_chooser {
        vcl::TPrintDialog::chooser& previous;
        ~restore_chooser() { vcl::TPrintDialog::SetChooser(std::move(previous)); }
    } restored{previous_chooser};

    auto& dialog = run.dialog();
    dialog.OnWarning = [](const std::string& text) {
        std::cerr << "kestrun-gui: warning: " << text << "\n";
    };
    const auto preview = [&](QWidget* parent, const vcl::TCheckBox& box) {
        try {
            show_preview(parent, render_preview(dialog, run.state(), box, dialog.BlankPaper()),
                         dialog.BlankPaper());
        } catch (const error& e) {
            QMessageBox::warning(parent, qs("Podgląd"), qs(e.what()));
        }
    };
    const auto& ended = run.show(message_box_answerer(), window_user(preview),
                                 [](const error& e) { return e.kind() != error_kind::input; });
    if (ended.end == run_end::stopped) {
        std::cerr << "kestrun-gui: " << ended.cause << "\n";
        std::cerr << "kestrun-gui: the run stopped after printing " << ended.printed << " pages\n";
        return 1;
    }
    run.finish();
    if (ended.end == run_end::printed)
        std::cerr << "kestrun-gui: printed " << ended.printed << " pages, skipped " << ended.skipped
                  << "\n";
    return 0;
}

} // namespace kestrun::gui

#include "apps/gui/gui_run.h"

#include "apps/gui/dialog_window.h"
#include "apps/gui/modal.h"
#include "apps/gui/preview.h"
#include "apps/kestrun/commands.h"
#include "apps/kestrun/print_command.h"
#include "framework/module.h"
#include "host/korvel/settings_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/folder_lock.h"
#include "platform/io/json.h"
#include "platform/qr/layout.h"
#include "platform/vcl/printer.h"
#include "platform/vcl/trace.h"

#include <QMessageBox>
#include <algorithm>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace kestrun::gui {

std::vector<std::string> returns_held(const std::filesystem::path& return_file)
try {
    const auto doc = io::read_json_file(return_file, io::document_limit, "return file");
    const auto origin = return_file.string();
    std::vector<std::string> held;
    if (doc.is_object() && doc.contains("rek28"))
        held.emplace_back("pit28");
    if (doc.is_object() && doc.contains("rekzez")) {
        const auto& z = doc["rekzez"];
        const auto kind =
            z.is_object() && z.contains("rodz_zez") ? z["rodz_zez"] : nlohmann::json(0);
        static const char* const by_kind[] = {"pit36", "pit37", "pit36l"};
        if (!kind.is_number_integer() || kind.get<long long>() < 0 || kind.get<long long>() > 2)
            throw input_error(origin + ": rekzez.rodz_zez is " + kind.dump() +
                              "; expected 0 (PIT-36), 1 (PIT-37) or 2 (PIT-36L)");
        held.emplace_back(by_kind[kind.get<int>()]);
    }
    if (held.empty())
        throw input_error(origin + ": the return file holds neither rek28 (PIT-28) nor rekzez "
                                   "(PIT-36, PIT-37, PIT-36L), so there is no dialog to show");
    return held;
} catch (const error& e) {
    // A return that cannot be read is bad input, as on the command line.
    if (e.kind() == error_kind::io)
        throw input_error(e.what());
    throw;
}

namespace {

std::string chosen_return(const gui_options& o)
{
    const auto held = returns_held(o.return_file);
    if (o.return_type) {
        if (std::find(held.begin(), held.end(), *o.return_type) == held.end())
            throw input_error("--return " + *o.return_type + ": " + o.return_file.string() +
                              " holds no such return");
        return *o.return_type;
    }
    if (held.size() == 1)
        return held.front();
    std::vector<std::string> names;
    for (const auto& type : held)
        names.push_back(type == "pit28"   ? "PIT-28"
                        : type == "pit36" ? "PIT-36"
                        : type == "pit37" ? "PIT-37"
                                          : "PIT-36L");
    const auto index = choose_from_list("kestrun", "Zeznanie do wydruku:", names, 0);
    return index ? held[static_cast<std::size_t>(*index)] : std::string();
}

// The output folder holds one run's pages, as on the command line.
void check_out_folder(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec) || ::access(folder.c_str(), W_OK) != 0)
        throw input_error("--out " + folder.string() + ": not a writable folder");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const auto name = entry.path().filename().string();
        if (name.size() > 8 && name[3] == '-' && name.ends_with(".pdf") &&
            name.find_first_not_of("0123456789") == 3)
            throw input_error("--out " + folder.string() +
                              ": the folder already holds pages of an earlier run (NNN-*.pdf)");
    }
}

} // namespace

int run(const gui_options& o)
{
    const auto type = chosen_return(o);
    if (type.empty())
        return 0; // the choice was cancelled: nothing to print
    const auto* cls = find_dialog_class(cli::dialog_class_of(type));
    if (!cls)
        throw input_error("the dialog of " + type + " is not in this build");
    // Without its assets the window fails here, before it makes a folder or a settings file.
    qr::asset_dir();
    check_out_folder(o.out);
    std::unique_ptr<io::folder_lock> out_lock;
    try {
        out_lock = std::make_unique<io::folder_lock>(o.out);
    } catch (const error& e) {
        throw error(e.kind(), "--out " + std::string(e.what()));
    }

    auto state = cli::load_return({o.return_file, {}});
    const auto settings = o.settings ? *o.settings : host::default_settings_folder();
    host::load_settings(settings, state);

    std::optional<vcl::trace::file_sink> trace;
    if (o.trace)
        trace.emplace(*o.trace, "--trace");

    vcl::Printer()->SetOutputFolder(o.out);
    install_printer_job_opener();
    auto previous_chooser = vcl::TPrintDialog::SetChooser(&choose_printer);
    struct restore_chooser {
        vcl::TPrintDialog::chooser& previous;
        ~restore_chooser() { vcl::TPrintDialog::SetChooser(std::move(previous)); }
    } restored{previous_chooser};

    std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, settings));
    dialog->OnWarning = [](const std::string& text) {
        std::cerr << "kestrun-gui: warning: " << text << "\n";
    };
    const auto preview = [&](QWidget* parent, const vcl::TCheckBox& box) {
        try {
            show_preview(parent, render_preview(*dialog, state, box, dialog->BlankPaper()),
                         dialog->BlankPaper());
        } catch (const error& e) {
            QMessageBox::warning(parent, qs("Podgląd"), qs(e.what()));
        }
    };
    vcl::scoped_user user(message_box_answerer(), window_user(preview));
    try {
        dialog->ShowModal();
    } catch (const error& e) {
        if (e.kind() == error_kind::input)
            throw;
        std::cerr << "kestrun-gui: " << e.what() << "\n";
        std::cerr << "kestrun-gui: the run stopped after printing " << dialog->PagesPrinted()
                  << " pages\n";
        return 1;
    }
    if (trace)
        trace->check();
    if (dialog->ModalResult == vcl::mrOk)
        std::cerr << "kestrun-gui: printed " << dialog->PagesPrinted() << " pages, skipped "
                  << dialog->PagesSkipped() << "\n";
    return 0;
}

} // namespace kestrun::gui

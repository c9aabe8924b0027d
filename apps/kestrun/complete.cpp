#include "apps/kestrun/complete.h"

#include "apps/kestrun/usage.h"
#include "dialogs/print_run.h"
#include "framework/module.h"
#include "framework/printrun/dialog_base.h"
#include "framework/printrun/dialog_registry.h"
#include "framework/printrun/return_kinds.h"
#include "host/tamdor/host_state.h"
#include "platform/printing/printers.h"

#include <algorithm>
#include <memory>
#include <set>

namespace kestrun::cli {

namespace {

// The page boxes of the dialog of `kind`, or of every dialog for a batch of many kinds. A dialog
// made only to be asked its boxes is never activated, so it reads and writes no settings.
std::vector<std::string> page_boxes(const std::string& kind)
{
    Initialize();
    std::set<std::string> names;
    for (const auto& each : return_kinds) {
        if (!kind.empty() && kind != each.type)
            continue;
        const auto* cls = find_dialog_class(each.dialog_class);
        if (!cls)
            continue;
        host::host_state state;
        std::unique_ptr<print_dialog> dialog(cls->create(nullptr, state, {}));
        for (const auto* box : dialog->PageBoxes())
            names.insert(box->Name());
    }
    return {names.begin(), names.end()};
}

// The values an option takes, or none when it takes a file name or a number.
std::vector<std::string> option_values(const std::string& option, const std::string& kind)
{
    if (option == "--mode")
        return {"blank", "preprinted"};
    if (option == "--check" || option == "--uncheck")
        return page_boxes(kind);
    if (option == "--answers")
        return {"ok", "cancel"};
    if (option == "--prepare")
        return {"pit28"};
    if (option == "--printer")
        return {printing::pdf_printer_name};
    return {};
}

const CLI::Option* long_option(CLI::App& cmd, const std::string& word)
{
    for (const auto* option : cmd.get_options())
        for (const auto& name : option->get_lnames())
            if ("--" + name == word)
                return option;
    return nullptr;
}

} // namespace

std::vector<std::string> completions(CLI::App& app, const std::vector<std::string>& words)
{
    if (words.empty())
        return {};
    auto current = words.back();
    std::vector<std::string> offered;
    std::string list_head; // a value list (BOX,BOX,...) keeps what is typed before its last comma
    auto* cmd = words.size() > 1 ? find_command(app, words.front()) : nullptr;
    if (words.size() == 1 || (cmd && cmd->get_name() == "help" && words.size() == 2)) {
        for (const auto* each : app.get_subcommands([](CLI::App*) { return true; }))
            offered.push_back(each->get_name());
        if (words.size() == 1)
            offered.push_back("--version");
    } else if (cmd) {
        // The words between the command and the one completed: options, their values, and the
        // positional words (the return kind of print, the page class of page and fields).
        std::vector<std::string> positional;
        const CLI::Option* awaiting = nullptr;
        for (std::size_t i = 1; i + 1 < words.size(); ++i) {
            if (awaiting) {
                awaiting = nullptr;
            } else if (words[i].starts_with("--")) {
                const auto* option = long_option(*cmd, words[i]);
                if (option && option->get_type_size_max() > 0)
                    awaiting = option;
            } else {
                positional.push_back(words[i]);
            }
        }
        const auto name = cmd->get_name();
        const auto kind = name == "print" && !positional.empty() ? positional.front() : "";
        if (awaiting) {
            offered = option_values("--" + awaiting->get_lnames().front(), kind);
            if (const auto comma = current.rfind(','); comma != std::string::npos) {
                list_head = current.substr(0, comma + 1);
                current.erase(0, comma + 1);
            }
        } else if (current.starts_with("-")) {
            for (const auto* option : cmd->get_options())
                for (const auto& long_name : option->get_lnames())
                    offered.push_back("--" + long_name);
        } else if (positional.empty() && name == "print") {
            for (const auto& row : return_kinds)
                offered.emplace_back(row.type);
        } else if (positional.empty() && (name == "page" || name == "fields")) {
            for (const auto& cls : page_classes())
                offered.emplace_back(cls.class_name);
        }
    }
    std::vector<std::string> out;
    for (const auto& word : offered)
        if (word.starts_with(current))
            out.push_back(list_head + word);
    return out;
}

} // namespace kestrun::cli

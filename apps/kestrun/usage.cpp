#include "apps/kestrun/usage.h"

#include <algorithm>
#include <numeric>

namespace kestrun::cli {

namespace {

std::size_t edit_distance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::vector<std::string> command_names(CLI::App& app)
{
    std::vector<std::string> names;
    for (const auto* cmd : app.get_subcommands([](CLI::App*) { return true; }))
        names.push_back(cmd->get_name());
    return names;
}

} // namespace

std::string nearest(std::string_view word, const std::vector<std::string>& known)
{
    std::string best;
    std::size_t best_distance = 0;
    for (const auto& k : known) {
        const auto d = edit_distance(word, k);
        if (best.empty() || d < best_distance) {
            best = k;
            best_distance = d;
        }
    }
    return best;
}

CLI::App* find_command(CLI::App& app, std::string_view name)
{
    for (auto* cmd : app.get_subcommands([](CLI::App*) { return true; }))
        if (cmd->get_name() == name)
            return cmd;
    return nullptr;
}

std::string unknown_command(CLI::App& app, std::string_view name)
{
    return "unknown command '" + std::string(name) + "' (did you mean '" +
           nearest(name, command_names(app)) + "'? kestrun help lists the commands)";
}

std::optional<std::string> unknown_word(CLI::App& app, int argc, const char* const* argv)
{
    if (argc < 2) {
        std::string names;
        for (const auto& name : command_names(app))
            names += (names.empty() ? "" : ", ") + name;
        return "a command is required: " + names + " (kestrun help explains them)";
    }
    const std::string first = argv[1];
    if (first.starts_with("-")) {
        const std::vector<std::string> own = {"--help", "-h", "--version"};
        if (std::find(own.begin(), own.end(), first) != own.end())
            return std::nullopt;
        return "unknown option '" + first + "' (did you mean '" + nearest(first, own) + "'?)";
    }
    auto* cmd = find_command(app, first);
    if (!cmd)
        return unknown_command(app, first);
    std::vector<std::string> options;
    for (const auto* option : cmd->get_options())
        for (const auto& name : option->get_lnames())
            options.push_back("--" + name);
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (!arg.starts_with("--"))
            continue;
        const auto name = std::string(arg.substr(0, arg.find('=')));
        if (std::find(options.begin(), options.end(), name) == options.end())
            return "unknown option '" + name + "' for " + first + " (did you mean '" +
                   nearest(name, options) + "'?)";
    }
    return std::nullopt;
}

} // namespace kestrun::cli

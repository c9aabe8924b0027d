#include "apps/kestrun/usage.h"

#include "platform/io/names.h"

#include <algorithm>

namespace kestrun::cli {

namespace {

std::vector<std::string> command_names(CLI::App& app)
{
    std::vector<std::string> names;
    for (const auto* cmd : app.get_subcommands([](CLI::App*) { return true; }))
        names.push_back(cmd->get_name());
    return names;
}

} // namespace

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
           io::nearest(name, command_names(app)) + "'? kestrun help lists the commands)";
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
        return "unknown option '" + first + "' (did you mean '" + io::nearest(first, own) + "'?)";
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
                   io::nearest(name, options) + "'?)";
    }
    return std::nullopt;
}

} // namespace kestrun::cli

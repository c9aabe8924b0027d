#pragma once
// The command line's words checked before parsing: an unknown command or option is named, with
// the nearest word the command line knows, rather than a parser's generic complaint.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun::cli {

// The command of that name, or null.
CLI::App* find_command(CLI::App& app, std::string_view name);
// "unknown command 'frobnicate' (did you mean 'print'?)".
std::string unknown_command(CLI::App& app, std::string_view name);

// The error line for the first word of the command line that names no command or no option of
// its command ("unknown option '--mod' for print (did you mean '--mode'?)"), or nothing.
std::optional<std::string> unknown_word(CLI::App& app, int argc, const char* const* argv);

} // namespace kestrun::cli

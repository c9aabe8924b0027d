#pragma once
// The words the shell offers on Tab: `kestrun complete WORD...` is asked with the words after
// `kestrun`, the last one the word being completed, and prints the candidates one per line. They
// come from the command line's own parser and the dialogs themselves, so the shell never offers
// a command, option, page class or page box the program would refuse.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace kestrun::cli {

// The candidates for the last of `words`; empty when the word is a file name.
std::vector<std::string> completions(CLI::App& app, const std::vector<std::string>& words);

} // namespace kestrun::cli

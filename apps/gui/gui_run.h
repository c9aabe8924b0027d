#pragma once
// `kestrun-gui RETURN.json`: the return file loaded as every print run loads it, the print
// dialog of the return it holds (a choice when it holds two) shown as a window, and a print
// run to the printer chosen in it. The run's trace, output folder and settings folder are
// given as on the command line.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrun::gui {

struct gui_options {
    std::filesystem::path return_file;
    std::optional<std::string> return_type; // pit28, pit36, pit36l, pit37: no choice offered
    std::filesystem::path out = ".";
    std::optional<std::filesystem::path> settings;
    std::optional<std::filesystem::path> trace;
};

// Runs the dialog; the exit status as the command line's (0 done, 1 a failure while printing).
// Bad input throws kestrun::error (input) before any window opens.
int run(const gui_options& options);

} // namespace kestrun::gui

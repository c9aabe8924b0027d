#pragma once
// `kestrun-gui RETURN.json`: the return file loaded as the command line loads it, the print
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

// The returns a return file holds, as `kestrun print` names them: pit28 for a file with rek28,
// and pit36, pit37 or pit36l for one with rekzez (by rekzez.rodz_zez 0, 1, 2). Throws
// kestrun::error (input) for a file that holds neither, or an unknown rodz_zez.
std::vector<std::string> returns_held(const std::filesystem::path& return_file);

// Runs the dialog; the exit status as the command line's (0 done, 1 a failure while printing).
// Bad input throws kestrun::error (input) before any window opens.
int run(const gui_options& options);

} // namespace kestrun::gui

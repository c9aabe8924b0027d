#pragma once
// The host's settings file zbster: records of 1024 bytes, of which record 0 holds the settings
// record rekster.

#include <filesystem>

namespace kestrun::host {

class host_state;

inline constexpr const char* settings_file_name = "zbster";

// $KESTRUN_SETTINGS, else $XDG_CONFIG_HOME/kestrun, else ~/.config/kestrun.
std::filesystem::path default_settings_folder();

// Loads rekster from record 0 of zbster in `folder`, opening the file for reading only. When the
// file is missing (or empty) the host creates it (and the folder) from the rekster it holds, its
// defaults. Throws kestrun::error (io) when the file cannot be created or read, or holds no
// whole record 0.
void load_settings(const std::filesystem::path& folder, host_state& host);

// Writes the host's rekster as record 0 of zbster, keeping the records after it. The file is
// replaced whole (a temporary file renamed over it), so a reader never sees a partial file and
// a failure leaves the old one. Throws kestrun::error (io).
void store_settings(const std::filesystem::path& folder, const host_state& host);

} // namespace kestrun::host

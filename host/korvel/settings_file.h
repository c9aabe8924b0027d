#pragma once
// The host's settings file zbster: records of 1024 bytes, of which record 0 holds the settings
// record rekster.

#include <filesystem>

namespace kestrun::host {

class host_state;

inline constexpr const char* settings_file_name = "zbster";

// $KESTRUN_SETTINGS, else $XDG_CONFIG_HOME/kestrun, else ~/.config/kestrun.
std::filesystem::path default_settings_folder();

// Loads rekster from record 0 of zbster in `folder`. When the file is missing the host creates
// it (and the folder) from the rekster it holds, its defaults. Throws kestrun::error (io) when
// the file cannot be created or read, or holds no whole record 0.
void load_settings(const std::filesystem::path& folder, host_state& host);

} // namespace kestrun::host

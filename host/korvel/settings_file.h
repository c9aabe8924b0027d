#pragma once
// The host's settings file zbster: records of 1024 bytes, of which record 0 holds the settings
// record rekster.

#include <filesystem>
#include <string_view>

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

// Stores one field of the host's rekster (`field`, as named in the rekster layout) into record 0
// of zbster, leaving every other byte of the file as it is on disk now. Runs that share the
// folder (processes, or the threads of one batch) take turns on a lock on zbster; under the lock
// record 0 is read again, so a mode another run stored meanwhile is kept. The file is
// replaced whole (a temporary file renamed over it), so a reader never sees a partial file and a
// failure leaves the old one. Throws kestrun::error (io).
void store_setting(const std::filesystem::path& folder, const host_state& host,
                   std::string_view field);

} // namespace kestrun::host

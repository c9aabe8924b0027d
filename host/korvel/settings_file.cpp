#include "host/korvel/settings_file.h"

#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/folder_lock.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kestrun::host {

namespace {

// zbster holds a handful of records; anything near this size is not a settings file.
constexpr std::size_t settings_limit = std::size_t{1} << 20;

} // namespace

std::filesystem::path default_settings_folder()
{
    if (const char* own = std::getenv("KESTRUN_SETTINGS"); own && *own)
        return own;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "kestrun";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config" / "kestrun";
    return ".kestrun";
}

void load_settings(const std::filesystem::path& folder, host_state& host)
{
    const auto file = folder / settings_file_name;
    auto record = host.bytes(record_id::rekster);
    std::error_code ec;
    // An empty file is what an interrupted creation by an older build left: it holds no
    // settings, so it is made again like a missing one.
    const bool missing =
        !std::filesystem::exists(file, ec) || (std::filesystem::is_regular_file(file, ec) &&
                                               std::filesystem::file_size(file, ec) == 0 && !ec);
    if (missing) {
        std::filesystem::create_directories(folder, ec);
        if (ec)
            throw io_error(folder.string() +
                           ": cannot create the settings folder: " + ec.message());
        // Runs started side by side all find it missing: the first to take the lock creates it,
        // the others read it, with any mode a quicker run stored meanwhile.
        const io::file_lock turn(file);
        if (std::filesystem::file_size(file, ec) == 0 && !ec) {
            io::write_file(file, record);
            return;
        }
    }
    // Read whole, and read only, before anything changes: a short file leaves the settings as
    // they were, and a file the user may not write still gives its settings.
    const auto stored = io::read_file(file, settings_limit, "settings file");
    if (stored.size() < record.size())
        throw io_error(file.string() + ": record 0 is incomplete (" +
                       std::to_string(stored.size()) + " of " + std::to_string(record.size()) +
                       " bytes)");
    std::copy_n(stored.begin(), record.size(), record.begin());
}

void store_setting(const std::filesystem::path& folder, const host_state& host,
                   std::string_view field)
{
    const auto file = folder / settings_file_name;
    // Under the lock record 0 is read again: a mode another run stored meanwhile stays.
    const io::file_lock turn(file);
    const auto record = host.bytes(record_id::rekster);
    std::vector<std::uint8_t> whole(record.begin(), record.end());
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        const auto stored = io::read_file(file, settings_limit, "settings file");
        // A file without a whole record 0 is replaced by the host's record.
        if (stored.size() >= whole.size())
            whole = stored;
    }
    const auto& def = rekster_layout[field];
    std::copy_n(record.begin() + def.offset, def.extent(), whole.begin() + def.offset);
    io::write_file(file, whole);
}

} // namespace kestrun::host

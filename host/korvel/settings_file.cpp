#include "host/korvel/settings_file.h"

#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/vcl/typed_file.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kestrun::host {

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
    vcl::TTypedFile f;
    f.AssignFile(file);
    if (!std::filesystem::exists(file, ec)) {
        std::filesystem::create_directories(folder, ec);
        if (ec)
            throw io_error(folder.string() +
                           ": cannot create the settings folder: " + ec.message());
        f.Rewrite(record.size());
        f.Write(record);
        f.CloseFile();
        return;
    }
    // Read whole before anything changes, so a short file leaves the settings as they were.
    std::vector<std::uint8_t> stored(record.size());
    f.Reset(record.size());
    f.Seek(0);
    f.Read(stored);
    f.CloseFile();
    std::copy(stored.begin(), stored.end(), record.begin());
}

} // namespace kestrun::host

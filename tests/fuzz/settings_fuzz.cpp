// Feeds arbitrary bytes as the host's settings file zbster: loading it, changing the settings
// record and storing it again must keep the records after record 0, or refuse with
// kestrun::error.

#include "host/korvel/settings_file.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace {

const std::filesystem::path& folder()
{
    static const kestrun::fuzzing::scratch_folder f("settings");
    return f.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrun;
    const auto file = folder() / host::settings_file_name;
    io::write_file(file, {data, size});
    try {
        host::host_state state;
        host::load_settings(folder(), state);
        const auto before = io::read_file(file, std::size_t{1} << 24, "settings file");
        state.rekster_mut().set_flag("dr_port", !state.rekster().flag("dr_port"));
        host::store_settings(folder(), state);
        const auto after = io::read_file(file, std::size_t{1} << 24, "settings file");
        const auto record = host::record_size(host::record_id::rekster);
        // The records after the settings record are the host's: they stay as they were.
        if (before.size() != after.size() ||
            !std::equal(before.begin() + static_cast<std::ptrdiff_t>(record), before.end(),
                        after.begin() + static_cast<std::ptrdiff_t>(record)))
            std::abort();
        host::host_state again;
        host::load_settings(folder(), again);
        if (again.rekster().flag("dr_port") != state.rekster().flag("dr_port"))
            std::abort();
    } catch (const kestrun::error&) {
    }
    return 0;
}

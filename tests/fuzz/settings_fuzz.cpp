// Feeds arbitrary bytes as the host's settings file zbster: loading it, storing one print mode
// (the last byte picks which) and the print-port flag, and loading it again must keep every byte
// but the stored field's, or refuse with kestrun::error. The mutator keeps inputs shaped like
// the file, so that most of them reach past the record-size check.

#include "host/korvel/settings_file.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

using kestrun::host::rekster_layout;

const std::filesystem::path& folder()
{
    static const kestrun::fuzzing::scratch_folder f("settings");
    return f.path();
}

// Stores the flag `field` flipped and checks that the file changed in that byte alone.
void store_flipped(std::string_view field)
{
    using namespace kestrun;
    const auto file = folder() / host::settings_file_name;
    const auto at = rekster_layout[field].offset;
    host::host_state state;
    host::load_settings(folder(), state);
    const auto before = io::read_file(file, std::size_t{1} << 24, "settings file");
    auto& flag = state.bytes(host::record_id::rekster)[at];
    flag = flag != 0 ? 0 : 1;
    host::store_setting(folder(), state, field);
    auto after = io::read_file(file, std::size_t{1} << 24, "settings file");
    if (before.size() != after.size() || after[at] != flag)
        std::abort();
    after[at] = before[at];
    if (after != before)
        std::abort();
    host::host_state again;
    host::load_settings(folder(), again);
    if (again.bytes(host::record_id::rekster)[at] != flag)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrun;
    constexpr std::string_view modes[] = {"wydr_niezadr28", "wydr_niezadr36", "wydr_niezadr36l",
                                          "wydr_niezadr37"};
    io::write_file(folder() / host::settings_file_name, {data, size});
    try {
        store_flipped("dr_port");
        store_flipped(modes[size == 0 ? 0 : data[size - 1] % 4]);
    } catch (const kestrun::error&) {
    }
    return 0;
}

#ifdef KESTRUN_LIBFUZZER
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

// A settings file is whole records of 1024 bytes, of which the host reads a few fields of record
// 0. Most mutations keep that shape: a field of record 0 set to a value of its kind, a record
// added or dropped, the file cut inside a record; the rest are libFuzzer's own.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t max_size, unsigned int seed)
{
    constexpr std::size_t record = rekster_layout.size;
    std::minstd_rand random(seed);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    switch (pick(6)) {
    case 0:
    case 1:
        if (size >= record) {
            const auto& f = rekster_layout.fields[pick(rekster_layout.fields.size())];
            for (std::size_t i = 0; i < f.extent(); ++i)
                data[f.offset + i] = static_cast<std::uint8_t>(i == 0 ? pick(3) : random());
            return size;
        }
        break;
    case 2:
        if (size + record <= max_size) {
            for (std::size_t i = 0; i < record; ++i)
                data[size + i] = size >= record ? data[i] : 0;
            return size + record;
        }
        break;
    case 3:
        if (size >= 2 * record)
            return size - record;
        break;
    case 4:
        if (size > 0)
            return pick(size);
        break;
    default:
        break;
    }
    return LLVMFuzzerMutate(data, size, max_size);
}
#endif

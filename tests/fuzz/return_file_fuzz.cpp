// Feeds arbitrary bytes to the return-file loader: a refusal is kestrun::error, anything else is
// a fault. return_file_fuzz loads and validates alone, fast enough to explore the loader;
// return_decode_fuzz (this file with KESTRUN_FUZZ_DECODE) also writes every loaded return back
// as JSON and loads that again, and decodes the input as a packed image of every record.

#include "host/returnfile/return_file.h"
#include "platform/error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrun::host;
    host_state state;
    try {
        load_return_json(std::string_view(reinterpret_cast<const char*>(data), size), state, "");
#ifdef KESTRUN_FUZZ_DECODE
        const std::string again = to_return_json(state);
        host_state reloaded;
        load_return_json(again, reloaded, "decoded");
#endif
    } catch (const kestrun::error&) {
    }
#ifdef KESTRUN_FUZZ_DECODE
    for (const record_id id : all_records) {
        if (size < record_size(id)) {
            continue;
        }
        host_state images;
        try {
            load_image_bytes(record_name(id), {data, record_size(id)}, images);
            to_return_json(images);
        } catch (const kestrun::error&) {
        }
    }
#endif
    return 0;
}

// Feeds arbitrary bytes to the return-file loader and, as packed images of every record, to
// the decoder. Refusals are kestrun::error; anything else is a fault.

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
        const std::string again = to_return_json(state);
        host_state reloaded;
        load_return_json(again, reloaded, "decoded");
    } catch (const kestrun::error&) {
    }
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
    return 0;
}

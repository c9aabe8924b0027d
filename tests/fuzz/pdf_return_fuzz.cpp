// Feeds arbitrary bytes to the reader of a run document's embedded return: qpdf parses the
// document (damaged ones included), then the embedded return.json is checked as a return file.
// A refusal is kestrun::error; anything else is a fault.

#include "host/returnfile/return_file.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/printing/pdf_files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const auto text = kestrun::printing::read_embedded_file(data, size, "return.json",
                                                                kestrun::io::document_limit, "");
        kestrun::host::host_state state;
        kestrun::host::load_return_json(text, state, "return.json");
    } catch (const kestrun::error&) {
    }
    return 0;
}

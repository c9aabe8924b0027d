// Fills every registered page from fuzzed packed records and renders it: the first byte picks the
// page; the next four are the page's parameters (nrp, nr, ilb, nrsp); the rest are the record
// images. page_fuzz draws into the recording target, fast enough to explore the pages' logic;
// page_pdf_fuzz (this file with KESTRUN_FUZZ_PDF) writes a real PDF to /dev/null, so that cairo
// and the fonts do all their work. A refusal is kestrun::error; anything else is a fault.

#include "framework/module.h"
#include "framework/page_report.h"
#include "platform/error.h"
#include "platform/printing/render_target.h"
#include "platform/qr/report.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kestrun::Initialize();
    kestrun::fuzzing::fuzz_input in(data, size);
    const auto& classes = kestrun::page_classes();
    const std::uint8_t choice = in.byte();
    const auto& cls = classes[(choice & 0x7F) % classes.size()];
#ifdef KESTRUN_FUZZ_PDF
    constexpr bool to_pdf = true;
#else
    constexpr bool to_pdf = false;
#endif
    int params[4];
    for (int& p : params)
        p = static_cast<std::int8_t>(in.byte());
    try {
        kestrun::host::host_state state;
        in.fill_records(state, false);
        kestrun::page_instance page(cls, nullptr, state);
        const char* names[] = {"nrp", "nr", "ilb", "nrsp"};
        for (std::size_t i = 0; i < 4; ++i)
            if (int* p = page->parameter(names[i]))
                *p = params[i];
        page->check_parameters();
        page->Prepare();
        std::vector<std::string> log;
        auto job = to_pdf ? kestrun::printing::make_pdf_target("/dev/null")
                          : kestrun::printing::make_recording_target(log);
        page->report().Render(*job);
        job->finish();
    } catch (const kestrun::error&) {
    }
    return 0;
}

#include "platform/printing/printers.h"

#include "platform/printing/cups_library.h"

#include <cstdlib>

namespace kestrun::printing {

std::vector<printer_device> discover_printers()
{
    std::vector<printer_device> out;
    if (!std::getenv("KESTRUN_NO_CUPS")) {
        cups_dest_t* dests = nullptr;
        const int count = cups::get_dests(&dests);
        for (int i = 0; i < count; ++i) {
            std::string name = dests[i].name;
            if (dests[i].instance)
                name += std::string("/") + dests[i].instance;
            out.push_back({name, device_kind::cups, dests[i].is_default != 0});
        }
        cups::free_dests(count, dests);
    }
    out.push_back({pdf_printer_name, device_kind::pdf, false});
    return out;
}

} // namespace kestrun::printing

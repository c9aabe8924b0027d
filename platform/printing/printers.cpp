#include "platform/printing/printers.h"

#include "platform/printing/cups_library.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace kestrun::printing {

std::vector<printer_device> name_devices(std::vector<printer_device> cups_destinations)
{
    std::vector<printer_device> out;
    const auto taken = [&](const std::string& name) {
        return ::strcasecmp(name.c_str(), pdf_printer_name) == 0 ||
               std::any_of(out.begin(), out.end(),
                           [&](const printer_device& d) { return d.name == name; });
    };
    for (auto& d : cups_destinations) {
        d.kind = device_kind::cups;
        if (taken(d.name))
            d.name = std::string(cups_prefix) + d.name;
        out.push_back(std::move(d));
    }
    out.push_back({pdf_printer_name, device_kind::pdf, false});
    return out;
}

std::string cups_queue(const printer_device& device)
{
    return device.name.starts_with(cups_prefix) ? device.name.substr(cups_prefix.size())
                                                : device.name;
}

discovered_printers discover_printers()
{
    std::vector<printer_device> queues;
    std::string unreachable;
    if (!std::getenv("KESTRUN_NO_CUPS")) {
        cups_dest_t* dests = nullptr;
        const int count = cups::get_dests(&dests);
        if (count == 0)
            unreachable = cups::unreachable();
        for (int i = 0; i < count; ++i) {
            std::string name = dests[i].name;
            if (dests[i].instance)
                name += std::string("/") + dests[i].instance;
            queues.push_back({name, device_kind::cups, dests[i].is_default != 0});
        }
        cups::free_dests(count, dests);
    }
    return {name_devices(std::move(queues)), std::move(unreachable)};
}

} // namespace kestrun::printing

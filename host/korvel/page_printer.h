#pragma once
// What the host's direct printing needs of the module: for a page class, a function that prints
// the page's data alone (no form image) for given page parameters, moved by the host's margin,
// into an open print job. The module fills this registry when it loads, so the host never
// includes a header of the module.

#include "platform/printing/render_target.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrun::host {

class host_state;

struct page_data_request {
    host_state& host;
    std::string_view class_name;
    // The page's parameter fields as the host sets them (nrsp, nrp, nr, ilb).
    std::vector<std::pair<std::string, int>> parameters;
    // The host's margin for this page, added to every field's position.
    double dx_mm = 0, dy_mm = 0;
};

// Draws exactly one page (begin_page ... end_page) into the job; the job is not finished.
using page_data_printer =
    std::function<void(const page_data_request& request, printing::render_target& job)>;

struct page_printer_entry {
    std::string unit; // names the print job (W2815_1)
    page_data_printer print;
};

// A later registration of the same class replaces the earlier one.
void register_page_printer(std::string class_name, page_printer_entry entry);
// Null when the module has no page of that class.
const page_printer_entry* find_page_printer(std::string_view class_name);

} // namespace kestrun::host

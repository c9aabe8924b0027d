#pragma once
// The drawing of a form page from its description: what a vector form picture records once and
// every page that shows the form replays.

#include <cairo.h>
#include <nlohmann/json.hpp>
#include <string>

namespace kestrun::printing::form {

// A rectangle in layout pixels (120 per inch) from the band's top-left corner.
struct rect_px {
    double x = 0, y = 0, w = 0, h = 0;
};

// Paints every item of the form description; the context's user units are layout pixels of the
// band. Throws kestrun::error (kind input) naming the JSON path of a bad item.
void draw_form(cairo_t* cr, const nlohmann::json& form, const std::string& origin);

} // namespace kestrun::printing::form

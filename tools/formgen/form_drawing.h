#pragma once
// The drawing of a form page from its description: what the form-image generator paints before
// it encodes the page as the scan the report prints under its fields.

#include <cairo.h>
#include <nlohmann/json.hpp>
#include <string>

namespace kestrun::formgen {

// A rectangle in layout pixels (120 per inch) from the band's top-left corner.
struct rect_px {
    double x = 0, y = 0, w = 0, h = 0;
};

// Finds the form image component `QRI_obr_str` in a layout and returns its rectangle. Throws
// kestrun::error (kind input) naming `origin` when the layout has none or its geometry is bad.
rect_px image_rect(const nlohmann::json& layout, const std::string& origin);

// Paints every item of the form description; the context's user units are layout pixels of the
// band. Throws kestrun::error (kind input) naming the JSON path of a bad item.
void draw_form(cairo_t* cr, const nlohmann::json& form, const std::string& origin);

} // namespace kestrun::formgen

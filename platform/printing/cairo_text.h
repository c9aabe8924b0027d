#pragma once
// Text in a field on any cairo context whose user units are points: the fonts, the fitting and
// the drawing that the PDF and PNG targets and the form-image generator share, so that a
// caption measures and breaks alike on every surface.

#include "platform/printing/render_target.h"

#include <cairo.h>
#include <string_view>
#include <vector>

namespace kestrun::printing {

struct rect_pt {
    double x = 0, y = 0, w = 0, h = 0;
};

struct fitted_text {
    double size_pt = 0; // the size the caption was drawn at
    bool clipped = false;
    rect_pt ink; // what the caption covers, within the field when clipped
};

// Draws the caption aligned in its field from the field's top, wrapped at words when the style
// says so, "\n" separating lines. A caption wider than its field, or with more than one line
// and taller than its field, is drawn 0.5 pt smaller at a time down to `smallest_pt` (6 pt for
// the data of a page) until it fits; one that does not fit even then is drawn at that size
// clipped to the field. With a null context the caption is measured, not drawn. Throws
// kestrun::error (kind render) when the fonts cannot be loaded.
fitted_text draw_fitted_text(cairo_t* cr, std::string_view utf8, rect_pt field,
                             const text_style& style, double smallest_pt = 6.0);

// Where a one-line caption stands as draw_fitted_text places it at the size a page's data is
// drawn at: each character's box (its advance across, the line's height down) and the ink of
// the whole caption.
struct laid_out_text {
    std::vector<rect_pt> characters;
    rect_pt ink;
};
laid_out_text lay_out(std::string_view utf8, rect_pt field, const text_style& style);

// Tells the clip listener of this thread, if any, of a caption drawn cut at its field's edge.
void report_clipped(std::string_view utf8);

constexpr double points_per_mm = 72.0 / 25.4;

inline rect_pt to_points(rect_mm r)
{
    return {r.x * points_per_mm, r.y * points_per_mm, r.w * points_per_mm, r.h * points_per_mm};
}

} // namespace kestrun::printing

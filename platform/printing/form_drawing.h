#pragma once
// The drawing of a form page from its description: what a vector form picture records once and
// every page that shows the form replays.

#include "platform/printing/render_target.h"

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

// Cairo's own declaration: who only reads a drawing's marks needs no cairo headers.
typedef struct _cairo cairo_t; // NOLINT(modernize-use-using)

namespace kestrun::printing::form {

// A rectangle in layout pixels (120 per inch) from the band's top-left corner.
struct rect_px {
    double x = 0, y = 0, w = 0, h = 0;
};

// A field of the page as a form drawing needs it to draw a row of cells around what the page
// prints there.
struct field_print {
    rect_px rect;
    text_style style;
    std::string caption; // the design caption: the widest value the field is laid out for
};
using field_prints = std::map<std::string, field_print, std::less<>>;

// What a form drawing puts where: a check of a printed page measures the data against these.
struct form_mark {
    enum class kind { line, print, cell_wall };
    kind what = kind::line;
    rect_px rect;
    std::string field; // the field whose characters a cell wall separates
};

// Paints every item of the form description; the context's user units are layout pixels of the
// band. A row of cells names the field of `fields` it is drawn around. Returns every line, print
// and cell wall drawn. Throws kestrun::error (kind input) naming the JSON path of a bad item.
std::vector<form_mark> draw_form(cairo_t* cr, const nlohmann::json& form, const std::string& origin,
                                 const field_prints& fields);

// The form's picture over `frame`, the image component's rectangle, drawn around the page's
// fields, and every mark of the whole form, not only of the part the frame shows.
struct drawn_form {
    std::shared_ptr<const vector_picture> picture;
    std::vector<form_mark> marks;
};
drawn_form draw_picture(std::string_view form_json, vector_picture::frame_px frame,
                        std::string origin, const field_prints& fields);

} // namespace kestrun::printing::form

// A facsimile of an official form page: white paper, tinted sections under a heading bar, white
// boxes with a thin dark frame, the box number in bold and its label in small print, cells for
// digits and squares for marks. Labels wrap and shrink inside their box, never beyond it.

#include "platform/printing/form_drawing.h"

#include "platform/error.h"
#include "platform/printing/cairo_text.h"
#include "platform/printing/render_target.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace kestrun::printing::form {

namespace {

using nlohmann::json;
using printing::font_family;
using printing::h_align;
using printing::text_style;

constexpr double px_per_pt = 120.0 / 72.0;
constexpr double label_pt = 6.5;
constexpr double heading_pt = 8.0;
constexpr double pad = 4.0; // layout pixels between a frame and its print
// The form's own print may shrink further than data does: a label must stay inside its box.
constexpr double smallest_print_pt = 4.0;

struct rgb {
    double r, g, b;
};
constexpr rgb ink{0.12, 0.12, 0.14};
constexpr rgb section_tint{0.925, 0.937, 0.905};
constexpr rgb heading_tint{0.800, 0.835, 0.765};
constexpr rgb cell_line{0.55, 0.57, 0.55};

[[noreturn]] void bad(const std::string& origin, const std::string& path, const std::string& what)
{
    throw input_error(origin + ": " + path + ": " + what);
}

const json& member(const json& object, const char* key, const std::string& origin,
                   const std::string& path)
{
    const auto it = object.find(key);
    if (it == object.end()) {
        bad(origin, path + "." + key, "missing");
    }
    return *it;
}

std::string text_of(const json& object, const char* key, const std::string& origin,
                    const std::string& path, const char* fallback = nullptr)
{
    if (fallback != nullptr && !object.contains(key)) {
        return fallback;
    }
    const json& value = member(object, key, origin, path);
    if (!value.is_string()) {
        bad(origin, path + "." + key, "expected a text");
    }
    return value.get<std::string>();
}

double number_of(const json& object, const char* key, const std::string& origin,
                 const std::string& path, double fallback, double low, double high)
{
    if (!object.contains(key)) {
        return fallback;
    }
    const json& value = object[key];
    if (!value.is_number() || !(value.get<double>() >= low && value.get<double>() <= high)) {
        bad(origin, path + "." + key,
            "expected a number from " + std::to_string(int(low)) + " to " +
                std::to_string(int(high)));
    }
    return value.get<double>();
}

rect_px rect_of(const json& object, const std::string& origin, const std::string& path)
{
    const json& value = member(object, "rect_px", origin, path);
    const bool shaped =
        value.is_array() && value.size() == 4 &&
        std::all_of(value.begin(), value.end(), [](const json& v) { return v.is_number(); });
    if (!shaped || !(value[2].get<double>() > 0 && value[3].get<double>() > 0)) {
        bad(origin, path + ".rect_px", "expected [x, y, w, h] with a positive width and height");
    }
    return {value[0].get<double>(), value[1].get<double>(), value[2].get<double>(),
            value[3].get<double>()};
}

h_align align_of(const json& item, const std::string& origin, const std::string& path)
{
    const std::string align = text_of(item, "align", origin, path, "left");
    if (align == "left") {
        return h_align::left;
    }
    if (align == "center" || align == "centre") {
        return h_align::center;
    }
    if (align == "right") {
        return h_align::right;
    }
    bad(origin, path + ".align", "expected left, center or right, not '" + align + "'");
}

void set_colour(cairo_t* cr, rgb c)
{
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void fill_rect(cairo_t* cr, rect_px r, rgb c)
{
    set_colour(cr, c);
    cairo_rectangle(cr, r.x, r.y, r.w, r.h);
    cairo_fill(cr);
}

void frame_rect(cairo_t* cr, rect_px r, rgb c, double line_px)
{
    set_colour(cr, c);
    cairo_set_line_width(cr, line_px);
    // Inside the rectangle, so that a frame never reaches a neighbour's area.
    cairo_rectangle(cr, r.x + line_px / 2, r.y + line_px / 2, r.w - line_px, r.h - line_px);
    cairo_stroke(cr);
}

// Text in layout pixels: the shared text drawing works in points.
void text(cairo_t* cr, const std::string& utf8, rect_px r, const text_style& style)
{
    if (utf8.empty() || r.w <= 0 || r.h <= 0) {
        return;
    }
    cairo_save(cr);
    cairo_scale(cr, px_per_pt, px_per_pt);
    set_colour(cr, ink);
    printing::draw_fitted_text(
        cr, utf8, {r.x / px_per_pt, r.y / px_per_pt, r.w / px_per_pt, r.h / px_per_pt}, style);
    cairo_restore(cr);
}

text_style plain(double size_pt, h_align align = h_align::left)
{
    return {font_family::sans, size_pt, false, false, align, true};
}

text_style bold(double size_pt, h_align align = h_align::left)
{
    return {font_family::sans, size_pt, true, false, align, true};
}

void draw_section(cairo_t* cr, const json& item, rect_px r, const std::string& origin,
                  const std::string& path)
{
    fill_rect(cr, r, section_tint);
    const double bar = std::min(r.h, heading_pt * 1.25 * px_per_pt + 2 * 2.0);
    fill_rect(cr, {r.x, r.y, r.w, bar}, heading_tint);
    frame_rect(cr, r, heading_tint, 1.0);
    text(cr, text_of(item, "heading", origin, path),
         {r.x + pad, r.y + 2.0, r.w - 2 * pad, bar - 2.0}, bold(heading_pt));
}

void draw_cells(cairo_t* cr, const json& cells, const std::string& origin, const std::string& path)
{
    const rect_px r = rect_of(cells, origin, path);
    const json& count_value = member(cells, "count", origin, path);
    if (!count_value.is_number_integer() || count_value.get<int>() < 1 ||
        count_value.get<int>() > 64) {
        bad(origin, path + ".count", "expected a whole number from 1 to 64");
    }
    const int count = count_value.get<int>();
    fill_rect(cr, r, {1, 1, 1});
    frame_rect(cr, r, cell_line, 1.0);
    // Separators rise from the bottom line, the way a form's comb of cells guides handwriting.
    set_colour(cr, cell_line);
    cairo_set_line_width(cr, 1.0);
    const double step = r.w / count;
    for (int i = 1; i < count; ++i) {
        const double x = std::round(r.x + step * i) + 0.5;
        cairo_move_to(cr, x, r.y + r.h * 0.45);
        cairo_line_to(cr, x, r.y + r.h);
    }
    cairo_stroke(cr);
}

void draw_box(cairo_t* cr, const json& item, rect_px r, const std::string& origin,
              const std::string& path)
{
    fill_rect(cr, r, {1, 1, 1});
    frame_rect(cr, r, ink, 1.0);
    double label_left = r.x + pad;
    if (item.contains("number")) {
        const json& number = item["number"];
        if (!number.is_number_integer() || number.get<int>() < 0) {
            bad(origin, path + ".number", "expected a box number");
        }
        const std::string numbered = std::to_string(number.get<int>()) + ".";
        // Liberation Sans digits are all 0.556 em wide, the full stop 0.278 em.
        const double width_pt =
            (0.556 * double(numbered.size() - 1) + 0.278) * label_pt + 0.2 * label_pt;
        text(cr, numbered, {r.x + pad, r.y + 2.0, width_pt * px_per_pt + 2.0, r.h - 4.0},
             {font_family::sans, label_pt, true, false, h_align::left, false});
        label_left += width_pt * px_per_pt + 2.0;
    }
    double label_bottom = r.y + r.h - 2.0;
    if (item.contains("cells")) {
        const rect_px cells = rect_of(item["cells"], origin, path + ".cells");
        draw_cells(cr, item["cells"], origin, path + ".cells");
        if (cells.y > r.y + 2.0) {
            label_bottom = std::min(label_bottom, cells.y - 1.0);
        }
    }
    text(cr, text_of(item, "label", origin, path, ""),
         {label_left, r.y + 2.0, r.x + r.w - pad - label_left, label_bottom - r.y - 2.0},
         plain(label_pt));
}

void draw_square(cairo_t* cr, const json& item, rect_px r, const std::map<int, rect_px>& boxes,
                 const std::string& origin, const std::string& path)
{
    fill_rect(cr, r, {1, 1, 1});
    frame_rect(cr, r, ink, 1.0);
    // The label runs from the square to the right edge of the box the square belongs to.
    double right = r.x + r.w + 400.0;
    double bottom = r.y + r.h + 40.0;
    if (item.contains("box")) {
        const json& box = item["box"];
        const auto found = box.is_number_integer() ? boxes.find(box.get<int>()) : boxes.end();
        if (found == boxes.end()) {
            bad(origin, path + ".box", "names no box of this form");
        }
        right = found->second.x + found->second.w - pad;
        bottom = found->second.y + found->second.h - 2.0;
    }
    const double line_px = label_pt * 1.15 * px_per_pt;
    const double top = r.y + std::max(0.0, (r.h - line_px) / 2);
    const double left = r.x + r.w + 3.0;
    text(cr, text_of(item, "label", origin, path, ""), {left, top, right - left, bottom - top},
         plain(label_pt));
}

} // namespace

void draw_form(cairo_t* cr, const nlohmann::json& form, const std::string& origin)
{
    const json& items = member(form, "items", origin, "$");
    if (!items.is_array()) {
        bad(origin, "$.items", "expected a list");
    }
    // Squares name the box they belong to; boxes may follow their squares in the list.
    std::map<int, rect_px> boxes;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string path = "$.items[" + std::to_string(i) + "]";
        const json& item = items[i];
        if (!item.is_object()) {
            bad(origin, path, "expected an object");
        }
        if (text_of(item, "kind", origin, path) == "box" && item.contains("number") &&
            item["number"].is_number_integer()) {
            boxes[item["number"].get<int>()] = rect_of(item, origin, path);
        }
    }
    set_colour(cr, {1, 1, 1});
    cairo_paint(cr);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string path = "$.items[" + std::to_string(i) + "]";
        const json& item = items[i];
        const std::string kind = text_of(item, "kind", origin, path);
        const rect_px r = rect_of(item, origin, path);
        if (kind == "title") {
            const double size = number_of(item, "size_pt", origin, path, 18.0, 4.0, 72.0);
            text(cr, text_of(item, "text", origin, path), r,
                 bold(size, align_of(item, origin, path)));
        } else if (kind == "text") {
            const double size = number_of(item, "size_pt", origin, path, 7.0, 4.0, 72.0);
            const json& weight = item.contains("bold") ? item["bold"] : json(false);
            if (!weight.is_boolean()) {
                bad(origin, path + ".bold", "expected true or false");
            }
            const h_align align = align_of(item, origin, path);
            text(cr, text_of(item, "text", origin, path), r,
                 weight.get<bool>() ? bold(size, align) : plain(size, align));
        } else if (kind == "section") {
            draw_section(cr, item, r, origin, path);
        } else if (kind == "box") {
            draw_box(cr, item, r, origin, path);
        } else if (kind == "square") {
            draw_square(cr, item, r, boxes, origin, path);
        } else {
            bad(origin, path + ".kind",
                "expected title, text, section, box or square, not '" + kind + "'");
        }
    }
}

} // namespace kestrun::printing::form

namespace kestrun::printing {

std::shared_ptr<const vector_picture> vector_picture::from_form(std::string_view form_json,
                                                                frame_px frame, std::string origin)
{
    nlohmann::json form;
    try {
        // Deeply nested values crash the JSON library when copied; a form is four levels deep.
        form = nlohmann::json::parse(
            form_json, [&](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
                if (depth > 16) {
                    throw input_error(origin + ": nested deeper than 16 levels");
                }
                return true;
            });
    } catch (const nlohmann::json::parse_error& e) {
        throw input_error(origin + ": not JSON (byte " + std::to_string(e.byte) + ")");
    }
    if (!form.is_object()) {
        throw input_error(origin + ": $: expected an object");
    }
    if (!(frame.w > 0 && frame.h > 0)) {
        throw input_error(origin + ": the form image has no area to show the form in");
    }
    // Bounded to the image component: what the form draws outside it never reaches the page,
    // as it never reached a scan of that area.
    const cairo_rectangle_t extents{0, 0, frame.w, frame.h};
    const std::shared_ptr<void> recording(
        cairo_recording_surface_create(CAIRO_CONTENT_COLOR, &extents),
        [](void* s) { cairo_surface_destroy(static_cast<cairo_surface_t*>(s)); });
    auto* surface = static_cast<cairo_surface_t*>(recording.get());
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface),
                                                                &cairo_destroy);
    cairo_translate(cr.get(), -frame.x, -frame.y);
    form::draw_form(cr.get(), form, origin);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        throw render_error(origin +
                           ": drawing failed: " + cairo_status_to_string(cairo_status(cr.get())));
    }
    return std::make_shared<const vector_picture>(recording, frame, std::move(origin));
}

} // namespace kestrun::printing

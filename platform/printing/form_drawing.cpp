// A facsimile of an official form page: white paper, tinted sections under a heading bar, white
// boxes with a thin dark frame, the box number in bold and its label in small print, cells for
// digits and squares for marks. Labels wrap and shrink inside their box, never beyond it.

#include "platform/printing/form_drawing.h"

#include "platform/error.h"
#include "platform/io/json.h"
#include "platform/printing/cairo_text.h"
#include "platform/printing/render_target.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

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
// A millimetre between the data and any line or print of the form; half of one between a
// character and the walls of its cell.
constexpr double clearance_px = 1.0 * 120.0 / 25.4 + 0.5;
// A line of Liberation Sans from ascender to descender, in em.
constexpr double line_em = 1.15;
constexpr double cell_clearance_px = 0.5 * 120.0 / 25.4;
// The form's own print may shrink further than data does: a label must stay inside its box.
constexpr double smallest_print_pt = 4.0;

struct rgb {
    double r, g, b;
};
constexpr rgb ink{0.12, 0.12, 0.14};
constexpr rgb section_tint{0.925, 0.937, 0.905};
constexpr rgb heading_tint{0.800, 0.835, 0.765};
// Cell walls in a drop-out tint: plain to the eye, left out by a scanner that reads the digits.
constexpr rgb cell_line{0.74, 0.76, 0.74};

// Where the drawing goes, and the record of every line, print and cell wall it puts there.
struct canvas {
    cairo_t* cr;
    const field_prints& fields;
    std::vector<form_mark>& marks;

    void mark(form_mark::kind what, rect_px r, std::string field = {}) const
    {
        marks.push_back({what, r, std::move(field)});
    }
};

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

void frame_rect(const canvas& cv, rect_px r, rgb c, double line_px,
                form_mark::kind what = form_mark::kind::line, const std::string& field = {})
{
    set_colour(cv.cr, c);
    cairo_set_line_width(cv.cr, line_px);
    // Inside the rectangle, so that a frame never reaches a neighbour's area.
    cairo_rectangle(cv.cr, r.x + line_px / 2, r.y + line_px / 2, r.w - line_px, r.h - line_px);
    cairo_stroke(cv.cr);
    cv.mark(what, {r.x, r.y, r.w, line_px}, field);
    cv.mark(what, {r.x, r.y + r.h - line_px, r.w, line_px}, field);
    cv.mark(what, {r.x, r.y, line_px, r.h}, field);
    cv.mark(what, {r.x + r.w - line_px, r.y, line_px, r.h}, field);
}

// Text in layout pixels: the shared text drawing works in points.
void text(const canvas& cv, const std::string& utf8, rect_px r, const text_style& style)
{
    if (utf8.empty() || r.w <= 0 || r.h <= 0) {
        return;
    }
    cairo_t* cr = cv.cr;
    cairo_save(cr);
    cairo_scale(cr, px_per_pt, px_per_pt);
    set_colour(cr, ink);
    const auto drawn = printing::draw_fitted_text(
        cr, utf8, {r.x / px_per_pt, r.y / px_per_pt, r.w / px_per_pt, r.h / px_per_pt}, style,
        smallest_print_pt);
    cairo_restore(cr);
    cv.mark(form_mark::kind::print, {drawn.ink.x * px_per_pt, drawn.ink.y * px_per_pt,
                                     drawn.ink.w * px_per_pt, drawn.ink.h * px_per_pt});
}

text_style plain(double size_pt, h_align align = h_align::left)
{
    return {font_family::sans, size_pt, false, false, align, true};
}

text_style bold(double size_pt, h_align align = h_align::left)
{
    return {font_family::sans, size_pt, true, false, align, true};
}

void draw_section(const canvas& cv, const json& item, rect_px r, const std::string& origin,
                  const std::string& path)
{
    fill_rect(cv.cr, r, section_tint);
    const double bar = std::min(r.h, heading_pt * 1.25 * px_per_pt + 2 * 2.0);
    fill_rect(cv.cr, {r.x, r.y, r.w, bar}, heading_tint);
    frame_rect(cv, r, heading_tint, 1.0);
    text(cv, text_of(item, "heading", origin, path),
         {r.x + pad, r.y + 2.0, r.w - 2 * pad, bar - 2.0}, bold(heading_pt));
}

// The cells of a field that prints one character per cell, laid out from the widest value the
// field takes (as many characters as it has cells, spaced by blanks as the page prints them),
// so that every cell stands centred on its character at the pitch of the field's face, its
// height centred on the characters' ink and clear of their whole line.
struct comb {
    std::vector<rect_px> cells;
    double ink_bottom = 0; // where the characters stand: the baseline of digits
};

comb comb_cells(const field_print& f, int count)
{
    std::string widest;
    for (int i = 0; i < count; ++i) {
        widest += i == 0 ? "0" : " 0";
    }
    const auto text = printing::lay_out(
        widest,
        {f.rect.x / px_per_pt, f.rect.y / px_per_pt, f.rect.w / px_per_pt, f.rect.h / px_per_pt},
        f.style);
    const auto& chars = text.characters;
    const double pitch = count > 1 ? chars[2].x - chars[0].x : 2 * chars[0].w;
    const double middle = text.ink.y + text.ink.h / 2;
    const double reach =
        std::max(middle - chars[0].y, chars[0].y + chars[0].h - middle) * px_per_pt +
        cell_clearance_px + 1.0;
    const double height = std::max(f.rect.h, 2 * reach);
    comb row{{}, (text.ink.y + text.ink.h) * px_per_pt};
    for (int i = 0; i < count; ++i) {
        const auto& c = chars[std::size_t(2 * i)];
        row.cells.push_back({(c.x + c.w / 2 - pitch / 2) * px_per_pt,
                             middle * px_per_pt - height / 2, pitch * px_per_pt, height});
    }
    return row;
}

// A row of cells: returns the rectangle it covers.
rect_px draw_cells(const canvas& cv, const json& cells, const std::string& origin,
                   const std::string& path)
{
    const std::string name = text_of(cells, "field", origin, path);
    const auto field = cv.fields.find(name);
    if (field == cv.fields.end()) {
        bad(origin, path + ".field", "names no field of the page's layout: '" + name + "'");
    }
    const std::string& caption = field->second.caption;
    const int widest = int(std::count_if(caption.begin(), caption.end(), [](char c) {
        return c != ' ' && (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
    const double count = number_of(cells, "count", origin, path, std::max(widest, 1), 1, 64);
    if (count != std::floor(count)) {
        bad(origin, path + ".count", "expected a whole number from 1 to 64");
    }
    const auto [row, ink_bottom] = comb_cells(field->second, int(count));
    const rect_px r{row.front().x, row.front().y, row.back().x + row.back().w - row.front().x,
                    row.front().h};
    fill_rect(cv.cr, r, {1, 1, 1});
    frame_rect(cv, r, cell_line, 1.0, form_mark::kind::cell_wall, name);
    // Separators are short ticks rising from the bottom line to half a millimetre below the
    // characters, as an official form's comb guides handwriting: a separator beside a digit's
    // foot reads back as a comma.
    const double tick_top = std::min(ink_bottom + cell_clearance_px, r.y + r.h - 1.0);
    set_colour(cv.cr, cell_line);
    cairo_set_line_width(cv.cr, 1.0);
    for (std::size_t i = 1; i < row.size(); ++i) {
        const double x = row[i].x;
        cairo_move_to(cv.cr, x, tick_top);
        cairo_line_to(cv.cr, x, r.y + r.h);
        cv.mark(form_mark::kind::cell_wall, {x - 0.5, tick_top, 1.0, r.y + r.h - tick_top}, name);
    }
    cairo_stroke(cv.cr);
    return r;
}

void draw_box(const canvas& cv, const json& item, rect_px r, const std::string& origin,
              const std::string& path)
{
    fill_rect(cv.cr, r, {1, 1, 1});
    frame_rect(cv, r, ink, 1.0);
    const double label_top = r.y + 1.5;
    double label_bottom = r.y + r.h - 2.0;
    if (item.contains("cells")) {
        const rect_px cells = draw_cells(cv, item["cells"], origin, path + ".cells");
        if (cells.y > r.y + 2.0) {
            label_bottom = std::min(label_bottom, cells.y - 1.0);
        }
    }
    // The label ends a millimetre above the data the box holds, where the data leaves room.
    for (const auto& [name, field] : cv.fields) {
        const rect_px& f = field.rect;
        const bool inside = f.x >= r.x - 0.5 && f.x + f.w <= r.x + r.w + 0.5 && f.y >= r.y - 0.5 &&
                            f.y + f.h <= r.y + r.h + 0.5;
        if (inside && f.y - clearance_px > label_top + smallest_print_pt * px_per_pt) {
            label_bottom = std::min(label_bottom, f.y - clearance_px);
        }
    }
    // One line of the label, descenders included, stays above that.
    const double size =
        std::clamp((label_bottom - label_top) / (line_em * px_per_pt), smallest_print_pt, label_pt);
    double label_left = r.x + pad;
    if (item.contains("number")) {
        const json& number = item["number"];
        if (!number.is_number_integer() || number.get<int>() < 0) {
            bad(origin, path + ".number", "expected a box number");
        }
        const std::string numbered = std::to_string(number.get<int>()) + ".";
        // Liberation Sans digits are all 0.556 em wide, the full stop 0.278 em.
        const double width_pt = (0.556 * double(numbered.size() - 1) + 0.278) * size + 0.2 * size;
        text(cv, numbered, {r.x + pad, label_top, width_pt * px_per_pt + 2.0, r.h - 4.0},
             {font_family::sans, size, true, false, h_align::left, false});
        label_left += width_pt * px_per_pt + 2.0;
    }
    text(cv, text_of(item, "label", origin, path, ""),
         {label_left, label_top, r.x + r.w - pad - label_left, label_bottom - label_top},
         plain(size));
}

void draw_square(const canvas& cv, const json& item, rect_px r, const std::map<int, rect_px>& boxes,
                 const std::string& origin, const std::string& path)
{
    fill_rect(cv.cr, r, {1, 1, 1});
    frame_rect(cv, r, ink, 1.0);
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
    text(cv, text_of(item, "label", origin, path, ""), {left, top, right - left, bottom - top},
         plain(label_pt));
}

} // namespace

std::vector<form_mark> draw_form(cairo_t* cr, const nlohmann::json& form, const std::string& origin,
                                 const field_prints& fields)
{
    std::vector<form_mark> marks;
    const canvas cv{cr, fields, marks};
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
            text(cv, text_of(item, "text", origin, path), r,
                 bold(size, align_of(item, origin, path)));
        } else if (kind == "text") {
            const double size = number_of(item, "size_pt", origin, path, 7.0, 4.0, 72.0);
            const json& weight = item.contains("bold") ? item["bold"] : json(false);
            if (!weight.is_boolean()) {
                bad(origin, path + ".bold", "expected true or false");
            }
            const h_align align = align_of(item, origin, path);
            text(cv, text_of(item, "text", origin, path), r,
                 weight.get<bool>() ? bold(size, align) : plain(size, align));
        } else if (kind == "section") {
            draw_section(cv, item, r, origin, path);
        } else if (kind == "box") {
            draw_box(cv, item, r, origin, path);
        } else if (kind == "square") {
            draw_square(cv, item, r, boxes, origin, path);
        } else {
            bad(origin, path + ".kind",
                "expected title, text, section, box or square, not '" + kind + "'");
        }
    }
    return marks;
}

drawn_form draw_picture(std::string_view form_json, vector_picture::frame_px frame,
                        std::string origin, const field_prints& fields)
{
    const nlohmann::json form = io::parse_json(form_json, origin);
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
    auto marks = draw_form(cr.get(), form, origin, fields);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        throw render_error(origin +
                           ": drawing failed: " + cairo_status_to_string(cairo_status(cr.get())));
    }
    return {std::make_shared<const vector_picture>(recording, frame, std::move(origin)),
            std::move(marks)};
}

} // namespace kestrun::printing::form

namespace kestrun::printing {

std::shared_ptr<const vector_picture> vector_picture::from_form(std::string_view form_json,
                                                                frame_px frame, std::string origin)
{
    return form::draw_picture(form_json, frame, std::move(origin), {}).picture;
}

} // namespace kestrun::printing

// Fonts, font map and layouts are made once per thread: a page of two hundred fields must not
// pay for font lookups, and every target must measure with the same unhinted metrics. A pango
// font map and its layouts are not safe to share between threads, so returns printed side by
// side each draw with their own thread's engine, without waiting for one another.

#include "platform/printing/cairo_text.h"

#include "platform/error.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <string>
#include <utility>
#include <vector>

namespace kestrun::printing {

namespace {

constexpr double shrink_step_pt = 0.5;
// Measurements are in pango units; a hair of slack keeps a caption that fits exactly from
// shrinking on rounding.
constexpr int slack = PANGO_SCALE / 100;

const char* family_name(font_family family)
{
    return family == font_family::mono ? "Liberation Mono" : "Liberation Sans";
}

// Where Debian's fonts-liberation2 puts the four faces the pages print with.
constexpr const char* liberation_dir = "/usr/share/fonts/truetype/liberation2";
constexpr std::array<const char*, 4> liberation_faces = {
    "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationMono-Regular.ttf",
    "LiberationMono-Bold.ttf"};

// A font configuration that knows only the four faces, when they are where Debian puts them: a
// user's own configuration could otherwise substitute faces or metrics the fields were not laid
// out for. Without the files, nothing: the system's configuration is asked, and check_font still
// refuses a substitute.
FcConfig* liberation_only()
{
    for (const char* face : liberation_faces) {
        if (!std::filesystem::is_regular_file(std::filesystem::path(liberation_dir) / face)) {
            return nullptr;
        }
    }
    FcConfig* config = FcConfigCreate();
    for (const char* face : liberation_faces) {
        const std::string file = (std::filesystem::path(liberation_dir) / face).string();
        if (FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.c_str())) ==
            FcFalse) {
            FcConfigDestroy(config);
            return nullptr;
        }
    }
    return config;
}

class text_engine {
public:
    text_engine()
    {
        m_font_map = pango_cairo_font_map_new();
        if (FcConfig* config = liberation_only()) {
            pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(m_font_map), config);
            FcConfigDestroy(config);
        }
        pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(m_font_map), 72.0);
        m_context = pango_font_map_create_context(m_font_map);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        pango_cairo_context_set_font_options(m_context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(m_context, FALSE);
        pango_context_set_language(m_context, pango_language_from_string("pl"));

        for (const font_family family : {font_family::sans, font_family::mono}) {
            for (const bool bold : {false, true}) {
                PangoFontDescription* desc = pango_font_description_new();
                pango_font_description_set_family_static(desc, family_name(family));
                pango_font_description_set_weight(desc,
                                                  bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
                pango_font_description_set_size(desc, 10 * PANGO_SCALE);
                check_font(desc, family_name(family));
                m_fonts[font_index(family, bold)] = desc;
            }
        }
        PangoAttrList* struck = pango_attr_list_new();
        pango_attr_list_insert(struck, pango_attr_strikethrough_new(TRUE));
        for (std::size_t i = 0; i < m_layouts.size(); ++i) {
            m_layouts[i] = pango_layout_new(m_context);
            if (i % 2 == 1) {
                pango_layout_set_attributes(m_layouts[i], struck);
            }
        }
        pango_attr_list_unref(struck);
    }

    ~text_engine()
    {
        for (PangoLayout* layout : m_layouts) {
            g_object_unref(layout);
        }
        for (PangoFontDescription* desc : m_fonts) {
            pango_font_description_free(desc);
        }
        g_object_unref(m_context);
        g_object_unref(m_font_map);
    }

    text_engine(const text_engine&) = delete;
    text_engine& operator=(const text_engine&) = delete;

    fitted_text draw(cairo_t* cr, std::string_view utf8, rect_pt field, const text_style& style,
                     double smallest_pt, std::vector<rect_pt>* characters = nullptr)
    {
        PangoLayout* layout =
            m_layouts[font_index(style.family, style.bold) * 2 + (style.strike_out ? 1 : 0)];
        PangoFontDescription* desc = m_fonts[font_index(style.family, style.bold)];
        pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
        pango_layout_set_alignment(layout, style.align == h_align::right    ? PANGO_ALIGN_RIGHT
                                           : style.align == h_align::center ? PANGO_ALIGN_CENTER
                                                                            : PANGO_ALIGN_LEFT);
        const int width = units(field.w);
        const int height = units(field.h);
        if (style.word_wrap) {
            pango_layout_set_width(layout, std::max(width, 1));
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        } else {
            pango_layout_set_width(layout, -1);
        }

        const double lowest = std::min(style.size_pt, smallest_pt);
        double size = std::max(style.size_pt, 1.0);
        PangoRectangle logical{};
        bool fits = false;
        for (;;) {
            pango_font_description_set_size(desc, units(size));
            pango_layout_set_font_description(layout, desc);
            pango_layout_get_extents(layout, nullptr, &logical);
            const bool fits_across =
                logical.x >= -slack && logical.x + logical.width <= width + slack;
            const bool fits_down =
                pango_layout_get_line_count(layout) <= 1 || logical.height <= height + slack;
            fits = fits_across && fits_down;
            if (fits || size <= lowest) {
                break;
            }
            size = std::max(lowest, size - shrink_step_pt);
        }

        // Unwrapped text has no layout width to align in: place the block in the field.
        double x = field.x;
        if (!style.word_wrap) {
            const double spare = field.w - to_points(logical.width);
            x += style.align == h_align::right    ? spare
                 : style.align == h_align::center ? spare / 2
                                                  : 0.0;
            x -= to_points(logical.x);
        }
        PangoRectangle ink{};
        pango_layout_get_extents(layout, &ink, nullptr);
        rect_pt drawn{x + to_points(ink.x), field.y + to_points(ink.y), to_points(ink.width),
                      to_points(ink.height)};
        if (!fits) {
            drawn = intersection(drawn, field);
        }
        if (characters != nullptr) {
            characters->clear();
            for (const char* c = utf8.data(); c < utf8.data() + utf8.size();
                 c = g_utf8_next_char(c)) {
                PangoRectangle pos{};
                pango_layout_index_to_pos(layout, static_cast<int>(c - utf8.data()), &pos);
                characters->push_back({x + to_points(pos.x), field.y + to_points(pos.y),
                                       to_points(pos.width), to_points(pos.height)});
            }
        }
        if (cr == nullptr) {
            return {size, !fits, drawn};
        }
        cairo_save(cr);
        if (!fits) {
            cairo_rectangle(cr, field.x, field.y, field.w, field.h);
            cairo_clip(cr);
        }
        cairo_move_to(cr, x, field.y);
        pango_cairo_show_layout(cr, layout);
        cairo_restore(cr);
        return {size, !fits, drawn};
    }

private:
    static std::size_t font_index(font_family family, bool bold)
    {
        return (family == font_family::mono ? 2U : 0U) + (bold ? 1U : 0U);
    }
    static rect_pt intersection(rect_pt a, rect_pt b)
    {
        const double left = std::max(a.x, b.x);
        const double top = std::max(a.y, b.y);
        const double right = std::min(a.x + a.w, b.x + b.w);
        const double bottom = std::min(a.y + a.h, b.y + b.h);
        return {left, top, std::max(0.0, right - left), std::max(0.0, bottom - top)};
    }
    static int units(double points) { return static_cast<int>(points * PANGO_SCALE + 0.5); }
    static double to_points(int pango_units) { return double(pango_units) / PANGO_SCALE; }

    // Fontconfig substitutes silently; a caption in the wrong face would still print, with
    // other widths than the fields were laid out for, so a missing face is an error.
    void check_font(const PangoFontDescription* desc, const char* family)
    {
        PangoFont* font = pango_font_map_load_font(m_font_map, m_context, desc);
        std::string found;
        if (font != nullptr) {
            PangoFontDescription* got = pango_font_describe(font);
            const char* name = pango_font_description_get_family(got);
            found = name != nullptr ? name : "";
            pango_font_description_free(got);
            g_object_unref(font);
        }
        if (found != family) {
            throw render_error(std::string("font ") + family + " not found (fontconfig gives '" +
                               found + "'); install fonts-liberation2");
        }
    }

    PangoFontMap* m_font_map = nullptr;
    PangoContext* m_context = nullptr;
    std::array<PangoFontDescription*, 4> m_fonts{};
    // One layout per face and strike-out: reused for every caption of that kind.
    std::array<PangoLayout*, 8> m_layouts{};
};

text_engine& engine()
{
    thread_local text_engine instance;
    return instance;
}

thread_local clip_listener the_clip_listener;

} // namespace

void use_only_the_print_fonts()
{
    // The system's configuration is dozens of XML files and the caches of every font folder,
    // about 8 ms of every run for four fonts; a font map reads it even when it is given a
    // configuration of its own, unless a current one is already set.
    if (FcConfig* config = liberation_only()) {
        FcConfigSetCurrent(config);
        FcConfigDestroy(config);
    }
}

scoped_clip_listener::scoped_clip_listener(clip_listener listener)
    : m_previous(std::exchange(the_clip_listener, std::move(listener)))
{
}

scoped_clip_listener::~scoped_clip_listener()
{
    the_clip_listener = std::move(m_previous);
}

void report_clipped(std::string_view utf8)
{
    if (the_clip_listener)
        the_clip_listener(utf8);
}

text_fit fit_text(std::string_view utf8, rect_mm where, const text_style& style)
{
    const auto fitted = draw_fitted_text(nullptr, utf8, to_points(where), style);
    return {fitted.size_pt, fitted.clipped};
}

fitted_text draw_fitted_text(cairo_t* cr, std::string_view utf8, rect_pt field,
                             const text_style& style, double smallest_pt)
{
    if (g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr) == FALSE) {
        throw render_error("caption is not UTF-8 text");
    }
    return engine().draw(cr, utf8, field, style, smallest_pt);
}

laid_out_text lay_out(std::string_view utf8, rect_pt field, const text_style& style)
{
    if (g_utf8_validate(utf8.data(), static_cast<gssize>(utf8.size()), nullptr) == FALSE) {
        throw render_error("caption is not UTF-8 text");
    }
    laid_out_text text;
    text.ink = engine().draw(nullptr, utf8, field, style, 6.0, &text.characters).ink;
    return text;
}

} // namespace kestrun::printing

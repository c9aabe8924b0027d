#pragma once
// What the report engine draws into: one print job of one or more pages. Millimetres from the
// top-left corner of the sheet throughout; points exist only inside the cairo targets.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrun::printing {

struct rect_mm {
    double x = 0, y = 0, w = 0, h = 0;
};

struct page_size {
    double width_mm = 210.0, height_mm = 297.0;
};

enum class h_align : std::uint8_t { left, center, right };

enum class font_family : std::uint8_t {
    sans, // Liberation Sans: amounts, texts, marks, strike-out captions
    mono  // Liberation Mono: digits spread over the cells of NIP, PESEL and years
};

struct text_style {
    font_family family = font_family::sans;
    double size_pt = 10.0;
    bool bold = true;
    bool strike_out = false;
    h_align align = h_align::left;
    bool word_wrap = true;
};

// A form scan: the JPEG bytes as stored, with the size read from its header. The bytes go into
// a PDF unchanged; only a raster target decodes them.
class jpeg_image {
public:
    // Throws kestrun::error (kind render) naming the file when it cannot be read or is not
    // a baseline/progressive JPEG.
    static std::shared_ptr<const jpeg_image> load(const std::filesystem::path& file);
    static std::shared_ptr<const jpeg_image> from_bytes(std::vector<std::uint8_t> bytes,
                                                        std::string origin);

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    int width_px() const { return m_width; }
    int height_px() const { return m_height; }
    const std::string& origin() const { return m_origin; }

    jpeg_image(std::vector<std::uint8_t> bytes, int width, int height, std::string origin)
        : m_bytes(std::move(bytes)), m_width(width), m_height(height), m_origin(std::move(origin))
    {
    }

private:
    std::vector<std::uint8_t> m_bytes;
    int m_width = 0, m_height = 0;
    std::string m_origin;
};

// A form drawn from its description (assets/forms/<Unit>.json): recorded once, with its print
// laid out and its glyphs chosen, then replayed as vectors and text on every page that shows it,
// so its labels stay sharp at any zoom and a page carries no pixels of it.
class vector_picture {
public:
    // Records the description (JSON text) of the form over `frame`, the image component's
    // rectangle in layout pixels of the band: the picture shows that part of the form. Throws
    // kestrun::error (kind input) naming `origin` and the JSON path of a bad item.
    struct frame_px {
        double x = 0, y = 0, w = 0, h = 0;
    };
    static std::shared_ptr<const vector_picture> from_form(std::string_view form_json,
                                                           frame_px frame, std::string origin);

    double width_px() const { return m_frame.w; }
    double height_px() const { return m_frame.h; }
    const std::string& origin() const { return m_origin; }
    // The recorded drawing; opaque to everyone but the cairo targets.
    const std::shared_ptr<void>& recording() const { return m_recording; }

    vector_picture(std::shared_ptr<void> recording, frame_px frame, std::string origin)
        : m_recording(std::move(recording)), m_frame(frame), m_origin(std::move(origin))
    {
    }

private:
    std::shared_ptr<void> m_recording;
    frame_px m_frame;
    std::string m_origin;
};

// What an image component shows: a scan, a drawing, or nothing.
struct picture {
    std::shared_ptr<const jpeg_image> raster;
    std::shared_ptr<const vector_picture> vector;
    explicit operator bool() const { return raster != nullptr || vector != nullptr; }
};

// What a PDF says of itself in its document information, so that an archive of printed returns
// can be told apart without opening each; the creator and the dates are the target's own.
struct document_info {
    std::string title, subject, keywords;
};

// A file carried inside a PDF as its data source (an associated file of relationship Data).
struct embedded_file {
    std::string name; // return.json
    std::string mime_type;
    std::string description;
    std::string content;
};

class render_target {
public:
    virtual ~render_target() = default;
    render_target() = default;
    render_target(const render_target&) = delete;
    render_target& operator=(const render_target&) = delete;

    void begin_page(page_size size);
    // The image is stretched into the rectangle.
    void draw_image(const jpeg_image& image, rect_mm where);
    // The drawing is stretched into the rectangle, like a scan.
    void draw_vector(const vector_picture& drawing, rect_mm where);
    // A scan or a drawing, whichever the picture holds; nothing for an empty picture.
    void draw_picture(const picture& shown, rect_mm where);
    // Text inside its field: aligned, wrapped when the style says so, drawn from the top of the
    // field. A caption that does not fit even when wrapped is drawn smaller (down to 6 pt) until
    // it fits; it is never drawn outside the field and never cut. "\n" separates lines.
    void draw_text(std::string_view utf8, rect_mm where, const text_style& style);
    void end_page();
    // The document information and files to carry; a PDF target writes them at finish(), other
    // targets have nowhere to put them.
    void describe(const document_info& info) { on_describe(info); }
    void embed(embedded_file file) { on_embed(std::move(file)); }
    // Completes the job; a file target writes a temporary file and renames it only here, so a
    // failed job leaves no partial file. Throws kestrun::error (kind io) when the output cannot be
    // written.
    void finish();

    int pages() const { return m_pages; }

private:
    virtual void on_begin_page(page_size size) = 0;
    virtual void on_draw_image(const jpeg_image& image, rect_mm where) = 0;
    virtual void on_draw_vector(const vector_picture& drawing, rect_mm where) = 0;
    virtual void on_draw_text(std::string_view utf8, rect_mm where, const text_style& style) = 0;
    virtual void on_end_page() = 0;
    virtual void on_finish() = 0;
    virtual void on_describe(const document_info&) {}
    virtual void on_embed(embedded_file) {}

    bool m_in_page = false;
    bool m_finished = false;
    int m_pages = 0;
};

// The size a caption prints at in its field, and whether it is cut at the field's edge (it does
// not fit even at the smallest size): what draw_text does, measured without drawing. Throws
// kestrun::error (render) when the fonts cannot be loaded.
struct text_fit {
    double size_pt = 0;
    bool clipped = false;
};
text_fit fit_text(std::string_view utf8, rect_mm where, const text_style& style);

// Told of every caption a PDF or PNG target draws cut at its field's edge, on the thread that
// draws it, while the listener is installed; the previous listener is back at the scope's end.
using clip_listener = std::function<void(std::string_view utf8)>;
class scoped_clip_listener {
public:
    explicit scoped_clip_listener(clip_listener listener);
    ~scoped_clip_listener();
    scoped_clip_listener(const scoped_clip_listener&) = delete;
    scoped_clip_listener& operator=(const scoped_clip_listener&) = delete;

private:
    clip_listener m_previous;
};

// A PDF file written at finish(); the form JPEG is embedded byte for byte; creation date from
// SOURCE_DATE_EPOCH or a fixed date, so the same input gives the same bytes. Its creator is
// "kestrun VERSION"; embedded files go in with a document ID made from the content.
std::unique_ptr<render_target> make_pdf_target(std::filesystem::path file);
// A PNG file of the (single) page at the given resolution.
std::unique_ptr<render_target> make_png_target(std::filesystem::path file, double dpi = 120.0);
// The same PNG handed over in memory: `png` receives the file's bytes at finish() (a preview
// shown before any paper is used); the target must not outlive `png`.
std::unique_ptr<render_target> make_png_memory_target(std::vector<std::uint8_t>& png,
                                                      double dpi = 120.0);
// One text line per operation, for tests.
std::unique_ptr<render_target> make_recording_target(std::vector<std::string>& log);

// For a process that draws nothing but pages: the fonts the pages print with become the only
// fonts the process knows, so that it never reads the system's font configuration. Pages print
// alike either way (their text engine always keeps to those fonts); this spares a short print
// run the time of that reading. A host with windows of its own does not call it.
void use_only_the_print_fonts();

} // namespace kestrun::printing

// The PDF and PNG targets: one cairo surface per print job, points as user units.

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/printing/cairo_text.h"
#include "platform/printing/jpeg_codec.h"
#include "platform/printing/pdf_files.h"
#include "platform/printing/render_target.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo.h>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>

namespace kestrun::printing {

namespace {

constexpr double mm_per_inch = 25.4;

void check_status(cairo_status_t status, const std::string& what)
{
    if (status != CAIRO_STATUS_SUCCESS) {
        throw render_error(what + ": " + cairo_status_to_string(status));
    }
}

// The date a PDF states as its creation and modification date: from SOURCE_DATE_EPOCH when set,
// so that a rebuild reproduces a document, and otherwise a fixed date, never the clock.
std::string pdf_date()
{
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || *epoch == '\0') {
        return "2016-01-01T00:00:00Z";
    }
    char* end = nullptr;
    errno = 0;
    const long long seconds = std::strtoll(epoch, &end, 10);
    std::tm utc{};
    const auto time = static_cast<std::time_t>(seconds);
    if (errno != 0 || *end != '\0' || seconds < 0 || gmtime_r(&time, &utc) == nullptr) {
        throw input_error(std::string("SOURCE_DATE_EPOCH is not a number of seconds: '") + epoch +
                          "'");
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// The PDF source of a scan: a one-pixel image surface that carries the JPEG bytes, which the
// PDF backend embeds as they are, with the width and height their header states. Its pixel is
// never read (the surface is opaque, so cairo does not look for transparency, and the JPEG is
// what is drawn). It is one pixel, not the scan's size, because the PDF keeps a snapshot of every
// source and copies a source's pixels into it when the source is destroyed first: a scan-sized
// surface cost about 5 MB of copying and page faults per form page.
cairo_surface_t* make_pdf_source(const jpeg_image& image)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    const auto& bytes = image.bytes();
    // A copy of the bytes goes with the surface: the image need not outlive the job.
    auto* copy = static_cast<unsigned char*>(std::malloc(std::max<std::size_t>(bytes.size(), 1)));
    if (copy == nullptr) {
        cairo_surface_destroy(surface);
        throw render_error("form image " + image.origin() + ": out of memory");
    }
    std::copy(bytes.begin(), bytes.end(), copy);
    const cairo_status_t status = cairo_surface_set_mime_data(surface, CAIRO_MIME_TYPE_JPEG, copy,
                                                              bytes.size(), std::free, copy);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::free(copy);
    }
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS || status != CAIRO_STATUS_SUCCESS) {
        const cairo_status_t failed =
            status != CAIRO_STATUS_SUCCESS ? status : cairo_surface_status(surface);
        cairo_surface_destroy(surface);
        check_status(failed, "form image " + image.origin());
    }
    return surface;
}

void paint_stretched(cairo_t* cr, cairo_surface_t* source, double width_px, double height_px,
                     rect_mm where)
{
    const rect_pt to = to_points(where);
    cairo_save(cr);
    cairo_translate(cr, to.x, to.y);
    cairo_scale(cr, to.w / width_px, to.h / height_px);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, width_px, height_px);
    cairo_fill(cr);
    cairo_restore(cr);
}

// What the PDF and PNG targets share: a cairo surface and its context, the bytes the surface
// streams out, and captions fitted into their fields the same way on both.
class cairo_target : public render_target {
public:
    ~cairo_target() override { release(); }

protected:
    void release()
    {
        // A job abandoned after a failure still has its surface: destroying it finishes the
        // document, which streams into m_bytes. That sink lives here, in the base, so it is
        // still there when this runs after the derived target is gone.
        if (m_cr != nullptr) {
            cairo_destroy(m_cr);
            m_cr = nullptr;
        }
        if (m_surface != nullptr) {
            cairo_surface_destroy(m_surface);
            m_surface = nullptr;
        }
    }

    // The recorded form is replayed into the surface: vectors and text in a PDF, drawn at the
    // resolution of the page in a PNG.
    void on_draw_vector(const vector_picture& drawing, rect_mm where) override
    {
        paint_stretched(m_cr, static_cast<cairo_surface_t*>(drawing.recording().get()),
                        drawing.width_px(), drawing.height_px(), where);
    }

    void on_draw_text(std::string_view utf8, rect_mm where, const text_style& style) override
    {
        if (draw_fitted_text(m_cr, utf8, to_points(where), style).clipped)
            report_clipped(utf8);
    }

    static cairo_status_t collect(void* closure, const unsigned char* data, unsigned int length)
    {
        auto& bytes = static_cast<cairo_target*>(closure)->m_bytes;
        bytes.insert(bytes.end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    }

    std::vector<std::uint8_t> m_bytes;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
};

class pdf_target final : public cairo_target {
public:
    explicit pdf_target(std::filesystem::path file) : m_file(std::move(file)) {}
    ~pdf_target() override
    {
        // The document first, so that no snapshot of a source outlives it.
        release();
        for (const auto& [image, source] : m_sources) {
            cairo_surface_destroy(source);
        }
    }

private:
    void on_begin_page(page_size size) override
    {
        const double w = size.width_mm / mm_per_inch * 72.0;
        const double h = size.height_mm / mm_per_inch * 72.0;
        if (m_surface == nullptr) {
            static const std::string date = pdf_date();
            m_bytes.reserve(std::size_t{1} << 18);
            m_surface = cairo_pdf_surface_create_for_stream(&cairo_target::collect,
                                                            static_cast<cairo_target*>(this), w, h);
            cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
            cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_MOD_DATE, date.c_str());
            cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR,
                                           "kestrun " KESTRUN_VERSION);
            m_cr = cairo_create(m_surface);
            check_status(cairo_status(m_cr), "PDF " + m_file.string());
        } else {
            cairo_pdf_surface_set_size(m_surface, w, h);
        }
    }

    void on_draw_image(const jpeg_image& image, rect_mm where) override
    {
        // One source per scan and job: a scan on several pages is embedded once.
        auto& source = m_sources[&image];
        if (source == nullptr) {
            source = make_pdf_source(image);
        }
        paint_stretched(m_cr, source, 1, 1, where);
    }

    void on_end_page() override { cairo_show_page(m_cr); }

    void on_describe(const document_info& info) override { m_info = info; }
    void on_embed(embedded_file file) override { m_embedded.push_back(std::move(file)); }

    void on_finish() override
    {
        if (m_surface == nullptr) {
            throw render_error("PDF " + m_file.string() + ": a print job without a page");
        }
        const std::pair<cairo_pdf_metadata_t, const std::string*> described[] = {
            {CAIRO_PDF_METADATA_TITLE, &m_info.title},
            {CAIRO_PDF_METADATA_SUBJECT, &m_info.subject},
            {CAIRO_PDF_METADATA_KEYWORDS, &m_info.keywords}};
        for (const auto& [key, text] : described)
            if (!text->empty())
                cairo_pdf_surface_set_metadata(m_surface, key, text->c_str());
        cairo_destroy(m_cr);
        m_cr = nullptr;
        cairo_surface_finish(m_surface);
        check_status(cairo_surface_status(m_surface), "PDF " + m_file.string());
        if (!m_embedded.empty())
            m_bytes = with_embedded_files(m_bytes, m_embedded, pdf_date_of(pdf_date()));
        io::write_file(m_file, m_bytes);
    }

    std::filesystem::path m_file;
    document_info m_info;
    std::vector<embedded_file> m_embedded;
    std::map<const jpeg_image*, cairo_surface_t*> m_sources;
};

class png_target final : public cairo_target {
public:
    png_target(std::filesystem::path file, double dpi, std::vector<std::uint8_t>* memory = nullptr)
        : m_file(std::move(file)), m_dpi(dpi), m_memory(memory)
    {
        if (!(dpi >= 10.0 && dpi <= 1200.0)) {
            throw render_error("PNG " + m_file.string() + ": resolution " + std::to_string(dpi) +
                               " dpi is outside 10 to 1200");
        }
    }

private:
    void on_begin_page(page_size size) override
    {
        if (m_surface != nullptr) {
            throw render_error("PNG " + m_file.string() + ": a PNG holds one page");
        }
        const auto pixels = [&](double mm) {
            return static_cast<int>(std::lround(mm / mm_per_inch * m_dpi));
        };
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels(size.width_mm),
                                               pixels(size.height_mm));
        m_cr = cairo_create(m_surface);
        check_status(cairo_status(m_cr), "PNG " + m_file.string());
        cairo_set_source_rgb(m_cr, 1, 1, 1);
        cairo_paint(m_cr);
        cairo_set_source_rgb(m_cr, 0, 0, 0); // captions print black
        cairo_scale(m_cr, m_dpi / 72.0, m_dpi / 72.0);
    }

    void on_draw_image(const jpeg_image& image, rect_mm where) override
    {
        cairo_surface_t* decoded =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width_px(), image.height_px());
        const auto release = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>(
            decoded, &cairo_surface_destroy);
        check_status(cairo_surface_status(decoded), "form image " + image.origin());
        cairo_surface_flush(decoded);
        decode_jpeg_rgb24(image, cairo_image_surface_get_data(decoded),
                          cairo_image_surface_get_stride(decoded));
        cairo_surface_mark_dirty(decoded);
        paint_stretched(m_cr, decoded, image.width_px(), image.height_px(), where);
    }

    void on_end_page() override { cairo_surface_flush(m_surface); }

    void on_finish() override
    {
        if (m_surface == nullptr) {
            throw render_error("PNG " + m_file.string() + ": a print job without a page");
        }
        check_status(cairo_surface_write_to_png_stream(m_surface, &cairo_target::collect,
                                                       static_cast<cairo_target*>(this)),
                     "PNG " + m_file.string());
        if (m_memory != nullptr) {
            *m_memory = std::move(m_bytes);
        } else {
            io::write_file(m_file, m_bytes);
        }
    }

    std::filesystem::path m_file;
    double m_dpi;
    std::vector<std::uint8_t>* m_memory;
};

} // namespace

std::unique_ptr<render_target> make_pdf_target(std::filesystem::path file)
{
    return std::make_unique<pdf_target>(std::move(file));
}

std::unique_ptr<render_target> make_png_target(std::filesystem::path file, double dpi)
{
    return std::make_unique<png_target>(std::move(file), dpi);
}

std::unique_ptr<render_target> make_png_memory_target(std::vector<std::uint8_t>& png, double dpi)
{
    return std::make_unique<png_target>("the page in memory", dpi, &png);
}

} // namespace kestrun::printing

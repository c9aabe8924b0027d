// The state rules every target shares, and the form scan as the targets receive it.

#include "platform/printing/render_target.h"

#include "platform/error.h"
#include "platform/printing/jpeg_codec.h"

#include <fstream>
#include <iterator>

namespace kestrun::printing {

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        throw render_error(std::string("render target: ") + what);
    }
}

} // namespace

void render_target::begin_page(page_size size)
{
    require(!m_finished, "begin_page after finish");
    require(!m_in_page, "begin_page before the previous page ended");
    require(size.width_mm > 0 && size.height_mm > 0, "begin_page with an empty page size");
    on_begin_page(size);
    m_in_page = true;
}

void render_target::draw_image(const jpeg_image& image, rect_mm where)
{
    require(m_in_page, "draw_image outside a page");
    on_draw_image(image, where);
}

void render_target::draw_vector(const vector_picture& drawing, rect_mm where)
{
    require(m_in_page, "draw_vector outside a page");
    on_draw_vector(drawing, where);
}

void render_target::draw_picture(const picture& shown, rect_mm where)
{
    if (shown.raster) {
        draw_image(*shown.raster, where);
    } else if (shown.vector) {
        draw_vector(*shown.vector, where);
    }
}

void render_target::draw_text(std::string_view utf8, rect_mm where, const text_style& style)
{
    require(m_in_page, "draw_text outside a page");
    on_draw_text(utf8, where, style);
}

void render_target::end_page()
{
    require(m_in_page, "end_page without begin_page");
    on_end_page();
    m_in_page = false;
    ++m_pages;
}

void render_target::finish()
{
    require(!m_finished, "finish called twice");
    require(!m_in_page, "finish inside a page");
    // A failed finish leaves the target finished: the job is over either way, and a retry
    // would only write the same failure again.
    m_finished = true;
    on_finish();
}

std::shared_ptr<const jpeg_image> jpeg_image::load(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw render_error("form image " + file.string() + ": cannot be read");
    }
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw render_error("form image " + file.string() + ": cannot be read");
    }
    return from_bytes(std::move(bytes), file.string());
}

std::shared_ptr<const jpeg_image> jpeg_image::from_bytes(std::vector<std::uint8_t> bytes,
                                                         std::string origin)
{
    const jpeg_header header = read_jpeg_header(bytes, origin);
    return std::make_shared<const jpeg_image>(std::move(bytes), header.width, header.height,
                                              std::move(origin));
}

} // namespace kestrun::printing

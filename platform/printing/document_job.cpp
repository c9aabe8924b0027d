// A job that adds its pages to a document shared by the jobs of a run.

#include "platform/printing/render_target.h"

namespace kestrun::printing {

namespace {

class document_job final : public render_target {
public:
    explicit document_job(render_target& document) : m_document(document) {}

private:
    void on_begin_page(page_size size) override { m_document.begin_page(size); }
    void on_draw_image(const jpeg_image& image, rect_mm where) override
    {
        m_document.draw_image(image, where);
    }
    void on_draw_vector(const vector_picture& drawing, rect_mm where) override
    {
        m_document.draw_vector(drawing, where);
    }
    void on_draw_text(std::string_view utf8, rect_mm where, const text_style& style) override
    {
        m_document.draw_text(utf8, where, style);
    }
    void on_end_page() override { m_document.end_page(); }
    void on_finish() override {}

    render_target& m_document;
};

} // namespace

std::unique_ptr<render_target> make_document_job(render_target& document)
{
    return std::make_unique<document_job>(document);
}

} // namespace kestrun::printing

// A target that writes what it is asked to draw, one line per operation, so that the layers
// above can be tested without reading pixels:
//   begin_page 210.00 297.00
//   image 2.00 3.00 205.95 291.04 <origin>
//   text 21.40 36.20 40.60 4.40 sans 10.0 bold left wrap "caption"      (strike added when struck)
//   end_page
//   finish

#include "platform/printing/render_target.h"

#include <cstdio>

namespace kestrun::printing {

namespace {

std::string rect_text(rect_mm r)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f %.2f", r.x, r.y, r.w, r.h);
    return text;
}

// Quotes the caption so that a line break or a quote in it cannot split or end the line.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

class recording_target final : public render_target {
public:
    explicit recording_target(std::vector<std::string>& log) : m_log(log) {}

private:
    void on_begin_page(page_size size) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "begin_page %.2f %.2f", size.width_mm, size.height_mm);
        m_log.emplace_back(text);
    }

    void on_draw_image(const jpeg_image& image, rect_mm where) override
    {
        m_log.push_back("image " + rect_text(where) + " " + image.origin());
    }

    void on_draw_vector(const vector_picture& drawing, rect_mm where) override
    {
        m_log.push_back("vector " + rect_text(where) + " " + drawing.origin());
    }

    void on_draw_text(std::string_view utf8, rect_mm where, const text_style& style) override
    {
        char size[16];
        std::snprintf(size, sizeof size, "%.1f", style.size_pt);
        const char* align = style.align == h_align::right    ? "right"
                            : style.align == h_align::center ? "center"
                                                             : "left";
        m_log.push_back("text " + rect_text(where) + " " +
                        (style.family == font_family::mono ? "mono " : "sans ") + size +
                        (style.bold ? " bold " : " plain ") + align +
                        (style.word_wrap ? " wrap" : " nowrap") +
                        (style.strike_out ? " strike " : " ") + quoted(utf8));
    }

    void on_end_page() override { m_log.emplace_back("end_page"); }
    void on_finish() override { m_log.emplace_back("finish"); }

    std::vector<std::string>& m_log;
};

} // namespace

std::unique_ptr<render_target> make_recording_target(std::vector<std::string>& log)
{
    return std::make_unique<recording_target>(log);
}

} // namespace kestrun::printing

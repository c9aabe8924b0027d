// Form drawings. One drawn from its description prints as lines and text, sharp at any zoom: no
// pixels of it reach the PDF, its labels are words a reader can find where the description puts
// them, and its rules keep hard edges at 600 dpi. The form-drawing check the asset build runs: a
// sound description is installed unchanged, a bad one stops the build with one line naming the
// item and what is wrong, and installs nothing.

#include "platform/error.h"
#include "platform/printing/form_drawing.h"
#include "platform/printing/render_target.h"
#include "tests/support/render_probe.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

using namespace kestrun::printing;

constexpr double mm_per_px = 25.4 / 120.0;

constexpr const char* form_json = R"({"items": [
    {"kind": "section", "rect_px": [20, 80, 930, 300], "heading": "A. DANE IDENTYFIKACYJNE"},
    {"kind": "box", "number": 1, "rect_px": [30, 110, 400, 60], "label": "Identyfikator NIP",
     "cells": {"field": "QRL_nip"}},
    {"kind": "box", "number": 9, "rect_px": [30, 180, 900, 80], "label": "Rodzaj inwestycji"},
    {"kind": "square", "box": 9, "rect_px": [40, 205, 18, 18], "label": "budowa budynku"},
    {"kind": "text", "rect_px": [30, 400, 600, 20], "text": "Żółć gęślą jaźń", "size_pt": 6.5}
]})";

// The frame starts at the band's corner and the page shows it at 120 dpi, so a layout pixel
// of the description is a layout pixel of the page.
std::shared_ptr<const vector_picture> test_form()
{
    text_style digits;
    digits.family = font_family::mono;
    digits.word_wrap = false;
    return form::draw_picture(form_json, {0, 0, 990, 1400}, "test form",
                              {{"QRL_nip", {{50, 140, 320, 28}, digits, "1 2 3 4 5"}}})
        .picture;
}

void render(render_target& target, const vector_picture& form)
{
    target.begin_page({210, 297});
    target.draw_vector(form, {0, 0, 990 * mm_per_px, 1400 * mm_per_px});
    target.end_page();
    target.finish();
}

// One row of grey levels of the PDF rendered at 600 dpi, from band pixel x0 to x1 at y.
std::vector<int> row_at_600_dpi(const std::filesystem::path& pdf, int x0, int x1, int y)
{
    std::string pdftoppm = KESTRUN_PDFTOTEXT;
    pdftoppm.replace(pdftoppm.rfind("pdftotext"), 9, "pdftoppm");
    const auto out = pdf.parent_path() / "row";
    const auto r =
        probe::run(pdftoppm + " -r 600 -gray -singlefile -x " + std::to_string(x0 * 5) + " -y " +
                   std::to_string(y * 5) + " -W " + std::to_string((x1 - x0) * 5) + " -H 1 " +
                   pdf.string() + " " + out.string());
    EXPECT_EQ(r.status, 0) << r.output;
    const auto pgm = probe::read_bytes(out.string() + ".pgm");
    // P5, width, height, 255, then one byte per pixel: the pixels are the row's last bytes.
    const std::size_t width = std::size_t(x1 - x0) * 5;
    if (pgm.size() < width) {
        ADD_FAILURE() << "no image from pdftoppm";
        return {};
    }
    return {pgm.end() - static_cast<std::ptrdiff_t>(width), pgm.end()};
}

TEST(vector_picture, prints_as_text_and_lines_sharp_at_600_dpi)
{
    probe::scratch_dir dir;
    const auto pdf = dir / "form.pdf";
    render(*make_pdf_target(pdf), *test_form());

    const auto pages =
        probe::run(std::string(KESTRUN_QPDF) + " --show-pages --with-images " + pdf.string());
    EXPECT_FALSE(std::regex_search(pages.output, std::regex(R"(\d+ x \d+)"))) << pages.output;

    struct label {
        std::string word;
        double x, y, w, h; // the item it belongs to, layout pixels
        const char* why;
    };
    const label labels[] = {
        {"IDENTYFIKACYJNE", 20, 80, 930, 30, "a section heading in its bar"},
        {"Identyfikator", 30, 110, 400, 25, "a box label above its cells"},
        {"inwestycji", 30, 180, 900, 80, "a box label"},
        {"budowa", 58, 205, 872, 55, "a square's label right of it, inside its box"},
        {"gęślą", 30, 400, 600, 20, "the smallest print, with Polish letters"},
    };
    const auto words = probe::words_of(pdf);
    constexpr double pt_per_px = 72.0 / 120.0, slack = 0.5;
    for (const auto& l : labels) {
        SCOPED_TRACE(l.why);
        const bool found = std::any_of(words.begin(), words.end(), [&](const auto& w) {
            return w.text == l.word && w.x_min >= l.x * pt_per_px - slack &&
                   w.y_min >= l.y * pt_per_px - slack &&
                   w.x_max <= (l.x + l.w) * pt_per_px + slack &&
                   w.y_max <= (l.y + l.h) * pt_per_px + slack;
        });
        EXPECT_TRUE(found) << l.word;
    }

    // Box 1's left rule (one layout pixel, x 30 to 31) becomes five dark device pixels between
    // the section's even tint and the box's white: no blur, no ringing.
    const auto row = row_at_600_dpi(pdf, 26, 36, 140);
    ASSERT_EQ(row.size(), 50U);
    for (std::size_t i = 0; i < row.size(); ++i) {
        SCOPED_TRACE("device pixel " + std::to_string(i));
        if (i >= 20 && i < 25) {
            EXPECT_LT(row[i], 80);
        } else if (i < 19) {
            EXPECT_NEAR(row[i], 236, 2) << "the section's tint";
        } else if (i > 25) {
            EXPECT_GT(row[i], 250) << "the box's white";
        }
    }
}

TEST(vector_picture, refuses_a_frame_without_area)
{
    EXPECT_THROW(vector_picture::from_form(form_json, {0, 0, 0, 100}, "test form"), kestrun::error);
}

constexpr const char* layout_json = R"({"unit": "T1", "class": "TF_t1", "report": "QR_T1",
    "image": {"name": "QRI_obr_str", "rect_px": [1, 1, 971, 1362]}, "components": [
    {"name": "QRL_rok", "kind": "cells", "box": 9, "rect_px": [40, 230, 91, 21],
     "caption": "2 0 1 5"}]})";

constexpr const char* sound_form = R"({"unit": "T1", "width_px": 1100, "items": [
    {"kind": "title", "rect_px": [20, 20, 200, 50], "text": "PIT-2K", "size_pt": 18},
    {"kind": "box", "number": 9, "rect_px": [30, 180, 900, 80], "label": "Rodzaj inwestycji",
     "cells": {"field": "QRL_rok"}},
    {"kind": "square", "box": 9, "rect_px": [40, 205, 18, 18], "label": "1. budowa"}]})";

TEST(formgen, installs_a_sound_description_unchanged_and_nothing_of_a_bad_one)
{
    struct description {
        std::string form;
        int status;
        std::string says;
        const char* why;
    };
    const description cases[] = {
        {sound_form, 0, "", "a sound description"},
        {R"({"items": [{"kind": "box", "rect_px": [1, 2, 3]}]})", 2, "$.items[0].rect_px",
         "a rectangle of three numbers"},
        {R"({"items": [{"kind": "circle", "rect_px": [1, 2, 3, 4]}]})", 2, "$.items[0].kind",
         "an unknown kind"},
        {R"({"items": [{"kind": "square", "box": 4, "rect_px": [1, 2, 3, 4]}]})", 2,
         "$.items[0].box", "a square naming a box the form lacks"},
        {R"({"items": [{"kind": "text", "rect_px": [1, 2, 3, 4]}]})", 2, "$.items[0].text",
         "a text item without its text"},
        {R"({"items": [{"kind": "box", "rect_px": [1, 2, 300, 80], "cells": {"field": "QRL_nip"}}]})",
         2, "$.items[0].cells.field", "cells around a field the page lacks"},
        {R"({"items": [{"kind": "text", "rect_px": [1, 2, 3, 4], "text": "x", "size_pt": 99}]})", 2,
         "$.items[0].size_pt", "print larger than a form has"},
        {R"([1, 2])", 2, "$: expected an object", "a list instead of a description"},
        {"{", 2, "not valid JSON", "a cut-off file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        probe::scratch_dir dir;
        std::ofstream(dir / "form.json") << c.form;
        std::ofstream(dir / "layout.json") << layout_json;
        const auto r =
            probe::run(std::string(KESTRUN_FORMGEN) + " " + (dir / "form.json").string() + " " +
                       (dir / "layout.json").string() + " " + (dir / "out.json").string());
        const auto installed = probe::read_bytes(dir / "out.json");
        EXPECT_EQ(r.status, c.status) << r.output;
        if (c.status == 0) {
            EXPECT_EQ(std::string(installed.begin(), installed.end()), c.form);
            continue;
        }
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        EXPECT_TRUE(installed.empty()) << "nothing is installed";
    }
}

} // namespace

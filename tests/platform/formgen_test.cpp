// The form-image generator as the asset build runs it: a form description and a layout in, a
// JPEG out, the same bytes every time.

#include "tests/support/render_probe.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;

constexpr const char* layout_json = R"({"unit": "T1", "image": {"name": "QRI_obr_str",
    "rect_px": [1, 1, 971, 1362]}, "components": []})";

constexpr const char* form_json = R"({"unit": "T1", "width_px": 1100, "items": [
    {"kind": "title", "rect_px": [20, 20, 200, 50], "text": "PIT-2K", "size_pt": 18},
    {"kind": "section", "rect_px": [20, 80, 930, 300], "heading": "A. DANE IDENTYFIKACYJNE PODATNIKA"},
    {"kind": "box", "number": 1, "rect_px": [30, 110, 400, 60],
     "label": "Identyfikator podatkowy NIP / numer PESEL",
     "cells": {"count": 11, "rect_px": [40, 135, 330, 28]}},
    {"kind": "box", "number": 9, "rect_px": [30, 180, 900, 80], "label": "Rodzaj inwestycji"},
    {"kind": "square", "box": 9, "rect_px": [40, 205, 18, 18], "label": "1. budowa budynku mieszkalnego"},
    {"kind": "text", "rect_px": [30, 400, 600, 20], "text": "Żółć gęślą jaźń", "size_pt": 7}
]})";

struct generated {
    int status;
    std::string output;
    std::vector<std::uint8_t> jpeg;
};

generated run_formgen(const probe::scratch_dir& dir, const std::string& form,
                      const std::string& out)
{
    std::ofstream(dir / "form.json") << form;
    std::ofstream(dir / "layout.json") << layout_json;
    const auto r = probe::run(std::string(KESTRUN_FORMGEN) + " " + (dir / "form.json").string() +
                              " " + (dir / "layout.json").string() + " " + (dir / out).string());
    return {r.status, r.output, probe::read_bytes(dir / out)};
}

TEST(formgen, draws_the_same_jpeg_every_time)
{
    probe::scratch_dir dir;
    const auto first = run_formgen(dir, form_json, "a.jpg");
    const auto second = run_formgen(dir, form_json, "b.jpg");
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_EQ(first.jpeg, second.jpeg);
    const auto scan = jpeg_image::from_bytes(first.jpeg, "a.jpg");
    EXPECT_EQ(scan->width_px(), 1100);
    EXPECT_EQ(scan->height_px(), 1543) << "1100 × 1362 / 971";
    EXPECT_EQ(first.jpeg[13], 1);
    EXPECT_EQ(first.jpeg[14] * 256 + first.jpeg[15], 120);
}

// A bad description stops the build with one line naming the item and what is wrong.
TEST(formgen, names_what_is_wrong_in_a_description)
{
    struct bad_form {
        std::string form;
        std::string says;
        const char* why;
    };
    const bad_form cases[] = {
        {R"({"width_px": 1100, "items": [{"kind": "box", "rect_px": [1, 2, 3]}]})",
         "$.items[0].rect_px", "a rectangle of three numbers"},
        {R"({"width_px": 1100, "items": [{"kind": "circle", "rect_px": [1, 2, 3, 4]}]})",
         "$.items[0].kind", "an unknown kind"},
        {R"({"width_px": 1100, "items": [{"kind": "square", "box": 4, "rect_px": [1, 2, 3, 4]}]})",
         "$.items[0].box", "a square naming a box the form lacks"},
        {R"({"items": []})", "$.width_px", "no width"},
        {R"({"width_px": 1100, "items": [{"kind": "text", "rect_px": [1, 2, 3, 4]}]})",
         "$.items[0].text", "a text item without its text"},
        {"{", "not valid JSON", "a cut-off file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        probe::scratch_dir dir;
        const auto r = run_formgen(dir, c.form, "out.jpg");
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
        EXPECT_TRUE(r.jpeg.empty()) << "no image is written";
    }
}

} // namespace

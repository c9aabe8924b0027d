// The form-drawing check the asset build runs: a sound description is installed unchanged, a
// bad one stops the build with one line naming the item and what is wrong, and installs
// nothing.

#include "tests/support/render_probe.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;

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

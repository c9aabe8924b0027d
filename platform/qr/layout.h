#pragma once
// A page's design: every component of its band as assets/layouts/<Unit>.json gives it, loaded
// once per process. Positions are layout pixels (120 per inch) relative to the band.

#include "platform/printing/render_target.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrun::qr {

inline constexpr double mm_per_px = 25.4 / 120.0;

struct rect_px {
    double left = 0, top = 0, width = 0, height = 0;
    printing::rect_mm to_mm() const
    {
        return {left * mm_per_px, top * mm_per_px, width * mm_per_px, height * mm_per_px};
    }
};

enum class component_kind { amount, text, cells, mark, strike, memo, image };

// Whose data a field shows, for the pages that name both spouses: most spouse fields print only
// on a joint return; a few (the spouse's box of art. 29 ust. 4) print regardless; a few sum
// what both spouses declared (the PIT/M income a parent shares with the other).
enum class spouse_field { no, joint_only, always, both };

struct component_design {
    std::string name;
    component_kind kind = component_kind::text;
    int box = 0; // the form's box number the field fills; 0 for fields that belong to none
    rect_px rect;
    printing::text_style style;
    bool enabled = true;
    std::string caption; // design caption (lines joined by "\n" for a memo)
    spouse_field spouse = spouse_field::no;
};

struct page_margins_mm {
    double top = 3.0, bottom = 3.0, left = 2.0, right = 2.0;
};

struct page_design {
    std::string unit;
    std::string class_name;
    std::string report_name;
    page_margins_mm margins;
    double band_width_mm = 205.95;
    double band_height_mm = 291.04;
    component_design image; // QRI_obr_str
    printing::picture
        form; // the form's drawing, or a scan that replaces it; loaded with the design
    std::vector<component_design> components; // creation order
    // Position of each component in `components`, by name: fields are found by name on every
    // fill, so the lookup is built once with the design.
    std::unordered_map<std::string_view, std::size_t> index;
};

// The folder holding layouts/, forms/ and any scans/: $KESTRUN_ASSETS, else the installed share
// folder next to the module (the library, or the executable holding its objects), else the build
// tree's, for a module that lies in the build tree. An installed module never reads the build
// tree: it throws kestrun::error (io) naming where it looked.
std::filesystem::path asset_dir();

// The design of a unit, read on first use by a thread and kept for the life of that thread (a
// print run keeps to its thread), with its form
// picture: the drawing of forms/<Unit>.json, recorded here once, unless scans/<Unit>.jpg holds
// a scan of the form, which then prints instead, its bytes unchanged. Throws
// kestrun::error (input) naming the file and the JSON path when the design is missing or bad.
const page_design& design_of(std::string_view unit);

// Parses a design from its JSON text (no form image); exposed for the layout check.
page_design parse_design(std::string_view json_text, const std::string& origin);

std::string_view kind_name(component_kind kind);

} // namespace kestrun::qr

// The rendered-page check, for every page report the module exports: each word of data the page
// prints, as pdftotext reads its box back from the PDF, stands at least 1 mm from every line
// and every print of the form drawing, and a character printed into a row of cells stands in
// the middle of its cell, at least 0.5 mm from its walls. Filled from records full of sentinel
// values, the widest captions each field holds.

#include "framework/module.h"
#include "framework/page_report.h"
#include "platform/io/files.h"
#include "platform/qr/form_fields.h"
#include "platform/qr/report.h"
#include "tests/support/render_probe.h"
#include "tests/support/sentinels.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

namespace qr = kestrun::qr;
using kestrun::printing::form::form_mark;
using kestrun::printing::probe::word_box;

constexpr double clearance_mm = 1.0;
constexpr double cell_clearance_mm = 0.5;
constexpr double cell_centring_mm = 0.3;

struct box_mm {
    double left, top, right, bottom;
};

double gap(const box_mm& a, const box_mm& b)
{
    const double across = std::max({0.0, b.left - a.right, a.left - b.right});
    const double down = std::max({0.0, b.top - a.bottom, a.top - b.bottom});
    return std::hypot(across, down);
}

box_mm band_mm(const form_mark& m)
{
    return {m.rect.x * qr::mm_per_px, m.rect.y * qr::mm_per_px,
            (m.rect.x + m.rect.w) * qr::mm_per_px, (m.rect.y + m.rect.h) * qr::mm_per_px};
}

// The word's box in millimetres from the band's top-left corner, as the marks are.
box_mm band_mm(const word_box& w, const qr::page_design& design)
{
    using kestrun::printing::probe::pt_per_mm;
    return {w.x_min / pt_per_mm - design.margins.left, w.y_min / pt_per_mm - design.margins.top,
            w.x_max / pt_per_mm - design.margins.left, w.y_max / pt_per_mm - design.margins.top};
}

// The field the word prints in: the one whose rectangle holds the word's middle.
const qr::component_design* field_of(const box_mm& w, const qr::page_design& design)
{
    const double x = (w.left + w.right) / 2 / qr::mm_per_px;
    const double y = (w.top + w.bottom) / 2 / qr::mm_per_px;
    for (const auto& c : design.components)
        if (x >= c.rect.left && x <= c.rect.left + c.rect.width && y >= c.rect.top &&
            y <= c.rect.top + c.rect.height)
            return &c;
    return nullptr;
}

// Fields whose rectangles leave no room for a line a millimetre from the data of both sides:
// PIT-28 page 1's amounts in the rows of boxes 55 to 67 stand 10 px apart, each filled to its
// edges; the two squares of PIT/O's boxes 23 and 24 stand 4 px one above the other.
const std::set<std::pair<std::string_view, std::string_view>> no_room = {
    {"W2815_1", "QRL_pr2"},    {"W2815_1", "QRL_pr3"},    {"W2815_1", "QRL_pr4"},
    {"W2815_1", "QRL_pr5"},    {"W2815_1", "QRL_pr6"},    {"W2815_1", "QRL_prosz2"},
    {"W2815_1", "QRL_prosz3"}, {"W2815_1", "QRL_prosz4"}, {"W2815_1", "QRL_prosz5"},
    {"W2815_1", "QRL_prosz6"}, {"Wo15_1", "QRL_r11"},     {"Wo15_1", "QRL_r12"},
    {"Wo15_1", "QRL_r21"},     {"Wo15_1", "QRL_r22"}};

// Every fault of one page: the data's words against the marks of its form drawing.
std::vector<std::string> faults_of(const qr::page_design& design,
                                   const std::vector<form_mark>& marks,
                                   const std::vector<word_box>& words)
{
    std::vector<std::string> faults;
    const auto fault = [&](const std::string& field, const word_box& w, const std::string& what,
                           double mm, const box_mm& where) {
        std::ostringstream line;
        line << design.unit << " " << field << " '" << w.text << "': " << what << " "
             << std::round(mm * 100) / 100 << " mm, at x " << std::round(where.left * 10) / 10
             << " to " << std::round(where.right * 10) / 10 << " mm, y "
             << std::round(where.top * 10) / 10 << " to " << std::round(where.bottom * 10) / 10;
        faults.push_back(line.str());
    };
    for (const auto& w : words) {
        box_mm word = band_mm(w, design);
        const auto* field = field_of(word, design);
        // A struck-out caption prints over the form's own words, to strike them.
        if (field && (field->kind == qr::component_kind::strike ||
                      no_room.count({design.unit, field->name})))
            continue;
        const std::string name = field ? field->name : "(no field)";
        // A mark prints in its square, the square's frame is its cell; down, the word's box is
        // the face's whole line, taller than the square, where the mark's ink stays inside it.
        const bool in_square = field && field->kind == qr::component_kind::mark;
        if (in_square) {
            word.top = field->rect.top * qr::mm_per_px;
            word.bottom = (field->rect.top + field->rect.height) * qr::mm_per_px;
        }
        double left_wall = 1e9, right_wall = 1e9;
        for (const auto& m : marks) {
            const box_mm mark = band_mm(m);
            double d = gap(word, mark);
            const bool own_wall =
                (m.what == form_mark::kind::cell_wall && field && m.field == field->name) ||
                (in_square && m.what == form_mark::kind::line &&
                 gap(mark, {field->rect.left * qr::mm_per_px, field->rect.top * qr::mm_per_px,
                            (field->rect.left + field->rect.width) * qr::mm_per_px,
                            (field->rect.top + field->rect.height) * qr::mm_per_px}) == 0);
            if (!own_wall) {
                if (d < clearance_mm)
                    fault(name, w,
                          m.what == form_mark::kind::print ? "form print at" : "form line at", d,
                          mark);
                continue;
            }
            if (in_square && mark.right - mark.left > mark.bottom - mark.top)
                continue;
            if (in_square)
                d = std::max({0.0, mark.left - word.right, word.left - mark.right});
            if (d < cell_clearance_mm)
                fault(name, w, "cell wall at", d, mark);
            const bool upright =
                m.rect.h > m.rect.w && mark.top < word.bottom && mark.bottom > word.top;
            if (upright && mark.right <= word.left)
                left_wall = std::min(left_wall, word.left - mark.right);
            if (upright && mark.left >= word.right)
                right_wall = std::min(right_wall, mark.left - word.right);
        }
        if (!in_square && left_wall < 1e9 && right_wall < 1e9 &&
            std::abs(left_wall - right_wall) / 2 > cell_centring_mm)
            fault(name, w, "off the middle of its cell by", std::abs(left_wall - right_wall) / 2,
                  word);
    }
    return faults;
}

// The marks of the page's form drawing, drawn as the page draws it.
std::vector<form_mark> form_marks(const qr::page_design& design)
{
    const auto file = qr::asset_dir() / "forms" / (design.unit + ".json");
    const auto& r = design.image.rect;
    return kestrun::printing::form::draw_picture(
               kestrun::io::read_text_file(file, kestrun::io::document_limit, "form drawing"),
               {r.left, r.top, r.width, r.height}, file.string(), qr::prints_of(design))
        .marks;
}

std::vector<word_box> data_words(const kestrun::page_report& page)
{
    kestrun::printing::probe::scratch_dir dir;
    auto target = kestrun::printing::make_pdf_target(dir / "page.pdf");
    page.report().Render(*target, {false});
    target->finish();
    return kestrun::printing::probe::words_of(dir / "page.pdf");
}

TEST(form_clearance, data_stands_clear_of_the_form_and_in_the_middle_of_its_cells)
{
    std::size_t checked = 0;
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(std::string(cls.class_name));
        auto h = kestrun::testing::sentinel_state();
        kestrun::page_instance page(cls, nullptr, h, qr::field_names::reported);
        page->Prepare();
        const auto& design = qr::design_of(cls.unit);
        const auto words = data_words(*page);
        checked += words.size();
        for (const auto& f : faults_of(design, form_marks(design), words))
            ADD_FAILURE() << f;
    }
    EXPECT_GT(checked, 1000U) << "the pages print their data";
}

TEST(form_clearance, a_row_of_cells_moved_by_a_millimetre_is_caught)
{
    const auto* cls = kestrun::find_page_class("TF_w36151");
    ASSERT_NE(cls, nullptr);
    auto h = kestrun::testing::sentinel_state();
    kestrun::page_instance page(*cls, nullptr, h, qr::field_names::reported);
    page->Prepare();
    const auto& design = qr::design_of(cls->unit);
    auto marks = form_marks(design);
    for (auto& m : marks)
        if (m.field == "QRL_nip")
            m.rect.x += 1.0 / qr::mm_per_px;
    const auto faults = faults_of(design, marks, data_words(*page));
    EXPECT_TRUE(std::any_of(faults.begin(), faults.end(), [](const std::string& f) {
        return f.find("W36151 QRL_nip ") != std::string::npos;
    })) << "no fault names the moved row";
}

} // namespace

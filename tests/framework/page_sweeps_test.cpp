// The sweeps over every page report the module exports. The layout check: every field the
// handler fills exists, lies inside the band and inside the box of the form it belongs to, no two
// fields overlap, and on records full of sentinel values no design caption leaks onto the page.
// The spouse sweep: the layout marks the fields of the spouse's column; with the taxpayer's and
// the spouse's data filled with different sentinels, a marked field shows the spouse's data and
// not the taxpayer's, an unmarked field never shows the spouse's, and on a return that is not
// joint a marked field is blank unless its layout says it prints regardless. And no two text or
// amount fields of a page show the same record field, so a box wired to the wrong element shows
// here rather than only in an example. The rendered-page check: each word of data the page
// prints, as pdftotext reads its box back from the PDF, stands at least 1 mm from every line and
// every print of the form drawing, and a character printed into a row of cells stands in the
// middle of its cell, at least 0.5 mm from its walls.

#include "framework/module.h"
#include "framework/page_report.h"
#include "host/tamdor/host_state.h"
#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/qr/form_fields.h"
#include "platform/qr/report.h"
#include "tests/support/page_probe.h"
#include "tests/support/render_probe.h"
#include "tests/support/sentinels.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

namespace {

using kestrun::testing::sentinel_state;
namespace qr = kestrun::qr;

std::multimap<int, qr::rect_px> form_boxes(std::string_view unit)
{
    std::ifstream in(std::string(KESTRUN_SOURCE_DIR) + "/assets/forms/" + std::string(unit) +
                     ".json");
    EXPECT_TRUE(in) << "no form drawing for " << unit;
    std::multimap<int, qr::rect_px> boxes;
    if (!in)
        return boxes;
    auto form = nlohmann::json::parse(in);
    for (const auto& item : form.at("items"))
        if (item.at("kind") == "box") {
            const auto& r = item.at("rect_px");
            boxes.insert({item.at("number").get<int>(), {r[0], r[1], r[2], r[3]}});
        }
    return boxes;
}

bool inside(const qr::rect_px& inner, const qr::rect_px& outer)
{
    constexpr double slack = 0.5; // half a layout pixel
    return inner.left >= outer.left - slack && inner.top >= outer.top - slack &&
           inner.left + inner.width <= outer.left + outer.width + slack &&
           inner.top + inner.height <= outer.top + outer.height + slack;
}

bool overlap(const qr::rect_px& a, const qr::rect_px& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// Every combination of the values 0 to 7 of the parameters the page takes: each either prints
// or is refused with an input error that names the parameter and the value.
std::vector<std::map<std::string, int>> parameter_sets(kestrun::page_report& page)
{
    std::vector<std::map<std::string, int>> sets{{}};
    for (const char* name : {"nrp", "nrsp", "nr", "ilb"}) {
        if (!page.parameter(name))
            continue;
        std::vector<std::map<std::string, int>> out;
        for (const auto& s : sets)
            for (int v = 0; v <= 7; ++v) {
                auto t = s;
                t[name] = v;
                out.push_back(t);
            }
        sets = out;
    }
    return sets;
}

// A refusal must be an input error that names one of the values given, never a host error
// from reading past a record's array.
bool refused_by_name(const kestrun::error& e, const std::map<std::string, int>& params)
{
    const std::string what = e.what();
    return e.kind() == kestrun::error_kind::input &&
           std::any_of(params.begin(), params.end(), [&](const auto& p) {
               return what.find(p.first + " " + std::to_string(p.second)) != std::string::npos;
           });
}

TEST(layout_check, every_field_lies_in_the_band_and_in_its_box_and_none_overlap)
{
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(std::string(cls.class_name));
        const auto& design = qr::design_of(cls.unit);
        EXPECT_EQ(design.class_name, cls.class_name);
        const qr::rect_px band{0, 0, design.band_width_mm / qr::mm_per_px,
                               design.band_height_mm / qr::mm_per_px};
        auto boxes = form_boxes(cls.unit);
        EXPECT_TRUE(inside(design.image.rect, band)) << "the form image";
        for (const auto& c : design.components) {
            EXPECT_TRUE(inside(c.rect, band)) << c.name << " lies outside the band";
            if (c.box == 0)
                continue;
            // A form may number its boxes anew in each repeated block (the donees of PIT/O):
            // the field lies in one of the boxes of its number.
            auto [first, last] = boxes.equal_range(c.box);
            if (first == last) {
                ADD_FAILURE() << c.name << ": the form has no box " << c.box;
                continue;
            }
            EXPECT_TRUE(
                std::any_of(first, last, [&](const auto& b) { return inside(c.rect, b.second); }))
                << c.name << " lies outside box " << c.box;
        }
        for (std::size_t i = 0; i < design.components.size(); ++i)
            for (std::size_t j = i + 1; j < design.components.size(); ++j)
                EXPECT_FALSE(overlap(design.components[i].rect, design.components[j].rect))
                    << design.components[i].name << " overlaps " << design.components[j].name;
    }
}

TEST(layout_check, handlers_fill_only_fields_of_their_layout_and_leak_no_design_caption)
{
    // Fields that print their design caption on purpose.
    const std::map<std::string, std::set<std::string>, std::less<>> fixed = {
        {"TF_wo15_1", {"QRL_ilzalo"}},
    };
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(std::string(cls.class_name));
        for (bool sentinels : {true, false}) {
            SCOPED_TRACE(sentinels ? "sentinel records" : "empty records");
            auto h = sentinels ? sentinel_state() : kestrun::host::host_state{};
            std::vector<std::map<std::string, int>> sets;
            {
                kestrun::page_instance probe(cls, nullptr, h);
                sets = parameter_sets(*probe);
            }
            int printed_sets = 0;
            for (const auto& params : sets) {
                std::map<std::string, kestrun::testing::printed_field> printed;
                try {
                    printed = kestrun::testing::fill_page(cls.class_name, h, params);
                    ++printed_sets;
                } catch (const kestrun::error& e) {
                    EXPECT_TRUE(refused_by_name(e, params)) << e.what();
                    continue;
                } catch (const std::exception& e) {
                    ADD_FAILURE() << e.what();
                    continue;
                }
                if (!sentinels)
                    continue;
                const auto& design = qr::design_of(cls.unit);
                auto exempt = fixed.find(cls.class_name);
                for (const auto& c : design.components) {
                    if (c.kind == qr::component_kind::strike ||
                        c.kind == qr::component_kind::mark || c.kind == qr::component_kind::memo ||
                        c.caption.empty())
                        continue;
                    if (exempt != fixed.end() && exempt->second.count(c.name))
                        continue;
                    const auto& p = printed.at(c.name);
                    EXPECT_FALSE(p.enabled && p.caption == c.caption)
                        << c.name << " prints its design caption \"" << c.caption << "\"";
                }
            }
            EXPECT_GT(printed_sets, 0) << "the page refuses every parameter value";
        }
    }
}

using kestrun::testing::fill_page;
using kestrun::testing::printed_field;

std::string printed(const printed_field& f)
{
    return f.enabled ? "\"" + f.caption + "\"" : "(not printed)";
}

TEST(spouse_sweep, marked_fields_show_the_spouse_and_only_they_do)
{
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(cls.class_name);
        auto joint = kestrun::testing::sentinel_state();
        auto spouse_changed = joint;
        kestrun::testing::refill_person(spouse_changed, 2);
        auto taxpayer_changed = joint;
        kestrun::testing::refill_person(taxpayer_changed, 1);
        auto alone = joint;
        alone.set_in_wsp_z_malz(1, false);

        const auto a = fill_page(cls.class_name, joint);
        const auto s = fill_page(cls.class_name, spouse_changed);
        const auto t = fill_page(cls.class_name, taxpayer_changed);
        const auto n = fill_page(cls.class_name, alone);
        for (const auto& c : qr::design_of(cls.unit).components) {
            const auto& name = c.name;
            if (c.spouse == qr::spouse_field::no) {
                EXPECT_EQ(printed(a.at(name)), printed(s.at(name)))
                    << name << " shows the spouse's data, but its layout does not mark it";
                continue;
            }
            EXPECT_NE(printed(a.at(name)), printed(s.at(name)))
                << name << " is marked as the spouse's, but does not show the spouse's data";
            if (c.spouse == qr::spouse_field::both)
                continue;
            EXPECT_EQ(printed(a.at(name)), printed(t.at(name)))
                << name << " is marked as the spouse's, but shows the taxpayer's data";
            if (c.spouse == qr::spouse_field::joint_only)
                EXPECT_TRUE(!n.at(name).enabled || n.at(name).caption.empty())
                    << name << " prints " << printed(n.at(name))
                    << " on a return that is not joint";
            else
                EXPECT_EQ(printed(n.at(name)), printed(a.at(name)))
                    << name << " prints the spouse's data on every return, joint or not";
        }
    }
}

// A text field, or an amount field that shows a stored amount: every amount sentinel lies
// above a thousand with 25 grosze, which a whole-zloty field rounds away; no count, sign split or
// sum of two sentinels in grosze looks like one.
bool shows_a_sentinel(qr::component_kind kind, const std::string& caption)
{
    return (kind == qr::component_kind::text && !caption.empty()) ||
           (kind == qr::component_kind::amount &&
            (caption.ends_with(",25") ||
             (caption.find(',') == std::string::npos && caption.find('.') != std::string::npos)));
}

TEST(spouse_sweep, every_text_and_amount_field_shows_a_record_field_of_its_own)
{
    // Fields that repeat another by design: PIT/M's boxes 63 and 65 the incomes the parents
    // share; on PIT-36 page 3 each parent's PIT/M advance total, the same sum when both share.
    const std::set<std::pair<std::string_view, std::string_view>> repeats = {
        {"TF_wm15_1", "QRL_ob63"}, {"TF_wm15_1", "QRL_ob65"}, {"TF_w36153", "QRL_zm1"}};
    for (const auto& cls : kestrun::page_classes()) {
        SCOPED_TRACE(cls.class_name);
        auto h = kestrun::testing::sentinel_state();
        const auto& design = qr::design_of(cls.unit);
        const auto printed_fields = fill_page(cls.class_name, h);
        std::map<std::string, std::string> shown_by; // caption -> field
        for (const auto& c : design.components) {
            const auto& name = c.name;
            const auto& f = printed_fields.at(name);
            if (!f.enabled || !shows_a_sentinel(c.kind, f.caption) ||
                repeats.count({cls.class_name, name}))
                continue;
            auto [it, fresh] = shown_by.try_emplace(f.caption, name);
            EXPECT_TRUE(fresh) << name << " and " << it->second << " both show \"" << f.caption
                               << "\"";
        }
    }
}

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

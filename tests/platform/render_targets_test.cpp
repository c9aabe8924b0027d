// The PDF target checked from the outside, the way a reader of the file sees it: poppler for
// where each word lands, and what a failed or abandoned job leaves.

#include "platform/printing/render_target.h"
#include "tests/support/faults.h"
#include "tests/support/render_probe.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;
namespace fs = std::filesystem;

struct field {
    std::string caption;
    rect_mm where;
    text_style style;
};

text_style with(h_align align, bool wrap = true, double size = 10)
{
    return {font_family::sans, size, true, false, align, wrap};
}

void render(const fs::path& file, const std::vector<field>& fields)
{
    auto target = make_pdf_target(file);
    target->begin_page({210, 297});
    for (const auto& f : fields) {
        target->draw_text(f.caption, f.where, f.style);
    }
    target->end_page();
    target->finish();
}

// The words poppler finds whose text is one of the caption's words, in reading order.
std::vector<probe::word_box> words_in(const std::vector<probe::word_box>& all,
                                      const std::string& caption)
{
    std::vector<probe::word_box> found;
    for (const auto& w : all) {
        if (caption.find(w.text) != std::string::npos) {
            found.push_back(w);
        }
    }
    return found;
}

void expect_inside(const probe::word_box& w, rect_mm r)
{
    constexpr double slack = 0.3; // points: poppler rounds glyph boxes
    const double x0 = r.x * probe::pt_per_mm, y0 = r.y * probe::pt_per_mm;
    const double x1 = (r.x + r.w) * probe::pt_per_mm, y1 = (r.y + r.h) * probe::pt_per_mm;
    EXPECT_GE(w.x_min, x0 - slack) << w.text;
    EXPECT_LE(w.x_max, x1 + slack) << w.text;
    EXPECT_GE(w.y_min, y0 - slack) << w.text;
    EXPECT_LE(w.y_max, y1 + slack) << w.text;
}

// Each caption lies inside its field, placed as its alignment says.
TEST(pdf_target, places_captions_in_their_fields)
{
    struct placement {
        field f;
        const char* why;
    };
    const placement cases[] = {
        {{"links", {20, 20, 60, 6}, with(h_align::left)}, "left: starts at the left edge"},
        {{"rechts", {20, 30, 60, 6}, with(h_align::right)}, "right: ends at the right edge"},
        {{"mitte", {20, 40, 60, 6}, with(h_align::center)}, "centre: centred across the field"},
        {{"frei", {100, 40, 60, 6}, with(h_align::right, false)}, "right without wrapping"},
        {{"mono", {100, 50, 60, 6}, {font_family::mono, 10, true, false, h_align::center, false}},
         "cell digits centred without wrapping"},
    };
    probe::scratch_dir dir;
    std::vector<field> fields;
    for (const auto& c : cases) {
        fields.push_back(c.f);
    }
    render(dir / "page.pdf", fields);
    const auto words = probe::words_of(dir / "page.pdf");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto found = words_in(words, c.f.caption);
        ASSERT_EQ(found.size(), 1U);
        const auto& w = found.front();
        expect_inside(w, c.f.where);
        const double left = c.f.where.x * probe::pt_per_mm;
        const double right = (c.f.where.x + c.f.where.w) * probe::pt_per_mm;
        switch (c.f.style.align) {
        case h_align::left:
            EXPECT_NEAR(w.x_min, left, 1.0);
            break;
        case h_align::right:
            EXPECT_NEAR(w.x_max, right, 1.0);
            break;
        case h_align::center:
            EXPECT_NEAR((w.x_min + w.x_max) / 2, (left + right) / 2, 1.0);
            break;
        }
        EXPECT_NEAR(w.y_min, c.f.where.y * probe::pt_per_mm, 1.0) << "drawn from the field's top";
    }
}

// A caption that does not fit is drawn smaller, never outside its field; wrapping breaks it
// into lines first.
TEST(pdf_target, shrinks_and_wraps_captions_to_fit)
{
    struct fitting {
        field f;
        int lines;    // distinct lines poppler finds
        bool smaller; // drawn below the style's size
        const char* why;
    };
    const fitting cases[] = {
        {{"1.234.567.890,12", {20, 20, 20, 6}, with(h_align::right, false)},
         1,
         true,
         "a long amount in a narrow field shrinks"},
        {{"Szerokość", {20, 30, 40, 6}, with(h_align::left, false)},
         1,
         false,
         "a caption that fits keeps its size"},
        {{"Urząd Skarbowy Warszawa Śródmieście", {20, 40, 40, 20}, with(h_align::left)},
         2,
         false,
         "a wrapped caption breaks at words and keeps its size when the lines fit"},
        {{"Urząd Skarbowy Warszawa Śródmieście", {20, 70, 40, 6}, with(h_align::left)},
         2,
         true,
         "a wrapped caption too tall for its field shrinks until its lines fit"},
        {{"Pierwszy\nDrugi", {20, 80, 60, 12}, with(h_align::left, false)},
         2,
         false,
         "a line break starts a new line"},
    };
    probe::scratch_dir dir;
    std::vector<field> fields;
    for (const auto& c : cases) {
        fields.push_back(c.f);
    }
    render(dir / "page.pdf", fields);
    const auto words = probe::words_of(dir / "page.pdf");
    const double full_height = 10 * 1.1; // a 10 pt Liberation Sans line as poppler boxes it
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<probe::word_box> found;
        const double y0 = c.f.where.y * probe::pt_per_mm - 1;
        const double y1 = (c.f.where.y + c.f.where.h) * probe::pt_per_mm + 3;
        for (const auto& w : words_in(words, c.f.caption)) {
            if (w.y_min >= y0 && w.y_min <= y1) {
                found.push_back(w);
            }
        }
        ASSERT_FALSE(found.empty());
        std::vector<double> tops;
        for (const auto& w : found) {
            expect_inside(w, c.f.where);
            if (std::none_of(tops.begin(), tops.end(),
                             [&](double t) { return std::abs(t - w.y_min) < 1; })) {
                tops.push_back(w.y_min);
            }
            if (c.smaller) {
                EXPECT_LT(w.y_max - w.y_min, full_height - 0.5) << w.text;
            } else {
                EXPECT_NEAR(w.y_max - w.y_min, full_height, 0.5) << w.text;
            }
        }
        EXPECT_EQ(static_cast<int>(tops.size()), c.lines);
    }
}

// A failed write names the file, leaves nothing behind and never a half-written document.
TEST(pdf_target, failed_write_leaves_no_file)
{
    probe::scratch_dir dir;
    {
        std::ofstream(dir / "plain-file") << "x";
    }
    fs::create_directory(dir / "taken");
    struct failure {
        fs::path file;
        const char* why;
    };
    const failure cases[] = {
        {dir / "plain-file" / "page.pdf",
         "the folder is a regular file (unwritable even for root)"},
        {dir / "missing" / "page.pdf", "the folder does not exist"},
        {dir / "taken", "a folder stands where the file would go"},
        {"/dev/full", "the device is full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        auto target = make_pdf_target(c.file);
        target->begin_page({210, 297});
        target->draw_text("x", {10, 10, 10, 5}, {});
        target->end_page();
        const auto fault =
            kestrun::testing::fault_of(kestrun::error_kind::io, [&] { target->finish(); });
        EXPECT_NE(fault.find(c.file.string()), std::string::npos) << fault;
        auto left = dir.entries();
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"plain-file", "taken"}));
        EXPECT_TRUE(fs::is_empty(dir / "taken"));
    }
}

// A caption the text engine refuses (a NUL) fails the page while the PDF job is open; the job
// is then dropped, which must neither call into the destroyed target nor write a file.
TEST(pdf_target, a_job_abandoned_after_a_render_error_writes_nothing)
{
    probe::scratch_dir dir;
    {
        auto target = make_pdf_target(dir / "page.pdf");
        target->begin_page({210, 297});
        target->draw_image(*probe::test_scan(), {0, 0, 210, 297});
        EXPECT_THROW(target->draw_text(std::string("A\0B", 3), {10, 10, 40, 5}, {}),
                     kestrun::error);
    }
    EXPECT_TRUE(dir.entries().empty());
}

TEST(pdf_target, a_job_without_a_page_writes_nothing)
{
    probe::scratch_dir dir;
    auto target = make_pdf_target(dir / "page.pdf");
    EXPECT_THROW(target->finish(), kestrun::error);
    EXPECT_TRUE(dir.entries().empty());
}

} // namespace

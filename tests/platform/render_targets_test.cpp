// The render targets and the files they write. The PDF target checked from the outside, the way
// a reader of the file sees it: poppler for where each word lands, and what a failed or abandoned
// job leaves; the PNG target and the scans; the order of steps every target shares; and whole
// files in and out under faults: a write cut short by a full disk (here a file-size limit, which
// binds root too) and a signal in the middle of a write.

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/printing/jpeg_codec.h"
#include "platform/printing/render_target.h"
#include "tests/support/faults.h"
#include "tests/support/render_probe.h"

#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Draws every case's field on one page with the PDF target and returns the words poppler reads.
template <class Case, std::size_t N> std::vector<probe::word_box> render(const Case (&cases)[N])
{
    probe::scratch_dir dir;
    auto target = make_pdf_target(dir / "page.pdf");
    target->begin_page({210, 297});
    for (const auto& c : cases) {
        target->draw_text(c.f.caption, c.f.where, c.f.style);
    }
    target->end_page();
    target->finish();
    return probe::words_of(dir / "page.pdf");
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
    const auto words = render(cases);
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
    const auto words = render(cases);
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
// is then dropped, which must neither call into the destroyed target nor write a file. A job
// finished without a page writes nothing either.
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
    EXPECT_THROW(make_pdf_target(dir / "empty.pdf")->finish(), kestrun::error);
    EXPECT_TRUE(dir.entries().empty());
}

// Every target shares the order begin, draw, end, finish; a step out of order is a fault of the
// caller that must not produce a document.
TEST(render_target, refuses_steps_out_of_order)
{
    const auto scan = probe::test_scan();
    using step = std::function<void(render_target&)>;
    const step begin = [](render_target& t) { t.begin_page({}); };
    const step end = [](render_target& t) { t.end_page(); };
    const step text = [](render_target& t) { t.draw_text("x", {0, 0, 5, 5}, {}); };
    const step image = [&](render_target& t) { t.draw_image(*scan, {0, 0, 5, 5}); };
    const step finish = [](render_target& t) { t.finish(); };
    const step empty_page = [](render_target& t) { t.begin_page({0, 297}); };
    struct misuse {
        std::vector<step> steps; // the last one must throw
        const char* why;
    };
    const misuse cases[] = {
        {{text}, "text before any page"},
        {{image}, "image before any page"},
        {{end}, "end_page without begin_page"},
        {{begin, begin}, "a page begun inside a page"},
        {{begin, finish}, "finish inside a page"},
        {{begin, end, text}, "text after the page ended"},
        {{begin, end, finish, finish}, "finish twice"},
        {{begin, end, finish, begin}, "a page after finish"},
        {{empty_page}, "a page of no width"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<std::string> log;
        auto target = make_recording_target(log);
        for (std::size_t i = 0; i + 1 < c.steps.size(); ++i)
            c.steps[i](*target);
        EXPECT_NE(kestrun::testing::fault_of(kestrun::error_kind::render,
                                             [&] { c.steps.back()(*target); }),
                  "no error");
    }
}

TEST(png_target, refuses_a_second_page)
{
    probe::scratch_dir dir;
    auto target = make_png_target(dir / "page.png", 50);
    target->begin_page({210, 297});
    target->end_page();
    EXPECT_THROW(target->begin_page({210, 297}), kestrun::error);
}

TEST(jpeg_image, refuses_what_is_not_a_jpeg)
{
    const auto good = probe::test_scan()->bytes();
    struct bad_scan {
        std::vector<std::uint8_t> bytes;
        const char* why;
    };
    const bad_scan cases[] = {
        {{}, "empty"},
        {{'G', 'I', 'F', '8', '9', 'a'}, "another format"},
        {{good.begin(), good.begin() + 20}, "cut off before the frame header"},
        {{good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)},
         "cut off in the middle of the scan: the header alone would pass"},
        {{good.begin(), good.end() - 2}, "no end-of-image marker"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto fault = kestrun::testing::fault_of(
            kestrun::error_kind::render, [&] { jpeg_image::from_bytes(c.bytes, "scan.jpg"); });
        EXPECT_NE(fault.find("scan.jpg"), std::string::npos) << fault;
    }
    EXPECT_THROW(jpeg_image::load("/nonexistent/scan.jpg"), kestrun::error);
}

using kestrun::printing::probe::read_bytes;
using kestrun::printing::probe::scratch_dir;

std::vector<std::uint8_t> bytes_of(std::size_t size, std::uint8_t fill)
{
    return std::vector<std::uint8_t>(size, fill);
}

// While it lives, a write past `limit` bytes of a file fails (EFBIG) instead of filling it.
class file_size_limit {
public:
    explicit file_size_limit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit smaller = m_old;
        smaller.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &smaller);
    }
    ~file_size_limit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_old_handler);
    }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

private:
    rlimit m_old{};
    void (*m_old_handler)(int) = nullptr;
};

TEST(whole_files, a_write_cut_short_leaves_what_was_there)
{
    const auto old_bytes = bytes_of(100, 'o');
    const auto big = bytes_of(5000, 'n');
    const auto small = bytes_of(50, 'n');
    struct row {
        std::function<void(const fs::path& dir)> write;
        const char* why;
    };
    const row rows[] = {
        {[&](const fs::path& dir) { kestrun::io::write_file(dir / "a.bin", big); },
         "a file is replaced whole or not at all"},
        {[&](const fs::path& dir) {
             const kestrun::io::file_content set[] = {{dir / "b.bin", small}, {dir / "a.bin", big}};
             kestrun::io::write_files(set);
         },
         "a set is renamed only when every file of it is written"},
        {[&](const fs::path& dir) { kestrun::io::append_file(dir / "a.bin", big); },
         "an append (a port sheet) is cut back to the old end"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        scratch_dir dir;
        kestrun::io::write_file(dir / "a.bin", old_bytes);
        kestrun::io::write_file(dir / "b.bin", old_bytes);
        try {
            const file_size_limit limit(1000);
            r.write(dir.path());
            ADD_FAILURE() << "the write went through";
        } catch (const kestrun::error& e) {
            EXPECT_EQ(e.kind(), kestrun::error_kind::io);
            EXPECT_NE(std::string(e.what()).find(dir.path().string()), std::string::npos);
        }
        EXPECT_EQ(read_bytes(dir / "a.bin"), old_bytes);
        EXPECT_EQ(read_bytes(dir / "b.bin"), old_bytes);
        EXPECT_EQ(dir.entries().size(), 2U) << "no temporary file is left";
    }
}

TEST(whole_files, a_signal_during_a_write_leaves_no_temporary_file)
{
    scratch_dir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Exceeding the file-size limit raises SIGXFSZ in the middle of the write.
        kestrun::io::remove_temporaries_on_signal();
        rlimit no_core{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core);
        rlimit small{1000, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &small);
        try {
            kestrun::io::write_file(dir / "001-W2815_1.pdf", bytes_of(5000, 'p'));
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the signal ends the run as it says";
    EXPECT_EQ(dir.entries(), std::vector<std::string>{});
}

} // namespace

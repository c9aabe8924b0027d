#include "platform/printing/jpeg_codec.h"
#include "platform/printing/render_target.h"
#include "tests/support/faults.h"
#include "tests/support/render_probe.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;

std::uint32_t big_endian(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 |
           std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

TEST(png_target, draws_one_page_at_its_resolution)
{
    struct resolution {
        double dpi;
        std::uint32_t width, height;
        const char* why;
    };
    const resolution cases[] = {
        {50, 413, 585, "preview size"},
        {120, 992, 1403, "the scans' own resolution"},
    };
    const auto scan = probe::test_scan();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        probe::scratch_dir dir;
        auto target = make_png_target(dir / "page.png", c.dpi);
        target->begin_page({210, 297});
        target->draw_image(*scan, {2, 3, 205.95, 288.3});
        target->draw_text("Żółć 123", {20, 20, 50, 6}, {});
        target->end_page();
        target->finish();
        const auto png = probe::read_bytes(dir / "page.png");
        ASSERT_GT(png.size(), 24U);
        EXPECT_EQ(big_endian(png, 16), c.width);
        EXPECT_EQ(big_endian(png, 20), c.height);
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

TEST(jpeg_image, encoded_scans_state_their_size_and_density)
{
    const auto scan = probe::test_scan(300, 420);
    EXPECT_EQ(scan->width_px(), 300);
    EXPECT_EQ(scan->height_px(), 420);
    const auto& b = scan->bytes();
    ASSERT_GT(b.size(), 18U);
    EXPECT_EQ(b[13], 1) << "density in dots per inch";
    EXPECT_EQ(b[14] * 256 + b[15], 120);
    EXPECT_EQ(b[16] * 256 + b[17], 120);
}

} // namespace

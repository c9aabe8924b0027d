#include "platform/printing/jpeg_codec.h"
#include "platform/printing/render_target.h"
#include "tests/support/faults.h"
#include "tests/support/render_probe.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;

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

} // namespace

// Rendering one page the way a page report prints: the form scan and about two hundred fields
// over it, each page its own PDF. After the first page of a process (fonts loaded, scan
// surface made) a page should take at most 5 ms.

#include "platform/printing/jpeg_codec.h"
#include "platform/printing/render_target.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using namespace kestrun::printing;

// A scan-sized page of grey rules, so the JPEG has the size and weight of a real form.
std::shared_ptr<const jpeg_image> synthetic_scan()
{
    constexpr int width = 1100, height = 1540, stride = width * 4;
    std::vector<std::uint8_t> pixels(std::size_t{stride} * height, 0xFF);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool rule = y % 60 == 0 || x % 120 == 0;
            const bool tint = (y / 240) % 2 == 1;
            const std::uint8_t v = rule ? 0x30 : tint ? 0xE8 : 0xFF;
            std::uint8_t* p = &pixels[std::size_t(y) * stride + std::size_t(x) * 4];
            p[0] = p[1] = p[2] = v;
        }
    }
    return jpeg_image::from_bytes(encode_jpeg_rgb24(pixels.data(), width, height, stride, {}),
                                  "synthetic scan");
}

struct field {
    std::string caption;
    rect_mm where;
    text_style style;
};

// 120 amounts, 40 names and addresses, 20 identifiers over cells, 20 marks.
std::vector<field> synthetic_fields()
{
    std::vector<field> fields;
    const text_style amount{font_family::sans, 10, true, false, h_align::right, true};
    const text_style name{font_family::sans, 10, true, false, h_align::left, true};
    const text_style cells{font_family::mono, 10, true, false, h_align::left, true};
    const text_style mark{font_family::sans, 10, true, false, h_align::center, true};
    for (int i = 0; i < 120; ++i) {
        const double x = 20 + (i % 4) * 46.0, y = 40 + (i / 4) * 8.0;
        fields.push_back(
            {std::to_string(1000 + i * 7919 % 900000) + "," + std::to_string(10 + i % 90),
             {x, y, 40, 4.4},
             amount});
    }
    const char* names[] = {"Żółć gęślą jaźń", "Kowalska-Wiśniewska", "ul. Świętokrzyska 12",
                           "Łódź-Śródmieście", "Urząd Skarbowy w Poznaniu"};
    for (int i = 0; i < 40; ++i) {
        fields.push_back(
            {names[i % 5], {10 + (i % 2) * 100.0, 20 + (i / 2) * 12.0, 90, 4.4}, name});
    }
    for (int i = 0; i < 20; ++i) {
        fields.push_back({"1 2 3 4 5 6 7 8 9 0 1", {12, 30 + i * 12.0, 70, 5.0}, cells});
    }
    for (int i = 0; i < 20; ++i) {
        fields.push_back({"x", {150 + (i % 5) * 8.0, 250 + (i / 5) * 6.0, 4, 4.4}, mark});
    }
    return fields;
}

void render_page(render_target& target, const jpeg_image& scan, const std::vector<field>& fields)
{
    target.begin_page({210, 297});
    target.draw_image(scan, {2, 3, 205.95, 288.2});
    for (const auto& f : fields) {
        target.draw_text(f.caption, f.where, f.style);
    }
    target.end_page();
    target.finish();
}

void BM_page_to_pdf(benchmark::State& state)
{
    const auto scan = synthetic_scan();
    const auto fields = synthetic_fields();
    render_page(*make_pdf_target("/tmp/kestrun_bench_page.pdf"), *scan, fields);
    for (auto _ : state) {
        render_page(*make_pdf_target("/tmp/kestrun_bench_page.pdf"), *scan, fields);
    }
}
BENCHMARK(BM_page_to_pdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_page_to_png_50dpi(benchmark::State& state)
{
    const auto scan = synthetic_scan();
    const auto fields = synthetic_fields();
    for (auto _ : state) {
        render_page(*make_png_target("/tmp/kestrun_bench_page.png", 50), *scan, fields);
    }
}
BENCHMARK(BM_page_to_png_50dpi)->Unit(benchmark::kMillisecond);

} // namespace

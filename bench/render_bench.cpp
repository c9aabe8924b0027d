// Rendering the pages of a print run: every bundled page in turn, each its own PDF, with its
// own form under its fields. A run prints page after page of different forms, so a benchmark
// that renders one page again and again would reuse what the first page made and hide what a
// new form costs. The pre-printed run (data alone) is the floor a blank-paper page is measured
// against; the scan run gives each page its own JPEG, as a host's scans would.

#include "framework/module.h"
#include "platform/printing/jpeg_codec.h"
#include "platform/printing/render_target.h"
#include "platform/qr/layout.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using namespace kestrun::printing;
namespace qr = kestrun::qr;

// A scan-sized page of grey rules, different for every page, so the JPEG has the size and
// weight of a real form and no two pages share one.
std::shared_ptr<const jpeg_image> synthetic_scan(int page)
{
    constexpr int width = 1100, height = 1540, stride = width * 4;
    std::vector<std::uint8_t> pixels(std::size_t{stride} * height, 0xFF);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool rule = (y + page * 7) % 60 == 0 || (x + page * 11) % 120 == 0;
            const bool tint = (y / 240) % 2 == 1;
            const std::uint8_t v = rule ? 0x30 : tint ? 0xE8 : 0xFF;
            std::uint8_t* p = &pixels[std::size_t(y) * stride + std::size_t(x) * 4];
            p[0] = p[1] = p[2] = v;
        }
    }
    return jpeg_image::from_bytes(encode_jpeg_rgb24(pixels.data(), width, height, stride, {}),
                                  "synthetic scan " + std::to_string(page));
}

struct field {
    std::string caption;
    rect_mm where;
    text_style style;
};

struct page {
    picture form;
    rect_mm form_at;
    std::vector<field> fields;
};

// Every field of every bundled page holds a value of its kind, where the layout puts it.
std::vector<page> bundled_pages()
{
    kestrun::Initialize();
    std::vector<page> pages;
    for (const auto& cls : kestrun::page_classes()) {
        const auto& design = qr::design_of(cls.unit);
        const auto on_page = [&](const qr::rect_px& r) {
            auto mm = r.to_mm();
            mm.x += design.margins.left;
            mm.y += design.margins.top;
            return mm;
        };
        page p{design.form, on_page(design.image.rect), {}};
        for (const auto& c : design.components) {
            const char* value = c.kind == qr::component_kind::amount  ? "1.234.567,89"
                                : c.kind == qr::component_kind::cells ? "1 2 3 4 5 6 7 8 9 0 1"
                                : c.kind == qr::component_kind::mark  ? "x"
                                                                      : "Kowalska-Wiśniewska";
            p.fields.push_back({value, on_page(c.rect), c.style});
        }
        pages.push_back(std::move(p));
    }
    return pages;
}

const std::vector<page>& pages()
{
    static const std::vector<page> bundled = bundled_pages();
    return bundled;
}

enum class paper { blank, preprinted, scans };

void print_run(benchmark::State& state, paper kind, bool pdf)
{
    std::vector<picture> forms;
    for (std::size_t i = 0; i < pages().size(); ++i) {
        forms.push_back(kind == paper::scans   ? picture{synthetic_scan(int(i)), nullptr}
                        : kind == paper::blank ? pages()[i].form
                                               : picture{});
    }
    const auto run = [&] {
        for (std::size_t i = 0; i < pages().size(); ++i) {
            const page& p = pages()[i];
            auto target = pdf ? make_pdf_target("/tmp/kestrun_bench_page.pdf")
                              : make_png_target("/tmp/kestrun_bench_page.png", 50);
            target->begin_page({210, 297});
            target->draw_picture(forms[i], p.form_at);
            for (const auto& f : p.fields) {
                target->draw_text(f.caption, f.where, f.style);
            }
            target->end_page();
            target->finish();
        }
    };
    run(); // fonts loaded, as after the first page of a process
    for (auto _ : state) {
        run();
    }
    state.counters["pages"] = double(pages().size());
    state.counters["page_ms"] = benchmark::Counter(double(pages().size()) / 1000.0,
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(print_run, pdf_blank_drawn_forms, paper::blank, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(print_run, pdf_preprinted, paper::preprinted, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(print_run, pdf_blank_scans, paper::scans, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(print_run, png_50dpi_blank_drawn_forms, paper::blank, false)
    ->Unit(benchmark::kMillisecond);

} // namespace

#include "platform/printing/render_target.h"
#include "tests/support/faults.h"
#include "tests/support/render_probe.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;

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

} // namespace

#include "platform/printing/render_target.h"
#include "tests/support/faults.h"
#include "tests/support/render_probe.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace kestrun::printing;

TEST(recording_target, writes_one_line_per_operation)
{
    std::vector<std::string> log;
    const auto scan = probe::test_scan();
    auto target = make_recording_target(log);
    target->begin_page({210, 297});
    target->draw_image(*scan, {2.1, 3.2, 205.95, 288});
    target->draw_vector(*vector_picture::from_form(R"({"items": []})", {0, 0, 10, 10}, "drawing"),
                        {1, 2, 3, 4});
    target->draw_text("1.999.164,56", {21.4, 36.2, 40.6, 4.4},
                      {font_family::sans, 10, true, false, h_align::right, true});
    target->draw_text("NIP", {1, 2, 3, 4},
                      {font_family::sans, 6, false, true, h_align::left, false});
    target->draw_text("ABC\n\"1\"", {1, 2, 3, 4},
                      {font_family::mono, 10, true, false, h_align::center, true});
    target->end_page();
    target->finish();
    const std::vector<std::string> expected = {
        "begin_page 210.00 297.00",
        "image 2.10 3.20 205.95 288.00 test scan",
        "vector 1.00 2.00 3.00 4.00 drawing",
        "text 21.40 36.20 40.60 4.40 sans 10.0 bold right wrap \"1.999.164,56\"",
        "text 1.00 2.00 3.00 4.00 sans 6.0 plain left nowrap strike \"NIP\"",
        "text 1.00 2.00 3.00 4.00 mono 10.0 bold center wrap \"ABC\\n\\\"1\\\"\"",
        "end_page",
        "finish",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(target->pages(), 1);
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

} // namespace

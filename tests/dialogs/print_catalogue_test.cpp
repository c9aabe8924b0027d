// The print catalogues against the dialogs and the host's direct printing: every dialog prints
// its catalogue's pages in order in every mode, every row's page method prints the row's page at
// its own margin entry, and every catalogue row fits the tables its run loads.

#include "dialog_rig.h"
#include "framework/printrun/print_catalogue.h"
#include "host/korvel/wyd28.h"
#include "host/korvel/zezwyd.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace kestrun::testing;

TEST(print_catalogue, every_dialog_prints_its_catalogues_pages_in_order_in_every_mode)
{
    struct dialog_case {
        const char* dialog;
        const kestrun::print_catalogue& catalogue;
        bool joint;
        int persons; // whose pages print
        bool names_persons;
    };
    const dialog_case cases[] = {
        {"Tf_wydpit28", kestrun::pit28_catalogue, false, 1, false},
        {"Tf_wydpit36", kestrun::pit36_catalogue, true, 2, true},
        {"Tf_wydpit36", kestrun::pit36_catalogue, false, 1, true},
        {"Tf_wydpit37", kestrun::pit37_catalogue, false, 1, false},
        {"Tf_wydpit36L", kestrun::pit36l_catalogue, true, 1, false},
    };
    for (const auto& c : cases)
        for (mode m : {mode::blank, mode::preprinted, mode::port}) {
            SCOPED_TRACE(std::string(c.dialog) + (c.joint ? " joint, mode " : ", mode ") +
                         std::to_string(static_cast<int>(m)));
            dialog_rig rig;
            rig.every_attachment(c.joint);
            const auto d = print(rig, c.dialog, m);
            const auto pages = every_page(c.catalogue, c.persons);
            EXPECT_EQ(printed(rig), pages);
            EXPECT_EQ(d->PagesPrinted(), static_cast<int>(pages.size()));
            EXPECT_EQ(kestrun::vcl::Printer()->JobsCompleted(),
                      m == mode::port ? 0 : static_cast<int>(pages.size()))
                << "each page its own job";
            EXPECT_EQ(rig.of("wysuw_str").size(), m == mode::port ? pages.size() : 0u);
            const auto asked = prompts(rig);
            EXPECT_EQ(asked.size(), pages.size()) << "one prompt per page";
            for (const auto& p : asked) {
                EXPECT_TRUE(p.starts_with(m == mode::blank ? "Wydruk " : "Włóż druk ")) << p;
                EXPECT_TRUE(c.names_persons || p.find_first_of("()") == std::string::npos) << p;
            }
            EXPECT_EQ(std::any_of(
                          asked.begin(), asked.end(),
                          [](const auto& p) { return p.find("(małżonek)") != std::string::npos; }),
                      c.persons == 2);
            const auto prepared = std::count_if(
                c.catalogue.steps.begin(), c.catalogue.steps.end(),
                [](const auto& s) { return s.prepare != kestrun::record_preparation::none; });
            EXPECT_EQ(rig.of("prepare").size(), static_cast<std::size_t>(prepared));
            EXPECT_EQ(rig.of("tables"), tables_of(c.catalogue));
        }
}

TEST(print_catalogue, every_page_method_prints_its_page_at_its_margin_entry)
{
    dialog_rig rig;
    // Margin entry k moves its page by k millimetres (tables hold tenths).
    std::vector<kestrun::host::margin_pair> marg(kestrun::host::margin_table_size);
    for (int k = 0; k < kestrun::host::margin_table_size; ++k)
        marg[static_cast<std::size_t>(k)] = {10 * (k + 1), 10 * (k + 1)};
    Zezwyd::Tdrukzez d(rig.host, marg.data(), false, 0, 0, 0);
    Wyd28::Twyd28 w(rig.host, marg.data(), false, 0, 0, 0);
    for (const auto* catalogue : kestrun::print_catalogues)
        for (const auto& step : catalogue->steps) {
            const auto& page = step.direct;
            SCOPED_TRACE(std::string(page.object) + "->" + std::string(page.method));
            // Distinct arguments, so that a method that swaps or drops one is seen.
            const std::array a = {2, 3, 4};
            const auto given = std::span(a).first(static_cast<std::size_t>(page.argument_count()));
            std::string expected(page.class_name);
            for (const auto& [name, value] : page.parameters(given))
                expected += " " + name + "=" + std::to_string(value);
            rig.direct.clear();
            rig.jobs.clear();
            auto& object = page.object == "wydp28" ? static_cast<Proc_dr::tdruk&>(w) : d;
            object.start_dr_win();
            object.page_method(page.method, given);
            kestrun::vcl::Printer()->EndDoc();
            EXPECT_EQ(rig.direct, std::vector<std::string>{expected});
            const std::string at = std::to_string(page.margin) + ".00";
            const auto text = std::find_if(rig.jobs.begin(), rig.jobs.end(),
                                           [](const auto& j) { return j.starts_with("text "); });
            ASSERT_NE(text, rig.jobs.end());
            EXPECT_TRUE(text->starts_with("text " + at + " " + at + " "))
                << *text << ": moved by margin entry " << page.margin;
        }
}

TEST(print_catalogue, rows_fit_the_tables_their_run_loads)
{
    // Within one object's margin set, one entry moves one page, and every entry lies within the
    // entries the run loads; every repeated or per-person row takes the arguments it needs.
    for (const auto* catalogue : kestrun::print_catalogues) {
        SCOPED_TRACE(catalogue->return_name);
        std::map<std::string_view, int> loaded;
        for (const auto& t : catalogue->tables)
            if (t.kind == kestrun::host_table::margins)
                loaded[t.object] = t.count;
        std::map<std::pair<std::string_view, int>, std::string_view> page_of_entry;
        for (const auto& step : catalogue->steps) {
            SCOPED_TRACE(step.page);
            const auto& d = step.direct;
            ASSERT_TRUE(loaded.contains(d.object)) << "no margin set loaded for " << d.object;
            EXPECT_GE(d.margin, 1);
            EXPECT_LE(d.margin, loaded[d.object]);
            auto [it, fresh] = page_of_entry.try_emplace({d.object, d.margin}, d.class_name);
            EXPECT_EQ(it->second, d.class_name) << "margin entry " << d.margin << " shared";
            EXPECT_FALSE(step.blank_prompt.empty());
            EXPECT_FALSE(step.preprinted_prompt.empty());
            if (step.repeat == kestrun::print_repeat::once && d.argument_count() > 0) {
                EXPECT_TRUE(step.person() == 1 || step.person() == 2)
                    << "a person's page printed once names its person";
            }
        }
    }
}

} // namespace

// The print catalogue against the host's direct printing: every page method the host names
// prints the catalogue's page at its own margin entry, and every catalogue row fits the tables
// its run loads.

#include "dialog_rig.h"
#include "framework/printrun/print_catalogue.h"
#include "host/korvel/wyd28.h"
#include "host/korvel/zezwyd.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using kestrun::testing::dialog_rig;

TEST(print_catalogue, every_host_page_method_prints_its_page_at_its_margin_entry)
{
    dialog_rig rig;
    // Margin entry k moves its page by k millimetres (tables hold tenths).
    std::vector<kestrun::host::margin_pair> marg(kestrun::host::margin_table_size);
    for (int k = 0; k < kestrun::host::margin_table_size; ++k)
        marg[static_cast<std::size_t>(k)] = {10 * (k + 1), 10 * (k + 1)};
    Zezwyd::Tdrukzez d(rig.host, marg.data(), false, 0, 0, 0);
    Wyd28::Twyd28 w(rig.host, marg.data(), false, 0, 0, 0);
    using args = std::array<int, 3>;
    // The host's named methods: each must print the page its catalogue row names.
    const std::map<std::string_view, std::function<void(args)>> methods = {
        {"w28_st1", [&](args) { w.w28_st1(); }},
        {"w28_st2", [&](args) { w.w28_st2(); }},
        {"w28_st3", [&](args) { w.w28_st3(); }},
        {"w28_st4", [&](args) { w.w28_st4(); }},
        {"w28_zal_a", [&](args) { w.w28_zal_a(); }},
        {"zal_b_1", [&](args a) { w.zal_b_1(static_cast<std::uint8_t>(a[0])); }},
        {"zal_b_2", [&](args a) { w.zal_b_2(static_cast<std::uint8_t>(a[0])); }},
        {"wyd36_st1", [&](args) { d.wyd36_st1(); }},
        {"wyd36_st2", [&](args) { d.wyd36_st2(); }},
        {"wyd36_st3", [&](args) { d.wyd36_st3(); }},
        {"wyd36_st4", [&](args) { d.wyd36_st4(); }},
        {"wyd36_st5", [&](args) { d.wyd36_st5(); }},
        {"wyd36_st6", [&](args) { d.wyd36_st6(); }},
        {"w36L_st1", [&](args) { d.w36L_st1(); }},
        {"w36L_st2", [&](args) { d.w36L_st2(); }},
        {"w36L_st3", [&](args) { d.w36L_st3(); }},
        {"wyd37_st1", [&](args) { d.wyd37_st1(); }},
        {"wyd37_st2", [&](args) { d.wyd37_st2(); }},
        {"wyd37_st3", [&](args) { d.wyd37_st3(); }},
        {"wyd37_st4", [&](args) { d.wyd37_st4(); }},
        {"wydzalo_I", [&](args) { d.wydzalo_I(); }},
        {"wydzalo_II", [&](args) { d.wydzalo_II(); }},
        {"wydzalo_III", [&](args) { d.wydzalo_III(); }},
        {"wydzald_I", [&](args) { d.wydzald_I(); }},
        {"wydzald_II", [&](args) { d.wydzald_II(); }},
        {"wydzal_2k_I", [&](args) { d.wydzal_2k_I(); }},
        {"wydB_I",
         [&](args a) {
             d.wydB_I(static_cast<std::uint8_t>(a[0]), static_cast<std::uint8_t>(a[1]), a[2]);
         }},
        {"wydB_II",
         [&](args a) {
             d.wydB_II(static_cast<std::uint8_t>(a[0]), static_cast<std::uint8_t>(a[1]));
         }},
        {"wydzalm_I", [&](args a) { d.wydzalm_I(a[0]); }},
        {"wydzalz_I", [&](args a) { d.wydzalz_I(a[0]); }},
        {"wydzalz_II", [&](args a) { d.wydzalz_II(a[0]); }},
        {"wydzalzg_I", [&](args a) { d.wydzalzg_I(a[0]); }},
    };
    std::set<std::string_view> called;
    for (const auto* catalogue : kestrun::print_catalogues)
        for (const auto& step : catalogue->steps) {
            const auto& page = step.direct;
            SCOPED_TRACE(std::string(page.object) + "->" + std::string(page.method));
            const auto method = methods.find(page.method);
            ASSERT_NE(method, methods.end()) << "the host has no method for the catalogue's row";
            called.insert(page.method);
            // Distinct arguments, so that a forwarder that swaps or drops one is seen.
            const args a = {2, 3, 4};
            std::string expected(page.class_name);
            for (const auto& [name, value] : page.parameters(
                     std::span(a).first(static_cast<std::size_t>(page.argument_count()))))
                expected += " " + name + "=" + std::to_string(value);
            rig.direct.clear();
            rig.jobs.clear();
            (page.object == "wydp28" ? static_cast<Proc_dr::tdruk&>(w) : d).start_dr_win();
            method->second(a);
            kestrun::vcl::Printer()->EndDoc();
            EXPECT_EQ(rig.direct, std::vector<std::string>{expected});
            const std::string at = std::to_string(page.margin) + ".00";
            const auto text = std::find_if(rig.jobs.begin(), rig.jobs.end(),
                                           [](const auto& j) { return j.starts_with("text "); });
            ASSERT_NE(text, rig.jobs.end());
            EXPECT_TRUE(text->starts_with("text " + at + " " + at + " "))
                << *text << ": moved by margin entry " << page.margin;
        }
    EXPECT_EQ(called.size(), methods.size()) << "a host method no catalogue row prints";
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

// The print catalogue against the host's direct printing: every page method the host names
// prints the catalogue's page at its own margin entry, and every catalogue row fits the tables
// its run loads.

#include "dialog_rig.h"
#include "framework/printrun/print_catalogue.h"
#include "host/korvel/wyd28.h"
#include "host/korvel/zezwyd.h"

#include <algorithm>
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
    Zezwyd::Tdrukzez drukzez(rig.host, marg.data(), false, 0, 0, 0);
    Wyd28::Twyd28 wydp28(rig.host, marg.data(), false, 0, 0, 0);
    struct method_case {
        const char* object;
        const char* method;
        std::function<void()> call;
        const char* params;
    };
    auto* d = &drukzez;
    auto* w = &wydp28;
    const method_case cases[] = {
        {"wydp28", "w28_st1", [w] { w->w28_st1(); }, ""},
        {"wydp28", "w28_st2", [w] { w->w28_st2(); }, ""},
        {"wydp28", "w28_st3", [w] { w->w28_st3(); }, ""},
        {"wydp28", "w28_st4", [w] { w->w28_st4(); }, ""},
        {"wydp28", "w28_zal_a", [w] { w->w28_zal_a(); }, ""},
        {"wydp28", "zal_b_1", [w] { w->zal_b_1(2); }, " nrsp=3"},
        {"wydp28", "zal_b_2", [w] { w->zal_b_2(2); }, " nrsp=4"},
        {"drukzez", "wyd36_st1", [d] { d->wyd36_st1(); }, ""},
        {"drukzez", "wyd36_st2", [d] { d->wyd36_st2(); }, ""},
        {"drukzez", "wyd36_st3", [d] { d->wyd36_st3(); }, ""},
        {"drukzez", "wyd36_st4", [d] { d->wyd36_st4(); }, ""},
        {"drukzez", "wyd36_st5", [d] { d->wyd36_st5(); }, ""},
        {"drukzez", "wyd36_st6", [d] { d->wyd36_st6(); }, ""},
        {"drukzez", "w36L_st1", [d] { d->w36L_st1(); }, ""},
        {"drukzez", "w36L_st2", [d] { d->w36L_st2(); }, ""},
        {"drukzez", "w36L_st3", [d] { d->w36L_st3(); }, ""},
        {"drukzez", "wyd37_st1", [d] { d->wyd37_st1(); }, ""},
        {"drukzez", "wyd37_st2", [d] { d->wyd37_st2(); }, ""},
        {"drukzez", "wyd37_st3", [d] { d->wyd37_st3(); }, ""},
        {"drukzez", "wyd37_st4", [d] { d->wyd37_st4(); }, ""},
        {"drukzez", "wydzalo_I", [d] { d->wydzalo_I(); }, ""},
        {"drukzez", "wydzalo_II", [d] { d->wydzalo_II(); }, ""},
        {"drukzez", "wydzalo_III", [d] { d->wydzalo_III(); }, ""},
        {"drukzez", "wydzald_I", [d] { d->wydzald_I(); }, ""},
        {"drukzez", "wydzald_II", [d] { d->wydzald_II(); }, ""},
        {"drukzez", "wydzal_2k_I", [d] { d->wydzal_2k_I(); }, ""},
        {"drukzez", "wydB_I", [d] { d->wydB_I(2, 3, 2); }, " nrp=2 nr=3 ilb=2"},
        {"drukzez", "wydB_II", [d] { d->wydB_II(2, 4); }, " nrp=2 nr=4"},
        {"drukzez", "wydzalm_I", [d] { d->wydzalm_I(2); }, " nrp=2"},
        {"drukzez", "wydzalz_I", [d] { d->wydzalz_I(1); }, " nrp=1"},
        {"drukzez", "wydzalz_II", [d] { d->wydzalz_II(2); }, " nrp=2"},
        {"drukzez", "wydzalzg_I", [d] { d->wydzalzg_I(2); }, " nrp=2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        const auto* page = kestrun::host::find_direct_page(c.object, c.method);
        ASSERT_NE(page, nullptr) << "the catalogue has no row for the host's method";
        rig.direct.clear();
        rig.jobs.clear();
        (c.object == std::string("wydp28") ? static_cast<Proc_dr::tdruk&>(wydp28) : drukzez)
            .start_dr_win();
        c.call();
        kestrun::vcl::Printer()->EndDoc();
        EXPECT_EQ(rig.direct, std::vector<std::string>{std::string(page->class_name) + c.params});
        const std::string at = std::to_string(page->margin) + ".00";
        const auto text = std::find_if(rig.jobs.begin(), rig.jobs.end(),
                                       [](const std::string& j) { return j.starts_with("text "); });
        ASSERT_NE(text, rig.jobs.end());
        EXPECT_TRUE(text->starts_with("text " + at + " " + at + " "))
            << *text << ": moved by margin entry " << page->margin;
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

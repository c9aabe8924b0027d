// The joint example through the command line on the first pages of PIT-36 and PIT-37: what
// `kestrun fields` prints, each page rendered with every value inside its field, and the narrow
// side margins of PIT-36 page 3.

#include "framework/module.h"
#include "platform/qr/layout.h"
#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using kestrun::printing::probe::scratch_dir;
using kestrun::testing::cli_fields;
using kestrun::testing::shell_quote;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

struct page_case {
    const char* page;
    double margin_mm; // the left margin: pages 1 and 2 have 2 mm, page 3 of PIT-36 only 1 mm
    std::map<std::string, std::string> expected;
};

const page_case pages[] = {
    {"TF_w36151",
     2.0,
     {{"QRL_nrref", "PIT36-2015-WŁ-00\n0481-A"},
      {"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
      {"QRL_sp_op3", "x"}}},
    {"TF_w36152",
     2.0,
     {{"QRL_pp71_1", "12.000,00"}, {"QRL_pozp3", "1.400,00"}, {"QRL_pm64", "2.350,80"}}},
    {"TF_w36153",
     1.0,
     {{"QRL_zr_str", "pozarolnicza działalność gospodarcza 2013"}, {"QRL_podst_opod", "170.070"}}},
    {"TF_w37151", 2.0, {{"QRL_poczta1", "Łódź"}}},
    {"TF_w37152", 2.0, {{"QRL_pp41_1", "12.000,00"}, {"QRL_pp61", "308.840,55"}}},
};

TEST(pit36_example, fields_print_the_return_inside_each_field_and_page_3_has_narrow_margins)
{
    scratch_dir dir;
    for (const auto& c : pages) {
        SCOPED_TRACE(c.page);
        const std::string args = std::string(c.page) + " " + shell_quote(example);
        auto f = cli_fields(args);
        for (const auto& [name, caption] : c.expected)
            EXPECT_EQ(f[name].caption, caption) << name;
        // The same box of a layout prints shifted by the page's left margin.
        const auto& design = kestrun::qr::design_of(kestrun::page_unit_of(c.page));
        for (const auto& box : design.components)
            EXPECT_NEAR(f[box.name].rect_mm.at(0) - box.rect.left * kestrun::qr::mm_per_px,
                        c.margin_mm, 0.006)
                << box.name;
        kestrun::testing::expect_page_prints_inside_fields(args,
                                                           dir / (std::string(c.page) + ".pdf"));
    }
}

} // namespace

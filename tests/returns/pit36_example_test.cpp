// The joint example through the command line on the first pages of PIT-36 and PIT-37: what
// `kestrun fields` prints, each page rendered with every value inside its field, and the narrow
// side margins of PIT-36 page 3.

#include "platform/qr/layout.h"
#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using kestrun::printing::probe::scratch_dir;
using kestrun::testing::cli_fields;
using kestrun::testing::shell_quote;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

const std::pair<const char*, std::map<std::string, std::string>> pages[] = {
    {"TF_w36151",
     {{"QRL_nrref", "PIT36-2015-WŁ-00\n0481-A"},
      {"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
      {"QRL_sp_op3", "x"},
      {"QRL_nazw1", "Wiśniewska"}}},
    {"TF_w36152",
     {{"QRL_pp71_1", "12.000,00"},
      {"QRL_pozp3", "1.400,00"},
      {"QRL_pm64", "2.350,80"},
      {"QRL_pm95", "6.120"}}},
    {"TF_w36153",
     {{"QRL_zr_str", "pozarolnicza działalność gospodarcza 2013"},
      {"QRL_dpo1", "51.500,71"},
      {"QRL_podst_opod", "170.070"}}},
    {"TF_w37151", {{"QRL_poczta1", "Łódź"}}},
    {"TF_w37152", {{"QRL_pp41_1", "12.000,00"}, {"QRL_pp61", "308.840,55"}}},
};

TEST(pit36_example, fields_print_the_return_and_every_value_lies_inside_its_field)
{
    scratch_dir dir;
    for (const auto& [page, expected] : pages) {
        SCOPED_TRACE(page);
        const std::string args = std::string(page) + " " + shell_quote(example);
        auto f = cli_fields(args);
        for (const auto& [name, caption] : expected)
            EXPECT_EQ(f[name].caption, caption) << name;
        kestrun::testing::expect_page_prints_inside_fields(args,
                                                           dir / (std::string(page) + ".pdf"));
    }
}

TEST(pit36_example, page_3_prints_a_millimetre_further_left_than_pages_1_and_2)
{
    // The left margin in force: where a box of the layout prints on the page, less where the
    // layout puts it on the band.
    auto margin = [](const char* page, const char* unit, const char* field) {
        auto f = cli_fields(std::string(page) + " " + shell_quote(example));
        const auto& design = kestrun::qr::design_of(unit);
        const auto& box = design.components[design.index.at(field)];
        return f[field].rect_mm.at(0) - box.rect.left * kestrun::qr::mm_per_px;
    };
    const double page1 = margin("TF_w36151", "W36151", "QRL_nazw");
    const double page2 = margin("TF_w36152", "W36152", "QRL_pp11");
    const double page3 = margin("TF_w36153", "W36153", "QRL_dzw");
    EXPECT_NEAR(page1, 2.0, 0.01);
    EXPECT_NEAR(page2, 2.0, 0.01);
    EXPECT_NEAR(page3, 1.0, 0.01);
}

} // namespace

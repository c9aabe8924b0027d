// The joint example return through the command line: what `kestrun fields` prints for the PIT/O,
// PIT/D, PIT-2K and PIT/UZ pages, and that each page renders to a valid PDF with every value inside
// its field.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using kestrun::testing::shell_quote;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

using expectations = std::map<std::string, std::string>;

// A few boxes of each page: the rules behind them are the attachment tests'.
const std::pair<const char*, expectations> pages[] = {
    {"TF_wo15_1",
     {{"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
      {"QRL_odl13", "2.280,00"},
      {"QRL_in_odlp", "Wpłaty na rzecz  kościelnej osoby prawnej"},
      {"QRL_odl18", "9.615,92"}}},
    {"TF_wo15_2",
     {{"QRL_ildz", "4"},
      {"QRL_nazpel", "Fundacja Pomocy Dzieciom „Promyk”"},
      {"QRL_dar12", "300,00"}}},
    {"TF_wo15_3",
     {{"QRL_pes_d1", "0 5 2 1 1 4 0 1 2 3 9"},
      {"QRL_im_d3", "Antoni"},
      {"QRL_dur_d3", "14-05-2015"},
      {"QRL_ud31", "1.333,36"}}},
    {"TF_wd15_1",
     {{"QRL_ods", "8.240,00"},
      {"QRL_rodz_odl_doch", "Budowa budynku mieszkalnego  (prawa nabyte przed 2002 r.)"},
      {"QRL_odl_doch36", "3.400,00"}}},
    {"TF_wd15_2", {{"QRL_kas", "520,00"}, {"QRL_odl_pod36", "520,00"}}},
    {"TF_w2k15_1", {{"QRL_nazw1", "Wiśniewska"}, {"QRL_kw1", "342.000,00"}, {"QRL_rok2", "2012"}}},
    {"TF_wuz15_1", {{"QRL_36", "x"}, {"QRL_uz_zus1", "1.050,32"}, {"QRL_uz_doza1", "927,56"}}},
};

TEST(attachment_example, fields_print_what_the_pages_prescribe)
{
    for (const auto& [page, expected] : pages) {
        SCOPED_TRACE(page);
        kestrun::testing::expect_captions(std::string(page) + " " + shell_quote(example), expected);
    }
}

TEST(attachment_example, pages_render_to_valid_pdfs_with_every_value_in_its_field)
{
    kestrun::printing::probe::scratch_dir dir;
    for (const auto& [page, expected] : pages) {
        SCOPED_TRACE(page);
        kestrun::testing::expect_page_prints_inside_fields(
            std::string(page) + " " + shell_quote(example), dir / (std::string(page) + ".pdf"));
    }
}

} // namespace

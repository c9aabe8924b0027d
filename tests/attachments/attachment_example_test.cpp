// The joint example return through the command line: what `kestrun fields` prints for the PIT/O,
// PIT/D and PIT/UZ pages, and that each page renders to a valid PDF with every value inside its
// field.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using kestrun::testing::shell_quote;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";

using expectations = std::map<std::string, std::string>;

const std::pair<const char*, expectations> pages[] = {
    {"TF_wo15_1",
     {{"QRL_nip", "5 2 6 - 1 0 4 - 0 8 - 2 8"},
      {"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
      {"QRL_rok", "2 0 1 5"},
      {"QRL_ilzalo", "1"},
      {"QRL_odl2013_11", "500,00"},
      {"QRL_odl2013_21", "300,00"},
      {"QRL_odl2013_13", "4.495,92"},
      {"QRL_odl11", "130,00"},
      {"QRL_r11", "x"},
      {"QRL_r12", ""},
      {"QRL_r22", "x"},
      {"QRL_odl13", "2.280,00"},
      {"QRL_odl25", "760,00"},
      {"QRL_in_odlp", "Wpłaty na rzecz  kościelnej osoby prawnej"},
      {"QRL_odl18", "9.615,92"},
      {"QRL_odl28", "1.210,00"}}},
    {"TF_wo15_2",
     {{"QRL_ildz", "4"},
      {"QRL_odl13", "3.795,40"},
      {"QRL_odl23", "2.462,04"},
      {"QRL_in_odlp", "Ulga na zakup kasy rejestrującej"},
      {"QRL_odl16", "3.915,40"},
      {"QRL_nazpel", "Fundacja Pomocy Dzieciom „Promyk”"},
      {"QRL_nrlok", ""},
      {"QRL_dar12", "300,00"},
      {"QRL_nazpel1", "Parafia Rzymskokatolicka św. Anny"},
      {"QRL_dar22", "150,00"}}},
    {"TF_wo15_3",
     {{"QRL_pes_d1", "0 5 2 1 1 4 0 1 2 3 9"},
      {"QRL_p1_cr", "x"},
      {"QRL_m1_cr", "x"},
      {"QRL_p26", "x"},
      {"QRL_p27", ""},
      {"QRL_m27", "x"},
      {"QRL_pes_d3", ""},
      {"QRL_im_d3", "Antoni"},
      {"QRL_dur_d3", "14-05-2015"},
      {"QRL_p35", "x"},
      {"QRL_ud31", "1.333,36"},
      {"QRL_ud32", "0,00"},
      {"QRL_im_d4", ""},
      {"QRL_ud41", ""},
      {"QRL_ud52", "1.350,00"}}},
    {"TF_wd15_1",
     {{"QRL_ods", "8.240,00"},
      {"QRL_ods28p", "1.200,00"},
      {"QRL_ods28m", "800,00"},
      {"QRL_ods36p", "3.744,00"},
      {"QRL_ods36m", "2.496,00"},
      {"QRL_rodz_odl_doch", "Budowa budynku mieszkalnego  (prawa nabyte przed 2002 r.)"},
      {"QRL_odl_doch36", "3.400,00"}}},
    {"TF_wd15_2",
     {{"QRL_ods28p1", ""}, {"QRL_kas", "520,00"}, {"QRL_ods28p", ""}, {"QRL_odl_pod36", "520,00"}}},
    {"TF_wuz15_1",
     {{"QRL_36", "x"},
      {"QRL_37", ""},
      {"QRL_uz_zus1", "1.050,32"},
      {"QRL_uz_zus2", "420,10"},
      {"QRL_uz_dz2", "0,00"},
      {"QRL_uz_doza1", "927,56"},
      {"QRL_uz_zwrot", "0,00"}}},
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

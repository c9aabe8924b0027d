// The joint example return through the command line: a few boxes of the PIT/O, PIT/D, PIT-2K and
// PIT/UZ pages as `kestrun fields` prints them, and each page rendered to a valid PDF with every
// value inside its field.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

TEST(attachment_example, pages_print_their_boxes_inside_their_fields)
{
    kestrun::testing::expect_example(
        "pit36_joint.json",
        {{"TF_wo15_1",
          "",
          {{"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
           {"QRL_odl13", "2.280,00"},
           {"QRL_in_odlp", "Wpłaty na rzecz  kościelnej osoby prawnej"},
           {"QRL_odl18", "9.615,92"}}},
         {"TF_wo15_2",
          "",
          {{"QRL_ildz", "4"},
           {"QRL_nazpel", "Fundacja Pomocy Dzieciom „Promyk”"},
           {"QRL_dar12", "300,00"}}},
         {"TF_wo15_3",
          "",
          {{"QRL_pes_d1", "0 5 2 1 1 4 0 1 2 3 9"},
           {"QRL_im_d3", "Antoni"},
           {"QRL_dur_d3", "14-05-2015"},
           {"QRL_ud31", "1.333,36"}}},
         {"TF_wd15_1",
          "",
          {{"QRL_ods", "8.240,00"},
           {"QRL_rodz_odl_doch", "Budowa budynku mieszkalnego  (prawa nabyte przed 2002 r.)"},
           {"QRL_odl_doch36", "3.400,00"}}},
         {"TF_wd15_2", "", {{"QRL_kas", "520,00"}, {"QRL_odl_pod36", "520,00"}}},
         {"TF_w2k15_1",
          "",
          {{"QRL_nazw1", "Wiśniewska"}, {"QRL_kw1", "342.000,00"}, {"QRL_rok2", "2012"}}},
         {"TF_wuz15_1",
          "",
          {{"QRL_36", "x"}, {"QRL_uz_zus1", "1.050,32"}, {"QRL_uz_doza1", "927,56"}}}});
}

} // namespace

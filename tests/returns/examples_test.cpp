// The bundled returns through the command line: a few boxes of each page and attachment page as
// `kestrun fields` prints them, each page rendered twice to the same valid PDF with every value
// inside its field, and the narrow side margins of PIT-36 page 3.

#include "framework/module.h"
#include "platform/qr/layout.h"
#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using kestrun::testing::shell_quote;

TEST(pit28_example, pages_print_their_boxes_inside_their_fields)
{
    kestrun::testing::expect_example(
        "pit28.json",
        {{"TF_w2815_1",
          "",
          {{"QRL_nip", "6 7 7 - 2 1 3 - 4 5 - 0 2"},
           {"QRL_urz", "Urząd Skarbowy Kraków-Podgórze"},
           {"QRL_nazw", "Łukaszewicz"},
           {"QRL_dur", "14-06-1971"},
           {"QRL_przsp7", "1.030.788,11"},
           {"QRL_prznaj3", "36.000,00"}}},
         {"TF_w2815_2", "", {{"QRL_odl_og", "28.607,91"}, {"QRL_podst_op1", "1.247.765"}}},
         {"TF_w2815_3", "", {{"QRL_pod_gbl", "59.547,62"}, {"QRL_do_zapl", "4.666"}}},
         {"TF_w2815_4",
          "",
          {{"QRL_sum_rycz", "50.889"},
           {"QRL_cel", "Na leczenie i rehabilitację Zofii Nowickiej (nr ewid. 1234/Ż)"},
           {"QRL_zal7", "2"},
           {"QRL_peln", "Agnieszka Wróblewska"}}},
         {"TF_w28a15_1",
          "",
          {{"QRL_mp",
            "Kraków, ul. Wielicka 142 (sklep); pawilon, ul. Nowosądeckiej 8 (punkt napraw)"},
           {"QRL_prz_dg1", "412.350,40"}}},
         {"TF_w28b15_1",
          " --nrsp 1",
          {{"QRL_ilzalb", "2"},
           {"QRL_nazsp", "Łukaszewicz i Wspólnicy Hurtownia Spożywcza „Wisła” s.c."},
           {"QRL_prsp", "50,00"},
           {"QRL_prz_wsp11", "642.300,00"}}},
         {"TF_w28b15_2",
          " --nrsp 2",
          {{"QRL_nipsp", "944-201-87-34"},
           {"QRL_prsp", "33,33"},
           {"QRL_sp11", "642.300,00"},
           {"QRL_sp12", "118.888,11"},
           {"QRL_sp21", "6.000,00"}}},
         {"TF_w28b15_1",
          " --nrsp 3",
          {{"QRL_ilzalb", "2"}, {"QRL_nipsp", "6762451916"}, {"QRL_przwsp", "53.500,00"}}},
         {"TF_w28b15_2",
          " --nrsp 4",
          {{"QRL_nazsp", "Gospoda „Pod Wawelem” Łukaszewicz, Ślusarczyk s.c."},
           {"QRL_sp11", "216.100,00"},
           {"QRL_sp13", "53.500,00"},
           {"QRL_sp21", "0,00"}}}});
}

TEST(pit36_example, pages_print_their_boxes_inside_their_fields)
{
    kestrun::testing::expect_example(
        "pit36_joint.json",
        {{"TF_w36151",
          "",
          {{"QRL_nrref", "PIT36-2015-WŁ-00\n0481-A"},
           {"QRL_nip1", "7 6 0 9 0 2 1 1 2 8 8"},
           {"QRL_sp_op3", "x"}}},
         {"TF_w36152",
          "",
          {{"QRL_pp71_1", "12.000,00"}, {"QRL_pozp3", "1.400,00"}, {"QRL_pm64", "2.350,80"}}},
         {"TF_w36153",
          "",
          {{"QRL_zr_str", "pozarolnicza działalność gospodarcza 2013"},
           {"QRL_podst_opod", "170.070"}}},
         {"TF_w37151", "", {{"QRL_poczta1", "Łódź"}}},
         {"TF_w37152", "", {{"QRL_pp41_1", "12.000,00"}, {"QRL_pp61", "308.840,55"}}},
         {"TF_wo15_1",
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

TEST(pit36_example, page_3_has_narrow_side_margins)
{
    // The same box of a layout prints shifted by the page's left margin: pages 1 and 2 have
    // 2 mm, page 3 of PIT-36 only 1 mm.
    const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36_joint.json";
    for (auto [page, margin_mm] : {std::pair{"TF_w36151", 2.0},
                                   {"TF_w36152", 2.0},
                                   {"TF_w36153", 1.0},
                                   {"TF_w37151", 2.0},
                                   {"TF_w37152", 2.0}}) {
        SCOPED_TRACE(page);
        auto f = kestrun::testing::cli_fields(std::string(page) + " " + shell_quote(example));
        for (const auto& box : kestrun::qr::design_of(kestrun::page_unit_of(page)).components)
            EXPECT_NEAR(f[box.name].rect_mm.at(0) - box.rect.left * kestrun::qr::mm_per_px,
                        margin_mm, 0.006)
                << box.name;
    }
}

TEST(pit36l_example, pages_print_their_boxes_inside_their_fields)
{
    kestrun::testing::expect_example(
        "pit36l.json",
        {{"TF_w36l15_1",
          "",
          {{"QRL_nrref", "PIT36L-2015-KP-004127-TORUŃ"},
           {"QRL_nip", "8 7 9 - 2 1 0 - 4 5 - 3 4"},
           {"QRL_rokzw", "2 0 1 2"},
           {"QRL_p14", "0,00"},
           {"QRL_p24", "4.550,40"},
           {"QRL_w6", "4.550,40"}}},
         {"TF_w36l15_2", "", {{"QRL_w8", "168.509"}, {"QRL_w4", "3.047,00"}, {"QRL_44_1m12", "0"}}},
         {"TF_w36l15_3",
          "",
          {{"QRL_44_7m12", "2.500"},
           {"QRL_cel", "Leczenie i rehabilitacja Kacpra Zielińskiego"},
           {"QRL_zal1", "2"},
           {"QRL_peln", "Barbara Kaczmarek"}}}});
}

} // namespace

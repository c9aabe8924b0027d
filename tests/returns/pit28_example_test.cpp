// The bundled PIT-28 example through the command line: what `kestrun fields` prints on each of the
// seven PIT-28 pages, and that each page (both PIT-28/B attachments) renders to a valid PDF, the
// same bytes every time, with every value inside its field.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using kestrun::printing::probe::run;
using kestrun::printing::probe::scratch_dir;

using kestrun::testing::shell_quote;

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit28.json";

struct page_run {
    const char* page;
    const char* params;
};

std::string args(const page_run& p)
{
    return std::string(p.page) + " " + shell_quote(example) + " " + p.params;
}

// A few boxes of each page: the rules behind them are the page tests'.
const std::pair<page_run, std::map<std::string, std::string>> pages[] = {
    {{"TF_w2815_1", ""},
     {{"QRL_nip", "6 7 7 - 2 1 3 - 4 5 - 0 2"},
      {"QRL_urz", "Urząd Skarbowy Kraków-Podgórze"},
      {"QRL_nazw", "Łukaszewicz"},
      {"QRL_dur", "14-06-1971"},
      {"QRL_przsp7", "1.030.788,11"},
      {"QRL_prznaj3", "36.000,00"}}},
    {{"TF_w2815_2", ""}, {{"QRL_odl_og", "28.607,91"}, {"QRL_podst_op1", "1.247.765"}}},
    {{"TF_w2815_3", ""}, {{"QRL_pod_gbl", "59.547,62"}, {"QRL_do_zapl", "4.666"}}},
    {{"TF_w2815_4", ""},
     {{"QRL_sum_rycz", "50.889"},
      {"QRL_cel", "Na leczenie i rehabilitację Zofii Nowickiej (nr ewid. 1234/Ż)"},
      {"QRL_zal7", "2"},
      {"QRL_peln", "Agnieszka Wróblewska"}}},
    {{"TF_w28a15_1", ""},
     {{"QRL_mp", "Kraków, ul. Wielicka 142 (sklep); pawilon, ul. Nowosądeckiej 8 (punkt napraw)"},
      {"QRL_prz_dg1", "412.350,40"}}},
    {{"TF_w28b15_1", "--nrsp 1"},
     {{"QRL_ilzalb", "2"},
      {"QRL_nazsp", "Łukaszewicz i Wspólnicy Hurtownia Spożywcza „Wisła” s.c."},
      {"QRL_prsp", "50,00"},
      {"QRL_prz_wsp11", "642.300,00"}}},
    {{"TF_w28b15_2", "--nrsp 2"},
     {{"QRL_nipsp", "944-201-87-34"},
      {"QRL_prsp", "33,33"},
      {"QRL_sp11", "642.300,00"},
      {"QRL_sp12", "118.888,11"},
      {"QRL_sp21", "6.000,00"}}},
    {{"TF_w28b15_1", "--nrsp 3"},
     {{"QRL_ilzalb", "2"}, {"QRL_nipsp", "6762451916"}, {"QRL_przwsp", "53.500,00"}}},
    {{"TF_w28b15_2", "--nrsp 4"},
     {{"QRL_nazsp", "Gospoda „Pod Wawelem” Łukaszewicz, Ślusarczyk s.c."},
      {"QRL_sp11", "216.100,00"},
      {"QRL_sp13", "53.500,00"},
      {"QRL_sp21", "0,00"}}},
};

TEST(pit28_example, fields_print_what_the_pages_prescribe)
{
    for (const auto& [p, expected] : pages) {
        SCOPED_TRACE(std::string(p.page) + " " + p.params);
        kestrun::testing::expect_captions(args(p), expected);
    }
}

TEST(pit28_example, pages_render_the_same_valid_pdf_with_every_value_in_its_field)
{
    scratch_dir dir;
    int n = 0;
    for (const auto& [p, expected] : pages) {
        SCOPED_TRACE(args(p));
        kestrun::testing::expect_page_prints_inside_fields(args(p),
                                                           dir / (std::to_string(++n) + ".pdf"));
    }
}

TEST(pit28_example, partnership_outside_the_record_is_refused_on_the_command_line)
{
    scratch_dir dir;
    for (const char* page : {"TF_w28b15_1", "TF_w28b15_2"}) {
        SCOPED_TRACE(page);
        auto r = run(kestrun::testing::cli + " page " + page + " " + shell_quote(example) +
                     " --nrsp 5 --out " + shell_quote(dir / "refused.pdf"));
        EXPECT_EQ(r.status, 2) << "bad input";
        EXPECT_EQ(r.output, std::string("kestrun: ") + page +
                                ": nrsp 5 is outside 1 to 4 (rek28 holds four partnerships)\n");
        EXPECT_TRUE(dir.entries().empty()) << "nothing is written";
    }
}

} // namespace

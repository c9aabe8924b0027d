// The bundled PIT-36L example through the command line: a few boxes of each page as `kestrun
// fields` prints them, and each page rendered to a valid PDF with every value inside its field.

#include "tests/support/cli_probe.h"

#include <gtest/gtest.h>
#include <map>

namespace {

const std::string example = std::string(KESTRUN_SOURCE_DIR) + "/examples/pit36l.json";

const std::pair<const char*, std::map<std::string, std::string>> pages[] = {
    {"TF_w36l15_1",
     {{"QRL_nrref", "PIT36L-2015-KP-004127-TORUŃ"},
      {"QRL_nip", "8 7 9 - 2 1 0 - 4 5 - 3 4"},
      {"QRL_rokzw", "2 0 1 2"},
      {"QRL_p14", "0,00"},
      {"QRL_p24", "4.550,40"},
      {"QRL_w6", "4.550,40"}}},
    {"TF_w36l15_2", {{"QRL_w8", "168.509"}, {"QRL_w4", "3.047,00"}, {"QRL_44_1m12", "0"}}},
    {"TF_w36l15_3",
     {{"QRL_44_7m12", "2.500"},
      {"QRL_cel", "Leczenie i rehabilitacja Kacpra Zielińskiego"},
      {"QRL_zal1", "2"},
      {"QRL_peln", "Barbara Kaczmarek"}}},
};

TEST(pit36l_example, pages_print_their_boxes_inside_their_fields)
{
    kestrun::printing::probe::scratch_dir dir;
    for (const auto& [page, expected] : pages) {
        SCOPED_TRACE(page);
        const std::string args = std::string(page) + " " + kestrun::testing::shell_quote(example);
        kestrun::testing::expect_captions(args, expected);
        kestrun::testing::expect_page_prints_inside_fields(args,
                                                           dir / (std::string(page) + ".pdf"));
    }
}

} // namespace

// PIT/B pages: entries shown by position, one and two sheets, part D once per person on the last
// sheet, the share and the NIP printed differently on the two pages, the spouse's sheets, and
// parameters outside the sheets refused by name.

#include "tests/support/cli_probe.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using kestrun::host::host_state;
using kestrun::testing::fill_page;

// Business j: kind and address with blanks around them, REGON, revenue 10000 j + 0.50, costs
// 1000 j, income 9000 j + 0.50. Partnership i: share 12.5 i %, NIP 526104082i, amounts
// 1000 i + 100 c + 0.25 in column c. `only_nip` leaves partnership i with its NIP alone.
void pitb(host_state& h, int p, std::initializer_list<int> businesses,
          std::initializer_list<int> partnerships, int only_nip = 0)
{
    const auto b = h.rekzez_mut().pitb(p);
    for (int j : businesses) {
        const auto dg = b.dg(j);
        dg.set_text("dzial", " Handel " + std::to_string(j) + " ");
        dg.set_text("reg", "12345678" + std::to_string(j));
        dg.set_text("mp", " Kraków " + std::to_string(j));
        dg.set_real("prz", 10000.0 * j + 0.5);
        dg.set_real("ko", 1000.0 * j);
        dg.set_real("d", 9000.0 * j + 0.5);
    }
    for (int i : partnerships) {
        const auto sp = b.sp(i);
        if (i != only_nip) {
            sp.set_text("nazsp", " Spółka " + std::to_string(i) + " ");
            sp.set_text("regsp", "98765432" + std::to_string(i));
            sp.set_real("prsp", 12.5 * i);
        }
        sp.set_text("nipsp", "526104082" + std::to_string(i));
        for (int c = 1; c <= 6; ++c)
            sp.set_real("kw", c, 1000.0 * i + 100.0 * c + 0.25);
    }
}

// The taxpayer's one sheet holds only entries past empty ones and a loss; the spouse needs two.
host_state pitb_return(bool joint)
{
    auto b = kestrun::test::rekzez_builder{}.text("nip", "5261040828").text("nip_m", "7251801126");
    b.text("nazw", "Wiśniewski").text("nazw_m", "Wiśniewska").integer("sp_opod", 1);
    b.state().set_in_wsp_z_malz(1, joint);
    return b.with([](host_state& h) {
        pitb(h, 1, {3}, {2, 5}, 2);
        h.rekzez_mut().pitb(1).dg(3).set_real("d", -40000.0);
        h.rekzez_mut().pitb(1).dg(2).set_real("prz", 99999.0); // amounts alone: not in use
        pitb(h, 2, {1, 2, 3}, {1, 2, 4});
    });
}

TEST(pitb_pages, entries_print_by_position_and_part_d_once_on_the_last_sheet)
{
    struct row {
        const char* page;
        std::map<std::string, int> params;
        std::map<std::string, std::string> expected;
        const char* why;
    };
    const row rows[] = {
        {"TF_wb15_1",
         {{"nrp", 1}},
         {{"QRL_ilzalb", "1"},
          {"QRL_dzial", ""},
          {"QRL_prz_dg1", ""},
          {"QRL_reg1", ""},
          {"QRL_prz_dg2", ""},
          {"QRL_nazsp1", ""},
          {"QRL_nip", "5 2 6 - 1 0 4 - 0 8 - 2 8"}},
         "business 3 lies behind two empty positions, an amount alone does not count"},
        {"TF_wb15_2",
         {{"nrp", 1}},
         {{"QRL_prz_sp11", ""},
          {"QRL_nazsp2", ""},
          {"QRL_nipsp2", "526-10-40-822"},
          {"QRL_prsp2", "0,00"},
          {"QRL_prz_sp26", "2.600,25"},
          {"QRL_prz_sp31", ""},
          {"QRL_prz_sum", "37.401,00"},
          {"QRL_ko_sum", "10.800,50"},
          {"QRL_d_sum", "0,00"},
          {"QRL_st_sum", "31.799,50"}},
         "a NIP alone puts a partnership in use; part D counts entries no sheet shows; a loss"},
        {"TF_wb15_1",
         {{"nrp", 2}, {"ilb", 2}},
         {{"QRL_ilzalb", "2"},
          {"QRL_nazw", "Wiśniewska"},
          {"QRL_nip", "7 2 5 - 1 8 0 - 1 1 - 2 6"},
          {"QRL_dzial", "Handel 1"},
          {"QRL_mp1", "Kraków 2"},
          {"QRL_prz_dg2", "20.000,50"},
          {"QRL_nazsp1", "Spółka 1"},
          {"QRL_prsp1", "12,50"},
          {"QRL_nipsp1", "526-10-40-821"}},
         "sheet 1 of 2, page 1: texts trimmed, the share to width 6, the NIP in style 0"},
        {"TF_wb15_2",
         {{"nrp", 2}},
         {{"QRL_prz_sp12", "1.200,25"},
          {"QRL_nazsp2", " Spółka 2 "},
          {"QRL_prsp2", "25,00"},
          {"QRL_prz_sp21", "2.100,25"},
          {"QRL_nazsp3", ""},
          {"QRL_prz_sp36", ""},
          {"QRL_prz_sum", ""},
          {"QRL_st_sum", ""}},
         "sheet 1 of 2, page 2: texts as stored, part D empty"},
        {"TF_wb15_1",
         {{"nrp", 2}, {"nr", 3}, {"ilb", 2}},
         {{"QRL_dzial", "Handel 3"},
          {"QRL_d_dg1", "27.000,50"},
          {"QRL_dzial1", ""},
          {"QRL_ko_dg2", ""},
          {"QRL_nazsp1", "Spółka 4"},
          {"QRL_prsp1", "50,00"}},
         "sheet 2, page 1: business 3, B.2 empty, partnership 4 in C.1.1"},
        {"TF_wb15_2",
         {{"nrp", 2}, {"nr", 4}},
         {{"QRL_prz_sp11", "4.100,25"},
          {"QRL_nazsp2", ""},
          {"QRL_prz_sp21", ""},
          {"QRL_prz_sum", "67.602,25"},
          {"QRL_ko_sum", "14.200,75"},
          {"QRL_d_sum", "62.802,25"},
          {"QRL_st_sum", "0,00"}},
         "sheet 2, page 2: partnership 4 in row 1, part D over all the spouse's entries"},
    };
    for (bool joint : {true, false}) {
        host_state h = pitb_return(joint);
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.why) + (joint ? "" : " (return not joint)"));
            auto printed = fill_page(r.page, h, r.params);
            for (const auto& [name, caption] : r.expected)
                EXPECT_EQ(printed.at(name).caption, caption) << name;
        }
    }
}

TEST(pitb_pages, parameters_outside_the_sheets_are_refused_by_name)
{
    struct row {
        const char* args;
        const char* message;
    };
    const row rows[] = {
        {"TF_wb15_1 --nr 2", "TF_wb15_1: nr 2 is outside what the page shows (1 or 3)"},
        {"TF_wb15_2 --nr 3", "TF_wb15_2: nr 3 is outside what the page shows (1 or 4)"},
        {"TF_wb15_1 --nrp 0", "TF_wb15_1: nrp 0 is outside what the page shows (1 or 2)"},
        {"TF_wb15_2 --ilb 3", "TF_wb15_2: ilb 3 is outside what the page shows (1 or 2)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args);
        auto result = kestrun::printing::probe::run(kestrun::testing::cli + " fields " + r.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.output, std::string("kestrun: ") + r.message + "\n");
    }
}

TEST(pitb_pages, longest_texts_and_largest_amounts_print_inside_their_fields)
{
    // Every text at its capacity, with wide Polish capitals, and amounts of eight digits.
    const nlohmann::json business = {
        {"dzial", "Wytwarzanie wyrobów z gliny, ceramiki i porcelany – ŁĘŻ"},
        {"reg", "123456789"},
        {"mp", "Świętochłowice, ul. Wojska Polskiego 123"},
        {"prz", 99999999.99},
        {"ko", -99999999.99},
        {"d", -99999999.99}};
    const nlohmann::json partnership = {{"nazsp", "Przedsiębiorstwo Wielobranżowe ŻÓŁW sp.j"},
                                        {"prsp", 100},
                                        {"nipsp", "1234567890"},
                                        {"regsp", "987654321"},
                                        {"mprowsp", "Świętochłowice, ul. Wojska Polskiego 123"},
                                        {"kw", std::vector<double>(6, -99999999.99)}};
    const nlohmann::json person = {{"dg", std::vector<nlohmann::json>(4, business)},
                                   {"sp", std::vector<nlohmann::json>(6, partnership)}};
    kestrun::printing::probe::scratch_dir dir;
    const auto file = dir / "pitb.json";
    std::ofstream(file) << nlohmann::json{{"rekzez",
                                           {{"nip", "5261040828"},
                                            {"nazw", "Żółkiewska-Świętochowska"},
                                            {"pitb", {person, person}}}}};
    for (const char* args : {"TF_wb15_1 --nr 3 --ilb 2", "TF_wb15_2 --nr 4"}) {
        SCOPED_TRACE(args);
        kestrun::testing::expect_page_prints_inside_fields(
            std::string(args) + " " + kestrun::testing::shell_quote(file), dir / "page.pdf");
    }
}

} // namespace

#include "host/korvel/wyd28.h"

namespace Wyd28 {

// Entries of the margin set "ofdr3": pages 1-4, PIT-28/A, PIT-28/B pages 1 and 2.
namespace margin {
enum : int { page1 = 1, zal_a = 5, zal_b_1 = 6, zal_b_2 = 7 };
}

using args = nlohmann::ordered_json;

Twyd28::Twyd28(kestrun::host::host_state& host, const kestrun::host::margin_pair* marg28,
               bool dr_port, std::uint8_t dr_opt1, std::uint8_t dr_opt2, std::int16_t dr_opt3)
    : tdruk(host, marg28, "wydp28", dr_port, dr_opt1, dr_opt2, dr_opt3)
{
}

void Twyd28::w28_st1()
{
    print_page("w28_st1", args::array(), "TF_w2815_1", {}, margin::page1);
}
void Twyd28::w28_st2()
{
    print_page("w28_st2", args::array(), "TF_w2815_2", {}, margin::page1 + 1);
}
void Twyd28::w28_st3()
{
    print_page("w28_st3", args::array(), "TF_w2815_3", {}, margin::page1 + 2);
}
void Twyd28::w28_st4()
{
    print_page("w28_st4", args::array(), "TF_w2815_4", {}, margin::page1 + 3);
}
void Twyd28::w28_zal_a()
{
    print_page("w28_zal_a", args::array(), "TF_w28a15_1", {}, margin::zal_a);
}

void Twyd28::zal_b_1(std::uint8_t i)
{
    print_page("zal_b_1", {i}, "TF_w28b15_1", {{"nrsp", 2 * i - 1}}, margin::zal_b_1);
}

void Twyd28::zal_b_2(std::uint8_t i)
{
    print_page("zal_b_2", {i}, "TF_w28b15_2", {{"nrsp", 2 * i}}, margin::zal_b_2);
}

} // namespace Wyd28

#include "host/korvel/wyd28.h"

namespace Wyd28 {

// Each page method prints the page the table of direct pages names for it, moved by its entry
// of the margin set "ofdr3".

Twyd28::Twyd28(kestrun::host::host_state& host, const kestrun::host::margin_pair* marg28,
               bool dr_port, std::uint8_t dr_opt1, std::uint8_t dr_opt2, std::int16_t dr_opt3)
    : tdruk(host, marg28, "wydp28", dr_port, dr_opt1, dr_opt2, dr_opt3)
{
}

// clang-format off
void Twyd28::w28_st1() { page_method("w28_st1"); }
void Twyd28::w28_st2() { page_method("w28_st2"); }
void Twyd28::w28_st3() { page_method("w28_st3"); }
void Twyd28::w28_st4() { page_method("w28_st4"); }
void Twyd28::w28_zal_a() { page_method("w28_zal_a"); }
void Twyd28::zal_b_1(std::uint8_t i) { page_method("zal_b_1", {i}); }
void Twyd28::zal_b_2(std::uint8_t i) { page_method("zal_b_2", {i}); }
// clang-format on

} // namespace Wyd28

#include "host/korvel/zezwyd.h"

#include "platform/vcl/trace.h"

namespace Zezwyd {

// Each page method prints the page the table of direct pages names for it, moved by its entry
// of the margin set "ofdr".

Tdrukzez::Tdrukzez(kestrun::host::host_state& host, const kestrun::host::margin_pair* marg,
                   bool dr_port, std::uint8_t dr_opt1, std::uint8_t dr_opt2, std::int16_t dr_opt3)
    : tdruk(host, marg, "drukzez", dr_port, dr_opt1, dr_opt2, dr_opt3)
{
}

// clang-format off
void Tdrukzez::wyd36_st1() { page_method("wyd36_st1"); }
void Tdrukzez::wyd36_st2() { page_method("wyd36_st2"); }
void Tdrukzez::wyd36_st3() { page_method("wyd36_st3"); }
void Tdrukzez::wyd36_st4() { page_method("wyd36_st4"); }
void Tdrukzez::wyd36_st5() { page_method("wyd36_st5"); }
void Tdrukzez::wyd36_st6() { page_method("wyd36_st6"); }
void Tdrukzez::w36L_st1() { page_method("w36L_st1"); }
void Tdrukzez::w36L_st2() { page_method("w36L_st2"); }
void Tdrukzez::w36L_st3() { page_method("w36L_st3"); }
void Tdrukzez::wyd37_st1() { page_method("wyd37_st1"); }
void Tdrukzez::wyd37_st2() { page_method("wyd37_st2"); }
void Tdrukzez::wyd37_st3() { page_method("wyd37_st3"); }
void Tdrukzez::wyd37_st4() { page_method("wyd37_st4"); }
void Tdrukzez::wydzalo_I() { page_method("wydzalo_I"); }
void Tdrukzez::wydzalo_II() { page_method("wydzalo_II"); }
void Tdrukzez::wydzalo_III() { page_method("wydzalo_III"); }
void Tdrukzez::wydzald_I() { page_method("wydzald_I"); }
void Tdrukzez::wydzald_II() { page_method("wydzald_II"); }
void Tdrukzez::wydzal_2k_I() { page_method("wydzal_2k_I"); }
void Tdrukzez::wydB_I(std::uint8_t a, std::uint8_t b, int c) { page_method("wydB_I", {a, b, c}); }
void Tdrukzez::wydB_II(std::uint8_t a, std::uint8_t b) { page_method("wydB_II", {a, b}); }
void Tdrukzez::wydzalm_I(int p) { page_method("wydzalm_I", {p}); }
void Tdrukzez::wydzalz_I(int p) { page_method("wydzalz_I", {p}); }
void Tdrukzez::wydzalz_II(int p) { page_method("wydzalz_II", {p}); }
void Tdrukzez::wydzalzg_I(int p) { page_method("wydzalzg_I", {p}); }
// clang-format on

void Tdrukzez::wysuw_str()
{
    kestrun::vcl::trace::emit("wysuw_str", {{"object", "drukzez"}});
    eject_sheet();
}

} // namespace Zezwyd

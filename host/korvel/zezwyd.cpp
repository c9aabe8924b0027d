#include "host/korvel/zezwyd.h"

#include "platform/vcl/trace.h"

namespace Zezwyd {

// Entries of the margin set "ofdr", one per page the object prints.
namespace margin {
enum : int {
    pit36 = 1,  // 1-6
    pit36l = 7, // 7-9
    pit37 = 10, // 10-13
    pit_o = 14, // 14-16
    pit_d = 17, // 17-18
    pit_2k = 19,
    pit_b = 20, // 20-21
    pit_m = 22,
    pit_z = 23, // 23-24
    pit_zg = 25,
};
}

Tdrukzez::Tdrukzez(kestrun::host::host_state& host, const kestrun::host::margin_pair* marg,
                   bool dr_port, std::uint8_t dr_opt1, std::uint8_t dr_opt2, std::int16_t dr_opt3)
    : tdruk(host, marg, "drukzez", dr_port, dr_opt1, dr_opt2, dr_opt3)
{
}

using args = nlohmann::ordered_json;

void Tdrukzez::wyd36_st1()
{
    print_page("wyd36_st1", args::array(), "TF_w36151", {}, margin::pit36);
}
void Tdrukzez::wyd36_st2()
{
    print_page("wyd36_st2", args::array(), "TF_w36152", {}, margin::pit36 + 1);
}
void Tdrukzez::wyd36_st3()
{
    print_page("wyd36_st3", args::array(), "TF_w36153", {}, margin::pit36 + 2);
}
void Tdrukzez::wyd36_st4()
{
    print_page("wyd36_st4", args::array(), "TF_w36154", {}, margin::pit36 + 3);
}
void Tdrukzez::wyd36_st5()
{
    print_page("wyd36_st5", args::array(), "TF_w36155", {}, margin::pit36 + 4);
}
void Tdrukzez::wyd36_st6()
{
    print_page("wyd36_st6", args::array(), "TF_w36156", {}, margin::pit36 + 5);
}
void Tdrukzez::w36L_st1()
{
    print_page("w36L_st1", args::array(), "TF_w36l15_1", {}, margin::pit36l);
}
void Tdrukzez::w36L_st2()
{
    print_page("w36L_st2", args::array(), "TF_w36l15_2", {}, margin::pit36l + 1);
}
void Tdrukzez::w36L_st3()
{
    print_page("w36L_st3", args::array(), "TF_w36l15_3", {}, margin::pit36l + 2);
}
void Tdrukzez::wyd37_st1()
{
    print_page("wyd37_st1", args::array(), "TF_w37151", {}, margin::pit37);
}
void Tdrukzez::wyd37_st2()
{
    print_page("wyd37_st2", args::array(), "TF_w37152", {}, margin::pit37 + 1);
}
void Tdrukzez::wyd37_st3()
{
    print_page("wyd37_st3", args::array(), "TF_w37153", {}, margin::pit37 + 2);
}
void Tdrukzez::wyd37_st4()
{
    print_page("wyd37_st4", args::array(), "TF_w37154", {}, margin::pit37 + 3);
}
void Tdrukzez::wydzalo_I()
{
    print_page("wydzalo_I", args::array(), "TF_wo15_1", {}, margin::pit_o);
}
void Tdrukzez::wydzalo_II()
{
    print_page("wydzalo_II", args::array(), "TF_wo15_2", {}, margin::pit_o + 1);
}
void Tdrukzez::wydzalo_III()
{
    print_page("wydzalo_III", args::array(), "TF_wo15_3", {}, margin::pit_o + 2);
}
void Tdrukzez::wydzald_I()
{
    print_page("wydzald_I", args::array(), "TF_wd15_1", {}, margin::pit_d);
}
void Tdrukzez::wydzald_II()
{
    print_page("wydzald_II", args::array(), "TF_wd15_2", {}, margin::pit_d + 1);
}
void Tdrukzez::wydzal_2k_I()
{
    print_page("wydzal_2k_I", args::array(), "TF_w2k15_1", {}, margin::pit_2k);
}

void Tdrukzez::wydB_I(std::uint8_t a, std::uint8_t b, int c)
{
    print_page("wydB_I", {a, b, c}, "TF_wb15_1", {{"nrp", a}, {"nr", b}, {"ilb", c}},
               margin::pit_b);
}

void Tdrukzez::wydB_II(std::uint8_t a, std::uint8_t b)
{
    print_page("wydB_II", {a, b}, "TF_wb15_2", {{"nrp", a}, {"nr", b}}, margin::pit_b + 1);
}

void Tdrukzez::wydzalm_I(int p)
{
    print_page("wydzalm_I", {p}, "TF_wm15_1", {{"nrp", p}}, margin::pit_m);
}
void Tdrukzez::wydzalz_I(int p)
{
    print_page("wydzalz_I", {p}, "TF_wz15_1", {{"nrp", p}}, margin::pit_z);
}
void Tdrukzez::wydzalz_II(int p)
{
    print_page("wydzalz_II", {p}, "TF_wz15_2", {{"nrp", p}}, margin::pit_z + 1);
}
void Tdrukzez::wydzalzg_I(int p)
{
    print_page("wydzalzg_I", {p}, "TF_wzg15_1", {{"nrp", p}}, margin::pit_zg);
}

void Tdrukzez::wysuw_str()
{
    kestrun::vcl::trace::emit("wysuw_str", {{"object", "drukzez"}});
    eject_sheet();
}

} // namespace Zezwyd

#include "dialogs/Zw36l_15.h"

#include "framework/module.h"
#include "framework/printrun/dialog_registry.h"
#include "host/tamdor/host_state.h"

using namespace kestrun;

thread_local Tf_wydpit36L* f_wydpit36L = nullptr;

Tf_wydpit36L::Tf_wydpit36L(vcl::TComponent* owner, host::host_state& host,
                           std::filesystem::path settings_folder)
    : print_dialog(owner, host, std::move(settings_folder), return_kind::pit36l),
      m_instance(f_wydpit36L, this)
{
    SetBounds(0, 0, 574, 480);
    g_str->SetBounds(12, 6, 542, 131);
    chbox_st_1 = page_box("chbox_st_1", "PIT-36L 1/3", 25, 25, 94);
    chbox_st_2 = page_box("chbox_st_2", "PIT-36L 2/3", 25, 50, 94);
    chbox_st_3 = page_box("chbox_st_3", "PIT-36L 3/3", 25, 76, 94);
    chbox_b_1 = page_box("chbox_b_1", "PIT/B  1/2", 160, 25);
    chbox_b_2 = page_box("chbox_b_2", "PIT/B  2/2", 160, 50);
    ChBox_z_1 = page_box("ChBox_z_1", "PIT/Z 1/2", 160, 76);
    ChBox_z_2 = page_box("ChBox_z_2", "PIT/Z 2/2", 160, 105);
    Chbox_zg_1 = page_box("Chbox_zg_1", "PIT/ZG  1/1", 281, 25);
    kl_zmust->SetBounds(400, 89, 121, 25);
    ChB_niezadr->SetBounds(12, 185, 368, 18);
    kl_druk->SetBounds(377, 336, 134, 39);
    kl_anuluj->SetBounds(377, 388, 134, 39);
    ust_dr->FitToDialog(18, 346);
}

void Tf_wydpit36L::FormActivate(vcl::TObject*)
{
    const auto z = host().rekzez();
    wydr_niezadr36l_pocz = host().rekster().flag("wydr_niezadr36l");
    activate({{"PIT/B", "rekzez.zal_b", z.integer("zal_b"), {chbox_b_1, chbox_b_2}},
              {"PIT/ZG", "rekzez.zal_zg", z.integer("zal_zg"), {Chbox_zg_1}},
              {"PIT/Z", "rekzez.zal_z", z.integer("zal_z"), {ChBox_z_1, ChBox_z_2}}},
             wydr_niezadr36l_pocz);
}

void Tf_wydpit36L::FormDeactivate(vcl::TObject*)
{
    save_mode(wydr_niezadr36l_pocz, "wydr_niezadr36l",
              [this](bool v) { host().rekster_mut().set_flag("wydr_niezadr36l", v); });
}

void Tf_wydpit36L::repeat(std::span<const print_step> group, std::vector<page_step>& out)
{
    pitb_sheet_steps(group, 1, out);
}

namespace {
void Zw36l_15_initialization()
{
    register_dialog_class({row_of(return_kind::pit36l).dialog_class, "Zw36l_15",
                           [](vcl::TComponent* owner, host::host_state& host,
                              std::filesystem::path settings) -> print_dialog* {
                               return new Tf_wydpit36L(owner, host, std::move(settings));
                           }});
}

const bool Zw36l_15_registered = [] {
    register_unit({"Zw36l_15", Zw36l_15_initialization, {}});
    return true;
}();
} // namespace

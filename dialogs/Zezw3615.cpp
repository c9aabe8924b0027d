#include "dialogs/Zezw3615.h"

#include "framework/module.h"
#include "framework/printrun/dialog_registry.h"
#include "host/tamdor/host_state.h"

using namespace kestrun;

Tf_wydpit36::Tf_wydpit36(vcl::TComponent* owner, host::host_state& host,
                         std::filesystem::path settings_folder)
    : print_dialog(owner, host, std::move(settings_folder), return_kind::pit36)
{
    SetBounds(0, 0, 574, 480);
    g_str->SetBounds(10, 6, 541, 184);
    chbox_st_1 = page_box("chbox_st_1", "PIT-36 1/6", 25, 25);
    chbox_st_2 = page_box("chbox_st_2", "PIT-36 2/6", 25, 50);
    chbox_st_3 = page_box("chbox_st_3", "PIT-36 3/6", 25, 76);
    chbox_st_4 = page_box("chbox_st_4", "PIT-36 4/6", 25, 105);
    chbox_st_5 = page_box("chbox_st_5", "PIT-36 5/6", 25, 130);
    ChBox_st_6 = page_box("ChBox_st_6", "PIT-36 6/6", 25, 156);
    chbox_b_1 = page_box("chbox_b_1", "PIT/B  1/2", 150, 25);
    chbox_b_2 = page_box("chbox_b_2", "PIT/B  2/2", 150, 50);
    // Lines separate PIT/B from PIT/O, PIT/D from PIT/ZG and PIT-2K from PIT/Z.
    Panel1 = rule("Panel1", 148, 70, 91);
    chbox_o_1 = page_box("chbox_o_1", "PIT/O  1/3", 150, 76);
    chbox_o_2 = page_box("chbox_o_2", "PIT/O  2/3", 150, 105);
    chbox_o_3 = page_box("chbox_o_3", "PIT/O  3/3", 150, 130);
    chbox_d_1 = page_box("chbox_d_1", "PIT/D  1/2", 276, 22);
    chbox_d_2 = page_box("chbox_d_2", "PIT/D  2/2", 276, 48);
    Panel2 = rule("Panel2", 270, 70, 98);
    Chbox_zg_1 = page_box("Chbox_zg_1", "PIT/ZG  1/1", 276, 76);
    // PIT/UZ prints only when the host creates its page itself: the box is never shown.
    Chbox_uz_1 = page_box("Chbox_uz_1", "PIT/UZ  1/1", 276, 105);
    Chbox_uz_1->Visible = false;
    chbox_m_1 = page_box("chbox_m_1", "PIT/M  1/1", 398, 22);
    chbox_2k_1 = page_box("chbox_2k_1", "PIT-2K  1/1", 398, 48);
    Panel3 = rule("Panel3", 390, 70, 99);
    ChBox_z_1 = page_box("ChBox_z_1", "PIT/Z  1/2", 398, 76);
    ChBox_z_2 = page_box("ChBox_z_2", "PIT/Z  2/2", 398, 105);
    kl_zmust->SetBounds(400, 140, 121, 25);
    ChB_niezadr->SetBounds(12, 222, 368, 18);
    kl_druk->SetBounds(377, 336, 134, 39);
    kl_anuluj->SetBounds(377, 388, 134, 39);
    ust_dr->FitToDialog(2, 344);
}

void Tf_wydpit36::FormActivate(vcl::TObject*)
{
    const auto z = host().rekzez();
    wydr_niezadr36_pocz = host().rekster().flag("wydr_niezadr36");
    activate({{"PIT/B", "rekzez.zal_b", z.integer("zal_b"), {chbox_b_1, chbox_b_2}},
              {"PIT/D", "rekzez.zal_d", z.integer("zal_d"), {chbox_d_1, chbox_d_2}},
              {"PIT-2K", "rekzez.zal_2k", z.integer("zal_2k"), {chbox_2k_1}},
              {"PIT/M", "rekzez.zal_m", z.integer("zal_m"), {chbox_m_1}},
              {"PIT/O", "rekzez.zal_o", z.integer("zal_o"), {chbox_o_1, chbox_o_2, chbox_o_3}},
              {"PIT/ZG", "rekzez.zal_zg", z.integer("zal_zg"), {Chbox_zg_1}},
              {"PIT/Z", "rekzez.zal_z", z.integer("zal_z"), {ChBox_z_1, ChBox_z_2}}},
             wydr_niezadr36_pocz);
}

void Tf_wydpit36::FormDeactivate(vcl::TObject*)
{
    save_mode(wydr_niezadr36_pocz, "wydr_niezadr36",
              [this](bool v) { host().rekster_mut().set_flag("wydr_niezadr36", v); });
}

void Tf_wydpit36::repeat(std::span<const print_step> group, std::vector<page_step>& out)
{
    pitb_sheet_steps(group, 2, out);
}

namespace {
void Zezw3615_initialization()
{
    register_dialog_class({row_of(return_kind::pit36).dialog_class, "Zezw3615",
                           [](vcl::TComponent* owner, host::host_state& host,
                              std::filesystem::path settings) -> print_dialog* {
                               return new Tf_wydpit36(owner, host, std::move(settings));
                           }});
}

const bool Zezw3615_registered = [] {
    register_unit({"Zezw3615", Zezw3615_initialization, {}});
    return true;
}();
} // namespace

#include "dialogs/Zezw3715.h"

#include "framework/module.h"
#include "framework/printrun/dialog_registry.h"
#include "host/tamdor/host_state.h"

using namespace kestrun;

Tf_wydpit37::Tf_wydpit37(vcl::TComponent* owner, host::host_state& host,
                         std::filesystem::path settings_folder)
    : print_dialog(owner, host, std::move(settings_folder), return_kind::pit37)
{
    SetBounds(0, 0, 573, 480);
    g_str->SetBounds(10, 6, 540, 137);
    chbox_st_1 = page_box("chbox_st_1", "PIT-37 1/4", 25, 25);
    chbox_st_2 = page_box("chbox_st_2", "PIT-37 2/4", 25, 50);
    chbox_st_3 = page_box("chbox_st_3", "PIT-37 3/4", 25, 76);
    chbox_st_4 = page_box("chbox_st_4", "PIT-37 4/4", 25, 100);
    chbox_o_1 = page_box("chbox_o_1", "PIT/O  1/3", 142, 25);
    chbox_o_2 = page_box("chbox_o_2", "PIT/O  2/3", 142, 50);
    ChBox_o_3 = page_box("ChBox_o_3", "PIT/O  3/3", 142, 76);
    // PIT/UZ prints only when the host creates its page itself: the box is never shown.
    Chbox_uz_1 = page_box("Chbox_uz_1", "PIT/UZ  1/1", 142, 100);
    Chbox_uz_1->Visible = false;
    chbox_d_1 = page_box("chbox_d_1", "PIT/D 1/2", 276, 25, 85);
    chbox_d_2 = page_box("chbox_d_2", "PIT/D 2/2", 276, 50, 85);
    chbox_2k_1 = page_box("chbox_2k_1", "PIT-2K  1/1", 398, 25);
    kl_zmust->SetBounds(400, 90, 121, 24);
    ChB_niezadr->SetBounds(12, 172, 368, 19);
    kl_druk->SetBounds(377, 336, 134, 39);
    kl_anuluj->SetBounds(377, 388, 134, 39);
    ust_dr->FitToDialog(4, 348);
}

void Tf_wydpit37::FormActivate(vcl::TObject*)
{
    const auto z = host().rekzez();
    wydr_niezadr37_pocz = host().rekster().flag("wydr_niezadr37");
    activate({{"PIT/D", "rekzez.zal_d", z.integer("zal_d"), {chbox_d_1, chbox_d_2}},
              {"PIT-2K", "rekzez.zal_2k", z.integer("zal_2k"), {chbox_2k_1}},
              {"PIT/O", "rekzez.zal_o", z.integer("zal_o"), {chbox_o_1, chbox_o_2, ChBox_o_3}}},
             wydr_niezadr37_pocz);
}

void Tf_wydpit37::FormDeactivate(vcl::TObject*)
{
    save_mode(wydr_niezadr37_pocz, "wydr_niezadr37",
              [this](bool v) { host().rekster_mut().set_flag("wydr_niezadr37", v); });
}

namespace {
void Zezw3715_initialization()
{
    register_dialog_class({row_of(return_kind::pit37).dialog_class, "Zezw3715",
                           [](vcl::TComponent* owner, host::host_state& host,
                              std::filesystem::path settings) -> print_dialog* {
                               return new Tf_wydpit37(owner, host, std::move(settings));
                           }});
}

const bool Zezw3715_registered = [] {
    register_unit({"Zezw3715", Zezw3715_initialization, {}});
    return true;
}();
} // namespace

#include "dialogs/W28f_15.h"

#include "framework/module.h"
#include "framework/printrun/dialog_registry.h"
#include "host/tamdor/host_state.h"

#include <algorithm>

using namespace kestrun;

namespace {
// The page grid of the group: four columns, four rows.
constexpr int column_x[] = {25, 170, 315, 460};
constexpr int row_y[] = {25, 50, 76, 105};
} // namespace

Tf_wydpit28::Tf_wydpit28(vcl::TComponent* owner, host::host_state& host,
                         std::filesystem::path settings_folder)
    : print_dialog(owner, host, std::move(settings_folder), return_kind::pit28)
{
    auto at = [this](const char* name, const char* caption, int column, int row) {
        return page_box(name, caption, column_x[column - 1], row_y[row - 1]);
    };
    SetBounds(0, 0, 675, 480);
    g_str->SetBounds(10, 6, 645, 165);
    chbox_st_1 = at("chbox_st_1", "PIT-28 1/4", 1, 1);
    chbox_st_2 = at("chbox_st_2", "PIT-28 2/4", 1, 2);
    chbox_st_3 = at("chbox_st_3", "PIT-28 3/4", 1, 3);
    chbox_st_4 = at("chbox_st_4", "PIT-28 4/4", 1, 4);
    chbox_a = at("chbox_a", "PIT-28/A  1/1", 2, 1);
    chbox_b_1 = at("chbox_b_1", "PIT-28/B  1/2", 2, 2);
    chbox_b_2 = at("chbox_b_2", "PIT-28/B  2/2", 2, 3);
    chbox_d_1 = at("chbox_d_1", "PIT/D  1/2", 3, 1);
    chbox_d_2 = at("chbox_d_2", "PIT/D  2/2", 3, 2);
    // A one-pixel black rule between PIT/D and PIT/O.
    Panel1 = rule("Panel1", 313, 70, 91);
    chbox_o_1 = at("chbox_o_1", "PIT/O  1/3", 3, 3);
    chbox_o_2 = at("chbox_o_2", "PIT/O  2/3", 3, 4);
    chbox_2k = at("chbox_2k", "PIT-2K  1/1", 4, 1);
    kl_zmust->SetBounds(510, 130, 121, 25);
    ChB_niezadr->SetBounds(12, 190, 368, 18);
    kl_druk->SetBounds(480, 336, 134, 39);
    kl_anuluj->SetBounds(480, 388, 134, 39);
    ust_dr->FitToDialog(8, 395);
}

void Tf_wydpit28::FormActivate(vcl::TObject*)
{
    const auto r = host().rek28();
    wydr_niezadr28_pocz = host().rekster().flag("wydr_niezadr28");
    activate({{"PIT/O", "rek28.zal_o", r.integer("zal_o"), {chbox_o_1, chbox_o_2}},
              {"PIT/D", "rek28.zal_d", r.integer("zal_d"), {chbox_d_2, chbox_d_1}},
              {"PIT-2K", "rek28.zal_2k", r.integer("zal_2k"), {chbox_2k}},
              {"PIT-28/A", "rek28.zal_a", r.integer("zal_a"), {chbox_a}},
              {"PIT-28/B", "rek28.il_zal_b", r.integer("il_zal_b"), {chbox_b_1, chbox_b_2}}},
             wydr_niezadr28_pocz);
}

void Tf_wydpit28::FormDeactivate(vcl::TObject*)
{
    save_mode(wydr_niezadr28_pocz, "wydr_niezadr28",
              [this](bool v) { host().rekster_mut().set_flag("wydr_niezadr28", v); });
}

void Tf_wydpit28::repeat(std::span<const print_step> group, std::vector<page_step>& out)
{
    // The record holds the partnerships of two PIT-28/B attachments; a larger count cannot be
    // printed beyond them.
    const int il_zal_b = host().rek28().integer("il_zal_b");
    const int zal_b = std::min(il_zal_b, max_zal_b);
    if (il_zal_b > max_zal_b && (chbox_b_1->Checked || chbox_b_2->Checked))
        warn("rek28.il_zal_b is " + std::to_string(il_zal_b) +
             ", but the return record holds the partnerships of " + std::to_string(max_zal_b) +
             " PIT-28/B attachments: only those are printed");
    for (int i = 1; i <= zal_b; ++i)
        for (const auto& row : group)
            out.push_back({&row,
                           box_of(row),
                           {i},
                           std::string(row.page) + " (" + std::to_string(i) + ")",
                           {}});
}

namespace {
void W28f_15_initialization()
{
    register_dialog_class({row_of(return_kind::pit28).dialog_class, "W28f_15",
                           [](vcl::TComponent* owner, host::host_state& host,
                              std::filesystem::path settings) -> print_dialog* {
                               return new Tf_wydpit28(owner, host, std::move(settings));
                           }});
}

const bool W28f_15_registered = [] {
    register_unit({"W28f_15", W28f_15_initialization, {}});
    return true;
}();
} // namespace

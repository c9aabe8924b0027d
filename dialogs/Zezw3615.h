#pragma once
// The PIT-36 print dialog: the six pages of PIT-36 and the attachments PIT/B, PIT/O, PIT/D,
// PIT/M, PIT-2K, PIT/Z and PIT/ZG, those of one person printed for the taxpayer and, on a joint
// return, again for the spouse.

#include "framework/printrun/dialog_base.h"

class Tf_wydpit36 : public kestrun::print_dialog {
public:
    Tf_wydpit36(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host,
                std::filesystem::path settings_folder);

    kestrun::vcl::TCheckBox* chbox_st_1;
    kestrun::vcl::TCheckBox* chbox_st_2;
    kestrun::vcl::TCheckBox* chbox_st_3;
    kestrun::vcl::TCheckBox* chbox_st_4;
    kestrun::vcl::TCheckBox* chbox_st_5;
    kestrun::vcl::TCheckBox* ChBox_st_6;
    kestrun::vcl::TCheckBox* chbox_b_1;
    kestrun::vcl::TCheckBox* chbox_b_2;
    kestrun::vcl::TPanel* Panel1;
    kestrun::vcl::TCheckBox* chbox_o_1;
    kestrun::vcl::TCheckBox* chbox_o_2;
    kestrun::vcl::TCheckBox* chbox_o_3;
    kestrun::vcl::TCheckBox* chbox_d_1;
    kestrun::vcl::TCheckBox* chbox_d_2;
    kestrun::vcl::TPanel* Panel2;
    kestrun::vcl::TCheckBox* Chbox_zg_1;
    kestrun::vcl::TCheckBox* Chbox_uz_1;
    kestrun::vcl::TCheckBox* chbox_m_1;
    kestrun::vcl::TCheckBox* chbox_2k_1;
    kestrun::vcl::TPanel* Panel3;
    kestrun::vcl::TCheckBox* ChBox_z_1;
    kestrun::vcl::TCheckBox* ChBox_z_2;

    void FormActivate(kestrun::vcl::TObject* sender) override;
    void FormDeactivate(kestrun::vcl::TObject* sender) override;

protected:
    // The PIT/B sheets of the taxpayer, then of the spouse on a joint return.
    void repeat(std::span<const kestrun::print_step> group,
                std::vector<kestrun::page_step>& out) override;

private:
    bool wydr_niezadr36_pocz = false;
};

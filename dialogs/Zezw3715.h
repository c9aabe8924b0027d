#pragma once
// The PIT-37 print dialog: the four pages of PIT-37 and the attachments PIT/O (all three pages),
// PIT/D and PIT-2K, each printed at most once.

#include "framework/printrun/dialog_base.h"

class Tf_wydpit37 : public kestrun::print_dialog {
public:
    Tf_wydpit37(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host,
                std::filesystem::path settings_folder);

    kestrun::vcl::TCheckBox* chbox_st_1;
    kestrun::vcl::TCheckBox* chbox_st_2;
    kestrun::vcl::TCheckBox* chbox_st_3;
    kestrun::vcl::TCheckBox* chbox_st_4;
    kestrun::vcl::TCheckBox* chbox_o_1;
    kestrun::vcl::TCheckBox* chbox_o_2;
    kestrun::vcl::TCheckBox* ChBox_o_3;
    kestrun::vcl::TCheckBox* Chbox_uz_1;
    kestrun::vcl::TCheckBox* chbox_d_1;
    kestrun::vcl::TCheckBox* chbox_d_2;
    kestrun::vcl::TCheckBox* chbox_2k_1;

    void FormActivate(kestrun::vcl::TObject* sender) override;
    void FormDeactivate(kestrun::vcl::TObject* sender) override;

private:
    bool wydr_niezadr37_pocz = false;
};

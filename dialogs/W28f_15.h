#pragma once
// The PIT-28 print dialog: the four pages of PIT-28, PIT-28/A, PIT-28/B per attachment, and the
// PIT/O (pages 1 and 2), PIT/D and PIT-2K attachments a PIT-28 return carries.

#include "framework/printrun/dialog_base.h"

class Tf_wydpit28 : public kestrun::print_dialog {
public:
    Tf_wydpit28(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host,
                std::filesystem::path settings_folder);

    kestrun::vcl::TCheckBox* chbox_st_1;
    kestrun::vcl::TCheckBox* chbox_st_2;
    kestrun::vcl::TCheckBox* chbox_st_3;
    kestrun::vcl::TCheckBox* chbox_st_4;
    kestrun::vcl::TCheckBox* chbox_a;
    kestrun::vcl::TCheckBox* chbox_b_1;
    kestrun::vcl::TCheckBox* chbox_b_2;
    kestrun::vcl::TCheckBox* chbox_d_1;
    kestrun::vcl::TCheckBox* chbox_d_2;
    kestrun::vcl::TPanel* Panel1;
    kestrun::vcl::TCheckBox* chbox_o_1;
    kestrun::vcl::TCheckBox* chbox_o_2;
    kestrun::vcl::TCheckBox* chbox_2k;

    void FormActivate(kestrun::vcl::TObject* sender) override;
    void FormDeactivate(kestrun::vcl::TObject* sender) override;

    // The PIT-28/B attachments whose partnerships the return record holds.
    static constexpr int max_zal_b = 2;

protected:
    // PIT-28/B pages 1 and 2 in turn for each attachment.
    void repeat(std::span<const kestrun::print_step> group,
                std::vector<kestrun::page_step>& out) override;

private:
    bool wydr_niezadr28_pocz = false;
};

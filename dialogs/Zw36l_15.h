#pragma once
// The PIT-36L print dialog: the three pages of PIT-36L and the taxpayer's attachments PIT/B,
// PIT/Z and PIT/ZG. PIT-36L is never filed jointly, so no page is the spouse's. The dialog also
// exports its instance variable f_wydpit36L (one per thread: a print run keeps to its thread).

#include "framework/printrun/dialog_base.h"

class Tf_wydpit36L : public kestrun::print_dialog {
public:
    Tf_wydpit36L(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host,
                 std::filesystem::path settings_folder);

    kestrun::vcl::TCheckBox* chbox_st_1;
    kestrun::vcl::TCheckBox* chbox_st_2;
    kestrun::vcl::TCheckBox* chbox_st_3;
    kestrun::vcl::TCheckBox* chbox_b_1;
    kestrun::vcl::TCheckBox* chbox_b_2;
    kestrun::vcl::TCheckBox* ChBox_z_1;
    kestrun::vcl::TCheckBox* ChBox_z_2;
    kestrun::vcl::TCheckBox* Chbox_zg_1;

    void FormActivate(kestrun::vcl::TObject* sender) override;
    void FormDeactivate(kestrun::vcl::TObject* sender) override;

protected:
    // The taxpayer's PIT/B sheets.
    void repeat(std::span<const kestrun::print_step> group,
                std::vector<kestrun::page_step>& out) override;

private:
    bool wydr_niezadr36l_pocz = false;
    kestrun::instance_slot<Tf_wydpit36L> m_instance;
};

// Points at the PIT-36L dialog while it exists; null otherwise.
extern thread_local Tf_wydpit36L* f_wydpit36L;

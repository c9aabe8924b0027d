#pragma once
// PIT/Z (version 6), page 1/2: one person's business income split by the exemption for a
// special economic zone (art. 44 ust. 7a), printed for person nrp. Part B holds amounts only
// for a person who uses the exemption in the tax year (status code 3); for anyone else it is
// empty, while the header still prints.
#include "framework/person_page.h"

class TF_wz15_1 : public kestrun::person_page {
public:
    TF_wz15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_z_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wz15_1* F_wz15_1;

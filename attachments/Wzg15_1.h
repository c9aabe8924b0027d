#pragma once
// PIT/ZG (version 5): one person's income from abroad and the tax paid there, for the one
// country the return holds per person, printed for person nrp. Every amount prints, zero
// included.
#include "framework/person_page.h"

class TF_wzg15_1 : public kestrun::person_page {
public:
    TF_wzg15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_zg_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wzg15_1* F_wzg15_1;

#pragma once
// PIT/UZ (version 1): the child-relief refund of a PIT-36 or PIT-37 return, with a taxpayer
// and a spouse column. No print dialog prints it; the host creates the page directly.

#include "framework/page_report.h"

class TF_wuz15_1 : public kestrun::page_report {
public:
    TF_wuz15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_uz_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wuz15_1* F_wuz15_1;

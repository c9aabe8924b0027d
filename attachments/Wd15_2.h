#pragma once
// PIT/D (version 25) page 2/2: the spouses' request B.3.1, the deductions from tax and the
// spouses' request C.2.1.

#include "framework/page_report.h"

class TF_wd15_2 : public kestrun::page_report {
public:
    TF_wd15_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_d_2BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wd15_2* F_wd15_2;

#pragma once
// PIT/D (version 25) page 1/2: both identifiers, the taxpayer and the spouse, the interest
// relief with the spouses' request B.1.1, the acquired rights and the deduction from income.

#include "framework/page_report.h"

class TF_wd15_1 : public kestrun::page_report {
public:
    TF_wd15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_d_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wd15_1* F_wd15_1;

#pragma once
// PIT-28 (version 19), page 3/4: part G, the flat tax per rate; part H, the deductions from it;
// part I, the flat tax due; part J, the exemption; part K, the amount to pay or overpaid.

#include "framework/page_report.h"

class TF_w2815_3 : public kestrun::page_report {
public:
    TF_w2815_3(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28_3BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w2815_3* F_w2815_3;

#pragma once
// PIT-28 (version 19), page 1/4: the identification of the taxpayer, the place and purpose of
// filing, and part C, the revenue by flat-tax rate with each rate's share of the total.

#include "framework/page_report.h"

class TF_w2815_1 : public kestrun::page_report {
public:
    TF_w2815_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w2815_1* F_w2815_1;

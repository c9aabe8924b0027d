#pragma once
// PIT-28/A (version 14): the information on revenue from business run in the taxpayer's own name
// and from rental and lease, by flat-tax rate.

#include "framework/page_report.h"

class TF_w28a15_1 : public kestrun::page_report {
public:
    TF_w28a15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28a_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w28a15_1* F_w28a15_1;

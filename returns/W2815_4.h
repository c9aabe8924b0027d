#pragma once
// PIT-28 (version 19), page 4/4: part L, the flat tax of each month (or quarter); part M, the
// request to transfer 1 % of the tax to a public-benefit organisation; part N, additional
// information; part O, the attached forms; part P, the proxy.

#include "framework/page_report.h"

class TF_w2815_4 : public kestrun::page_report {
public:
    TF_w2815_4(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28_4BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w2815_4* F_w2815_4;

#pragma once
// PIT-28 (version 19), page 2/4: part D, the deductions from revenue; part E, the deductions
// attributed to each flat-tax rate; part F, the tax base per rate in whole zloty.

#include "framework/page_report.h"

class TF_w2815_2 : public kestrun::page_report {
public:
    TF_w2815_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28_2BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w2815_2* F_w2815_2;

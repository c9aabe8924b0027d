#pragma once
// PIT-37 (version 22), page 3/4: part E the tax computation, F deductions from tax, G the tax
// due and the advances, H the additional child-relief refund, I the income of art. 45 ust. 3c,
// J the 1 % transfer and K additional information.

#include "returns/return_page.h"

class TF_w37153 : public kestrun::return_page {
public:
    TF_w37153(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_37_3BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w37153* F_w37153;

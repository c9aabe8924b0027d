#pragma once
// PIT-36 (version 22), page 4/6: the rest of part H with the tax computed, part I the
// deductions from tax, part J the tax due and the advances, part K the additional child-relief
// refund, and the start of part L with the flat-rate taxes of each spouse.

#include "returns/return_page.h"

class TF_w36154 : public kestrun::return_page {
public:
    TF_w36154(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_36_4BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w36154* F_w36154;

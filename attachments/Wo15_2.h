#pragma once
// PIT/O (version 21) page 2/3: part C, the deductions from tax after the host has brought them
// within their limits, and part D, the two donees with the amounts each spouse gave.

#include "framework/page_report.h"

class TF_wo15_2 : public kestrun::page_report {
public:
    TF_wo15_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_o_2BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wo15_2* F_wo15_2;

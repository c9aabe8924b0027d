#pragma once
// PIT/O (version 21) page 1/3: both identifiers, the taxpayer and the spouse, and part B, the
// deductions from income, with a taxpayer and a spouse column.

#include "framework/page_report.h"

class TF_wo15_1 : public kestrun::page_report {
public:
    TF_wo15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_o_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wo15_1* F_wo15_1;

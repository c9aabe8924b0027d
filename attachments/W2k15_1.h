#pragma once
// PIT-2K (version 8): the statement on the expenses of a housing investment, naming the spouse
// too under joint taxation.

#include "framework/page_report.h"

class TF_w2k15_1 : public kestrun::page_report {
public:
    TF_w2k15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_2k_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w2k15_1* F_w2k15_1;

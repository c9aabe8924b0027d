#pragma once
// PIT-37 (version 22), page 4/4: part L the attachments and the PIT/D attached elsewhere, part
// M the proxy.

#include "returns/return_page.h"

class TF_w37154 : public kestrun::return_page {
public:
    TF_w37154(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_37_4BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w37154* F_w37154;

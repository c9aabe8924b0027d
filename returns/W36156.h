#pragma once
// PIT-36 (version 22), page 6/6: parts O.3 and O.4 the monthly advances of art. 44 ust. 1a, 1c
// and 7, part P the income of art. 45 ust. 3c, part R the 1 % transfer, part S additional
// information, part T the attachments and the PIT/D attached elsewhere, part U the proxy.

#include "returns/return_page.h"

class TF_w36156 : public kestrun::return_page {
public:
    TF_w36156(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_36_6BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w36156* F_w36156;

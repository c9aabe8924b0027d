#pragma once
// PIT-28/B (version 14), page 2/2: part C.2, the second partnership of the attachment, and part
// C.3, the taxpayer's revenue by rate from the partnerships of the attachments together.

#include "returns/W28b15_1.h"

class TF_w28b15_2 : public kestrun::pit28b_page {
public:
    TF_w28b15_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28b_2BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w28b15_2* F_w28b15_2;

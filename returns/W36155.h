#pragma once
// PIT-36 (version 22), page 5/6: the end of part L (amount to pay, overpayment, refund), part M
// the monthly flat-rate tax of art. 44 ust. 1b, part N the monthly interest of art. 22e, parts
// O.1 and O.2 the monthly advances of art. 44 ust. 1, each for the taxpayer and the spouse.

#include "returns/return_page.h"

class TF_w36155 : public kestrun::return_page {
public:
    TF_w36155(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_36_5BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w36155* F_w36155;

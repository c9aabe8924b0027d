#pragma once
// PIT/M (version 7): the income of minor children that a parent adds to his or her own, printed
// for one parent (nrp 1 the taxpayer, 2 the spouse). Table B.1 holds it when the right to the
// children's income belongs to this parent alone, table B.2 when it belongs to both parents;
// the table not used stays empty.
#include "framework/person_page.h"

class TF_wm15_1 : public kestrun::person_page {
public:
    TF_wm15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_m_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wm15_1* F_wm15_1;

#include "returns/W37153.h"

#include "framework/module.h"

TF_w37153* F_w37153 = nullptr;

TF_w37153::TF_w37153(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : return_page(owner, host, "W37153")
{
    connect_before_print(&TF_w37153::QR_37_3BeforePrint);
}

void TF_w37153::QR_37_3BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto z = host().rekzez();
    const auto u = host().rek_uz();

    amount("QRL_podst_opod", z.real("podst_opod"), 0); // box 112
    // Boxes 113-129. Box 122 comes before the housing relief on this form, and the advances
    // with their differences are whole zloty.
    tax_due(z.real("pod_po_odl"), 0);

    transfer_and_contact("QRLdoch_45"); // boxes 136-141

    child_relief_refund();                   // boxes 130-134
    amount("QRL_uz_zwrot", u.real("zwrot")); // box 135, printed in any case
}

KESTRUN_PAGE_UNIT(TF_w37153, W37153, F_w37153)

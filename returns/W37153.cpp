// PIT-37 (version 22), page 3/4: part E the tax computation, F deductions from tax, G the tax
// due and the advances, H the additional child-relief refund, I the income of art. 45 ust. 3c,
// J the 1 % transfer and K additional information.

#include "returns/return_page.h"

class TF_w37153 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_37_3BeforePrint();
};
KESTRUN_PAGE(TF_w37153, F_w37153, QR_37_3BeforePrint)

void TF_w37153::QR_37_3BeforePrint()
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

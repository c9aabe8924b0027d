// PIT-36 (version 22), page 4/6: the rest of part H with the tax computed, part I the
// deductions from tax, part J the tax due and the advances, part K the additional child-relief
// refund, and the start of part L with the flat-rate taxes of each spouse.

#include "returns/return_page.h"

class TF_w36154 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_36_4BeforePrint();
};
KESTRUN_PAGE(TF_w36154, F_w36154, QR_36_4BeforePrint)

void TF_w36154::QR_36_4BeforePrint()
{
    const auto z = host().rekzez();
    const auto spouse = z.person(2);

    // Boxes 185-203; box 199 is the tax after every deduction, the housing relief included.
    tax_due(z.real("pod_po_odl_d"), 2);
    amount("QRL_pod_zagr", z.real("pod_zagr")); // box 187, tax paid abroad
    spouse_amount("QRL_pod_zagr1", spouse.real("pod_zagr"));

    child_relief_refund(); // boxes 204-208

    amount("QRL_zal_wpl", z.real("zal_wpl"), 0); // box 209

    // Boxes 210-217: the flat-rate taxes of each spouse (rows 2-5 of part L).
    for (int i = 2; i <= 5; ++i) {
        amount(indexed("QRL_p", i, 1), z.real("pl", i));
        spouse_amount(indexed("QRL_p", i, 2), spouse.real("pl", i));
    }
}

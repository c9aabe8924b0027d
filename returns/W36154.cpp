#include "returns/W36154.h"

#include "framework/module.h"

TF_w36154* F_w36154 = nullptr;

TF_w36154::TF_w36154(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : return_page(owner, host, "W36154")
{
    connect_before_print(&TF_w36154::QR_36_4BeforePrint);
}

void TF_w36154::QR_36_4BeforePrint(kestrun::vcl::TObject*, bool&)
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

KESTRUN_PAGE_UNIT(TF_w36154, W36154, F_w36154)

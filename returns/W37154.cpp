#include "returns/W37154.h"

#include "framework/module.h"

TF_w37154* F_w37154 = nullptr;

TF_w37154::TF_w37154(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : return_page(owner, host, "W37154")
{
    connect_before_print(&TF_w37154::QR_37_4BeforePrint);
}

void TF_w37154::QR_37_4BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto z = host().rekzez();

    // Boxes 142-145: the form asks only for PIT/O, PIT/D, PIT-2K and residence certificates.
    attachment_counts({{"QRL_zal1", z.integer("zal_o")},
                       {"QRL_zal2", z.integer("zal_d")},
                       {"QRL_zal3", z.integer("zal_2k")},
                       {"QRL_zal4", z.integer("zal_cert")}});

    pitd_attached_elsewhere(); // boxes 146-148
    proxy();                   // box 151
}

KESTRUN_PAGE_UNIT(TF_w37154, W37154, F_w37154)

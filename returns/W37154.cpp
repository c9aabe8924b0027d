// PIT-37 (version 22), page 4/4: part L the attachments and the PIT/D attached elsewhere, part
// M the proxy.

#include "returns/return_page.h"

class TF_w37154 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_37_4BeforePrint();
};
KESTRUN_PAGE(TF_w37154, F_w37154, QR_37_4BeforePrint)

void TF_w37154::QR_37_4BeforePrint()
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

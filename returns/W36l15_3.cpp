// PIT-36L (version 11), page 3/3: the taxpayer's monthly interest of art. 22e (section L) and
// monthly advances of art. 44 ust. 1 (M), the income of art. 45 ust. 3c (N), the request to
// transfer 1 % of the tax (O) with its purpose and the contact details (P), the numbers of
// attachments (R) and the proxy (S).

#include "returns/return_page.h"

class TF_w36l15_3 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_36l_3BeforePrint();
};
KESTRUN_PAGE(TF_w36l15_3, F_w36l15_3, QR_36l_3BeforePrint)

void TF_w36l15_3::QR_36l_3BeforePrint()
{
    const auto z = host().rekzez();

    // The field stems come from the PIT-36 form, where they named other tables: here the
    // "44_7p" fields hold the interest of art. 22e (boxes 69-80) and the "44_7m" fields the
    // advances of art. 44 ust. 1 (boxes 81-92), both the taxpayer's.
    months("QRL_44_7p", "ods44");
    months("QRL_44_7m", "zal44_1");

    transfer_and_contact("QRL_doch45"); // boxes 93-98

    // Boxes 99-102: the numbers of PIT/B, PIT/Z and PIT/ZG attachments and of transfer-pricing
    // reports, zero included. QRL_zal5 beside the heading stays disabled and never prints.
    attachment_counts({{"QRL_zal1", z.integer("zal_b")},
                       {"QRL_zal2", z.integer("zal_z")},
                       {"QRL_zal3", z.integer("zal_zg")},
                       {"QRL_zal6", z.integer("zal_ceny")}});

    proxy(); // box 104
}

// PIT-36 (version 22), page 6/6: parts O.3 and O.4 the monthly advances of art. 44 ust. 1a, 1c
// and 7, part P the income of art. 45 ust. 3c, part R the 1 % transfer, part S additional
// information, part T the attachments and the PIT/D attached elsewhere, part U the proxy.

#include "returns/return_page.h"

class TF_w36156 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_36_6BeforePrint();
};
KESTRUN_PAGE(TF_w36156, F_w36156, QR_36_6BeforePrint)

void TF_w36156::QR_36_6BeforePrint()
{
    const auto z = host().rekzez();

    months_of_both("QRL_44_7p", "QRL_44_7m", "zal44_7"); // boxes 298-321
    transfer_and_contact("QRL_doch_45");                 // boxes 322-327

    // Boxes 328-337: the host's twelve attachment counts, each into the field of its index.
    // The form has no box for the PIT/UZ count (9) nor for count 10: the layout keeps them in
    // disabled fields in the margin, so they never print, and there is no QRL_zal9.
    const int counts[] = {z.integer("zal_b"),  z.integer("zal_d"),    z.integer("zal_2k"),
                          z.integer("zal_m"),  z.integer("zal_o"),    z.integer("zal_zg"),
                          z.integer("zal_z"),  z.integer("zal_sser"), z.integer("zal_uz"),
                          z.integer("zal_10"), z.integer("zal_ceny"), z.integer("zal_cert")};
    for (int i = 1; i <= 12; ++i)
        amount_by_name(indexed("QRL_zal", i), counts[i - 1], 0);
    amount("QRL_zaluz", z.integer("zal_uz"), 0);

    pitd_attached_elsewhere(); // boxes 338-340
    proxy();                   // box 343
}

// PIT-36 (version 22), page 5/6: the end of part L (amount to pay, overpayment, refund), part M
// the monthly flat-rate tax of art. 44 ust. 1b, part N the monthly interest of art. 22e, parts
// O.1 and O.2 the monthly advances of art. 44 ust. 1, each for the taxpayer and the spouse.

#include "returns/return_page.h"

class TF_w36155 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_36_5BeforePrint();
};
KESTRUN_PAGE(TF_w36155, F_w36155, QR_36_5BeforePrint)

void TF_w36155::QR_36_5BeforePrint()
{
    const auto z = host().rekzez();
    const auto spouse = z.person(2);
    const auto u = host().rek_uz();

    // Boxes 218-221: rows 6 and 7 of part L, the flat-rate tax and the tax paid abroad netted.
    for (int i = 6; i <= 7; ++i) {
        amount(indexed("QRL_p", i, 1), z.real("pl", i));
        spouse_amount(indexed("QRL_p", i, 2), spouse.real("pl", i));
    }
    amount("QRL_p8", z.real("do_zapl"));     // box 222
    amount("QRL_uz_doza1", u.real("doza"));  // box 223, less the child-relief difference
    amount("QRL_p9", z.real("nadpl"));       // box 224
    amount("QRL_uz_zwrot", u.real("zwrot")); // box 225

    months_of_both("QRL_44p", "QRL_44m", "zr44");        // boxes 226-249
    months_of_both("QRL_odsp", "QRL_odsm", "ods44");     // boxes 250-273
    months_of_both("QRL_44_1p", "QRL_44_1m", "zal44_1"); // boxes 274-297
}

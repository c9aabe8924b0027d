// PIT/UZ (version 1): the child-relief refund of a PIT-36 or PIT-37 return, with a taxpayer
// and a spouse column. No print dialog prints it; the host creates the page directly.

#include "framework/page_report.h"

class TF_wuz15_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_uz_1BeforePrint();
};
KESTRUN_PAGE(TF_wuz15_1, F_wuz15_1, QR_uz_1BeforePrint)

void TF_wuz15_1::QR_uz_1BeforePrint()
{
    const auto z = host().rekzez();
    const auto u = host().rek_uz();

    spouses_identifiers(); // boxes 1-2; box 2 only under joint taxation

    spouses_names(); // boxes 4-6, the spouse's 7-9 only under joint taxation

    // Box 3: the return the information belongs to, square 1 PIT-36 (0), square 2 PIT-37 (1);
    // any other kind marks neither.
    mark({"QRL_36", "QRL_37"}, z.integer("rodz_zez"));

    // Boxes 10-18: the host's amounts as stored; the page computes nothing.
    amount("QRL_uz_zus1", u.real("zus"));
    spouse_amount("QRL_uz_zus2", u.real("zus_m"));
    amount("QRL_uz_dz1", u.real("dz"));
    spouse_amount("QRL_uz_dz2", u.real("dz_m"));
    amount("QRL_uz_rozn", u.real("rozn"));
    amount("QRL_uz_doza", u.real("uz_doza"));
    amount("QRL_uz_doza1", u.real("doza"));
    amount("QRL_uz_nadpl", u.real("uz_nadpl"));
    amount("QRL_uz_zwrot", u.real("zwrot"));
}

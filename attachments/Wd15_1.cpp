// PIT/D (version 25) page 1/2: both identifiers, the taxpayer and the spouse, the interest
// relief with the spouses' request B.1.1, the acquired rights and the deduction from income.

#include "framework/page_report.h"

class TF_wd15_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_d_1BeforePrint();
};
KESTRUN_PAGE(TF_wd15_1, F_wd15_1, QR_d_1BeforePrint)

void TF_wd15_1::QR_d_1BeforePrint()
{
    const auto z = host().rekzez();

    spouses_identifiers();             // boxes 1-2; box 2 only under joint taxation
    year("QRL_rok", z.integer("rok")); // box 3

    spouses_names(); // boxes 4-6, the spouse's 7-9 only under joint taxation

    amount("QRL_ods", z.real("ods")); // boxes 10-12: the interest relief
    amount("QRL_ods28", z.real("ods28"));
    amount("QRL_ods36", z.real("ods36"));
    // Boxes 13-16, the spouses' request B.1.1: each row prints by its own flag, its spouse box
    // included and without the joint test, since spouses taxed separately make this request.
    for (const char* name : {"QRL_ods28p", "QRL_ods28m", "QRL_ods36p", "QRL_ods36m"})
        clear(name);
    if (z.flag("wn_b11_28")) {
        amount("QRL_ods28p", z.real("ods28p"));
        amount("QRL_ods28m", z.real("ods28m"));
    }
    if (z.flag("wn_b11_36")) {
        amount("QRL_ods36p", z.real("ods36p"));
        amount("QRL_ods36m", z.real("ods36m"));
    }

    // Box 17: the kind of expenses under acquired rights, three lines joined, the ends trimmed.
    text("QRL_rodz_odl_doch", join({z.text("rodz_odl_doch", 1), z.text("rodz_odl_doch", 2),
                                    z.text("rodz_odl_doch", 3)}));
    amount("QRL_odl_doch", z.real("odl_doch"));         // box 18
    amount("QRL_odl_bez_pokr", z.real("odl_bez_pokr")); // box 19
    amount("QRL_odl_doch_og", z.real("odl_doch_og"));   // boxes 20-22
    amount("QRL_odl_doch28", z.real("odl_doch28"));
    amount("QRL_odl_doch36", z.real("odl_doch36"));
}

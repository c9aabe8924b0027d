// PIT-28 (version 19), page 2/4: part D, the deductions from revenue; part E, the deductions
// attributed to each flat-tax rate; part F, the tax base per rate in whole zloty.

#include "framework/page_report.h"

class TF_w2815_2 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_28_2BeforePrint();
};
KESTRUN_PAGE(TF_w2815_2, F_w2815_2, QR_28_2BeforePrint)

void TF_w2815_2::QR_28_2BeforePrint()
{
    const auto r = host().rek28();

    // Box 68: the host keeps the losses of previous years in two amounts; the form has one box.
    amount("QRL_str", r.real("str") + r.real("str2"));
    amount("QRL_zus", r.real("zus"));                       // box 69
    amount("QRL_zus_zagr", r.real("zus_zagr"));             // box 70, of which paid abroad
    amount("QRL_o_prz", r.real("o_prz"));                   // box 71, from PIT/O part B
    amount("QRL_prz_po_odl", r.real("prz_po_odl"));         // box 72
    amount("QRL_odl_ods", r.real("odl_ods"));               // box 73, PIT/D part B.1
    amount("QRL_prz_po_ods", r.real("prz_po_ods"));         // box 74
    amount("QRL_odl_prz_d", r.real("odl_prz_d"));           // box 75, PIT/D part B.3
    amount("QRL_odl_prz_d_b", r.real("odl_prz_d_b"));       // box 76
    amount("QRL_odl_prz_d_nast", r.real("odl_prz_d_nast")); // box 77
    amount("QRL_odl_og", r.real("odl_og"));                 // box 78

    // Parts E and F (boxes 80-86, 88-94): per rate from 3.0 % up, the seventh column being the
    // revenue determined under art. 17. The tax base is in whole zloty. The 2.0 % boxes 79 and
    // 87 have no fields.
    for (int i = 1; i <= 7; ++i) {
        amount(indexed("QRL_prz", i), r.real("prz", i));
        amount(indexed("QRL_podst_op", i), r.real("podst_op", i), 0);
    }
    amount("QRL_prz_po_odl1", r.real("prz_po_odl1"), 0); // box 95
}

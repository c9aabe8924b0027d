// PIT/D (version 25) page 2/2: the spouses' request B.3.1, the deductions from tax and the
// spouses' request C.2.1.

#include "framework/page_report.h"

class TF_wd15_2 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_d_2BeforePrint();
};
KESTRUN_PAGE(TF_wd15_2, F_wd15_2, QR_d_2BeforePrint)

void TF_wd15_2::QR_d_2BeforePrint()
{
    const auto z = host().rekzez();

    // Boxes 23-26, the spouses' request B.3.1: emptied, then each row by its own flag, the
    // spouse box with its row and without the joint test.
    for (const char* name : {"QRL_ods28p1", "QRL_ods28m1", "QRL_ods36p1", "QRL_ods36m1"})
        clear(name);
    if (z.flag("wn_b31_28")) {
        amount("QRL_ods28p1", z.real("ods28p1"));
        amount("QRL_ods28m1", z.real("ods28m1"));
    }
    if (z.flag("wn_b31_36")) {
        amount("QRL_ods36p1", z.real("ods36p1"));
        amount("QRL_ods36m1", z.real("ods36m1"));
    }

    amount("QRL_kas", z.real("kas"));               // box 27
    amount("QRL_bez_pokr", z.real("bez_pokr"));     // box 28
    amount("QRL_odl_pod_og", z.real("odl_pod_og")); // boxes 29-31
    amount("QRL_odl_pod28", z.real("odl_pod28"));
    amount("QRL_odl_pod36", z.real("odl_pod36"));

    // Boxes 32-35, the spouses' request C.2.1 on the deduction from tax. On this page the
    // fields QRL_ods28p ... QRL_ods36m belong to C.2.1, not to the interest request of page 1.
    for (const char* name : {"QRL_ods28p", "QRL_ods28m", "QRL_ods36p", "QRL_ods36m"})
        clear(name);
    if (z.flag("wn_c21_28")) {
        amount("QRL_ods28p", z.real("pod28p"));
        amount("QRL_ods28m", z.real("pod28m"));
    }
    if (z.flag("wn_c21_36")) {
        amount("QRL_ods36p", z.real("pod36p"));
        amount("QRL_ods36m", z.real("pod36m"));
    }
}

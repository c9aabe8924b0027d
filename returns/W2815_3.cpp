// PIT-28 (version 19), page 3/4: part G, the flat tax per rate; part H, the deductions from it;
// part I, the flat tax due; part J, the exemption; part K, the amount to pay or overpaid.

#include "framework/page_report.h"

class TF_w2815_3 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_28_3BeforePrint();
};
KESTRUN_PAGE(TF_w2815_3, F_w2815_3, QR_28_3BeforePrint)

#include <string>

void TF_w2815_3::QR_28_3BeforePrint()
{
    const auto r = host().rek28();

    // Boxes 97-103: the flat tax per rate from 3.0 % up, then on the revenue determined under
    // art. 17. The 2.0 % box 96 has no field.
    for (int i = 1; i <= 7; ++i)
        amount(indexed("QRL_pod", i), r.real("pod", i));
    amount("QRL_pod_gbl", r.real("pod_gbl"));         // box 104
    amount("QRL_dol_rycz", r.real("dol_rycz"));       // box 105
    amount("QRL_pod_zagr", r.real("pod_zagr"));       // box 106
    amount("QRL_rycz_po_dol", r.real("rycz_po_dol")); // box 107
    amount("QRL_zdr", r.real("zdr"));                 // box 108, health insurance
    amount("QRL_zdr_zagr", r.real("zdr_zagr"));       // box 109, of which paid abroad
    amount("QRL_odl_o", r.real("odl_o"));             // box 110, from PIT/O part C
    amount("QRL_odl_pm", r.real("odl_pm"));           // box 111, PIT/D part C.2
    amount("QRL_odl_pmb", r.real("odl_pmb"));         // box 112
    amount("QRL_pmnast", r.real("pmnast"));           // box 113
    amount("QRL_pod_zrycz", r.real("pod_zrycz"), 0);  // box 114, in whole zloty

    // Boxes 115-116: a year of 2000 or earlier (0 included) means the exemption was never used,
    // and then neither box prints. The year is written out, not spread over cells.
    clear("QRL_rok_zw");
    clear("QRL_pod_zwol");
    if (const int year_used = r.integer("rok_zw"); year_used > 2000) {
        text("QRL_rok_zw", std::to_string(year_used));
        amount("QRL_pod_zwol", r.real("pod_zwol"), 0);
    }
    // Box 117: 0 exempt on all revenue, 1 on part of it, anything else not exempt.
    const int exemption = r.integer("zw");
    mark({"QRL_zw_ca", "QRL_zw_cz", "QRL_zw_nie"}, exemption == 0 ? 0 : exemption == 1 ? 1 : 2);

    amount("QRL_wpl_rycz", r.real("wpl_rycz"), 0); // boxes 118-120, in whole zloty
    amount("QRL_do_zapl", r.real("do_zapl"), 0);
    amount("QRL_nadpl", r.real("nadpl"), 0);
}

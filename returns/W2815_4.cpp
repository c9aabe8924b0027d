// PIT-28 (version 19), page 4/4: part L, the flat tax of each month (or quarter); part M, the
// request to transfer 1 % of the tax to a public-benefit organisation; part N, additional
// information; part O, the attached forms; part P, the proxy.

#include "framework/page_report.h"

class TF_w2815_4 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_28_4BeforePrint();
};
KESTRUN_PAGE(TF_w2815_4, F_w2815_4, QR_28_4BeforePrint)

#include <string_view>
#include <utility>

void TF_w2815_4::QR_28_4BeforePrint()
{
    const auto r = host().rek28();

    // Boxes 121-131: January to November in whole zloty; quarterly payers have their quarters
    // in the boxes of March, June and September.
    for (int i = 1; i <= 11; ++i)
        amount(indexed("QRL_pod", i), r.real("pod_m", i), 0);
    amount("QRL_sum_rycz", r.real("sum_rycz"), 0); // box 132
    amount("QRL_rycz_gr", r.real("rycz_gr"), 0);   // box 133, December or quarter IV

    text("QRL_krs", join({r.text("krs")}));                  // box 134, without its blanks
    amount("QRL_poz_odl", r.real("poz_odl"));                // box 135
    text("QRL_cel", join({r.text("cel1"), r.text("cel2")})); // box 136
    mark_if("QRL_inf_cel", r.flag("inf_cel"));               // box 137
    text("QRL_kontakt", join({r.text("kontakt1"), r.text("kontakt2")})); // box 138

    // Boxes 139-143: the counts of attached PIT/O, PIT/D, PIT-2K, PIT-28/A and PIT-28/B, printed
    // even when zero. The form has no boxes for the two counts the host keeps between PIT-2K
    // and PIT-28/A, so there are no fields QRL_zal4 and QRL_zal5.
    const std::pair<std::string_view, int> counts[] = {{"QRL_zal1", r.integer("zal_o")},
                                                       {"QRL_zal2", r.integer("zal_d")},
                                                       {"QRL_zal3", r.integer("zal_2k")},
                                                       {"QRL_zal6", r.integer("zal_a")},
                                                       {"QRL_zal7", r.integer("il_zal_b")}};
    for (const auto& [name, count] : counts)
        amount(name, count, 0);

    // Box 144: the PIT/D goes with the taxpayer's (0) or the spouse's (1) return; box 145: with a
    // PIT-28 (0), PIT-36 (1) or PIT-37 (2). Other codes mark nothing.
    const int pitd_of = r.integer("zal_d_kto");
    mark({"QRL_d_p", "QRL_d_m"}, pitd_of);
    mark({"QRL_d28", "QRL_d36", "QRL_d37"}, r.integer("zal_d_form"));
    // Box 146 names the spouse only when the PIT/D went with the spouse's return; the host keeps
    // the last part as the continuation of the second, so no blank goes between them.
    text("QRL_d_us",
         pitd_of == 1 ? join({r.text("d_us1"), r.text("d_us2") + r.text("d_us3")}) : "");
    amount("QRL_spr", r.integer("spr"), 0, 3); // box 147

    // Box 149: the proxy's name only when a proxy signs; the signature box 148 stays empty.
    text("QRL_peln", r.flag("pelnom") ? join({r.text("peln")}) : "");
}

// PIT-2K (version 8): the statement on the expenses of a housing investment, naming the spouse
// too under joint taxation.

#include "framework/page_report.h"

class TF_w2k15_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_2k_1BeforePrint();
};
KESTRUN_PAGE(TF_w2k15_1, F_w2k15_1, QR_2k_1BeforePrint)

void TF_w2k15_1::QR_2k_1BeforePrint()
{
    const auto z = host().rekzez();

    spouses_identifiers(); // boxes 1-2; box 2 only under joint taxation

    spouses_names(); // boxes 3-5, the spouse's 6-8 only under joint taxation

    // Box 9: building, cooperative contribution, purchase, extension or conversion.
    mark({"QRL_bud", "QRL_wkl", "QRL_zak", "QRL_nadb"}, z.integer("rodz_inw"));
    amount("QRL_kw1", z.real("kw_wyd"));  // box 10
    amount("QRL_kw2", z.real("kw_fakt")); // box 11
    // Boxes 12-14: plain decimal years, not spread over cells; a missing year prints 0.
    text("QRL_rok1", std::to_string(z.integer("rok_rozp")));
    text("QRL_rok2", std::to_string(z.integer("rok_zak")));
    text("QRL_rok3", std::to_string(z.integer("rok_kr")));
    amount("QRL_kw3", z.real("kw_kr")); // box 15
}

#include "attachments/W2k15_1.h"

#include "framework/module.h"

TF_w2k15_1* F_w2k15_1 = nullptr;

TF_w2k15_1::TF_w2k15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : page_report(owner, host, "W2k15_1")
{
    connect_before_print(&TF_w2k15_1::QR_2k_1BeforePrint);
}

void TF_w2k15_1::QR_2k_1BeforePrint(kestrun::vcl::TObject*, bool&)
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

KESTRUN_PAGE_UNIT(TF_w2k15_1, W2k15_1, F_w2k15_1)

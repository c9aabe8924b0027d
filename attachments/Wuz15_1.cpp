#include "attachments/Wuz15_1.h"

#include "framework/module.h"

TF_wuz15_1* F_wuz15_1 = nullptr;

TF_wuz15_1::TF_wuz15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : page_report(owner, host, "Wuz15_1")
{
    connect_before_print(&TF_wuz15_1::QR_uz_1BeforePrint);
}

void TF_wuz15_1::QR_uz_1BeforePrint(kestrun::vcl::TObject*, bool&)
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

KESTRUN_PAGE_UNIT(TF_wuz15_1, Wuz15_1, F_wuz15_1)

#include "returns/W36155.h"

#include "framework/module.h"

TF_w36155* F_w36155 = nullptr;

TF_w36155::TF_w36155(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : return_page(owner, host, "W36155")
{
    connect_before_print(&TF_w36155::QR_36_5BeforePrint);
}

void TF_w36155::QR_36_5BeforePrint(kestrun::vcl::TObject*, bool&)
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

KESTRUN_PAGE_UNIT(TF_w36155, W36155, F_w36155)

#include "returns/W36156.h"

#include "framework/module.h"

#include <string_view>

TF_w36156* F_w36156 = nullptr;

TF_w36156::TF_w36156(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : return_page(owner, host, "W36156")
{
    connect_before_print(&TF_w36156::QR_36_6BeforePrint);
}

void TF_w36156::QR_36_6BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto z = host().rekzez();

    months_of_both("QRL_44_7p", "QRL_44_7m", "zal44_7"); // boxes 298-321
    transfer_and_contact("QRL_doch_45");                 // boxes 322-327

    // Boxes 328-337: the host's twelve attachment counts, each into the field of its index.
    // The form has no box for the PIT/UZ count (9) nor for count 10: the layout keeps them in
    // disabled fields in the margin, so they never print, and there is no QRL_zal9.
    const int counts[] = {z.integer("zal_b"),  z.integer("zal_d"),    z.integer("zal_2k"),
                          z.integer("zal_m"),  z.integer("zal_o"),    z.integer("zal_zg"),
                          z.integer("zal_z"),  z.integer("zal_sser"), z.integer("zal_uz"),
                          z.integer("zal_10"), z.integer("zal_ceny"), z.integer("zal_cert")};
    for (int i = 1; i <= 12; ++i)
        amount_by_name(indexed("QRL_zal", i), counts[i - 1], 0);
    amount("QRL_zaluz", z.integer("zal_uz"), 0);

    pitd_attached_elsewhere(); // boxes 338-340
    proxy();                   // box 343
}

KESTRUN_PAGE_UNIT(TF_w36156, W36156, F_w36156)

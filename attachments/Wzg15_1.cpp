#include "attachments/Wzg15_1.h"

#include "framework/module.h"

TF_wzg15_1* F_wzg15_1 = nullptr;

TF_wzg15_1::TF_wzg15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : person_page(owner, host, "Wzg15_1")
{
    connect_before_print(&TF_wzg15_1::QR_zg_1BeforePrint);
}

void TF_wzg15_1::QR_zg_1BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto p = person();
    person_header(id_box::nip_or_pesel); // boxes 1-5
    text("QRL_kraj", p.text("zg_kraj")); // box 6; the country code, box 7, has no field
    // Boxes 8-28: part C.1 by source (rows 1-7) in three columns, box 8 + 3(r - 1) + (c - 1).
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 3; ++c)
            amount_by_name(indexed("QRL_prz", r, c), p.real("zg_prz", r, c));
    // Boxes 29-34: income and foreign tax for PIT-36L, PIT-38 and PIT-39.
    for (int i = 1; i <= 6; ++i)
        amount(indexed("QRL_w", i), p.real("zg_w", i));
}

KESTRUN_PAGE_UNIT(TF_wzg15_1, Wzg15_1, F_wzg15_1)

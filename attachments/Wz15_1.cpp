#include "attachments/Wz15_1.h"

#include "framework/module.h"

TF_wz15_1* F_wz15_1 = nullptr;

TF_wz15_1::TF_wz15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
    : person_page(owner, host, "Wz15_1")
{
    connect_before_print(&TF_wz15_1::QR_z_1BeforePrint);
}

void TF_wz15_1::QR_z_1BeforePrint(kestrun::vcl::TObject*, bool&)
{
    const auto p = person();
    person_header(id_box::nip); // boxes 1-5: PIT/Z knows no PESEL

    if (status_code() != 3) {
        // Row 5 has only its income box 22; the other names of the pattern fall on no field.
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c)
                text_by_name(indexed("QRL_prz", r, c), "");
        return;
    }
    // Boxes 6-17: revenue, costs, income and loss of the business in total, not exempt, exempt.
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c)
            amount_by_name(indexed("QRL_prz", r, c), p.real("pitz_b", r, c));
    // Boxes 18-19 repeat the revenue and costs of the business in total (boxes 6-7); boxes 20-22
    // show the host's own figures after the exemption, which need not equal box 12.
    amount_by_name("QRL_prz41", p.real("pitz_b", 1, 1));
    amount_by_name("QRL_prz42", p.real("pitz_b", 1, 2));
    amount("QRL_prz43", p.real("pitz_doch"));
    amount("QRL_prz44", p.real("zw_str3"));
    amount("QRL_prz53", p.real("zw_doch"));
}

KESTRUN_PAGE_UNIT(TF_wz15_1, Wz15_1, F_wz15_1)

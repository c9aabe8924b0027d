// PIT/Z (version 6), page 1/2: one person's business income split by the exemption for a
// special economic zone (art. 44 ust. 7a), printed for person nrp. Part B holds amounts only
// for a person who uses the exemption in the tax year (status code 3); for anyone else it is
// empty, while the header still prints.

#include "attachments/person_page.h"

class TF_wz15_1 : public kestrun::person_page {
public:
    using person_page::person_page;
    void QR_z_1BeforePrint();
};
KESTRUN_PAGE(TF_wz15_1, F_wz15_1, QR_z_1BeforePrint)

void TF_wz15_1::QR_z_1BeforePrint()
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

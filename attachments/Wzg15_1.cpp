// PIT/ZG (version 5): one person's income from abroad and the tax paid there, for the one
// country the return holds per person, printed for person nrp. Every amount prints, zero
// included.

#include "attachments/person_page.h"

class TF_wzg15_1 : public kestrun::person_page {
public:
    using person_page::person_page;
    void QR_zg_1BeforePrint();
};
KESTRUN_PAGE(TF_wzg15_1, F_wzg15_1, QR_zg_1BeforePrint)

void TF_wzg15_1::QR_zg_1BeforePrint()
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

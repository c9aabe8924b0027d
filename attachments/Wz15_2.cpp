// PIT/Z (version 6), page 2/2: part C, the exempt income of past years added back in the tax
// year, printed for person nrp. It is filled for a person whose status code is 4 and, on a
// PIT-36L return (rodz_zez 2), for the taxpayer when idm is 4, the box 11 code under which that
// return prints PIT/Z; otherwise the whole page, year box included, stays empty.

#include "attachments/person_page.h"

class TF_wz15_2 : public kestrun::person_page {
public:
    using person_page::person_page;
    void QR_z_2BeforePrint();
};
KESTRUN_PAGE(TF_wz15_2, F_wz15_2, QR_z_2BeforePrint)

void TF_wz15_2::QR_z_2BeforePrint()
{
    const auto z = host().rekzez();
    const auto p = person();
    const bool pit36l_case = z.integer("rodz_zez") == 2 && z.integer("idm") == 4;
    if (status_code() != 4 && !pit36l_case) {
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 4; ++c)
                text_by_name(indexed("QRL_prz", r, c), "");
        clear("QRL_rok");
        for (int i = 1; i <= 4; ++i)
            text_by_name(indexed("QRL_w", i), "");
        return;
    }
    // Box 27: the year in which the exemption was used, not the tax year.
    year("QRL_rok", p.integer("rokzw"));
    for (int c = 1; c <= 4; ++c) // boxes 23-26
        amount_by_name(indexed("QRL_prz1", c), p.real("pitz_c1", c));
    for (int i = 1; i <= 4; ++i) // boxes 28-31
        amount(indexed("QRL_w", i), p.real("pitz_w", i));
    // Boxes 32-35 carry the figures to the return: revenue and costs of boxes 23-24, the income
    // after the addition (box 31) and the loss after it (box 29).
    amount_by_name("QRL_prz21", p.real("pitz_c1", 1));
    amount_by_name("QRL_prz22", p.real("pitz_c1", 2));
    amount("QRL_prz23", p.real("pitz_w", 4));
    amount("QRL_prz24", p.real("pitz_w", 2));
}

// PIT/M (version 7): the income of minor children that a parent adds to his or her own, printed
// for one parent (nrp 1 the taxpayer, 2 the spouse). Table B.1 holds it when the right to the
// children's income belongs to this parent alone, table B.2 when it belongs to both parents;
// the table not used stays empty.

#include "attachments/person_page.h"

class TF_wm15_1 : public kestrun::person_page {
public:
    using person_page::person_page;
    void QR_m_1BeforePrint();
};
KESTRUN_PAGE(TF_wm15_1, F_wm15_1, QR_m_1BeforePrint)

void TF_wm15_1::QR_m_1BeforePrint()
{
    const auto p = person();
    person_header(id_box::nip_or_pesel); // boxes 1-5

    const bool both_parents = p.integer("pitm_wsp") == 1;
    const std::string_view used = both_parents ? "QRL_ob" : "QRL_prz";
    const std::string_view unused = both_parents ? "QRL_prz" : "QRL_ob";

    for (int r = 1; r <= 5; ++r) {
        amount_by_name(indexed(used, r, 1), p.real("pitm", r, 1));
        amount_by_name(indexed(used, r, 2), p.real("pitm", r, 2));
        const double income = p.real("pitm", r, 3);
        if (r >= 2 && r <= 4) {
            sign_split(indexed(used, r, 3), indexed(used, r, 4), income);
        } else {
            // Pensions and the total have no loss box (nor pensions a costs box): the names
            // built for them fall on no field, and a negative income prints as it is.
            amount_by_name(indexed(used, r, 3), income);
            amount_by_name(indexed(used, r, 4), 0);
        }
        amount_by_name(indexed(used, r, 5), p.real("pitm", r, 4), 0); // advances in whole zloty
    }

    // Boxes 52 and 53 are ten characters wide; under B.2 boxes 50 and 51 show the same texts.
    amount("QRL_ds1", p.real("pitm_ds1"), 2, 10);
    amount("QRL_ds2", p.real("pitm_ds2"), 2, 10);
    text("QRL_ob63", both_parents ? caption("QRL_ds1") : "");
    text("QRL_ob65", both_parents ? caption("QRL_ds2") : "");
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c)
            text_by_name(indexed(unused, r, c), "");
}

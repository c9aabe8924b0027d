// PIT/O (version 21) page 1/3: both identifiers, the taxpayer and the spouse, and part B, the
// deductions from income, with a taxpayer and a spouse column.

#include "framework/page_report.h"

class TF_wo15_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_o_1BeforePrint();
};
KESTRUN_PAGE(TF_wo15_1, F_wo15_1, QR_o_1BeforePrint)

void TF_wo15_1::QR_o_1BeforePrint()
{
    const auto z = host().rekzez();
    const auto taxpayer = z.person(1);
    const auto spouse = z.person(2);

    spouses_identifiers();             // boxes 1-2; box 2 only under joint taxation
    year("QRL_rok", z.integer("rok")); // box 3
    // Box 4, the attachment number, keeps its design caption "1": a return has one PIT/O.

    spouses_names(); // boxes 5-7, the spouse's 8-10 only under joint taxation

    // Boxes 11-14 and 29-30: donations for public benefit and for religious worship, and the
    // payments to the retirement-security account, taxpayer then spouse per row.
    for (int i = 1; i <= 3; ++i) {
        amount(indexed("QRL_odl2013_1", i), taxpayer.real("odl2013", i));
        spouse_amount(indexed("QRL_odl2013_2", i), spouse.real("odl2013", i));
    }
    amount("QRL_odl11", taxpayer.real("odl_o", 1)); // boxes 15-16: blood donation
    spouse_amount("QRL_odl21", spouse.real("odl_o", 1));
    // Boxes 23-24: the internet relief already used for the previous year (square 1) or for
    // earlier years (square 2).
    mark_if("QRL_r11", taxpayer.flag("inet_rok_ub"));
    mark_if("QRL_r12", taxpayer.flag("inet_lata_pop"));
    mark_if("QRL_r21", joint() && spouse.flag("inet_rok_ub"));
    mark_if("QRL_r22", joint() && spouse.flag("inet_lata_pop"));
    // Boxes 17-22, 25-28, 32-33: field QRL_odl1<i> shows element i + 1. Element 2 is the social
    // insurance, which the return pages print and this attachment does not.
    for (int i = 2; i <= 7; ++i) {
        amount(indexed("QRL_odl1", i), taxpayer.real("odl_o", i + 1));
        spouse_amount(indexed("QRL_odl2", i), spouse.real("odl_o", i + 1));
    }
    // Box 31: the three lines of the kind of other deductions; an empty middle line leaves its
    // two blanks, only the ends are trimmed.
    text("QRL_in_odlp",
         join({z.text("in_odl_doch", 1), z.text("in_odl_doch", 2), z.text("in_odl_doch", 3)}));
    amount("QRL_odl18", taxpayer.real("odl_o", 11)); // boxes 34-35: total
    spouse_amount("QRL_odl28", spouse.real("odl_o", 11));
}

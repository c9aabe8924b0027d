// PIT/O (version 21) page 2/3: part C, the deductions from tax after the host has brought them
// within their limits, and part D, the two donees with the amounts each spouse gave.

#include "framework/page_report.h"

class TF_wo15_2 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_o_2BeforePrint();
};
KESTRUN_PAGE(TF_wo15_2, F_wo15_2, QR_o_2BeforePrint)

#include "host/korvel/zezprzel.h"

void TF_wo15_2::QR_o_2BeforePrint()
{
    // The host first brings each person's deductions from tax within their limits; part C
    // prints what it leaves in the record, so nothing of part C is read before.
    Zezprzel::ogr_odl_pod_pito(host_mut(), 1);
    if (joint())
        Zezprzel::ogr_odl_pod_pito(host_mut(), 2);

    const auto z = host().rekzez();
    const auto taxpayer = z.person(1);
    const auto spouse = z.person(2);

    amount("QRL_odl11", taxpayer.real("odl_o", 12)); // boxes 36-37: training of apprentices
    spouse_amount("QRL_odl21", spouse.real("odl_o", 12));
    amount("QRL_odl12", taxpayer.real("odl_o", 13)); // boxes 38-39: insurance of a home help
    spouse_amount("QRL_odl22", spouse.real("odl_o", 13));
    // Boxes 40-42: the child relief prints only together with a number of children, whatever
    // amounts the record holds.
    const int children = z.integer("ildz");
    if (children > 0) {
        text("QRL_ildz", std::to_string(children));
        amount("QRL_odl13", taxpayer.real("ulg_o", 1));
        spouse_amount("QRL_odl23", spouse.real("ulg_o", 1));
    } else {
        clear("QRL_ildz");
        clear("QRL_odl13");
        clear("QRL_odl23");
    }
    amount("QRL_odl14", taxpayer.real("ulg_o", 2)); // boxes 43-44: relief of art. 27g
    spouse_amount("QRL_odl24", spouse.real("ulg_o", 2));
    // Box 45: the kind of other deductions from tax, three lines joined, the ends trimmed.
    text("QRL_in_odlp",
         join({z.text("in_odl_pod", 1), z.text("in_odl_pod", 2), z.text("in_odl_pod", 3)}));
    amount("QRL_odl15", taxpayer.real("odl_o", 14)); // boxes 46-47
    spouse_amount("QRL_odl25", spouse.real("odl_o", 14));
    amount("QRL_odl16", taxpayer.real("ulg_o", 4)); // boxes 48-49: total
    spouse_amount("QRL_odl26", spouse.real("ulg_o", 4));

    // Part D: donee D.1 in the plain fields, D.2 in the fields with the suffix 1; boxes 1-9 of
    // the address (the country code, box 3, has no field), then 10 and 11, the amounts given.
    for (int j = 1; j <= 2; ++j) {
        const auto donee = z.obdar(j);
        const std::string suffix = j == 1 ? "" : "1";
        text("QRL_nazpel" + suffix, donee.text("nazpel"));
        text("QRL_kr" + suffix, donee.text("kr"));
        text("QRL_miejsc" + suffix, donee.text("miejsc"));
        text("QRL_ul" + suffix, donee.text("ul"));
        text("QRL_nrd" + suffix, donee.text("nrd"));
        text("QRL_nrlok" + suffix, donee.text("nrlok"));
        text("QRL_kodp" + suffix, donee.text("kodp"));
        text("QRL_poczta" + suffix, donee.text("poczta"));
        amount(indexed("QRL_dar", j, 1), donee.real("dar"));
        spouse_amount(indexed("QRL_dar", j, 2), donee.real("dar_m"));
    }
}

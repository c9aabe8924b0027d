// PIT-28/A (version 14): the information on revenue from business run in the taxpayer's own name
// and from rental and lease, by flat-tax rate.

#include "framework/page_report.h"

class TF_w28a15_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_28a_1BeforePrint();
};
KESTRUN_PAGE(TF_w28a15_1, F_w28a15_1, QR_28a_1BeforePrint)

void TF_w28a15_1::QR_28a_1BeforePrint()
{
    const auto r = host().rek28();

    identifier({}, kestrun::person_identity(r)); // box 1, as on the return's first page
    year("QRL_rok", r.integer("rok"));           // box 2
    text("QRL_nazw", r.text("nazw"));            // boxes 3-5
    text("QRL_im", r.text("im"));
    date("QRL_dur", r.date("dur"));
    // Box 6: the kind of business is kept in four parts of one text, box 7 the place of business
    // in two, the second continuing the first without a blank.
    text("QRL_dzial",
         join({r.text("dzial1"), r.text("dzial2"), r.text("dzial3"), r.text("dzial4")}));
    text("QRL_mp", join({r.text("mp1"), r.text("mp2")}, ""));

    // Boxes 8-13: the return's revenue from business in own name at 3.0 % up to 20 %. Unlike
    // the return's first page, this page keeps its font whatever the amount.
    for (int i = 1; i <= 6; ++i)
        amount(indexed("QRL_prz_dg", i), r.real("przdg", i));
    amount("QRL_prznaj3", r.real("prznaj", 3)); // box 14, rental and lease at 8.5 %
    // Boxes 17-22: the revenue determined under art. 17. The 2.0 % boxes 15 and 16 have no
    // fields.
    for (int i = 1; i <= 6; ++i)
        amount(indexed("QRL_przosz", i), r.real("osz", i));
}

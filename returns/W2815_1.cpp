// PIT-28 (version 19), page 1/4: the identification of the taxpayer, the place and purpose of
// filing, and part C, the revenue by flat-tax rate with each rate's share of the total.

#include "framework/page_report.h"

class TF_w2815_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_28_1BeforePrint();
};
KESTRUN_PAGE(TF_w2815_1, F_w2815_1, QR_28_1BeforePrint)

void TF_w2815_1::QR_28_1BeforePrint()
{
    const auto r = host().rek28();

    reference_number();                          // boxes 2-3, only when the host prints it
    identifier({}, kestrun::person_identity(r)); // box 1, one strike-out prints
    year("QRL_rok", r.integer("rok"));           // box 4
    text("QRL_urz", r.text("urz"));              // box 5
    // Box 6: any purpose other than 0 is a correction.
    mark({"QRL_zl_zez", "QRL_kor_zez"}, r.integer("cel") == 0 ? 0 : 1);
    text("QRL_nazw", r.text("nazw")); // boxes 7-9
    text("QRL_im", r.text("im"));
    date("QRL_dur", r.date("dur"));
    text("QRL_kr", r.text("kr")); // boxes 10-19, the address as entered
    text("QRL_woj", r.text("woj"));
    text("QRL_pow", r.text("pow"));
    text("QRL_gmina", r.text("gmina"));
    text("QRL_ul", r.text("ul"));
    text("QRL_nrd", r.text("nrd"));
    text("QRL_nrlok", r.text("nrlok"));
    text("QRL_miejsc", r.text("miejsc"));
    text("QRL_kodp", r.text("kodp"));
    text("QRL_poczta", r.text("poczta"));

    // Part C, rows 1, 2, 5 and 6 (boxes 20-33, 39-45, 47-53): the six rates from 3.0 % up and
    // the total, as stored. The narrow columns take an amount above 999 999,99 only in the
    // smaller font, so each field checks its own amount.
    for (int i = 1; i <= 7; ++i) {
        amount_large(indexed("QRL_przdg", i), r.real("przdg", i)); // business in own name
        amount_large(indexed("QRL_przsp", i), r.real("przsp", i)); // business as a partnership
        amount_large(indexed("QRL_gbl", i), r.real("gbl", i));     // row 5, rows 1 to 4 together
        amount_large(indexed("QRL_osz", i), r.real("osz", i));     // determined under art. 17
    }
    // Row 3, rental and lease, is taxed at 8.5 % only (boxes 34 and 35).
    amount("QRL_prznaj3", r.real("prznaj", 3));
    amount("QRL_prznaj7", r.real("prznaj", 7));
    // Rows 7 and 8 (boxes 55-60, 62-67): the shares are stored as fractions.
    for (int i = 1; i <= 6; ++i) {
        percent(indexed("QRL_pr", i), r.real("pr", i));
        percent(indexed("QRL_prosz", i), r.real("prosz", i));
    }
    // The 2.0 % column and the row of processed plant and animal products (boxes 36-38, 46, 54,
    // 61) have no fields: taxpayers filing for 2015 leave them empty.
}

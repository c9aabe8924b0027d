// PIT-36L (version 11), page 1/3: the return of one taxpayer who pays the flat 19 % tax on
// business income. The header and sections A and B identify him, C says whether he kept
// transfer-pricing documentation and whether he adds back an exemption of earlier years, D splits
// the income of his business and of his special agricultural production into income and loss,
// and E and F carry the deductions and the amounts that raise the tax base.

#include "framework/page_report.h"

class TF_w36l15_1 : public kestrun::page_report {
public:
    using page_report::page_report;
    void QR_36l_1BeforePrint();
};
KESTRUN_PAGE(TF_w36l15_1, F_w36l15_1, QR_36l_1BeforePrint)

void TF_w36l15_1::QR_36l_1BeforePrint()
{
    const auto z = host().rekzez();

    // Boxes 2-3: the reference number, however long, as one line.
    reference_number(true);
    // Box 1: PIT-36L is filed under the NIP alone; the form has no PESEL and nothing to strike.
    nip("QRL_nip", z.text("nip"));
    year("QRL_rok", z.integer("rok"));                          // box 4
    text("QRL_urz", z.text("urz"));                             // box 5
    mark({"QRL_zl_zez", "QRL_kor_zez"}, z.flag("kor") ? 1 : 0); // box 6
    text("QRL_nazw", z.text("nazw"));                           // boxes 7-9
    text("QRL_im", z.text("im"));
    date("QRL_dur", z.date("dur"));

    // Section C. The host keeps the two squares in the status codes of the PIT-36 pages: code 2
    // of the taxpayer's for the documentation (box 10), code 4 of the spouse's for the exemption
    // of art. 44 ust. 7a added back (box 11), whose year goes in box 12.
    const bool adds_back_exemption = z.integer("idm") == 4;
    mark_if("QRL_dok", z.integer("idp") == 2);
    mark_if("QRL_zw", adds_back_exemption);
    if (adds_back_exemption)
        year("QRL_rokzw", z.integer("rokzw"));
    else
        clear("QRL_rokzw");

    // Section D, row 1, business (boxes 13-17): the income box takes a result of zero. A
    // taxpayer who adds back the exemption shows the loss the host worked out with the
    // additions, whatever the sign of the plain result.
    for (int column = 1; column <= 2; ++column)
        amount(indexed("QRL_p", 1, column), z.real("zr", 3, column));
    sign_split("QRL_p13", "QRL_p14", z.real("zr", 3, 3));
    if (adds_back_exemption)
        amount("QRL_p14", z.real("zw_str4"));
    amount("QRL_p15", z.real("zr", 3, 4), 0);
    // Row 2, special branches of agricultural production (boxes 18-22): only a positive result
    // is income, a result of zero goes to the loss box.
    for (int column = 1; column <= 2; ++column)
        amount(indexed("QRL_p", 2, column), z.real("zr", 4, column));
    sign_split("QRL_p23", "QRL_p24", z.real("zr", 4, 3), 2, zero_result::loss);
    amount("QRL_p25", z.real("zr", 4, 4), 0);

    // Section E (boxes 23-27): losses of past years with their sources, the contributions, the
    // IKZE payments and the income after them.
    text("QRL_zrst", join({z.text("zr_str")}));
    amount("QRL_str", z.real("str"));
    amount("QRL_zus", z.real("zus"));
    amount("QRL_zus_zagr", z.real("zus_zagr"));
    amount("QRL_ikze", z.real("ikze"));
    amount("QRL_dpo", z.real("dpo"));
    // Section F (boxes 28-33). Page 2 reuses the names QRL_w1 to QRL_w4 for boxes 53-56.
    for (int i = 1; i <= 6; ++i)
        amount(indexed("QRL_w", i), z.real("pg", i));
}

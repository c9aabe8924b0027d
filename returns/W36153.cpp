// PIT-36 (version 22), page 3/6: section D.3, the PIT/M income of minor children added to the
// parents' income, sections E and F, the deductions from income, section G, the amounts that
// raise the tax base, and the start of section H. The page is printed with narrow side margins,
// as the form's wide columns need.

#include "host/tamdor/libr.h"
#include "platform/vcl/sysutils.h"
#include "returns/income_rows.h"
#include "returns/ten_thousandths.h"

#include <array>
#include <string>

class TF_w36153 : public kestrun::income_page {
public:
    using income_page::income_page;
    void QR_36_3BeforePrint();

private:
    // Boxes 145-148: the PIT/M income and advance tax of each parent.
    void children_income();
};
KESTRUN_PAGE(TF_w36153, F_w36153, QR_36_3BeforePrint)

void TF_w36153::children_income()
{
    const auto z = host().rekzez();
    // A parent's PIT/M amounts count for that parent and, under joint taxation when the
    // parent's PIT/M says so, for the other parent too.
    std::array<kestrun::ten_thousandths, 2> income{}, advance{};
    const int persons = joint() ? 2 : 1;
    for (int p = 1; p <= persons; ++p) {
        const auto person = z.person(p);
        const int other = 3 - p;
        const bool shared = joint() && person.integer("pitm_wsp") == 1;
        const std::string suffix = p == 1 ? "" : "_m";
        const double ds1 = person.real("pitm_ds1");
        const double ds2 = person.real("pitm_ds2");
        income[p - 1].add(ds1, "rekzez.pitm_ds1" + suffix);
        if (shared)
            income[other - 1].add(ds1, "rekzez.pitm_ds1" + suffix);
        advance[p - 1].add(ds2, "rekzez.pitm_ds2" + suffix);
        if (shared)
            advance[other - 1].add(ds2, "rekzez.pitm_ds2" + suffix);
    }
    amount("QRL_pm", income[0].zloty());
    spouse_amount("QRL_pm1", income[1].zloty());
    amount("QRL_zm", advance[0].zloty(), 0);
    spouse_amount("QRL_zm1", advance[1].zloty(), 0);
}

void TF_w36153::QR_36_3BeforePrint()
{
    const auto z = host().rekzez();
    children_income();
    amount("QRL_dzw", z.real("dzw")); // box 149, income exempt under art. 21 ust. 1 pkt 63a
    spouse_amount("QRL_dzw1", z.real("dzw_m"));
    text("QRL_zr_str", Sysutils::Trim(z.text("zr_str"))); // box 151, the sources of the losses
    amount("QRL_str", z.real("str"));
    spouse_amount("QRL_str1", z.real("str_m"));
    income_deductions(); // boxes 153-161: PIT/O part B and PIT/D part B.1
    amount("QRL_obn", z.real("obn"));
    spouse_amount("QRL_obn1", z.real("obn_m"));
    housing_deductions();           // boxes 164-166, PIT/D part B.3
    amount("QRL_zw", z.real("zw")); // box 167, the special economic zone
    spouse_amount("QRL_zw1", z.real("zw_m"));
    // Section G, boxes 169-180: the taxpayer's amount in the odd box, the spouse's in the even.
    const auto taxpayer = z.person(1), spouse = z.person(2);
    for (int i = 1; i <= 6; ++i) {
        amount(indexed("QRL_p", i, 1), taxpayer.real("pg", i));
        spouse_amount(indexed("QRL_p", i, 2), spouse.real("pg", i));
    }
    amount("QRL_doch_opod", z.real("doch_opod")); // box 181
    amount("QRL_dz", z.real("dz"));
    spouse_amount("QRL_dz1", z.real("dz_m"));
    amount("QRL_podst_opod", z.real("podst_opod"), 0); // box 184, whole zloty
}

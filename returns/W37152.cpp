// PIT-37 (version 21), page 2/4: sections C.1 and C.2, the income and losses of the taxpayer
// and of the spouse by source, with the 50 % costs of employment and author's rights, and
// section D, the deductions from income.

#include "returns/income_rows.h"

#include <array>

namespace {

using kestrun::income_row;
using kestrun::income_shape;

// PIT-37 lists five sources; the host keeps them in data rows 1-5 and the total in row 9.
constexpr std::array<income_row, 6> pit37_rows{{
    {1, 1, income_shape::split},   // employment
    {2, 2, income_shape::pension}, // pensions
    {3, 3, income_shape::split},   // personal activity of art. 13
    {4, 4, income_shape::split},   // author's rights and other rights of art. 18
    {5, 5, income_shape::split},   // other sources
    {6, 9, income_shape::total},
}};
constexpr kestrun::income_table pit37_income{pit37_rows, 6, {1, 4}};

} // namespace

class TF_w37152 : public kestrun::income_page {
public:
    using income_page::income_page;
    void QR_37_2BeforePrint();
};
KESTRUN_PAGE(TF_w37152, F_w37152, QR_37_2BeforePrint)

void TF_w37152::QR_37_2BeforePrint()
{
    const auto z = host().rekzez();
    for (int p = 1; p <= 2; ++p) {
        if (p == 2 && !joint()) {
            clear_spouse_rows(pit37_income);
            break;
        }
        income_rows(pit37_income, p);
        half_cost_rows(pit37_income, p);
    }
    // Section D, boxes 99-111: the deductions as the host computed them.
    amount("QRL_zus", z.real("zus"));
    spouse_amount("QRL_zus1", z.real("zus_m"));
    amount("QRL_zus_zagr", z.real("zus_zagr"));
    spouse_amount("QRL_zus_zagr1", z.real("zus_zagr_m"));
    amount("QRL_dpo", z.real("dpo"));
    spouse_amount("QRL_dpo1", z.real("dpo_m"));
    amount("QRL_po", z.real("po"));
    spouse_amount("QRL_po1", z.real("po_m"));
    amount("QRL_ods", z.real("ulga_ods"));
    amount("QRL_pd", z.real("pd"));
    amount("QRL_pdbiez", z.real("pdbiez"));
    amount("QRL_pdnast", z.real("pdnast"));
    amount("QRL_doch_opod", z.real("doch_opod"));
}

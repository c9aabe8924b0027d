// PIT-36 (version 22), page 2/6: sections D.1 and D.2, the income and losses of the taxpayer
// and of the spouse by source, with the 50 % costs of employment and author's rights and the
// paid disposal of things, which the host keeps apart from the income table.

#include "returns/income_rows.h"

#include <array>

namespace {

using kestrun::income_row;
using kestrun::income_shape;

// The field rows are the stored rows: data row 8, other sources, is the form's row 9 and the
// total its row 10; the form's row 8, the disposal of things, has fields of its own.
constexpr std::array<income_row, 9> pit36_rows{{
    {1, 1, income_shape::split},    // employment
    {2, 2, income_shape::pension},  // pensions
    {3, 3, income_shape::business}, // non-agricultural business
    {4, 4, income_shape::split},    // special branches of agricultural production
    {5, 5, income_shape::split},    // personal activity of art. 13
    {6, 6, income_shape::split},    // rental or lease
    {7, 7, income_shape::split},    // author's rights and other rights of art. 18
    {8, 8, income_shape::split},    // other sources
    {9, 9, income_shape::total},
}};
constexpr kestrun::income_table pit36_income{pit36_rows, 9, {1, 7}};

} // namespace

class TF_w36152 : public kestrun::income_page {
public:
    using income_page::income_page;
    void QR_36_2BeforePrint();

private:
    // The form's row 8 of person p, from the three 4-byte floats of the host.
    void disposal_row(int p);
};
KESTRUN_PAGE(TF_w36152, F_w36152, QR_36_2BeforePrint)

void TF_w36152::QR_36_2BeforePrint()
{
    // Boxes 58 and 109 show exempt business income only for section C code 3.
    clear("QRL_pp_zwol");
    clear("QRL_pm_zwol");
    for (int p = 1; p <= 2; ++p) {
        if (p == 2 && !joint()) {
            clear_spouse_rows(pit36_income);
            for (int column = 1; column <= 4; ++column)
                text_by_name(indexed("QRL_pozm", column), "");
            break;
        }
        income_rows(pit36_income, p);
        disposal_row(p);
        half_cost_rows(pit36_income, p);
    }
}

void TF_w36152::disposal_row(int p)
{
    const auto person = host().rekzez().person(p);
    const std::string stem = std::string("QRL_poz") + person_letter(p);
    amount(indexed(stem, 1), person.real("zbyc", 1));
    amount(indexed(stem, 2), person.real("zbyc", 2));
    sign_split(indexed(stem, 3), indexed(stem, 4), person.real("zbyc", 3));
}

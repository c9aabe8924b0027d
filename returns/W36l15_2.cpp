// PIT-36L (version 11), page 2/3: the flat 19 % tax computed from the base of page 1 (section G),
// the health contributions and other deductions from it (H), the tax due against the advances
// (I), the flat-rate taxes with the amount to pay or the overpayment (J), and the monthly
// flat-rate tax of art. 44 ust. 1b (K).

#include "returns/return_page.h"

class TF_w36l15_2 : public kestrun::return_page {
public:
    using return_page::return_page;
    void QR_36l_2BeforePrint();
};
KESTRUN_PAGE(TF_w36l15_2, F_w36l15_2, QR_36l_2BeforePrint)

#include <string_view>
#include <utility>

void TF_w36l15_2::QR_36l_2BeforePrint()
{
    const auto z = host().rekzez();

    // Boxes 34-56 in the order of the form. The field names skip 17 and 23 (box 43 is QRL_w16,
    // box 44 QRL_w18, box 48 QRL_w22, box 49 QRL_w24), and boxes 53-56 take the names QRL_w1 to
    // QRL_w4 again, which on page 1 belong to section F. The tax base and the settlement with
    // the advances are in whole zloty.
    const std::pair<std::string_view, double> grosze[] = {
        {"QRL_w7", z.real("doch_opod")},     // box 34
        {"QRL_w9", z.real("pod")},           // box 36
        {"QRL_w10", z.real("dolpod")},       // box 37
        {"QRL_w11", z.real("pod_zagr")},     // box 38
        {"QRL_w12", z.real("pod1")},         // box 39
        {"QRL_w13", z.real("zdr")},          // box 40
        {"QRL_w14", z.real("zdr_zagr")},     // box 41
        {"QRL_w15", z.real("ulg_o", 4)},     // box 42
        {"QRL_w16", z.real("pod_po_odl_d")}, // box 43
        {"QRL_w24", z.real("pl", 2)},        // box 49
        {"QRL_w25", z.real("pl", 3)},        // box 50
        {"QRL_w26", z.real("pl", 4)},        // box 51
        {"QRL_w27", z.real("pl", 5)},        // box 52
        {"QRL_w1", z.real("pl", 6)},         // box 53
        {"QRL_w2", z.real("pl", 7)},         // box 54
        {"QRL_w3", z.real("do_zapl")},       // box 55
        {"QRL_w4", z.real("nadpl")},         // box 56
    };
    const std::pair<std::string_view, double> whole_zloty[] = {
        {"QRL_w8", z.real("podst_opod")}, // box 35
        {"QRL_w18", z.real("pod_zaokr")}, // box 44
        {"QRL_w19", z.real("sum_zal")},   // box 45
        {"QRL_w20", z.real("rozn")},      // box 46
        {"QRL_w21", z.real("rozn1")},     // box 47
        {"QRL_w22", z.real("zal_wpl")},   // box 48
    };
    for (const auto& [name, value] : grosze)
        amount(name, value);
    for (const auto& [name, value] : whole_zloty)
        amount(name, value, 0);
    // QRL_w23 beside box 48 stays disabled as designed and never prints.

    // Section K (boxes 57-68): the taxpayer's flat-rate tax of art. 44 ust. 1b, month by month,
    // in fields whose stem says art. 44 ust. 1.
    months("QRL_44_1m", "zr44");
}

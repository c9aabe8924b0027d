// PIT-37 (version 21), page 1/4: who files the return and how: the identifiers, the method of
// taxation, the tax office and purpose of filing, the personal data and address of the taxpayer
// and, under joint taxation, of the spouse. The boxes are those of PIT-36 page 1; PIT-37 has
// no section C.

#include "returns/pit36_identification.h"

class TF_w37151 : public kestrun::identification_page {
public:
    using identification_page::identification_page;
    void QR_37_1BeforePrint();
};
KESTRUN_PAGE(TF_w37151, F_w37151, QR_37_1BeforePrint)

void TF_w37151::QR_37_1BeforePrint()
{
    identification({.section_c = false});
}

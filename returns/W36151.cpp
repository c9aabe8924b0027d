// PIT-36 (version 22), page 1/6: who files the return and how: the identifiers, the method of
// taxation, the tax office and purpose of filing, the personal data and address of the taxpayer
// and, under joint taxation, of the spouse, and section C, the additional information on
// foreign pensions, transfer-pricing documentation and the special-zone exemption.

#include "returns/pit36_identification.h"

class TF_w36151 : public kestrun::identification_page {
public:
    using identification_page::identification_page;
    void QR_36_1BeforePrint();
};
KESTRUN_PAGE(TF_w36151, F_w36151, QR_36_1BeforePrint)

void TF_w36151::QR_36_1BeforePrint()
{
    identification({.section_c = true});
}

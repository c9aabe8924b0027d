// PIT-36 (version 22), page 1/6: who files the return and how: the identifiers, the method of
// taxation, the tax office and purpose of filing, the personal data and address of the taxpayer
// and, under joint taxation, of the spouse, and section C, the additional information on
// foreign pensions, transfer-pricing documentation and the special-zone exemption.

#include "framework/module.h"
#include "returns/pit36_identification.h"

class TF_w36151 : public kestrun::identification_page {
public:
    TF_w36151(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
        : identification_page(owner, host, "W36151")
    {
        connect_before_print(&TF_w36151::QR_36_1BeforePrint);
    }
    void QR_36_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

TF_w36151* F_w36151 = nullptr;

void TF_w36151::QR_36_1BeforePrint(kestrun::vcl::TObject*, bool&)
{
    identification({.section_c = true});
}

KESTRUN_PAGE_UNIT(TF_w36151, W36151, F_w36151)

// PIT-37 (version 21), page 1/4: who files the return and how: the identifiers, the method of
// taxation, the tax office and purpose of filing, the personal data and address of the taxpayer
// and, under joint taxation, of the spouse. The boxes are those of PIT-36 page 1; PIT-37 has
// no section C.

#include "framework/module.h"
#include "returns/pit36_identification.h"

class TF_w37151 : public kestrun::identification_page {
public:
    TF_w37151(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host)
        : identification_page(owner, host, "W37151")
    {
        connect_before_print(&TF_w37151::QR_37_1BeforePrint);
    }
    void QR_37_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

TF_w37151* F_w37151 = nullptr;

void TF_w37151::QR_37_1BeforePrint(kestrun::vcl::TObject*, bool&)
{
    identification({.section_c = false});
}

KESTRUN_PAGE_UNIT(TF_w37151, W37151, F_w37151)

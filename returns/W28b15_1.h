#pragma once
// PIT-28/B (version 14), page 1/2: the taxpayer, the number of PIT-28/B attachments and part
// C.1, the first partnership of the attachment. Also what both PIT-28/B pages share.

#include "framework/page_report.h"

#include <string_view>

namespace kestrun {

// A PIT-28/B page: it shows one partnership of the PIT-28 record, the one the print dialog puts
// in nrsp (2i - 1 on page 1 and 2i on page 2 of attachment i). The record holds four
// partnerships, so a page asked for any other refuses to print rather than read past them.
class pit28b_page : public page_report {
public:
    int nrsp;

    int* parameter(std::string_view name) override;
    void check_parameters() const override;

protected:
    pit28b_page(vcl::TComponent* owner, host::host_state& host, std::string_view unit,
                int first_nrsp);

    // The partnership block of parts C.1 and C.2: name, NIP, the taxpayer's share, the
    // partnership's revenue and the taxpayer's part of it, each by rate.
    void partnership();
};

} // namespace kestrun

class TF_w28b15_1 : public kestrun::pit28b_page {
public:
    TF_w28b15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_28b_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_w28b15_1* F_w28b15_1;

#pragma once
// The base of the two PIT-28/B pages: the partnership they show and its block of parts C.1 and
// C.2.

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
    pit28b_page(vcl::TComponent* owner, host::host_state& host, const page_setup& setup,
                int first_nrsp);

    // The partnership block of parts C.1 and C.2: name, NIP, the taxpayer's share, the
    // partnership's revenue and the taxpayer's part of it, each by rate.
    void partnership();
};

} // namespace kestrun

#pragma once
// PIT/B (version 14), page 1/2.

#include "framework/person_page.h"

class TF_wb15_1 : public kestrun::person_page {
public:
    TF_wb15_1(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_b_1BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);

protected:
    std::span<const int> values(std::string_view name) const override;
};

extern TF_wb15_1* F_wb15_1;

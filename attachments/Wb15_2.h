#pragma once
// PIT/B (version 14), page 2/2.

#include "framework/person_page.h"

class TF_wb15_2 : public kestrun::person_page {
public:
    TF_wb15_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_b_2BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);

protected:
    std::span<const int> values(std::string_view name) const override;

private:
    void partnership_amounts(int i);
    void partnership_identification(int i);
};

extern TF_wb15_2* F_wb15_2;

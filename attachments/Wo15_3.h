#pragma once
// PIT/O (version 21) page 3/3: part E, the five children of the child relief with the months in
// which the relief is due to each parent.

#include "framework/page_report.h"

class TF_wo15_3 : public kestrun::page_report {
public:
    TF_wo15_3(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_o_3BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);

private:
    // Child k (1 to 5, E.1 to E.5): its identification, its months and its relief amounts.
    void fill_child(int k);
};

extern TF_wo15_3* F_wo15_3;

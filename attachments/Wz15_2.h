#pragma once
// PIT/Z (version 6), page 2/2: part C, the exempt income of past years added back in the tax
// year, printed for person nrp. It is filled for a person whose status code is 4 and, on a
// PIT-36L return (rodz_zez 2), for the taxpayer when idm is 4, the box 11 code under which that
// return prints PIT/Z; otherwise the whole page, year box included, stays empty.
#include "framework/person_page.h"

class TF_wz15_2 : public kestrun::person_page {
public:
    TF_wz15_2(kestrun::vcl::TComponent* owner, kestrun::host::host_state& host);
    void QR_z_2BeforePrint(kestrun::vcl::TObject* sender, bool& print_report);
};

extern TF_wz15_2* F_wz15_2;

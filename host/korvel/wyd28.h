#pragma once
// The host's direct printing of the PIT-28 pages and of PIT-28/A and PIT-28/B (margin set
// "ofdr3").

#include "host/korvel/proc_dr.h"

namespace Wyd28 {

class Twyd28 : public Proc_dr::tdruk {
public:
    Twyd28(kestrun::host::host_state& host, const kestrun::host::margin_pair* marg28, bool dr_port,
           std::uint8_t dr_opt1, std::uint8_t dr_opt2, std::int16_t dr_opt3);

    void w28_st1();
    void w28_st2();
    void w28_st3();
    void w28_st4();
    void w28_zal_a();
    // Pages 1 and 2 of the i-th PIT-28/B attachment: partnerships 2i - 1 and 2i.
    void zal_b_1(std::uint8_t i);
    void zal_b_2(std::uint8_t i);
};

} // namespace Wyd28

#pragma once
// The host's direct printing of the PIT-36, PIT-36L and PIT-37 pages and of the attachments
// PIT/O, PIT/D, PIT/B, PIT/M, PIT/Z, PIT/ZG and PIT-2K (margin set "ofdr").

#include "host/korvel/proc_dr.h"

namespace Zezwyd {

class Tdrukzez : public Proc_dr::tdruk {
public:
    Tdrukzez(kestrun::host::host_state& host, const kestrun::host::margin_pair* marg, bool dr_port,
             std::uint8_t dr_opt1, std::uint8_t dr_opt2, std::int16_t dr_opt3);

    void wyd36_st1();
    void wyd36_st2();
    void wyd36_st3();
    void wyd36_st4();
    void wyd36_st5();
    void wyd36_st6();
    void w36L_st1();
    void w36L_st2();
    void w36L_st3();
    void wyd37_st1();
    void wyd37_st2();
    void wyd37_st3();
    void wyd37_st4();
    void wydzalo_I();
    void wydzalo_II();
    void wydzalo_III();
    void wydzald_I();
    void wydzald_II();
    void wydzal_2k_I();
    // PIT/B of person a, first entry b, of c sheets; page 2 from partnership entry b.
    void wydB_I(std::uint8_t a, std::uint8_t b, int c);
    void wydB_II(std::uint8_t a, std::uint8_t b);
    // Person p: 1 the taxpayer, 2 the spouse.
    void wydzalm_I(int p);
    void wydzalz_I(int p);
    void wydzalz_II(int p);
    void wydzalzg_I(int p);
    // Ejects the sheet of the host's port.
    void wysuw_str();

    // PIT/B counts of the person being printed, set by the dialog.
    int il_dg = 0;
    int il_sp = 0;
    int il_b = 0;
};

} // namespace Zezwyd

#pragma once
// The PIT/B sheets of one person. A sheet shows two businesses (part B) and three partnerships
// (part C); the person's data holds four businesses and six partnerships, so a person needs one
// or two sheets. Entries are counted wherever they lie, but the sheets show them by position:
// sheet s shows businesses 2s-1 and 2s and partnerships 3s-2 to 3s, so an entry in use behind
// empty ones may lie past the last sheet. PIT/B page 2 (part D) and the PIT-36 and PIT-36L print
// dialogs read the same count.

#include "host/tamdor/record.h"

#include <array>
#include <string>
#include <vector>

namespace kestrun {

inline constexpr int pitb_businesses = 4;   // rekzez.pitb[p].dg
inline constexpr int pitb_partnerships = 6; // rekzez.pitb[p].sp
inline constexpr int businesses_per_sheet = 2;
inline constexpr int partnerships_per_sheet = 3;

// A business is in use when its kind or its REGON is given, whatever its amounts.
bool business_in_use(const host::record_view<host::pitb_dg_layout>& dg);
// A partnership is in use when its name, REGON or NIP is given.
bool partnership_in_use(const host::record_view<host::pitb_sp_layout>& sp);

struct pitb_sheets {
    std::array<bool, pitb_businesses> business{};      // [j - 1]: dg[j] in use
    std::array<bool, pitb_partnerships> partnership{}; // [i - 1]: sp[i] in use

    // The entries of person p (1 taxpayer, 2 spouse) of rekzez.
    static pitb_sheets of(const host::rekzez_view& z, int p);

    int businesses() const;   // in use, wherever they lie
    int partnerships() const; // in use, wherever they lie
    bool any() const { return businesses() + partnerships() > 0; }
    // Box 3 of page 1 (ilb): 2 when more than two businesses or more than three partnerships
    // are in use, otherwise 1. A person with no entry in use gets no sheet at all.
    int sheets() const;

    // The first entry each page of sheet s (1 or 2) shows: nr of page 1 and of page 2.
    static int first_business(int sheet) { return businesses_per_sheet * (sheet - 1) + 1; }
    static int first_partnership(int sheet) { return partnerships_per_sheet * (sheet - 1) + 1; }

    // Entries in use that no sheet shows: they lie past the last sheet's positions (a third
    // business behind two empty ones, partnership 5 or 6 behind empty entries). Their amounts
    // still enter part D. Each as "dg[3]" or "sp[5]".
    std::vector<std::string> unprinted() const;
};

// One line for the print dialogs, which warn once per person when `unprinted` is not empty:
// "rekzez.pitb[1]: dg[3], sp[5] in use lie past the last PIT/B sheet ...".
std::string unprinted_warning(int person, const pitb_sheets& sheets);

} // namespace kestrun

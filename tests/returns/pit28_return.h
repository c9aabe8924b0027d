#pragma once
// A PIT-28 return of an ordinary taxpayer, for the page tests: each test changes only what its
// rule is about.

#include "host/tamdor/host_state.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

namespace pit28_test {

using kestrun::host::host_state;
using kestrun::test::rek28_builder;

inline rek28_builder pit28_return()
{
    return rek28_builder{}
        .text("nip", "526-104-08-28")
        .text("pesel", "74031804573")
        .flag("id_pesel", false)
        .integer("rok", 2015)
        .text("urz", "Drugi Urząd Skarbowy Łódź-Bałuty")
        .integer("cel", 0)
        .text("nazw", "Wiśniewski")
        .text("im", "Grzegorz")
        .date("dur", 1974, 3, 18)
        .text("kr", "Polska")
        .text("woj", "łódzkie")
        .text("pow", "Łódź")
        .text("gmina", "Łódź-Bałuty")
        .text("ul", "Źródłowa")
        .text("nrd", "12a")
        .text("nrlok", "7")
        .text("miejsc", "Łódź")
        .text("kodp", "91-735")
        .text("poczta", "Łódź");
}

// What each field of the page of that class prints, the handler run on a strict band.
using kestrun::testing::fill_page;

} // namespace pit28_test

#pragma once
// A PIT-36 return of a married couple filing jointly, for the page tests: each test changes only
// what its rule is about. `individual()` turns it into a return that is not joint while the
// spouse's data stays in the record, so a test sees that a page does not print it.

#include "host/tamdor/host_state.h"
#include "tests/support/page_probe.h"
#include "tests/support/record_builder.h"

namespace pit36_test {

using kestrun::host::host_state;
using kestrun::test::rekzez_builder;

// sp_opod 2 (jointly, art. 6a ust. 1) belongs to the joint set; 0 (individually) does not.
inline constexpr int joint_code = 2;
inline constexpr int individual_code = 0;

inline rekzez_builder pit36_return()
{
    return rekzez_builder{}
        .joint(joint_code)
        .integer("rodz_zez", 0)
        .integer("rok", 2015)
        .text("urz", "Drugi Urząd Skarbowy Łódź-Bałuty")
        .flag("kor", false)
        .person(1)
        .text("nip", "5261040828")
        .text("pesel", "74031804573")
        .flag("id_pesel", false)
        .text("nazw", "Wiśniewski")
        .text("im", "Grzegorz")
        .date("dur", 1974, 3, 18)
        .text("kr", "Polska")
        .text("woj", "łódzkie")
        .text("pow", "Łódź")
        .text("gmina", "Łódź-Bałuty")
        .text("ul", "Zgierska")
        .text("nrd", "112")
        .text("nrlok", "14")
        .text("miejsc", "Łódź")
        .text("kodp", "91-303")
        .text("poczta", "Łódź")
        .person(2)
        .text("nip", "7271002114")
        .text("pesel", "76090211288")
        .flag("id_pesel", true)
        .text("nazw", "Wiśniewska")
        .text("im", "Małgorzata")
        .date("dur", 1976, 9, 2)
        .text("kr", "Polska")
        .text("woj", "mazowieckie")
        .text("pow", "warszawski zachodni")
        .text("gmina", "Ożarów Mazowiecki")
        .text("ul", "Poznańska")
        .text("nrd", "7")
        .text("nrlok", "")
        .text("miejsc", "Ożarów Mazowiecki")
        .text("kodp", "05-850")
        .text("poczta", "Ożarów Mazowiecki")
        .record();
}

// The same couple, each filing alone: sp_opod 0, which the joint set does not hold.
inline rekzez_builder individual(rekzez_builder b)
{
    return b.integer("sp_opod", individual_code);
}

// What each field of the page of that class prints, the handler run on a strict band.
using kestrun::testing::fill_page;

} // namespace pit36_test

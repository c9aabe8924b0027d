#pragma once
// Records full of sentinel values, for the sweeps over every page: every amount distinct and far
// from any design caption, every text named after its position, flags set, codes 1, numbers and
// dates that differ from field to field. One person's data can be filled anew with other
// sentinels, to see which fields of a page show that person.

#include "host/tamdor/host_state.h"
#include "host/tamdor/layouts.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace kestrun::testing {

// Fills every element of every field of `layout` at `base`; `second` gives each kind of value
// another sentinel (amounts above 90 000, texts "U…", flags clear, codes 2, other numbers).
inline void fill_field_sentinels(std::uint8_t* base, const host::field_def& f, int& counter,
                                 bool second = false);

inline void fill_sentinels(std::uint8_t* base, const host::record_layout& layout, int& counter,
                           bool second = false)
{
    for (const auto& f : layout.fields)
        if (!f.is_alias())
            fill_field_sentinels(base, f, counter, second);
}

inline void fill_field_sentinels(std::uint8_t* base, const host::field_def& f, int& counter,
                                 bool second)
{
    namespace io = host::field_io;
    using host::field_type;
    for (int i = 1; i <= std::max<int>(1, f.count1); ++i)
        for (int j = 1; j <= std::max<int>(1, f.count2); ++j) {
            auto* at = base + f.offset + std::size_t{f.stride1} * static_cast<std::size_t>(i - 1) +
                       std::size_t{f.stride2} * static_cast<std::size_t>(j - 1);
            ++counter;
            switch (f.type) {
            case field_type::real48:
            case field_type::single:
                io::store_real(at, f.type, (second ? 90000.0 : 4000.0) + counter + 0.25, f.name);
                break;
            case field_type::text:
                io::store_text(
                    at, f.capacity,
                    ((second ? "U" : "T") + std::to_string(counter)).substr(0, f.capacity), f.name);
                break;
            case field_type::flag:
                io::store_flag(at, !second);
                break;
            case field_type::byte:
                io::store_integer(at, f.type, second ? 2 : 1, f.name);
                break;
            case field_type::int16:
            case field_type::int32:
                io::store_integer(at, f.type, (second ? 1950 : 1990) + counter % 30, f.name);
                break;
            case field_type::date:
                io::store_date(at,
                               {static_cast<std::uint16_t>(second ? 2002 : 2001),
                                static_cast<std::uint8_t>(1 + counter % 12),
                                static_cast<std::uint8_t>(1 + counter % 28)},
                               f.name);
                break;
            case field_type::record:
                fill_sentinels(at, *f.members, counter, second);
                break;
            }
        }
}

// A joint return (sp_opod 1 is in wsp_z_malz) whose records hold sentinels everywhere, with the
// reference number printed.
inline host::host_state sentinel_state()
{
    using host::record_id;
    host::host_state h;
    int counter = 0;
    for (auto id : {record_id::rek28, record_id::rekzez, record_id::rek_uz, record_id::pit28_zal})
        fill_sentinels(h.bytes(id).data(), host::record_layout_of(id), counter);
    h.set_in_wsp_z_malz(1, true);
    h.set_dr_zez_ref(true);
    h.set_nr_zez_refer("REFERENCJA-0123456789");
    return h;
}

// Fills person p's data of rekzez anew with the second sentinels: the taxpayer's fields that
// have a spouse's twin (nazw, zr, ...) for p 1, the twins (nazw_m, zr_m, ...) for p 2, and the
// person's PIT/B entries.
inline void refill_person(host::host_state& h, int person)
{
    const auto& layout = host::rekzez_layout;
    auto* base = h.bytes(host::record_id::rekzez).data();
    int counter = 0;
    for (const auto& t : layout.fields) {
        if (!t.name.ends_with("_m") || t.is_alias())
            continue;
        const auto* f = layout.find(t.name.substr(0, t.name.size() - 2));
        if (!f)
            continue; // a field of its own (zal_m counts PIT/M attachments)
        fill_field_sentinels(base, person == 1 ? *f : t, counter, true);
    }
    const auto& pitb = layout["pitb"];
    fill_sentinels(base + pitb.offset +
                       std::size_t{pitb.stride1} * static_cast<std::size_t>(person - 1),
                   *pitb.members, counter, true);
}

} // namespace kestrun::testing

#pragma once
// Typed views of the host's packed records, read and written in place. Field names are
// checked when the page is compiled: a key is made from a string literal by a consteval
// constructor that finds the name in the record's layout, so a misspelt name, a field of
// another type or a wrong number of indices does not compile.
//
//     auto z = host.rekzez();
//     double a = z.real("zr", 9, 3);            // indices from 1, row then column
//     std::string s = z.person(2).text("nazw"); // the spouse's nazw_m
//
// An index outside the declared range throws kestrun::error (host) naming the record, the
// field and the index; nothing is ever read or written outside the record.

#include "host/tamdor/encoding.h"
#include "host/tamdor/layouts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace kestrun::host {

// What an accessor reads: the field types it accepts.
enum class access : std::uint8_t { real, text, flag, integer, date, records };

constexpr bool accepts(access a, field_type t)
{
    switch (a) {
    case access::real:
        return t == field_type::real48 || t == field_type::single;
    case access::text:
        return t == field_type::text;
    case access::flag:
        return t == field_type::flag;
    case access::integer:
        return t == field_type::byte || t == field_type::int16 || t == field_type::int32;
    case access::date:
        return t == field_type::date;
    case access::records:
        return t == field_type::record;
    }
    return false;
}

namespace compile_time_check {
// Not constexpr on purpose: a key whose check fails calls one of these, and the compiler
// stops with the function's name as the reason.
void no_field_of_this_name_in_the_record();
void field_has_another_type_than_the_accessor_reads();
void field_takes_another_number_of_indices();
void field_has_no_spouse_twin();
} // namespace compile_time_check

namespace compile_time_check {
// The field's index in L, or the reason it cannot be read as A with D indices.
template <const record_layout& L, access A, int D>
consteval int checked_index(std::string_view name)
{
    const int i = L.index_of(name);
    if (i < 0) {
        no_field_of_this_name_in_the_record();
        return 0;
    }
    const field_def& f = L.fields[static_cast<std::size_t>(i)];
    if (!accepts(A, f.type)) {
        field_has_another_type_than_the_accessor_reads();
    } else if (f.dimensions() != D) {
        field_takes_another_number_of_indices();
    }
    return i;
}
} // namespace compile_time_check

// A field of layout L read as A with D indices (0, 1 or 2).
template <const record_layout& L, access A, int D> struct field_key {
    const field_def* field;

    template <std::size_t N>
    consteval field_key(const char (&name)[N])
        : field(&L.fields[static_cast<std::size_t>(
              compile_time_check::checked_index<L, A, D>(std::string_view(name, N - 1)))])
    {
    }
};

// A taxpayer's field and its spouse's twin (the same name with "_m"), found together.
template <const record_layout& L, access A, int D> struct person_key {
    const field_def* taxpayer;
    const field_def* spouse;

    template <std::size_t N>
    consteval person_key(const char (&name)[N])
        : taxpayer(field_key<L, A, D>(name).field),
          spouse(&L.fields[spouse_index(std::string_view(name, N - 1))])
    {
    }

private:
    static consteval std::size_t spouse_index(std::string_view name)
    {
        const int i = L.twin_index(name);
        if (i < 0) {
            compile_time_check::field_has_no_spouse_twin();
            return 0;
        }
        return static_cast<std::size_t>(i);
    }
};

// Where a view lies, for messages: the record and up to two enclosing array elements
// ("rekzez.pitb[2].dg[3]").
struct view_origin {
    std::string_view record;
    std::string_view outer{};
    int outer_index = 0;
    std::string_view inner{};
    int inner_index = 0;

    view_origin enter(std::string_view element, int index) const;
    // "rekzez.pitb[2].dg[3].dzial[1]" (indices shown as given; 0 means none).
    std::string path(std::string_view field, int i = 0, int j = 0) const;
};

// Reading and writing one field by its descriptor, shared by the views, the return-file
// loader and the decoder. `at` is the field's element; writers name `path` in their errors.
namespace field_io {

[[noreturn]] void index_fault(const view_origin& origin, const field_def& f, int i, int j);

// The byte offset of element [i][j] of f from the start of its record; throws when an index
// lies outside the declared range.
inline std::size_t position(const field_def& f, int i, int j, const view_origin& origin)
{
    std::size_t at = f.offset;
    if (f.count1 != 0) {
        if (i < 1 || i > f.count1) {
            index_fault(origin, f, i, j);
        }
        at += std::size_t{f.stride1} * static_cast<std::size_t>(i - 1);
        if (f.count2 != 0) {
            if (j < 1 || j > f.count2) {
                index_fault(origin, f, i, j);
            }
            at += std::size_t{f.stride2} * static_cast<std::size_t>(j - 1);
        }
    }
    return at;
}

double read_real(const std::uint8_t* at, field_type t);
std::string read_text(const std::uint8_t* at, std::uint16_t capacity);
std::int32_t read_integer(const std::uint8_t* at, field_type t);
inline bool read_flag(const std::uint8_t* at)
{
    return *at != 0;
}
inline dt1 read_date(const std::uint8_t* at)
{
    return decode_dt1(at);
}

// Throw kestrun::error (input) naming `path` when the value does not fit the field.
void store_real(std::uint8_t* at, field_type t, double v, std::string_view path);
void store_text(std::uint8_t* at, std::uint16_t capacity, std::string_view utf8,
                std::string_view path);
void store_integer(std::uint8_t* at, field_type t, std::int64_t v, std::string_view path);
inline void store_flag(std::uint8_t* at, bool v)
{
    *at = v ? 1 : 0;
}
void store_date(std::uint8_t* at, const dt1& d, std::string_view path);

// True when the date names a real calendar day (month 1-12, day within the month).
bool valid_date(const dt1& d);

} // namespace field_io

template <const record_layout& L, bool Mutable> class person_view;

template <const record_layout& L, bool Mutable = false> class record_view {
public:
    using pointer = std::conditional_t<Mutable, std::uint8_t*, const std::uint8_t*>;
    template <access A, int D> using key = field_key<L, A, D>;

    record_view(pointer base, view_origin origin) : m_base(base), m_origin(origin) {}
    // A mutable view reads like a constant one.
    operator record_view<L, false>() const { return {m_base, m_origin}; }

    static constexpr const record_layout& layout() { return L; }
    pointer data() const { return m_base; }
    const view_origin& origin() const { return m_origin; }

    // Amounts: 6-byte reals and 4-byte floats, the latter widened to double.
    double real(key<access::real, 0> k) const { return real_at(*k.field, 0, 0); }
    double real(key<access::real, 1> k, int i) const { return real_at(*k.field, i, 0); }
    double real(key<access::real, 2> k, int i, int j) const { return real_at(*k.field, i, j); }
    // Short strings as UTF-8, the length byte clamped to the capacity.
    std::string text(key<access::text, 0> k) const { return text_at(*k.field, 0); }
    std::string text(key<access::text, 1> k, int i) const { return text_at(*k.field, i); }
    bool flag(key<access::flag, 0> k) const { return flag_at(*k.field, 0); }
    bool flag(key<access::flag, 1> k, int i) const { return flag_at(*k.field, i); }
    // Bytes, 16- and 32-bit integers.
    std::int32_t integer(key<access::integer, 0> k) const { return integer_at(*k.field, 0); }
    std::int32_t integer(key<access::integer, 1> k, int i) const { return integer_at(*k.field, i); }
    dt1 date(key<access::date, 0> k) const { return date_at(*k.field); }

    // The same by descriptor, for code that walks a layout.
    double real_at(const field_def& f, int i, int j) const
    {
        return field_io::read_real(at(f, i, j), f.type);
    }
    std::string text_at(const field_def& f, int i) const
    {
        return field_io::read_text(at(f, i, 0), f.capacity);
    }
    bool flag_at(const field_def& f, int i) const { return field_io::read_flag(at(f, i, 0)); }
    std::int32_t integer_at(const field_def& f, int i) const
    {
        return field_io::read_integer(at(f, i, 0), f.type);
    }
    dt1 date_at(const field_def& f) const { return field_io::read_date(at(f, 0, 0)); }

    // Writers: UTF-8 in, Windows-1250 stored; a value that does not fit throws (input).
    void set_real(key<access::real, 0> k, double v) const requires Mutable
    {
        set_real_at(*k.field, 0, 0, v);
    }
    void set_real(key<access::real, 1> k, int i, double v) const requires Mutable
    {
        set_real_at(*k.field, i, 0, v);
    }
    void set_real(key<access::real, 2> k, int i, int j, double v) const requires Mutable
    {
        set_real_at(*k.field, i, j, v);
    }
    void set_text(key<access::text, 0> k, std::string_view v) const requires Mutable
    {
        set_text_at(*k.field, 0, v);
    }
    void set_text(key<access::text, 1> k, int i, std::string_view v) const requires Mutable
    {
        set_text_at(*k.field, i, v);
    }
    void set_flag(key<access::flag, 0> k, bool v) const requires Mutable
    {
        set_flag_at(*k.field, 0, v);
    }
    void set_flag(key<access::flag, 1> k, int i, bool v) const requires Mutable
    {
        set_flag_at(*k.field, i, v);
    }
    void set_integer(key<access::integer, 0> k, std::int64_t v) const requires Mutable
    {
        set_integer_at(*k.field, 0, v);
    }
    void set_integer(key<access::integer, 1> k, int i, std::int64_t v) const requires Mutable
    {
        set_integer_at(*k.field, i, v);
    }
    void set_date(key<access::date, 0> k, const dt1& d) const requires Mutable
    {
        set_date_at(*k.field, d);
    }

    void set_real_at(const field_def& f, int i, int j, double v) const requires Mutable
    {
        field_io::store_real(at(f, i, j), f.type, v, m_origin.path(f.name, i, j));
    }
    void set_text_at(const field_def& f, int i, std::string_view v) const requires Mutable
    {
        field_io::store_text(at(f, i, 0), f.capacity, v, m_origin.path(f.name, i));
    }
    void set_flag_at(const field_def& f, int i, bool v) const requires Mutable
    {
        field_io::store_flag(at(f, i, 0), v);
    }
    void set_integer_at(const field_def& f, int i, std::int64_t v) const requires Mutable
    {
        field_io::store_integer(at(f, i, 0), f.type, v, m_origin.path(f.name, i));
    }
    void set_date_at(const field_def& f, const dt1& d) const requires Mutable
    {
        field_io::store_date(at(f, 0, 0), d, m_origin.path(f.name));
    }

    // Accessors are picked by the layout's name, not its address: a sanitizer build cannot
    // compare the addresses of two tables at compile time.

    // Person p of a return with spouse twins: 1 the taxpayer, 2 the spouse.
    person_view<L, Mutable> person(int p) const requires(L.name == "rekzez")
    {
        return person_view<L, Mutable>(*this, p);
    }

    // Elements of the arrays of records, from 1.
    auto obdar(int k) const requires(L.name == "rekzez")
    {
        return element<obdar_layout>("obdar", k);
    }
    auto dziecko(int k) const requires(L.name == "rekzez")
    {
        return element<dziecko_layout>("dziecko", k);
    }
    auto pitb(int p) const requires(L.name == "rekzez") { return element<pitb_layout>("pitb", p); }
    auto dg(int k) const requires(L.name == "pitb") { return element<pitb_dg_layout>("dg", k); }
    auto sp(int k) const requires(L.name == "rek28" || L.name == "pitb")
    {
        if constexpr (L.name == "rek28") {
            return element<rek28_sp_layout>("sp", k);
        } else {
            return element<pitb_sp_layout>("sp", k);
        }
    }

private:
    template <const record_layout& M>
    record_view<M, Mutable> element(key<access::records, 1> k, int index) const
    {
        return {at(*k.field, index, 0), m_origin.enter(k.field->name, index)};
    }

    pointer at(const field_def& f, int i, int j) const
    {
        return m_base + field_io::position(f, i, j, m_origin);
    }

    pointer m_base;
    view_origin m_origin;
};

// One person's fields of a return: for person 1 a key reads the taxpayer's field, for
// person 2 its spouse's twin.
template <const record_layout& L, bool Mutable> class person_view {
public:
    template <access A, int D> using key = person_key<L, A, D>;

    person_view(record_view<L, Mutable> record, int person);

    int person() const { return m_person; }

    double real(key<access::real, 0> k) const { return m_record.real_at(pick(k), 0, 0); }
    double real(key<access::real, 1> k, int i) const { return m_record.real_at(pick(k), i, 0); }
    double real(key<access::real, 2> k, int i, int j) const
    {
        return m_record.real_at(pick(k), i, j);
    }
    std::string text(key<access::text, 0> k) const { return m_record.text_at(pick(k), 0); }
    std::string text(key<access::text, 1> k, int i) const { return m_record.text_at(pick(k), i); }
    bool flag(key<access::flag, 0> k) const { return m_record.flag_at(pick(k), 0); }
    bool flag(key<access::flag, 1> k, int i) const { return m_record.flag_at(pick(k), i); }
    std::int32_t integer(key<access::integer, 0> k) const
    {
        return m_record.integer_at(pick(k), 0);
    }
    dt1 date(key<access::date, 0> k) const { return m_record.date_at(pick(k)); }

    void set_real(key<access::real, 0> k, double v) const requires Mutable
    {
        m_record.set_real_at(pick(k), 0, 0, v);
    }
    void set_real(key<access::real, 1> k, int i, double v) const requires Mutable
    {
        m_record.set_real_at(pick(k), i, 0, v);
    }
    void set_real(key<access::real, 2> k, int i, int j, double v) const requires Mutable
    {
        m_record.set_real_at(pick(k), i, j, v);
    }
    void set_text(key<access::text, 0> k, std::string_view v) const requires Mutable
    {
        m_record.set_text_at(pick(k), 0, v);
    }
    void set_text(key<access::text, 1> k, int i, std::string_view v) const requires Mutable
    {
        m_record.set_text_at(pick(k), i, v);
    }
    void set_flag(key<access::flag, 0> k, bool v) const requires Mutable
    {
        m_record.set_flag_at(pick(k), 0, v);
    }
    void set_integer(key<access::integer, 0> k, std::int64_t v) const requires Mutable
    {
        m_record.set_integer_at(pick(k), 0, v);
    }
    void set_date(key<access::date, 0> k, const dt1& d) const requires Mutable
    {
        m_record.set_date_at(pick(k), d);
    }

private:
    template <access A, int D> const field_def& pick(const key<A, D>& k) const
    {
        return m_person == 1 ? *k.taxpayer : *k.spouse;
    }

    record_view<L, Mutable> m_record;
    int m_person;
};

[[noreturn]] void person_fault(const view_origin& origin, int person);

template <const record_layout& L, bool Mutable>
person_view<L, Mutable>::person_view(record_view<L, Mutable> record, int person)
    : m_record(record), m_person(person)
{
    if (person != 1 && person != 2) {
        person_fault(record.origin(), person);
    }
}

using rek28_view = record_view<rek28_layout>;
using rekzez_view = record_view<rekzez_layout>;
using rek_uz_view = record_view<rek_uz_layout>;
using rekster_view = record_view<rekster_layout>;
using rek28_mut = record_view<rek28_layout, true>;
using rekzez_mut = record_view<rekzez_layout, true>;
using rek_uz_mut = record_view<rek_uz_layout, true>;
using rekster_mut = record_view<rekster_layout, true>;

} // namespace kestrun::host

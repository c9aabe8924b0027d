#pragma once
// How a packed record is described: one table of fields per record, each with its offset,
// type and array shape, read by the typed views, the return-file loader and the decoder.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kestrun::host {

enum class field_type : std::uint8_t {
    real48, // 6-byte real, an amount
    single, // 4-byte IEEE float (shares and a few amounts)
    text,   // short string: a length byte and `capacity` Windows-1250 bytes
    flag,   // bool: 0 false, anything else true
    byte,   // unsigned 8 bits
    int16,  // signed, little-endian
    int32,  // signed, little-endian
    date,   // Typy::dt1
    record, // an element of an array of records (see field_def::members)
};

struct record_layout;

struct field_def {
    std::string_view name;
    std::uint32_t offset = 0;
    field_type type = field_type::byte;
    std::uint16_t capacity = 0; // texts: the characters a short string holds
    // Array shape: count1 elements of stride1 bytes (0 for a single value), each of count2
    // elements of stride2 bytes (0 for one dimension). Indices run from 1.
    std::uint16_t count1 = 0;
    std::uint16_t stride1 = 0;
    std::uint16_t count2 = 0;
    std::uint16_t stride2 = 0;
    const record_layout* members = nullptr; // arrays of records: the element's layout
    // A second name for one element of an array field (`zus` is `odl_o[2]`).
    std::string_view alias_of{};
    std::uint16_t alias_index = 0;
    // What the field holds and the form box it feeds, in English and, where known, Polish
    // words: the description the return file's schema gives each key.
    std::string_view about_en{};
    std::string_view about_pl{};

    constexpr int dimensions() const { return count1 == 0 ? 0 : count2 == 0 ? 1 : 2; }
    constexpr bool is_alias() const { return !alias_of.empty(); }
    constexpr std::size_t element_width() const;
    // Bytes from the field's offset to the end of its last element.
    constexpr std::size_t extent() const
    {
        std::size_t end = element_width();
        if (count2 != 0) {
            end += std::size_t{stride2} * (count2 - 1u);
        }
        if (count1 != 0) {
            end += std::size_t{stride1} * (count1 - 1u);
        }
        return end;
    }
};

struct record_layout {
    std::string_view name;
    std::span<const field_def> fields;
    std::uint32_t size = 0;

    // Constant evaluation works with indices (-1: none), not pointers: a sanitizer build
    // cannot compare pointers to the table with null at compile time.
    constexpr int index_of(std::string_view field) const
    {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].name == field) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // The spouse's twin of a field: the field of the same name with "_m" added.
    constexpr int twin_index(std::string_view field) const
    {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view candidate = fields[i].name;
            if (candidate.size() == field.size() + 2 && candidate.starts_with(field) &&
                candidate.ends_with("_m")) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    const field_def* find(std::string_view field) const
    {
        const int i = index_of(field);
        return i < 0 ? nullptr : &fields[static_cast<std::size_t>(i)];
    }
    const field_def* twin(std::string_view field) const
    {
        const int i = twin_index(field);
        return i < 0 ? nullptr : &fields[static_cast<std::size_t>(i)];
    }
    constexpr const field_def& operator[](std::string_view field) const
    {
        return fields[static_cast<std::size_t>(index_of(field))];
    }
};

constexpr std::size_t type_width(field_type t)
{
    switch (t) {
    case field_type::real48:
        return 6;
    case field_type::single:
    case field_type::int32:
    case field_type::date:
        return 4;
    case field_type::int16:
        return 2;
    case field_type::text:
    case field_type::flag:
    case field_type::byte:
    case field_type::record:
        return 1;
    }
    return 1;
}

constexpr std::size_t field_def::element_width() const
{
    if (type == field_type::text) {
        return std::size_t{capacity} + 1;
    }
    if (type == field_type::record) {
        return members->size;
    }
    return type_width(type);
}

// Checks the record's table: every field inside the record, element strides no smaller than
// the element, no two fields sharing a byte unless one is a declared alias lying exactly on
// an element of its array of the same type, names unique. Holds for nested member layouts too.
// Returns the name of the first offending field, or an empty view when the table is sound.
// Sorting keeps the check within the compile-time step limits of every compiler.
constexpr std::string_view layout_fault(const record_layout& l)
{
    struct extent_of {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::string_view name;
    };
    constexpr std::size_t max_fields = 512;
    if (l.fields.size() > max_fields) {
        return l.name;
    }
    std::array<extent_of, max_fields> extents{};
    std::array<std::string_view, max_fields> names{};
    std::size_t placed = 0;
    for (std::size_t i = 0; i < l.fields.size(); ++i) {
        const field_def& f = l.fields[i];
        names[i] = f.name;
        if (f.offset + f.extent() > l.size) {
            return f.name;
        }
        const std::size_t row =
            f.count2 != 0 ? std::size_t{f.stride2} * f.count2 : f.element_width();
        if (f.count1 != 0 && f.stride1 < row) {
            return f.name;
        }
        if (f.count2 != 0 && f.stride2 < f.element_width()) {
            return f.name;
        }
        if (f.type == field_type::record && (f.count1 == 0 || !layout_fault(*f.members).empty())) {
            return f.name;
        }
        if (!f.is_alias()) {
            extents[placed++] = {f.offset, f.offset + f.extent(), f.name};
            continue;
        }
        const int t = l.index_of(f.alias_of);
        if (t < 0) {
            return f.name;
        }
        const field_def& target = l.fields[static_cast<std::size_t>(t)];
        if (target.dimensions() != 1 || f.dimensions() != 0 || target.type != f.type ||
            f.alias_index < 1 || f.alias_index > target.count1 ||
            target.offset + std::size_t{target.stride1} * (f.alias_index - 1u) != f.offset) {
            return f.name;
        }
    }
    std::sort(extents.begin(), extents.begin() + static_cast<std::ptrdiff_t>(placed),
              [](const extent_of& a, const extent_of& b) { return a.begin < b.begin; });
    std::size_t reached = 0;
    for (std::size_t i = 0; i < placed; ++i) {
        if (extents[i].begin < reached) {
            return extents[i].name;
        }
        reached = std::max(reached, extents[i].end);
    }
    const auto last = names.begin() + static_cast<std::ptrdiff_t>(l.fields.size());
    std::sort(names.begin(), last);
    const auto twice = std::adjacent_find(names.begin(), last);
    return twice == last ? std::string_view() : *twice;
}

// The spouse's twins must have the shape of their taxpayer field (a shorter array allowed).
constexpr std::string_view twin_fault(const record_layout& l)
{
    for (const field_def& t : l.fields) {
        if (!t.name.ends_with("_m")) {
            continue;
        }
        const int i = l.index_of(t.name.substr(0, t.name.size() - 2));
        if (i < 0) {
            continue; // a field of its own, not a twin (zal_m counts PIT/M attachments)
        }
        const field_def& f = l.fields[static_cast<std::size_t>(i)];
        if (t.type != f.type || t.capacity != f.capacity || t.dimensions() != f.dimensions() ||
            t.count1 > f.count1 || t.stride1 != f.stride1 || t.count2 != f.count2 ||
            t.stride2 != f.stride2) {
            return t.name;
        }
    }
    return {};
}

// Table builders: each record is declared once, as the format lays it out.
namespace declare {

constexpr field_def scalar(std::string_view name, std::uint32_t offset, field_type type)
{
    return {.name = name, .offset = offset, .type = type};
}
constexpr field_def real(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::real48);
}
constexpr field_def single(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::single);
}
constexpr field_def flag(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::flag);
}
constexpr field_def byte(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::byte);
}
constexpr field_def int16(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::int16);
}
constexpr field_def int32(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::int32);
}
constexpr field_def date(std::string_view name, std::uint32_t offset)
{
    return scalar(name, offset, field_type::date);
}
constexpr field_def text(std::string_view name, std::uint32_t offset, std::uint16_t capacity)
{
    return {.name = name, .offset = offset, .type = field_type::text, .capacity = capacity};
}
// array[1..count] of the field's type, elements `stride` bytes apart (default: packed).
constexpr field_def array(field_def f, std::uint16_t count, std::uint16_t stride = 0)
{
    f.count1 = count;
    f.stride1 = stride != 0 ? stride : static_cast<std::uint16_t>(f.element_width());
    return f;
}
// array[1..rows] of array[1..columns], row-major.
constexpr field_def matrix(field_def f, std::uint16_t rows, std::uint16_t columns)
{
    f.count2 = columns;
    f.stride2 = static_cast<std::uint16_t>(f.element_width());
    f.count1 = rows;
    f.stride1 = static_cast<std::uint16_t>(f.stride2 * columns);
    return f;
}
constexpr field_def records(std::string_view name, std::uint32_t offset, std::uint16_t count,
                            const record_layout& members)
{
    return {.name = name,
            .offset = offset,
            .type = field_type::record,
            .count1 = count,
            .stride1 = static_cast<std::uint16_t>(members.size),
            .members = &members};
}
// A second name for element `index` of the array `target`.
constexpr field_def alias(field_def f, std::string_view target, std::uint16_t index)
{
    f.alias_of = target;
    f.alias_index = index;
    return f;
}

// The field with its description: what it holds and the box it feeds.
constexpr field_def about(field_def f, std::string_view en, std::string_view pl = {})
{
    f.about_en = en;
    f.about_pl = pl;
    return f;
}

} // namespace declare

} // namespace kestrun::host

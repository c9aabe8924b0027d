#include "host/tamdor/record.h"

#include "platform/error.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace kestrun::host {

view_origin view_origin::enter(std::string_view element, int index) const
{
    view_origin inside = *this;
    if (outer.empty()) {
        inside.outer = element;
        inside.outer_index = index;
    } else {
        inside.inner = element;
        inside.inner_index = index;
    }
    return inside;
}

namespace {

void append_index(std::string& out, int index)
{
    out += '[';
    out += std::to_string(index);
    out += ']';
}

} // namespace

std::string view_origin::path(std::string_view field, int i, int j) const
{
    std::string out(record);
    if (!outer.empty()) {
        out += '.';
        out += outer;
        append_index(out, outer_index);
    }
    if (!inner.empty()) {
        out += '.';
        out += inner;
        append_index(out, inner_index);
    }
    out += '.';
    out += field;
    if (i != 0) {
        append_index(out, i);
    }
    if (j != 0) {
        append_index(out, j);
    }
    return out;
}

void person_fault(const view_origin& origin, int person)
{
    throw host_error(std::string(origin.record) + ": person " + std::to_string(person) +
                     " does not exist (1 taxpayer, 2 spouse)");
}

namespace field_io {

void index_fault(const view_origin& origin, const field_def& f, int i, int j)
{
    const bool first = i < 1 || i > f.count1;
    const int bad = first ? i : j;
    const int last = first ? f.count1 : f.count2;
    std::string where = origin.path(f.name) + "[" + std::to_string(i) + "]";
    if (f.count2 != 0) {
        where += "[" + std::to_string(j) + "]";
    }
    throw host_error(where + ": index " + std::to_string(bad) + " outside 1.." +
                     std::to_string(last));
}

double read_real(const std::uint8_t* at, field_type t)
{
    if (t == field_type::single) {
        float v = 0;
        std::memcpy(&v, at, sizeof v);
        return static_cast<double>(v);
    }
    return decode_real48(at);
}

std::string read_text(const std::uint8_t* at, std::uint16_t capacity)
{
    const std::size_t length = std::min<std::size_t>(at[0], capacity);
    return cp1250_to_utf8(std::string_view(reinterpret_cast<const char*>(at + 1), length));
}

std::int32_t read_integer(const std::uint8_t* at, field_type t)
{
    switch (t) {
    case field_type::int16: {
        std::int16_t v = 0;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    case field_type::int32: {
        std::int32_t v = 0;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    default:
        return at[0];
    }
}

void store_real(std::uint8_t* at, field_type t, double v, std::string_view path)
{
    const std::string where(path);
    if (!std::isfinite(v)) {
        throw input_error(where + ": amount is not a finite number");
    }
    if (t == field_type::single) {
        if (std::fabs(v) > static_cast<double>(FLT_MAX)) {
            throw input_error(where + ": amount " + real48_shortest_text(v) +
                              " is outside the 4-byte float range");
        }
        const auto f = static_cast<float>(v);
        std::memcpy(at, &f, sizeof f);
        return;
    }
    if (std::fabs(v) > real48_max) {
        throw input_error(where + ": amount is outside the 6-byte real range");
    }
    const auto bytes = encode_real48(v);
    std::memcpy(at, bytes.data(), bytes.size());
}

void store_text(std::uint8_t* at, std::uint16_t capacity, std::string_view utf8,
                std::string_view path)
{
    if (const auto control = first_control(utf8); !control.empty()) {
        throw input_error(std::string(path) + ": control character " + control +
                          " in a text (a text is one line of printable characters)");
    }
    const auto bytes = utf8_to_cp1250(utf8);
    if (!bytes) {
        throw input_error(std::string(path) + ": character \"" + first_unrepresentable(utf8) +
                          "\" is not representable in Windows-1250");
    }
    if (bytes->size() > capacity) {
        throw input_error(std::string(path) + ": text of " + std::to_string(bytes->size()) +
                          " characters, capacity " + std::to_string(capacity));
    }
    // The unused tail is cleared so that equal texts give equal images.
    std::memset(at, 0, std::size_t{capacity} + 1);
    at[0] = static_cast<std::uint8_t>(bytes->size());
    std::memcpy(at + 1, bytes->data(), bytes->size());
}

void store_integer(std::uint8_t* at, field_type t, std::int64_t v, std::string_view path)
{
    std::int64_t low = 0;
    std::int64_t high = 255;
    if (t == field_type::int16) {
        low = INT16_MIN;
        high = INT16_MAX;
    } else if (t == field_type::int32) {
        low = INT32_MIN;
        high = INT32_MAX;
    }
    if (v < low || v > high) {
        throw input_error(std::string(path) + ": " + std::to_string(v) + " outside " +
                          std::to_string(low) + ".." + std::to_string(high));
    }
    if (t == field_type::int16) {
        const auto n = static_cast<std::int16_t>(v);
        std::memcpy(at, &n, sizeof n);
    } else if (t == field_type::int32) {
        const auto n = static_cast<std::int32_t>(v);
        std::memcpy(at, &n, sizeof n);
    } else {
        at[0] = static_cast<std::uint8_t>(v);
    }
}

bool valid_date(const dt1& d)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.year < 1) {
        return false;
    }
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    const int last = days[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
    return d.day <= last;
}

void store_date(std::uint8_t* at, const dt1& d, std::string_view path)
{
    if (d.month != 0 && !valid_date(d)) {
        throw input_error(std::string(path) + ": " + std::to_string(d.year) + "-" +
                          std::to_string(d.month) + "-" + std::to_string(d.day) +
                          " is not a calendar date");
    }
    const auto bytes = encode_dt1(d.month == 0 ? dt1{} : d);
    std::memcpy(at, bytes.data(), bytes.size());
}

} // namespace field_io

} // namespace kestrun::host

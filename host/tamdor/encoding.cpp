#include "host/tamdor/encoding.h"

#include "platform/error.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kestrun::host {

namespace {

constexpr char32_t undefined = 0xFFFD;

// The upper half of Windows-1250 (0x80-0xFF); the lower half is ASCII.
constexpr char32_t cp1250_upper[128] = {
    0x20AC,    undefined, 0x201A, undefined, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    undefined, 0x2030,    0x0160, 0x2039,    0x015A, 0x0164, 0x017D, 0x0179, // 88
    undefined, 0x2018,    0x2019, 0x201C,    0x201D, 0x2022, 0x2013, 0x2014, // 90
    undefined, 0x2122,    0x0161, 0x203A,    0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0,    0x02C7,    0x02D8, 0x0141,    0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8,    0x00A9,    0x015E, 0x00AB,    0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0,    0x00B1,    0x02DB, 0x0142,    0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8,    0x0105,    0x015F, 0x00BB,    0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154,    0x00C1,    0x00C2, 0x0102,    0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C,    0x00C9,    0x0118, 0x00CB,    0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110,    0x0143,    0x0147, 0x00D3,    0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158,    0x016E,    0x00DA, 0x0170,    0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155,    0x00E1,    0x00E2, 0x0103,    0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D,    0x00E9,    0x0119, 0x00EB,    0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111,    0x0144,    0x0148, 0x00F3,    0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159,    0x016F,    0x00FA, 0x0171,    0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
};

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// One code point from the front of a UTF-8 text; nullopt for an invalid, overlong or
// truncated sequence or a surrogate. `length` receives the bytes consumed (1 when invalid).
std::optional<char32_t> next_code_point(std::string_view s, std::size_t& length)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    length = 1;
    const unsigned lead = b(0);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t n = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        n = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        n = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        n = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (s.size() < n) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (b(i) & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    length = n;
    return c;
}

std::optional<unsigned char> to_cp1250(char32_t c)
{
    if (c < 0x80) {
        return static_cast<unsigned char>(c);
    }
    if (c == undefined) {
        return std::nullopt;
    }
    for (unsigned i = 0; i < 128; ++i) {
        if (cp1250_upper[i] == c) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

} // namespace

dt1 decode_dt1(const std::uint8_t* four)
{
    return {static_cast<std::uint16_t>(four[0] | (four[1] << 8)), four[2], four[3]};
}

std::array<std::uint8_t, 4> encode_dt1(const dt1& d)
{
    return {static_cast<std::uint8_t>(d.year & 0xFF), static_cast<std::uint8_t>(d.year >> 8),
            d.month, d.day};
}

double decode_real48(const std::uint8_t* six)
{
    if (six[0] == 0) {
        return 0.0;
    }
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i) {
        fraction = (fraction << 8) | six[i];
    }
    fraction &= (std::uint64_t{1} << 39) - 1;
    const double magnitude =
        std::ldexp(static_cast<double>((std::uint64_t{1} << 39) | fraction), six[0] - 129 - 39);
    return (six[5] & 0x80) != 0 ? -magnitude : magnitude;
}

std::array<std::uint8_t, 6> encode_real48(double value)
{
    if (!std::isfinite(value)) {
        throw input_error("amount is not a finite number");
    }
    std::array<std::uint8_t, 6> out{};
    if (value == 0.0) {
        return out;
    }
    int exponent = 0;
    const double m = std::frexp(std::fabs(value), &exponent); // |value| = m * 2^exponent
    // The 40-bit significand with its hidden leading 1; nearbyint rounds ties to even.
    auto significand = static_cast<std::uint64_t>(std::nearbyint(std::ldexp(m, 40)));
    int biased = exponent + 128;
    if (significand == (std::uint64_t{1} << 40)) {
        significand >>= 1;
        ++biased;
    }
    if (biased > 255) {
        char text[64];
        std::snprintf(text, sizeof text, "amount %g is outside the 6-byte real range", value);
        throw input_error(text);
    }
    if (biased < 1) {
        return out;
    }
    out[0] = static_cast<std::uint8_t>(biased);
    for (int i = 1; i <= 5; ++i) {
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * (i - 1)));
    }
    out[5] &= 0x7F; // the hidden 1 is not stored; its place holds the sign
    if (value < 0) {
        out[5] |= 0x80;
    }
    return out;
}

std::string real48_shortest_text(double value)
{
    const auto target = encode_real48(value);
    char text[40];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, value);
        // A short text of a value near the largest may round up past it: not a candidate.
        const double back = std::strtod(text, nullptr);
        if (std::fabs(back) <= real48_max && encode_real48(back) == target) {
            break;
        }
    }
    return text;
}

std::string single_shortest_text(float value)
{
    char text[40];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) {
            break;
        }
    }
    return text;
}

std::string cp1250_to_utf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F) {
            append_utf8(out, undefined);
        } else if (b < 0x80) {
            out.push_back(ch);
        } else {
            append_utf8(out, cp1250_upper[b - 0x80]);
        }
    }
    return out;
}

std::optional<std::string> utf8_to_cp1250(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        std::size_t length = 0;
        const auto c = next_code_point(utf8, length);
        if (!c) {
            return std::nullopt;
        }
        const auto b = to_cp1250(*c);
        if (!b) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*b));
        utf8.remove_prefix(length);
    }
    return out;
}

std::string first_unrepresentable(std::string_view utf8)
{
    while (!utf8.empty()) {
        std::size_t length = 0;
        const auto c = next_code_point(utf8, length);
        if (!c) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(utf8[0]));
            return std::string("invalid UTF-8 byte ") + hex;
        }
        if (!to_cp1250(*c)) {
            return std::string(utf8.substr(0, length));
        }
        utf8.remove_prefix(length);
    }
    return {};
}

std::string first_control(std::string_view utf8)
{
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F) {
            char text[8];
            std::snprintf(text, sizeof text, "U+%04X", unsigned{b});
            return text;
        }
    }
    return {};
}

std::size_t utf8_length(std::string_view utf8)
{
    std::size_t n = 0;
    while (!utf8.empty()) {
        std::size_t length = 0;
        next_code_point(utf8, length);
        utf8.remove_prefix(length);
        ++n;
    }
    return n;
}

} // namespace kestrun::host

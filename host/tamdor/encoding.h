#pragma once
// The encodings of the host's packed records: the 6-byte real of amounts, the Windows-1250
// bytes of short strings and the 4-byte date. Pure functions, shared by the typed record
// views, the return-file loader and the image decoder.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrun::host {

// The host's date (Typy::dt1): year little-endian in bytes 0-1, month in byte 2, day in
// byte 3. Month 0 means that no date is given.
struct dt1 {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;

    bool empty() const { return month == 0; }
    friend bool operator==(const dt1&, const dt1&) = default;
};

dt1 decode_dt1(const std::uint8_t* four);
std::array<std::uint8_t, 4> encode_dt1(const dt1& d);

// The largest magnitude a 6-byte real holds: (2 - 2^-39) * 2^126.
inline constexpr double real48_max = 0x1.FFFFFFFFFEp+126;

// Exact: every 6-byte real is a double. An exponent byte of 0 is the value 0 whatever the
// other bytes hold.
double decode_real48(const std::uint8_t* six);

// The nearest 6-byte real, ties to the even fraction. Values below the smallest normal
// 6-byte real (2^-128) become 0. Throws kestrun::error (input) for a value that is not finite
// or whose magnitude exceeds real48_max after rounding.
std::array<std::uint8_t, 6> encode_real48(double value);

// The shortest decimal text (at most 17 significant digits) that encodes back to the same
// 6-byte real: 1234.56 stays "1234.56" although the stored value is not exactly that.
std::string real48_shortest_text(double value);

// The same for a 4-byte float.
std::string single_shortest_text(float value);

// Windows-1250 bytes as UTF-8; the five undefined bytes (0x81 0x83 0x88 0x90 0x98) and the
// control bytes (0x00-0x1F, 0x7F), which no text of a return holds and no caption can show,
// become U+FFFD.
std::string cp1250_to_utf8(std::string_view bytes);

// UTF-8 as Windows-1250 bytes, or nullopt when the text is not valid UTF-8 or holds a
// character that Windows-1250 cannot represent.
std::optional<std::string> utf8_to_cp1250(std::string_view utf8);

// The first character of the text that Windows-1250 cannot represent, as UTF-8 (empty when
// every character is representable); an invalid UTF-8 sequence is reported as its bytes in hex.
std::string first_unrepresentable(std::string_view utf8);

// The first control character (U+0000-U+001F, U+007F) of the text as "U+0000", or empty.
std::string first_control(std::string_view utf8);

// The number of characters of a UTF-8 text (code points; invalid bytes count one each).
std::size_t utf8_length(std::string_view utf8);

} // namespace kestrun::host

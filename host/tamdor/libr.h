#pragma once
// The host's formatting operations (units Libr and Pr_vcl) and its margin and offset tables.
// The texts are fixed: the pages and their tests rely on them character for character.

#include "host/tamdor/encoding.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrun::host {

// Pairs of 32-bit integers of the host's print margins, and its print offsets.
struct margin_pair {
    std::int32_t x = 0, y = 0;
};
inline constexpr int margin_table_size = 60; // pairs, 480 bytes
inline constexpr int offset_table_size = 91; // int32 values, 364 bytes

} // namespace kestrun::host

namespace Libr {

// The amount rounded to `decimals` (half away from zero, on the shortest decimal text that
// reads back as the value), thousands grouped with "." and decimals after ",", a "-" for
// negatives (none when it rounds to zero), left-padded with blanks to `width`, never cut.
// Throws kestrun::error (host) when the value is not finite.
std::string rstrsp(double value, int width, int decimals);

// The text without "-".
std::string usun_kreski(std::string_view text);

// Ten digits edited as XXX-XXX-XX-XX (style 1) or XXX-XX-XX-XXX (style 0); anything else is
// returned unchanged.
std::string red_nip(std::string_view text, std::uint8_t style);

// DD-MM-YYYY, or the empty text when the date's month byte is 0.
std::string DataToStr(const kestrun::host::dt1& date, int mode);

// The first `count` entries of a caller-allocated table get the host's stored print margins
// (offsets) of the named set; the rest, and everything when the set is not stored, are 0.
// The sets live in marginesy.json of the settings folder: {"ofdr": [[x, y], ...],
// "odszezr": [n, ...]}. Returns how many entries the store held for the set.
int czyt_marg(const std::filesystem::path& settings_dir, std::string_view name, int count,
              kestrun::host::margin_pair* table);
int czyt_odlcz(const std::filesystem::path& settings_dir, std::string_view name, int count,
               std::int32_t* table);

} // namespace Libr

namespace Pr_vcl {

// The characters of the text joined by single blanks: "2015" -> "2 0 1 5".
std::string wydznaki(std::string_view text);

} // namespace Pr_vcl

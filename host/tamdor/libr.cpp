#include "host/tamdor/libr.h"

#include "platform/error.h"
#include "platform/io/files.h"
#include "platform/io/json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// Rounds the decimal digits "int.frac" half away from zero to `decimals` places, working on the
// text so that 1999164.555 rounds up as the amount reads, not as its binary value lies.
std::string round_decimal_text(std::string digits, int decimals)
{
    auto dot = digits.find('.');
    std::string ip = dot == std::string::npos ? digits : digits.substr(0, dot);
    std::string fp = dot == std::string::npos ? std::string{} : digits.substr(dot + 1);
    const auto keep = static_cast<std::size_t>(decimals);
    bool round_up = fp.size() > keep && fp[keep] >= '5';
    fp.resize(keep, '0');
    std::string all = ip + fp;
    if (round_up) {
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<std::size_t>(i)] == '9') {
                all[static_cast<std::size_t>(i)] = '0';
            } else {
                ++all[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
    }
    std::string int_part = all.substr(0, all.size() - keep);
    std::string frac_part = all.substr(all.size() - keep);
    if (int_part.empty())
        int_part = "0";
    return keep ? int_part + "." + frac_part : int_part;
}

// The shortest decimal text that reads back as `magnitude` (not negative), written out without
// an exponent: 1.7014118346e38 is "170141183460000000000000000000000000000", not the binary
// value's 39 exact digits.
std::string shortest_decimal_text(double magnitude)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto e = text.find('e');
    std::string digits;
    std::copy_if(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(e),
                 std::back_inserter(digits), is_digit);
    int exponent = 0;
    const auto exp_text = text.substr(e + 1);
    std::from_chars(exp_text.data() + (exp_text.front() == '+' ? 1 : 0),
                    exp_text.data() + exp_text.size(), exponent);
    // digits d1 d2 ... dn stand for d1.d2...dn x 10^exponent.
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto int_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= int_digits)
        return digits + std::string(int_digits - digits.size(), '0');
    return digits.substr(0, int_digits) + "." + digits.substr(int_digits);
}

} // namespace

namespace Libr {

std::string rstrsp(double value, int width, int decimals)
{
    if (!std::isfinite(value))
        throw kestrun::host_error("amount is not a finite number");
    decimals = std::clamp(decimals, 0, 15);
    const std::string rounded =
        round_decimal_text(shortest_decimal_text(std::fabs(value)), decimals);

    auto dot = rounded.find('.');
    std::string ip = dot == std::string::npos ? rounded : rounded.substr(0, dot);
    std::string fp = dot == std::string::npos ? std::string{} : rounded.substr(dot + 1);
    std::string grouped;
    for (std::size_t i = 0; i < ip.size(); ++i) {
        if (i > 0 && (ip.size() - i) % 3 == 0)
            grouped += '.';
        grouped += ip[i];
    }
    bool is_zero =
        std::all_of(rounded.begin(), rounded.end(), [](char c) { return c == '0' || c == '.'; });
    std::string text = (value < 0 && !is_zero ? "-" : "") + grouped + (fp.empty() ? "" : "," + fp);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string usun_kreski(std::string_view text)
{
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char c) { return c != '-'; });
    return out;
}

std::string red_nip(std::string_view text, std::uint8_t style)
{
    if (text.size() != 10 || !std::all_of(text.begin(), text.end(), is_digit))
        return std::string(text);
    std::string t(text);
    return style == 1
               ? t.substr(0, 3) + "-" + t.substr(3, 3) + "-" + t.substr(6, 2) + "-" + t.substr(8, 2)
               : t.substr(0, 3) + "-" + t.substr(3, 2) + "-" + t.substr(5, 2) + "-" +
                     t.substr(7, 3);
}

std::string DataToStr(const kestrun::host::dt1& date, int /*mode*/)
{
    if (date.month == 0)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02u-%02u-%04u", unsigned{date.day}, unsigned{date.month},
                  unsigned{date.year});
    return buf;
}

namespace {

// The stored set of the given name, or null when the store or the set is missing. A store that
// exists but cannot be read is the host's failure and is reported as such.
nlohmann::json read_set(const std::filesystem::path& settings_dir, std::string_view name)
{
    auto file = settings_dir / "marginesy.json";
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return nullptr;
    nlohmann::json store;
    try {
        store =
            kestrun::io::read_json_file(file, kestrun::io::document_limit, "margin table store");
    } catch (const kestrun::error& e) {
        throw kestrun::io_error(e.what());
    }
    if (!store.is_object())
        throw kestrun::io_error(file.string() + ": not a margin table store (a JSON object)");
    auto it = store.find(std::string(name));
    return it == store.end() ? nlohmann::json(nullptr) : *it;
}

std::int32_t as_int32(const nlohmann::json& v, const std::string& where)
{
    if (!v.is_number_integer() || v.get<std::int64_t>() < INT32_MIN ||
        v.get<std::int64_t>() > INT32_MAX)
        throw kestrun::io_error("marginesy.json: " + where + " is not a 32-bit integer");
    return static_cast<std::int32_t>(v.get<std::int64_t>());
}

} // namespace

int czyt_marg(const std::filesystem::path& settings_dir, std::string_view name, int count,
              kestrun::host::margin_pair* table)
{
    std::fill(table, table + count, kestrun::host::margin_pair{});
    auto set = read_set(settings_dir, name);
    if (!set.is_array())
        return 0;
    int n = std::min<int>(count, static_cast<int>(set.size()));
    for (int i = 0; i < n; ++i) {
        const auto& pair = set[static_cast<std::size_t>(i)];
        std::string where = std::string(name) + "[" + std::to_string(i + 1) + "]";
        if (!pair.is_array() || pair.size() != 2)
            throw kestrun::io_error("marginesy.json: " + where + " is not a pair [x, y]");
        table[i] = {as_int32(pair[0], where), as_int32(pair[1], where)};
    }
    return n;
}

int czyt_odlcz(const std::filesystem::path& settings_dir, std::string_view name, int count,
               std::int32_t* table)
{
    std::fill(table, table + count, 0);
    auto set = read_set(settings_dir, name);
    if (!set.is_array())
        return 0;
    int n = std::min<int>(count, static_cast<int>(set.size()));
    for (int i = 0; i < n; ++i)
        table[i] = as_int32(set[static_cast<std::size_t>(i)],
                            std::string(name) + "[" + std::to_string(i + 1) + "]");
    return n;
}

} // namespace Libr

namespace Pr_vcl {

std::string wydznaki(std::string_view text)
{
    // One blank between characters, not between the bytes of a character.
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = 1;
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        if (!out.empty())
            out += ' ';
        out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

} // namespace Pr_vcl

#include "returns/ten_thousandths.h"

#include "platform/error.h"

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

namespace kestrun {

namespace {

// 128 bits hold the exact product of a 53-bit significand and 10000 next to a 64-bit sum.
__extension__ typedef __int128 wide;

[[noreturn]] void refuse(std::string_view field, double amount, std::string_view why)
{
    std::ostringstream text;
    text.precision(17);
    text << field << ": " << amount << " " << why;
    throw host_error(text.str());
}

bool fits_64(wide v)
{
    return v >= std::numeric_limits<std::int64_t>::min() &&
           v <= std::numeric_limits<std::int64_t>::max();
}

} // namespace

void ten_thousandths::add(double amount, std::string_view field)
{
    if (!std::isfinite(amount))
        refuse(field, amount, "is not a finite amount");
    if (amount == 0)
        return;
    // amount = m x 2^e exactly, with m an integer of at most 53 bits; amount x 10000 is then
    // m x 10000 x 2^e, whose numerator fits 67 bits.
    int e = 0;
    const double fraction = std::frexp(amount, &e);
    const auto m = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    e -= 53;
    const wide numerator = wide{m} * 10000;
    const char* too_large = "has more ten-thousandths of a zloty than a 64-bit sum holds";
    wide exact_sum = 0;
    if (e >= 0) {
        // |m| is at least 2^52 (frexp normalises), so |m x 10000 x 2^e| is at least 2^65: no
        // amount this large fits a 64-bit sum, and scaling it first would overflow even 128 bits.
        refuse(field, amount, too_large);
    } else if (-e > 70) {
        // |amount x 10000| < 2^67 / 2^71: less than half a ten-thousandth, never a tie.
        return;
    } else {
        const int k = -e;
        const wide whole = numerator >> k; // floor, also for negative amounts
        const wide rest = numerator - (whole << k);
        const wide half = wide{1} << (k - 1);
        exact_sum = wide{m_sum} + whole;
        if (rest > half || (rest == half && (exact_sum & 1) != 0))
            exact_sum += 1;
    }
    if (!fits_64(exact_sum))
        refuse(field, amount, "takes the sum of ten-thousandths of a zloty beyond 64 bits");
    m_sum = static_cast<std::int64_t>(exact_sum);
}

} // namespace kestrun

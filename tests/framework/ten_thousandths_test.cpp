// The exact sums the PIT/M totals print: amounts far beyond a 64-bit sum are refused by name,
// never multiplied past the width of the arithmetic (a fuzzed return once did that).

#include "platform/error.h"
#include "returns/ten_thousandths.h"

#include <gtest/gtest.h>

namespace {

TEST(ten_thousandths, sums_exactly_and_refuses_what_64_bits_cannot_hold)
{
    struct row {
        double amount;
        std::int64_t count;
        bool refused;
        const char* why;
    };
    const row rows[] = {
        {0.005, 50, false, "half a grosz is fifty ten-thousandths, nearest to the stored double"},
        {-250.0, -2500000, false, "a negative amount"},
        {9.2e14, 9200000000000000000, false, "the largest order of magnitude that fits"},
        {4.6e15, 0, true,
         "2^52 and above: the significand's scale is whole, the sum beyond 64 bits"},
        {1.7014118346e38, 0, true, "the largest six-byte real"},
        {-1.7014118346e38, 0, true, "and its negative"},
        {1e-30, 0, false, "far below a ten-thousandth"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        kestrun::ten_thousandths sum;
        if (r.refused) {
            EXPECT_THROW(sum.add(r.amount, "pitm_ds1"), kestrun::error);
            continue;
        }
        sum.add(r.amount, "pitm_ds1");
        EXPECT_EQ(sum.count(), r.count);
    }
}

} // namespace

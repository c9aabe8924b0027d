#pragma once
// A sum of amounts kept in 64-bit integers of ten-thousandths of a zloty, for the pages that
// add up amounts themselves (the PIT/M totals): sums of stored amounts come out the same
// whatever the order of adding, and the grosze of the total print without binary drift.

#include <cstdint>
#include <string_view>

namespace kestrun {

class ten_thousandths {
public:
    // Adds an amount in zloty: the sum becomes the integer nearest to the exact value of
    // sum + amount x 10000, a tie going to the even integer. An amount that is not finite, or
    // a sum that leaves the 64-bit range, is refused with a host error naming `field`.
    void add(double amount, std::string_view field);

    std::int64_t count() const { return m_sum; }
    // The sum in zloty.
    double zloty() const { return static_cast<double>(m_sum) / 10000.0; }

private:
    std::int64_t m_sum = 0;
};

} // namespace kestrun

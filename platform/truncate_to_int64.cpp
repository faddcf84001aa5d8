#include "platform/truncate_to_int64.h"

#include <cstring>

// Worked out from the bits of the double, without a single floating-point operation: so the
// rounding mode cannot matter, no exception flag is raised and nothing can trap.
int64_t TruncateToInt64(double value) {
    constexpr int64_t Invalid = INT64_MIN;
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);

    if (exponent == 0x7FF) return Invalid;  // not a number, or an infinity
    if (exponent < 1023) return 0;          // below 1 in magnitude, zeros and denormals included
    const int power = exponent - 1023;      // the value is 1.fraction times 2^power
    // From 2^63 up, nothing fits; -2^63 itself is the one such value that does, and it happens to
    // be the very value that stands for "does not fit".
    if (power >= 63) return Invalid;
    const uint64_t significand = fraction | (uint64_t{1} << 52);
    const uint64_t magnitude = power >= 52 ? significand << (power - 52) : significand >> (52 - power);
    return negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
}

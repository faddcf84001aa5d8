// Double to signed 64-bit, toward zero whatever the rounding mode; -2^63 for NaN, infinities
// and values out of range. Traps nothing and leaves the rounding mode as it found it.
#pragma once

#include <cstdint>

int64_t TruncateToInt64(double value);

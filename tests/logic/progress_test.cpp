// The bar position from a measured size and the reference.
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "drivers/progress_monitor.h"

TEST(ProgressPosition, TruncatedThousandthsBelowOneAndAFullBarFromOneOn) {
    constexpr int64_t Max = std::numeric_limits<int64_t>::max();
    struct Case { int64_t size; int64_t reference; int32_t position; };
    const Case cases[] = {
        {1'234'567'890, 4'000'000'000, 308},
        {9'999'999, 10'000'000, 999},        // 999.9999: never rounded up to a full bar
        {1, 3, 333},
        {0, 4'000'000'000, 0},               // the folder is not there yet
        {4'000'000'000, 4'000'000'000, 1000},
        {3'000'000'000, 500'000'000, 1000},  // 6000 thousandths
        {3'000'000'000, 1'000, 1000},        // 3e9 thousandths: its low 32 bits read negative
        {5'000'000'000, 1'000, 1000},        // 5e9 thousandths: its low 32 bits read 705032704
        {Max, 1, 1000},                      // thousandths beyond 2^63
        {0, 0, 0},                           // reference 0: not a number
        {1'000'000, 0, 0},                   // reference 0: infinite
        {-1, 1'000, 0},                      // a size that could not be measured
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressPosition(c.size, c.reference), c.position) << c.size << " of " << c.reference;
    }
}

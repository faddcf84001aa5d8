#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "platform/truncate_to_int64.h"

namespace {

constexpr int64_t Invalid = std::numeric_limits<int64_t>::min();
constexpr double TwoTo63 = 9223372036854775808.0;

struct Case {
    double value;
    int64_t expected;
};

const Case cases[] = {
    {2.9, 2},
    {-2.9, -2},
    {999.9999, 999},
    {1000.0, 1000},
    {0.5, 0},
    {-0.5, 0},
    {-0.0, 0},
    {4.9e-324, 0},                           // the smallest denormal
    {4503599627370495.5, 4503599627370495},  // 2^52 - 0.5: the last fraction a double holds
    {5001788506.0, 5001788506},
    {std::numeric_limits<double>::infinity(), Invalid},
    {-std::numeric_limits<double>::infinity(), Invalid},
    {std::numeric_limits<double>::quiet_NaN(), Invalid},
    {-std::numeric_limits<double>::quiet_NaN(), Invalid},
    {TwoTo63, Invalid},
    {1e300, Invalid},
    {-TwoTo63, Invalid},                                  // exactly -2^63: in range, and the same value
    {std::nextafter(TwoTo63, 0.0), 9223372036854774784},  // the largest double below 2^63
    {std::nextafter(-TwoTo63, 0.0), -9223372036854774784},
    {std::nextafter(-TwoTo63, -1e300), Invalid},
};

const int roundingModes[] = {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO};

// Raising no exception flag also means nothing can trap, whatever the caller unmasked.
// (x87's non-standard denormal flag is left out: loading the denormal argument raises it.)
TEST(TruncateToInt64, TruncatesTowardZeroUnderEveryRoundingModeRaisingNothing) {
    constexpr int StandardFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW | FE_INEXACT;
    const int original = fegetround();
    for (int mode : roundingModes) {
        ASSERT_EQ(fesetround(mode), 0);
        for (const Case& c : cases) {
            feclearexcept(FE_ALL_EXCEPT);
            const int64_t result = TruncateToInt64(c.value);
            const int raised = fetestexcept(StandardFlags);
            const int modeAfter = fegetround();
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", value " << c.value);
            EXPECT_EQ(result, c.expected);
            EXPECT_EQ(raised, 0);
            EXPECT_EQ(modeAfter, mode);
        }
    }
    fesetround(original);
}

}  // namespace

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "core/whole_number.h"

namespace zan {
namespace {

TEST(WholeNumber, OnlyFiniteWholeValuesInRangeConvert) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::optional<long long> whole;
    } cases[] = {{0, 0},
                 {23, 23},
                 {-1, std::nullopt},
                 {24, std::nullopt},
                 {2.5, std::nullopt},
                 {1e300, std::nullopt},
                 {-1e300, std::nullopt},
                 {nan, std::nullopt},
                 {inf, std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(WholeNumberIn(c.value, 0, 23), c.whole) << c.value;
    EXPECT_EQ(WholeNumberIn(9.2e18, LLONG_MIN, LLONG_MAX), 9200000000000000000LL);
    EXPECT_EQ(WholeNumberIn(9.3e18, LLONG_MIN, LLONG_MAX), std::nullopt);
    EXPECT_EQ(WholeNumberIn(9223372036854775808.0, LLONG_MIN, LLONG_MAX), std::nullopt);
}

TEST(WholeNumber, DigitTextsConvertWithoutOverflowHoweverLong) {
    const struct {
        const char* text;
        std::optional<long long> whole;
    } cases[] = {{"07", 7},
                 {"59", 59},
                 {"60", std::nullopt},
                 {"", std::nullopt},
                 {"-1", std::nullopt},
                 {"1 ", std::nullopt},
                 {"99999999999999999999999999", std::nullopt},
                 {"00000000000000000000000005", 5}};
    for (const auto& c : cases) EXPECT_EQ(DigitsNumberIn(c.text, 0, 59), c.whole) << c.text;
}

}  // namespace
}  // namespace zan

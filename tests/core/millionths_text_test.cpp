#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "core/number_text.h"

// The rounded beta's shortcut against the general text it stands in for.
namespace zan {
namespace {

TEST(MillionthsText, GivesTheGeneralTextOfTheQuotient) {
    std::vector<std::int64_t> counts = {
        0,   1,      9,       10,      12,      99,        100,
        101, 999999, 1000000, 1000001, 1786000, 123456789, 999999999999999};
    std::mt19937_64 rng{15};
    for (int i = 0; i < 20000; ++i) {
        // Every number of digits, so both exponent forms and every decimal point position.
        const std::int64_t limit = std::int64_t{1} << (rng() % 50);
        counts.push_back(static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(limit)));
    }
    for (const std::int64_t count : counts) {
        for (const std::int64_t signedCount : {count, -count}) {
            ASSERT_EQ(MillionthsText(signedCount),
                      GeneralText(static_cast<double>(signedCount) / 1000000))
                << signedCount;
        }
    }
}

}  // namespace
}  // namespace zan

#include <gtest/gtest.h>

#include <string>

#include "core/number_value.h"
#include "recording/playback.h"

// The shortcuts of the replay's hot path give what the plain readings give.
namespace zan {
namespace {

TEST(ReplayHotPath, EndMarkFoundAtEveryPositionAndCase) {
    for (const char* mark : {"EOF", "eof", "eOf", "EoF"}) {
        for (size_t before = 0; before <= 7; ++before) {
            for (size_t after = 0; after <= 4; ++after) {
                const std::string line = std::string(before, '7') + mark + std::string(after, '1');
                EXPECT_TRUE(IsPlaybackEnd(line)) << line;
            }
        }
    }
    for (const char* line : {"", "EO", "OF", "E0F", "EOG", "EEOOFF", "FOE", "OFEOE", "12\tE\tOF"})
        EXPECT_FALSE(IsPlaybackEnd(line)) << line;
}

TEST(ReplayHotPath, CachedCellNumberFollowsItsText) {
    ParsedCell cache;
    EXPECT_EQ(CachedWholeTextNumber(cache, " 50 "), 50);
    EXPECT_EQ(CachedWholeTextNumber(cache, " 50 "), 50);
    EXPECT_EQ(CachedWholeTextNumber(cache, "1e-3"), 0.001);
    // A text that is no number fails every time, and the last number is kept.
    EXPECT_THROW(CachedWholeTextNumber(cache, "5x"), std::invalid_argument);
    EXPECT_THROW(CachedWholeTextNumber(cache, "5x"), std::invalid_argument);
    EXPECT_EQ(CachedWholeTextNumber(cache, "1e-3"), 0.001);
    EXPECT_THROW(CachedWholeTextNumber(cache, ""), std::invalid_argument);
}

}  // namespace
}  // namespace zan

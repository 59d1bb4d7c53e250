#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/field_stream.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "recording/playback.h"

// The replay's shortcuts (the end mark, cached cell numbers, the
// word-at-a-time scan, rounded beta text) against the plain ways they stand in for.
namespace zan {
namespace {

std::vector<std::string> Fields(const std::string& text, size_t blockSize) {
    std::istringstream in(text);
    FieldStream stream(in, "text", FieldRules{}, blockSize);
    std::vector<std::string> fields;
    try {
        while (stream.Next()) fields.emplace_back(stream.Text());
    } catch (const FieldStreamError& e) {
        fields.emplace_back(e.what());
    }
    return fields;
}

// Blocks too short for a word are scanned a byte at a time; a zero byte refuses
// the text at the same line either way.
TEST(ReplayScans, FieldEndsAreFoundInAnyPlaceOfAWord) {
    std::mt19937 rng{15};
    // The field ends, their neighbours, tabs, high bytes and zero bytes.
    const std::string alphabet{"abc123\t\t,\r\n+-\x0b\x0c\x0e\x80\xac\x8d\xff\0", 21};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 400)(rng);
        for (int i = 0; i < length; ++i)
            text += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        ASSERT_EQ(Fields(text, FieldStream::kBlockSize), Fields(text, 7)) << round;
    }
}

TEST(ReplayScans, MillionthsGiveTheGeneralTextOfTheirQuotient) {
    std::vector<std::int64_t> counts = {
        0,      1,       9,       10,      12,      99,        100,
        999999, 1000000, 1000001, 1786000, 1000100, 123456789, 999999999999999};
    std::mt19937_64 rng{15};
    // Every number of digits: both exponent forms and every place of the point.
    for (int i = 0; i < 20000; ++i)
        counts.push_back(static_cast<std::int64_t>(rng() >> (15 + rng() % 49)));
    for (const std::int64_t count : counts)
        for (const std::int64_t signedCount : {count, -count})
            ASSERT_EQ(MillionthsText(signedCount),
                      GeneralText(static_cast<double>(signedCount) / 1000000))
                << signedCount;
}

TEST(ReplayHotPath, EndMarkFoundAtEveryPositionAndCase) {
    for (const char* mark : {"EOF", "eof", "eOf", "EoF"}) {
        // Before, in and after the first eight characters and the second.
        for (size_t before = 0; before <= 17; ++before)
            for (size_t after = 0; after <= 4; ++after) {
                const std::string line = std::string(before, '7') + mark + std::string(after, '1');
                EXPECT_TRUE(IsPlaybackEnd(line)) << line;
            }
    }
    // An O that is not the mark's leaves the rest of the line still to look at.
    EXPECT_TRUE(IsPlaybackEnd("to do: ....... eOf"));
    for (const char* line : {"", "EO", "OF", "E0F", "EOG", "EEOOFF", "FOE", "OFEOE", "12\tE\tOF",
                             "12/06/26\t00:00:00\t1910\t1261\t908\t4002", "_o______________EO"})
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

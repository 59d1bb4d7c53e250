#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/field_stream.h"

// The field reader's scan a word at a time against the same text in blocks
// too short for a word, which it scans a byte at a time.
namespace zan {
namespace {

std::vector<std::string> Fields(const std::string& text, size_t blockSize) {
    std::istringstream in(text);
    FieldStream stream(in, "text", FieldRules{}, blockSize);
    std::vector<std::string> fields;
    while (stream.Next()) fields.emplace_back(stream.Text());
    return fields;
}

TEST(FieldScan, FindsEachFieldEndInAnyPlaceOfAWord) {
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

}  // namespace
}  // namespace zan

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <string>

#include "core/number_text.h"
#include "core/number_value.h"

// The short decimals that numbers are read and written through without the
// general conversions, at the edges where the general ones take over.
namespace zan {
namespace {

TEST(ShortDecimal, NumberTextsAtTheEdgesOfFifteenDigits) {
    struct Case {
        double value;
        const char* general;
        const char* shortText;
    };
    const Case cases[] = {
        {999999999999999.0, "999999999999999", " 999999999999999"},
        {1e15, "1E+15", " 1E+15"},
        {1234567890123456.0, "1.23456789012346E+15", " 1.23456789012346E+15"},
        {0.000123456789012345, "0.000123456789012345", " .000123456789012345"},
        {-0.0000123456789012345, "-1.23456789012345E-05", "-1.23456789012345E-05"},
        {2.675, "2.675", " 2.675"},
        {0.1 + 0.2, "0.3", " .3"},
        {1.0 / 3, "0.333333333333333", " .333333333333333"},
        {5e-324, "4.94065645841247E-324", " 4.94065645841247E-324"},
        {1e22, "1E+22", " 1E+22"},
        {1e23, "1E+23", " 1E+23"},
        {-0.019, "-0.019", "-.019"},
        {4e-7, "4E-07", " 4E-07"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GeneralText(c.value), c.general) << c.general;
        EXPECT_EQ(ShortText(c.value), c.shortText) << c.general;
    }
}

// Reading a plain decimal gives the very double the general parser gives.
TEST(ShortDecimal, ReadsAsTheGeneralParserDoes) {
    for (const char* text :
         {"0.001", "123456789012345", "1234567890123456", "0.1", "9007199254740993",
          "0.30000000000000004", "5.", ".5", "-0", "-2.675", "000000000000001.5"}) {
        double expected = 0;
        std::from_chars(text, text + std::strlen(text), expected);
        const double read = NumberValue(std::string(text) + "\t");
        const double whole = WholeTextNumber(text);
        EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
        EXPECT_EQ(std::memcmp(&whole, &expected, sizeof whole), 0) << text;
    }
}

}  // namespace
}  // namespace zan

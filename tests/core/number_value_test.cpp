#include "core/number_value.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

#include "core/comma_locale.h"

namespace zan {
namespace {

TEST(NumberValue, ReadsTheLeadingNumberSkippingBlanksAndStoppingAtAnythingElse) {
    const std::pair<const char*, double> cases[] = {{"-3.25", -3.25}, {"+7", 7},
                                                    {"-.5", -0.5},    {"4.", 4},
                                                    {"1 2 3", 123},   {"\t1\t2\n.\n5", 12.5},
                                                    {"- 5", -5},      {"2 E - 3", 0.002},
                                                    {"1.2.3", 1.2},   {"12abc", 12},
                                                    {"1,5", 1},       {"12:30:00", 12},
                                                    {"1E5.5", 1e5},   {"3--2", 3},
                                                    {"1E-05", 1e-5},  {"1e3", 1000},
                                                    {"2.5E+3", 2500}, {"4E+", 4},
                                                    {"4Ex", 4},       {"0.000001E310", 1e304},
                                                    {"1E-400", 0},    {"0E999999", 0}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(NumberValue(text), value) << text;
    // Exactly the nearest double, and so the nearest float for single-precision state.
    EXPECT_EQ(NumberValue("3.14159265358979"), 3.14159265358979);
    EXPECT_EQ(static_cast<float>(NumberValue("3.4028235E38")), 3.4028235e38f);
    // A text without a leading number gives zero.
    for (const char* text :
         {"", "   ", "\t\n", "abc", "-", "+", ".", "..5", "-.", "E5", "\r5", "--5", "x1"})
        EXPECT_EQ(NumberValue(text), 0) << '"' << text << '"';
}

TEST(WholeTextNumber, AcceptsOnlyANumberWithBlanksAroundIt) {
    EXPECT_DOUBLE_EQ(WholeTextNumber(" 12.5\t"), 12.5);
    EXPECT_DOUBLE_EQ(WholeTextNumber("-1E-05"), -1e-5);
    for (const char* bad : {"", "  ", "12a", "1 2", "abc", "1,5"})
        EXPECT_THROW(WholeTextNumber(bad), std::invalid_argument) << '"' << bad << '"';
}

// A user's locale with a decimal comma must not change how files and replies read.
TEST(NumberValue, ReadsAPeriodUnderACommaDecimalLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new test::CommaDecimal));
    const double value = NumberValue("1234.5"), comma = NumberValue("1234,5");
    std::locale::global(previous);
    EXPECT_DOUBLE_EQ(value, 1234.5);
    EXPECT_DOUBLE_EQ(comma, 1234);
    test::CommaSystemLocale system;
    if (!system.Active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_DOUBLE_EQ(NumberValue("2.75E-3"), 2.75e-3);
}

}  // namespace
}  // namespace zan

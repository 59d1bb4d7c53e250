#include "core/number_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

#include "core/comma_locale.h"

namespace zan {
namespace {

TEST(NumberValue, ReadsSignDigitsAndOnePeriod) {
    EXPECT_DOUBLE_EQ(NumberValue("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(NumberValue("-3.25"), -3.25);
    EXPECT_DOUBLE_EQ(NumberValue("+7"), 7);
    EXPECT_DOUBLE_EQ(NumberValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(NumberValue("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(NumberValue("4."), 4);
    EXPECT_EQ(NumberValue("0.1"), 0.1);
    EXPECT_EQ(NumberValue("3.14159265358979"), 3.14159265358979);
    // Single-precision state reads the same text to the nearest float.
    EXPECT_EQ(static_cast<float>(NumberValue("0.1")), 0.1f);
    EXPECT_EQ(static_cast<float>(NumberValue("1850")), 1850.0f);
    EXPECT_EQ(static_cast<float>(NumberValue("3.4028235E38")), 3.4028235e38f);
}

TEST(NumberValue, SkipsBlanksTabsAndLineFeedsWhereverTheyStand) {
    EXPECT_DOUBLE_EQ(NumberValue("   42"), 42);
    EXPECT_DOUBLE_EQ(NumberValue("1 2 3"), 123);
    EXPECT_DOUBLE_EQ(NumberValue("\t1\t2\n.\n5"), 12.5);
    EXPECT_DOUBLE_EQ(NumberValue("- 5"), -5);
    EXPECT_DOUBLE_EQ(NumberValue("2 E - 3"), 0.002);
    EXPECT_DOUBLE_EQ(NumberValue("1850\t"), 1850);
}

TEST(NumberValue, StopsAtTheFirstOtherCharacter) {
    EXPECT_DOUBLE_EQ(NumberValue("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(NumberValue("12abc"), 12);
    EXPECT_DOUBLE_EQ(NumberValue("1,5"), 1);
    EXPECT_DOUBLE_EQ(NumberValue("7\r\n"), 7);
    EXPECT_DOUBLE_EQ(NumberValue("12:30:00"), 12);
    EXPECT_DOUBLE_EQ(NumberValue("1E5.5"), 1e5);
    EXPECT_DOUBLE_EQ(NumberValue("3--2"), 3);
}

TEST(NumberValue, GivesZeroForATextWithoutALeadingNumber) {
    for (const char* text :
         {"", "   ", "\t\n", "abc", "-", "+", ".", "..5", "-.", "E5", "\r5", "--5", "x1"})
        EXPECT_EQ(NumberValue(text), 0) << '"' << text << '"';
}

TEST(NumberValue, ReadsExponentsWithEitherLetterCaseAndSign) {
    EXPECT_DOUBLE_EQ(NumberValue("1E-05"), 1e-5);
    EXPECT_DOUBLE_EQ(NumberValue("1e3"), 1000);
    EXPECT_DOUBLE_EQ(NumberValue("2.5E+3"), 2500);
    EXPECT_DOUBLE_EQ(NumberValue("-6.02E23"), -6.02e23);
    // An exponent letter without digits adds nothing.
    EXPECT_DOUBLE_EQ(NumberValue("4E"), 4);
    EXPECT_DOUBLE_EQ(NumberValue("4E+"), 4);
    EXPECT_DOUBLE_EQ(NumberValue("4Ex"), 4);
}

TEST(NumberValue, HandlesHugeAndTinyMagnitudes) {
    EXPECT_DOUBLE_EQ(NumberValue("1.7976931348623157E308"), std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(NumberValue("0.000001E310"), 1e304);
    EXPECT_DOUBLE_EQ(NumberValue("123456789012345678901234567890"), 1.2345678901234568e29);
    EXPECT_GT(NumberValue("1E-320"), 0);
    EXPECT_EQ(NumberValue("1E-400"), 0);
    EXPECT_EQ(NumberValue("0E999999"), 0);
    EXPECT_TRUE(std::isinf(NumberValue("1E400")));
    EXPECT_GT(NumberValue("1E400"), 0);
    EXPECT_LT(NumberValue("-1E400"), 0);
    EXPECT_TRUE(std::isinf(NumberValue("9E99999999999999999999")));
    EXPECT_EQ(NumberValue("1E-99999999999999999999"), 0);
    const std::string longDigits(5000, '7');
    EXPECT_TRUE(std::isinf(NumberValue(longDigits)));
    EXPECT_DOUBLE_EQ(NumberValue("0." + longDigits), 0.7777777777777778);
}

TEST(WholeTextNumber, AcceptsOnlyANumberWithBlanksAroundIt) {
    EXPECT_DOUBLE_EQ(WholeTextNumber(" 12.5\t"), 12.5);
    EXPECT_DOUBLE_EQ(WholeTextNumber("+3"), 3);
    EXPECT_DOUBLE_EQ(WholeTextNumber("-1E-05"), -1e-5);
    for (const char* bad : {"", "  ", "12a", "1 2", "abc", "1,5"})
        EXPECT_THROW(WholeTextNumber(bad), std::invalid_argument) << '"' << bad << '"';
}

// A user's locale with a decimal comma must not change how files and replies read.
TEST(NumberValue, ReadsAPeriodUnderACommaDecimalStreamLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new test::CommaDecimal));
    const double value = NumberValue("1234.5");
    const double comma = NumberValue("1234,5");
    std::locale::global(previous);
    EXPECT_DOUBLE_EQ(value, 1234.5);
    EXPECT_DOUBLE_EQ(comma, 1234);
}

TEST(NumberValue, ReadsAPeriodUnderACommaDecimalSystemLocale) {
    double value = 0;
    {
        test::CommaSystemLocale comma;
        if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
        value = NumberValue("2.75E-3");
    }
    EXPECT_DOUBLE_EQ(value, 2.75e-3);
}

}  // namespace
}  // namespace zan

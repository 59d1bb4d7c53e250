#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <string>

#include "core/comma_locale.h"
#include "core/number_value.h"

namespace zan {
namespace {

TEST(GeneralText, WritesTheShortestTextWithoutTrailingZerosOrLeadingBlank) {
    EXPECT_EQ(GeneralText(0), "0");
    EXPECT_EQ(GeneralText(-0.0), "0");
    EXPECT_EQ(GeneralText(1), "1");
    EXPECT_EQ(GeneralText(-1), "-1");
    EXPECT_EQ(GeneralText(0.5), "0.5");
    EXPECT_EQ(GeneralText(-0.5), "-0.5");
    EXPECT_EQ(GeneralText(2.5), "2.5");
    EXPECT_EQ(GeneralText(100), "100");
    EXPECT_EQ(GeneralText(1850), "1850");
    EXPECT_EQ(GeneralText(123.456), "123.456");
    EXPECT_EQ(GeneralText(0.0001), "0.0001");
    EXPECT_EQ(GeneralText(0.00012345), "0.00012345");
}

TEST(GeneralText, RoundsDoublesToFifteenSignificantDigits) {
    EXPECT_EQ(GeneralText(0.1 + 0.2), "0.3");
    EXPECT_EQ(GeneralText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(GeneralText(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(GeneralText(-2.0 / 3.0), "-0.666666666666667");
    EXPECT_EQ(GeneralText(999999999999999.0), "999999999999999");
    EXPECT_EQ(GeneralText(123456789.123456789), "123456789.123457");
    // Rounding that carries into a new leading digit moves the exponent.
    EXPECT_EQ(GeneralText(999999999999999.9), "1E+15");
    EXPECT_EQ(GeneralText(0.000099999999999999999), "0.0001");
    EXPECT_EQ(GeneralText(9.9999999999999999), "10");
}

TEST(GeneralText, UsesExponentFormForVerySmallAndVeryLargeMagnitudes) {
    EXPECT_EQ(GeneralText(1e-5), "1E-05");
    EXPECT_EQ(GeneralText(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(GeneralText(1e15), "1E+15");
    EXPECT_EQ(GeneralText(1.5e20), "1.5E+20");
    EXPECT_EQ(GeneralText(1e100), "1E+100");
    EXPECT_EQ(GeneralText(1.25e-300), "1.25E-300");
    EXPECT_EQ(GeneralText(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(GeneralText(std::numeric_limits<double>::max()), "1.79769313486232E+308");
    EXPECT_EQ(GeneralText(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
}

TEST(GeneralTextSingle, RoundsToSevenSignificantDigits) {
    EXPECT_EQ(GeneralTextSingle(0.1f), "0.1");
    EXPECT_EQ(GeneralTextSingle(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(GeneralTextSingle(3.14159265f), "3.141593");
    EXPECT_EQ(GeneralTextSingle(1234567.0f), "1234567");
    EXPECT_EQ(GeneralTextSingle(5.0f), "5");
    EXPECT_EQ(GeneralTextSingle(-12.75f), "-12.75");
    EXPECT_EQ(GeneralTextSingle(16777216.0f), "1.677722E+07");
    EXPECT_EQ(GeneralTextSingle(9999999.0f), "9999999");
    EXPECT_EQ(GeneralTextSingle(1e-5f), "1E-05");
    EXPECT_EQ(GeneralTextSingle(1.5e20f), "1.5E+20");
    EXPECT_EQ(GeneralTextSingle(0.0f), "0");
}

TEST(ShortText, PutsABlankBeforeNonNegativeNumbersAndDropsTheLeadingZero) {
    EXPECT_EQ(ShortText(0.02), " .02");
    EXPECT_EQ(ShortText(-0.02), "-.02");
    EXPECT_EQ(ShortText(-0.5), "-.5");
    EXPECT_EQ(ShortText(5), " 5");
    EXPECT_EQ(ShortText(-5), "-5");
    EXPECT_EQ(ShortText(0), " 0");
    EXPECT_EQ(ShortText(-0.0), " 0");
    EXPECT_EQ(ShortText(1.5), " 1.5");
    EXPECT_EQ(ShortText(0.0001), " .0001");
    EXPECT_EQ(ShortText(1e-5), " 1E-05");
    EXPECT_EQ(ShortText(-1e20), "-1E+20");
    EXPECT_EQ(ShortText(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(ShortTextSingle(0.3f), " .3");
    EXPECT_EQ(ShortTextSingle(1.0f / 3.0f), " .3333333");
    EXPECT_EQ(ShortTextSingle(-0.25f), "-.25");
    EXPECT_EQ(ShortTextSingle(1850.0f), " 1850");
}

TEST(NumberTexts, ReadBackToTheSameValueAtTheirPrecision) {
    for (double v : {0.1, -2.75, 1e-5, 6.02e23, 1234.5678, 0.000123, 1.0 / 7.0}) {
        const double back = NumberValue(GeneralText(v));
        EXPECT_NEAR(back, v, std::abs(v) * 1e-14) << GeneralText(v);
        EXPECT_EQ(NumberValue(ShortText(v)), back) << ShortText(v);
    }
}

TEST(NumberTexts, WriteAPeriodUnderACommaDecimalStreamLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new test::CommaDecimal));
    const std::string general = GeneralText(1234.5);
    const std::string shortText = ShortTextSingle(0.02f);
    const std::string exponent = GeneralText(2.5e-7);
    std::locale::global(previous);
    EXPECT_EQ(general, "1234.5");
    EXPECT_EQ(shortText, " .02");
    EXPECT_EQ(exponent, "2.5E-07");
}

TEST(NumberTexts, WriteAPeriodUnderACommaDecimalSystemLocale) {
    std::string general, shortText;
    {
        test::CommaSystemLocale comma;
        if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
        general = GeneralText(1234.5);
        shortText = ShortText(0.02);
    }
    EXPECT_EQ(general, "1234.5");
    EXPECT_EQ(shortText, " .02");
}

}  // namespace
}  // namespace zan

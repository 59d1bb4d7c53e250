#include "core/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <locale>
#include <string>

#include "core/comma_locale.h"

namespace zan {
namespace {

TEST(GeneralText, WritesFifteenSignificantDigitsShortestWithAnExponentOutsideItsRange) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {-0.5, "-0.5"},
        {1850, "1850"},
        {0.00012345, "0.00012345"},
        {0.1 + 0.2, "0.3"},
        {-2.0 / 3.0, "-0.666666666666667"},
        {123456789.123456789, "123456789.123457"},
        // Rounding that carries into a new leading digit moves the exponent.
        {999999999999999.9, "1E+15"},
        {0.000099999999999999999, "0.0001"},
        {9.9999999999999999, "10"},
        {-2.5e-7, "-2.5E-07"},
        {1e100, "1E+100"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(GeneralText(value), text);
}

// Single precision rounds to seven digits; the short form puts a blank before
// a number that is not negative and drops the leading zero.
TEST(ShortText, RoundsSinglesToSevenDigitsAndPutsABlankForTheSignAndNoLeadingZero) {
    EXPECT_EQ(GeneralTextSingle(0.1f) + "|" + GeneralTextSingle(1.0f / 3.0f) + "|" +
                  GeneralTextSingle(9999999.0f) + "|" + GeneralTextSingle(16777216.0f) + "|" +
                  GeneralTextSingle(1e-5f),
              "0.1|0.3333333|9999999|1.677722E+07|1E-05");
    std::string shortTexts;
    for (double value : {0.02, -0.5, 5.0, -0.0, 1e-5, -1e20, 1.0 / 3.0})
        shortTexts += ShortText(value) + "|";
    EXPECT_EQ(shortTexts + ShortTextSingle(1.0f / 3.0f) + "|" + ShortTextSingle(-0.25f),
              " .02|-.5| 5| 0| 1E-05|-1E+20| .333333333333333| .3333333|-.25");
}

TEST(NumberTexts, WriteAPeriodUnderACommaDecimalLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new test::CommaDecimal));
    const std::string texts = GeneralText(1234.5) + ShortTextSingle(0.02f) + GeneralText(2.5e-7);
    std::locale::global(previous);
    EXPECT_EQ(texts, "1234.5 .022.5E-07");
    test::CommaSystemLocale comma;
    if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(GeneralText(1234.5) + ShortText(0.02), "1234.5 .02");
}

}  // namespace
}  // namespace zan

#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cstring>
#include <limits>
#include <locale>
#include <string>
#include <tuple>

#include "core/number_text.h"
#include "core/number_value.h"
#include "core/whole_number.h"

namespace zan {
namespace {

// A stream locale that writes 1.234,5, as much of Europe does.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

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

// A user's locale with a decimal comma must not change how files and replies
// read and are written.
TEST(NumberTexts, ReadAndWriteAPeriodUnderACommaDecimalLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const double value = NumberValue("1234.5"), comma = NumberValue("1234,5");
    const std::string texts = GeneralText(1234.5) + ShortTextSingle(0.02f) + GeneralText(2.5e-7);
    std::locale::global(previous);
    EXPECT_DOUBLE_EQ(value, 1234.5);
    EXPECT_DOUBLE_EQ(comma, 1234);
    EXPECT_EQ(texts, "1234.5 .022.5E-07");
    // The same with the C library under an installed locale with a decimal comma.
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    bool installed = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8"})
        if ((installed = std::setlocale(LC_ALL, name) != nullptr)) break;
    const double read = NumberValue("2.75E-3");
    const std::string written = GeneralText(1234.5) + ShortText(0.02);
    std::setlocale(LC_ALL, previousC.c_str());
    if (!installed) GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_DOUBLE_EQ(read, 2.75e-3);
    EXPECT_EQ(written, "1234.5 .02");
}

// Fifteen significant digits, the shortest text, an exponent outside their
// range; at the edges the short decimals hand over to the general conversions.
TEST(NumberTexts, FifteenDigitsShortestWithAnExponentOutsideTheirRange) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {0, "0", " 0"},
        {-0.0, "0", " 0"},
        {-0.5, "-0.5", "-.5"},
        {-2.0 / 3.0, "-0.666666666666667", "-.666666666666667"},
        // Rounding that carries into a new leading digit moves the exponent.
        {999999999999999.9, "1E+15", " 1E+15"},
        {-2.5e-7, "-2.5E-07", "-2.5E-07"},
        {1e100, "1E+100", " 1E+100"},
        {123456789012345678.0, "1.23456789012346E+17", " 1.23456789012346E+17"},
        {1e15, "1E+15", " 1E+15"},
        {-0.0000123456789012345, "-1.23456789012345E-05", "-1.23456789012345E-05"},
        {5e-324, "4.94065645841247E-324", " 4.94065645841247E-324"},
        {1e22, "1E+22", " 1E+22"},
        {1e23, "1E+23", " 1E+23"},
        {4e-7, "4E-07", " 4E-07"}};
    for (const auto& [value, general, shortText] : cases) {
        EXPECT_EQ(GeneralText(value), general) << general;
        EXPECT_EQ(ShortText(value), shortText) << general;
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

TEST(WholeNumber, OnlyFiniteWholeValuesAndDigitTextsInRangeConvertWithoutOverflow) {
    EXPECT_EQ(WholeNumberIn(0, 0, 23), 0);
    EXPECT_EQ(WholeNumberIn(23, 0, 23), 23);
    for (double bad : {-1.0, 24.0, 2.5, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        EXPECT_EQ(WholeNumberIn(bad, 0, 23), std::nullopt) << bad;
    EXPECT_EQ(WholeNumberIn(9.2e18, LLONG_MIN, LLONG_MAX), 9200000000000000000LL);
    EXPECT_EQ(WholeNumberIn(9.3e18, LLONG_MIN, LLONG_MAX), std::nullopt);
    EXPECT_EQ(WholeNumberIn(9223372036854775808.0, LLONG_MIN, LLONG_MAX), std::nullopt);
    EXPECT_EQ(DigitsNumberIn("07", 0, 59), 7);
    EXPECT_EQ(DigitsNumberIn("00000000000000000000000005", 0, 59), 5);
    for (const char* bad : {"60", "", "-1", "1 ", "99999999999999999999999999"})
        EXPECT_EQ(DigitsNumberIn(bad, 0, 59), std::nullopt) << bad;
}

}  // namespace
}  // namespace zan

#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zan {

// The most decimal digits a double holds exactly: a whole of this many is
// read without the general parser.
inline constexpr size_t kExactDigits = 15;

// The commonest whole text, digits alone as a count is written (at most
// kExactDigits of them), read with nothing to trim or check; false for any
// other text. Defined here so a reader of many counts has it in line.
inline bool ReadCount(std::string_view text, double& value) {
    if (text.empty() || text.size() > kExactDigits) return false;
    unsigned long long whole = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit >= 10) return false;
        whole = whole * 10 + digit;
    }
    value = static_cast<double>(whole);
    return true;
}

// NumberValue of any text but a count and the tab that ended it.
double GeneralNumberValue(std::string_view text);

// The value of the leading number of a text: blanks, tabs and line feeds are
// skipped wherever they stand, then an optional sign, digits, one period and
// an optional exponent are read. A period is the decimal separator whatever
// the user's locale, so files and replies read the same on every machine.
// A text without a leading number gives 0. The commonest field of all, a
// count and the tab that ended it, is read in line.
inline double NumberValue(std::string_view text) {
    double count = 0;
    if (!text.empty() && text.back() == '\t' && ReadCount(text.substr(0, text.size() - 1), count))
        return count;
    return GeneralNumberValue(text);
}

// A whole-text number as calibration cells are used in arithmetic: blanks
// around it are allowed, nothing else. Throws std::invalid_argument
// ("Type mismatch") for an empty or non-numeric text.
double WholeTextNumber(std::string_view text);

// A cell's text and its whole-text number, kept so a cell read on every
// packet is parsed again only when its text changes.
struct ParsedCell {
    std::string text;
    double value = 0;
    bool parsed = false;
};

// WholeTextNumber of the text, from the cache when the text is unchanged.
double CachedWholeTextNumber(ParsedCell& cache, const std::string& text);

}  // namespace zan

#pragma once
#include <string>
#include <string_view>

namespace zan {

// The value of the leading number of a text: blanks, tabs and line feeds are
// skipped wherever they stand, then an optional sign, digits, one period and
// an optional exponent are read. A period is the decimal separator whatever
// the user's locale, so files and replies read the same on every machine.
// A text without a leading number gives 0.
double NumberValue(std::string_view text);

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

#pragma once
#include <cstdint>
#include <string>

namespace zan {

// The general number text: the shortest text of the number with up to 15
// (double) or 7 (single) significant digits, no trailing zeros, no leading
// blank, exponent form (1E-05, 1.5E+20) for very small and large magnitudes.
// Always written with a period, whatever the locale.
std::string GeneralText(double value);
std::string GeneralTextSingle(float value);

// The short number text: as the general text, with one leading blank for
// numbers that are not negative and no 0 before the decimal point
// (0.02 gives " .02", -0.5 gives "-.5").
std::string ShortText(double value);
std::string ShortTextSingle(float value);
// ShortText(value) written at out, for lines built a value at a time: out
// has room for kShortTextRoom characters. The end of the text.
inline constexpr int kShortTextRoom = 32;
char* PutShortText(char* out, double value);

// The general text of millionths / 1e6 for fewer than 1e15 millionths either
// way, found without searching for its decimals.
std::string MillionthsText(std::int64_t millionths);

}  // namespace zan

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// The room a number's text is written in: the longest text is 22 characters,
// and a text written in place may use a little more while it is made.
inline constexpr size_t kNumberTextRoom = 32;

// ShortText(value) written at out, for lines built a value at a time: out
// has room for kNumberTextRoom characters. The end of the text.
char* PutShortText(char* out, double value);

// A number's text held in place, as decoding keeps the texts the window
// shows: set and read without an allocation or a library call.
struct NumberText {
    char chars[kNumberTextRoom];
    std::uint8_t size = 0;
    std::string_view View() const { return std::string_view(chars, size); }
};
void SetGeneralText(NumberText& text, double value);
void SetGeneralTextSingle(NumberText& text, float value);

// The general text of millionths / 1e6 for fewer than 1e15 millionths either
// way, found without searching for its decimals.
std::string MillionthsText(std::int64_t millionths);
void SetMillionthsText(NumberText& text, std::int64_t millionths);

}  // namespace zan

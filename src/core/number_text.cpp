#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace zan {
namespace {

struct Digits {
    bool negative = false;
    char digits[24];  // significant digits, no trailing zeros, at least one
    size_t count = 0;
    int exponent = 0;  // decimal exponent of the first digit
};

// The digits and exponent of a scientific text such as "-1.25e-03".
Digits Parse(const char* text, const char* end) {
    Digits d;
    if (*text == '-') {
        d.negative = true;
        ++text;
    }
    for (; *text != 'e'; ++text)
        if (*text != '.') d.digits[d.count++] = *text;
    const bool negativeExponent = *++text == '-';
    for (++text; text < end; ++text) d.exponent = d.exponent * 10 + (*text - '0');
    if (negativeExponent) d.exponent = -d.exponent;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    return d;
}

// Cuts the digits to the precision, rounding half up.
void RoundDigits(Digits& d, size_t precision) {
    const bool up = d.digits[precision] >= '5';
    d.count = precision;
    if (up) {
        size_t i = precision;
        while (i > 0 && d.digits[i - 1] == '9') --i;
        if (i == 0) {
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
            d.count = i;
        }
    }
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
}

// The digits rounded to the precision. The exact rounding of the value is
// slow, so a normal double starts from its shortest text that reads back:
// with no more digits than the precision it is the rounded text itself
// (a double keeps 15 digits), and with more it rounds to the same digits as
// the value does, except when its digits end exactly half way, where only the
// exact rounding can tell.
template <typename T>
Digits Decompose(T value, int precision) {
    char buf[64];
    const size_t p = static_cast<size_t>(precision);
    if (precision <= std::numeric_limits<T>::digits10 && std::isnormal(value)) {
        const auto shortest =
            std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
        Digits d = Parse(buf, shortest.ptr);
        if (d.count <= p) return d;
        if (d.count > p + 1 || d.digits[p] != '5') {
            RoundDigits(d, p);
            return d;
        }
    }
    const auto rounded =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    return Parse(buf, rounded.ptr);
}

template <typename T>
std::string Format(T value, int precision, bool shortForm) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : (shortForm ? " Infinity" : "Infinity");
    std::string out;
    if (value == 0) return shortForm ? " 0" : "0";
    Digits d = Decompose(value, precision);
    if (d.negative)
        out += '-';
    else if (shortForm)
        out += ' ';
    const std::string_view digits(d.digits, d.count);
    if (d.exponent >= precision || d.exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) (out += '.') += digits.substr(1);
        int e = std::abs(d.exponent);
        out += d.exponent < 0 ? "E-" : "E+";
        if (e < 10) out += '0';
        out += std::to_string(e);
    } else if (d.exponent < 0) {
        if (!shortForm) out += '0';
        out += '.';
        out.append(static_cast<size_t>(-d.exponent - 1), '0');
        out += digits;
    } else {
        size_t whole = static_cast<size_t>(d.exponent) + 1;
        if (digits.size() <= whole) {
            (out += digits).append(whole - digits.size(), '0');
        } else {
            ((out += digits.substr(0, whole)) += '.') += digits.substr(whole);
        }
    }
    return out;
}

}  // namespace

std::string GeneralText(double value) { return Format(value, 15, false); }
std::string GeneralTextSingle(float value) { return Format(value, 7, false); }
std::string ShortText(double value) { return Format(value, 15, true); }
std::string ShortTextSingle(float value) { return Format(value, 7, true); }

}  // namespace zan

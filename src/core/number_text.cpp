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

size_t DigitCount(const char* text, const char* end) {
    size_t n = 0;
    for (; text < end && *text != 'e'; ++text) n += *text >= '0' && *text <= '9';
    return n;
}

// The shortest text that reads back as a normal value is also its text rounded
// to the precision when it has no more digits than that precision and the
// type always keeps all of them (15 for double): then the slower rounding is
// not needed.
template <typename T>
Digits Decompose(T value, int precision) {
    char buf[64];
    std::to_chars_result res{};
    bool rounded = false;
    if (precision <= std::numeric_limits<T>::digits10 && std::isnormal(value)) {
        res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
        rounded = DigitCount(buf, res.ptr) <= static_cast<size_t>(precision);
    }
    if (!rounded)
        res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                            precision - 1);
    Digits d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p)
        if (*p != '.') d.digits[d.count++] = *p;
    ++p;
    const bool negativeExponent = *p == '-';
    for (++p; p < res.ptr; ++p) d.exponent = d.exponent * 10 + (*p - '0');
    if (negativeExponent) d.exponent = -d.exponent;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    return d;
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

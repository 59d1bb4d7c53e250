#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zan {
namespace {

struct Digits {
    bool negative = false;
    std::string digits;  // significant digits, no trailing zeros, at least one
    int exponent = 0;    // decimal exponent of the first digit
};

template <typename T>
Digits Decompose(T value, int precision) {
    Digits d;
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    std::string text(buf, res.ptr);
    size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    size_t ePos = text.find('e');
    for (size_t k = i; k < ePos; ++k)
        if (text[k] != '.') d.digits += text[k];
    d.exponent = std::atoi(text.c_str() + ePos + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
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
    if (d.exponent >= precision || d.exponent < -4) {
        out += d.digits[0];
        if (d.digits.size() > 1) out += '.' + d.digits.substr(1);
        int e = std::abs(d.exponent);
        out += d.exponent < 0 ? "E-" : "E+";
        if (e < 10) out += '0';
        out += std::to_string(e);
    } else if (d.exponent < 0) {
        if (!shortForm) out += '0';
        out += '.';
        out += std::string(static_cast<size_t>(-d.exponent - 1), '0');
        out += d.digits;
    } else {
        size_t whole = static_cast<size_t>(d.exponent) + 1;
        if (d.digits.size() <= whole) {
            out += d.digits + std::string(whole - d.digits.size(), '0');
        } else {
            out += d.digits.substr(0, whole) + '.' + d.digits.substr(whole);
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

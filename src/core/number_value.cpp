#include "core/number_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace zan {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the characters of the leading number into a compact text that
// std::from_chars can read without any locale.
struct Scanner {
    std::string_view text;
    size_t pos = 0;

    char Peek() {
        while (pos < text.size() && IsSkipped(text[pos])) ++pos;
        return pos < text.size() ? text[pos] : '\0';
    }
};

}  // namespace

double NumberValue(std::string_view text) {
    Scanner s{text};
    std::string mantissa;
    bool negative = false;
    char c = s.Peek();
    if (c == '+' || c == '-') {
        negative = c == '-';
        ++s.pos;
    }
    bool anyDigit = false;
    bool seenPoint = false;
    while (true) {
        c = s.Peek();
        if (IsDigit(c)) {
            mantissa += c;
            anyDigit = true;
        } else if (c == '.' && !seenPoint) {
            mantissa += c;
            seenPoint = true;
        } else {
            break;
        }
        ++s.pos;
    }
    if (!anyDigit) return 0.0;
    long long exponent = 0;
    if (c == 'E' || c == 'e') {
        ++s.pos;
        bool expNegative = false;
        char e = s.Peek();
        if (e == '+' || e == '-') {
            expNegative = e == '-';
            ++s.pos;
        }
        while (IsDigit(s.Peek())) {
            if (exponent < 100000) exponent = exponent * 10 + (s.Peek() - '0');
            ++s.pos;
        }
        if (expNegative) exponent = -exponent;
    }
    std::string number = mantissa + "e" + std::to_string(exponent);
    double value = 0.0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: saturate rather than fail,
        // a sensor field never carries such magnitudes by intent. Which way
        // depends on the whole magnitude, digits before the period included.
        const size_t firstDigit = mantissa.find_first_not_of("0.");
        const size_t point = std::min(mantissa.find('.'), mantissa.size());
        const long long magnitude =
            exponent + (firstDigit < point
                            ? static_cast<long long>(point - firstDigit)
                            : static_cast<long long>(point) - static_cast<long long>(firstDigit));
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

double WholeTextNumber(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    std::string_view core = text.substr(begin, end - begin);
    if (!core.empty() && core.front() == '+') core.remove_prefix(1);
    double value = 0.0;
    auto result = std::from_chars(core.data(), core.data() + core.size(), value);
    if (core.empty() || result.ec != std::errc() || result.ptr != core.data() + core.size())
        throw std::invalid_argument("Type mismatch");
    return value;
}

}  // namespace zan

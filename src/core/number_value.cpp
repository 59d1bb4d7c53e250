#include "core/number_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace zan {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A count has no decimals, and needs no division.
double WholeOverPowerOfTen(std::uint64_t whole, size_t decimals) {
    const auto value = static_cast<double>(whole);
    return decimals == 0 ? value : value / kPowersOfTen[decimals];
}

// Digits with at most one period, such as "1850" or "0.001", read without
// the general parser: up to 15 digits the number is an integer over a power
// of ten, both exact in a double, so the one division rounds it just as
// std::from_chars does. Gives false for any other text.
bool ReadShortDecimal(std::string_view text, double& value) {
    std::uint64_t whole = 0;
    size_t digits = 0;
    size_t decimals = 0;
    bool seenPoint = false;
    for (const char c : text) {
        if (IsDigit(c)) {
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
            ++digits;
            if (seenPoint) ++decimals;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    if (digits == 0 || digits > kExactDigits) return false;
    value = WholeOverPowerOfTen(whole, decimals);
    return true;
}

// A signed short decimal, or std::from_chars when the text is any other.
std::from_chars_result ReadDecimal(std::string_view text, double& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (ReadShortDecimal(negative ? text.substr(1) : text, value)) {
        if (negative) value = -value;
        return {text.data() + text.size(), std::errc()};
    }
    return std::from_chars(text.data(), text.data() + text.size(), value);
}

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

// The common text, a field holding one plain decimal number and perhaps
// blanks after it, read straight from the text. Anything else is left to the
// full scan.
bool ReadPlainNumber(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && IsSkipped(*p)) ++p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    // The digits are gathered as they are checked, for a short decimal's one division.
    std::uint64_t whole = 0;
    auto gather = [&whole, &p, end] {
        const char* const first = p;
        for (unsigned digit; p < end && (digit = static_cast<unsigned>(*p - '0')) < 10; ++p)
            whole = whole * 10 + digit;
        return static_cast<size_t>(p - first);
    };
    const char* const start = p;
    size_t digits = gather();
    size_t decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = gather();
        digits += decimals;
    }
    if (digits == 0) return false;
    const char* const last = p;
    while (p < end && IsSkipped(*p)) ++p;
    if (p != end) return false;
    if (digits <= kExactDigits) {
        value = WholeOverPowerOfTen(whole, decimals);
    } else {
        const auto result = std::from_chars(start, last, value);
        if (result.ec != std::errc() || result.ptr != last) return false;
    }
    if (negative) value = -value;
    return true;
}

// Any other text, scanned as the leading number with blanks anywhere.
// Kept apart so the plain number's call does not pay for this one's frame.
[[gnu::noinline]] double ScannedNumberValue(std::string_view text) {
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

// Any other text for WholeTextNumber, kept apart so a count's call does not
// pay for this one's frame.
[[gnu::noinline]] double TrimmedTextNumber(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    std::string_view core = text.substr(begin, end - begin);
    if (!core.empty() && core.front() == '+') core.remove_prefix(1);
    double value = 0.0;
    const auto result = ReadDecimal(core, value);
    if (core.empty() || result.ec != std::errc() || result.ptr != core.data() + core.size())
        throw std::invalid_argument("Type mismatch");
    return value;
}

}  // namespace

double GeneralNumberValue(std::string_view text) {
    double plain = 0.0;
    return ReadPlainNumber(text, plain) ? plain : ScannedNumberValue(text);
}

double WholeTextNumber(std::string_view text) {
    double count = 0.0;
    return ReadCount(text, count) ? count : TrimmedTextNumber(text);
}

double CachedWholeTextNumber(ParsedCell& cache, const std::string& text) {
    if (!cache.parsed || cache.text != text) {
        // A text that throws leaves the cache as it was, so it throws again.
        cache.value = WholeTextNumber(text);
        cache.text = text;
        cache.parsed = true;
    }
    return cache.value;
}

}  // namespace zan

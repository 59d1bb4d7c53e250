#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <type_traits>

namespace zan {
namespace {

// Text is moved in runs of this fixed size, which need no library call; the
// buffers leave room for a run past what counts.
constexpr size_t kRun = 24;

struct Digits {
    bool negative = false;
    char digits[2 * kRun];  // significant digits, no trailing zeros, at least one
    size_t count = 0;
    int exponent = 0;  // decimal exponent of the first digit
};

// The digits and exponent of a scientific text such as "-1.25e-03".
void Parse(const char* text, const char* end, Digits& d) {
    d = Digits{};
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

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double kShortDecimalLimit = 1e15;

// A whole that reads back lies within two roundings (2^-52) of scaled, so
// one further off needs no division to be refused.
constexpr double kReadBackGap = 0x1p-50;

// Most numbers shown, counts and betas of a few decimals, are an integer of
// at most 15 digits over a power of ten. Both are exact in a double, so the
// one division tells whether that decimal reads back as the value; the
// fewest decimals that do are its shortest text, the only one of that length
// (at 15 digits the decimals lie further apart than the value's rounding).
bool ShortDecimal(double value, Digits& d) {
    const double magnitude = std::fabs(value);
    for (size_t decimals = 0; decimals < std::size(kPowersOfTen); ++decimals) {
        const double scaled = magnitude * kPowersOfTen[decimals];
        if (scaled >= kShortDecimalLimit) return false;
        // A whole of 0 never reads back.
        if (scaled < 0.5) continue;
        // Below 1e15 adding the half is exact, so this is the rounded whole;
        // it is within a factor of two of scaled, so their gap is exact too.
        const auto whole = static_cast<std::int64_t>(scaled + 0.5);
        if (std::fabs(static_cast<double>(whole) - scaled) > scaled * kReadBackGap) continue;
        if (static_cast<double>(whole) / kPowersOfTen[decimals] != magnitude) continue;
        d.negative = value < 0;
        d.count = static_cast<size_t>(
            std::to_chars(d.digits, d.digits + sizeof d.digits, whole).ptr - d.digits);
        d.exponent = static_cast<int>(d.count) - 1 - static_cast<int>(decimals);
        while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
        return true;
    }
    return false;
}

// The digits rounded to the precision. The exact rounding of the value is
// slow, so a normal double starts from its shortest text that reads back:
// with no more digits than the precision it is the rounded text itself
// (a double keeps 15 digits), and with more it rounds to the same digits as
// the value does, except when its digits end exactly half way, where only the
// exact rounding can tell. One Digits throughout, built where the caller
// keeps it: copying one just written a byte at a time stalls the processor.
template <typename T>
Digits Decompose(T value, int precision) {
    Digits d;
    char buf[64];
    const size_t p = static_cast<size_t>(precision);
    if (precision <= std::numeric_limits<T>::digits10 && std::isnormal(value)) {
        if constexpr (std::is_same_v<T, double>) {
            if (ShortDecimal(value, d) && d.count <= p) return d;
        }
        const auto shortest =
            std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
        Parse(buf, shortest.ptr, d);
        if (d.count <= p) return d;
        if (d.count > p + 1 || d.digits[p] != '5') {
            RoundDigits(d, p);
            return d;
        }
    }
    const auto rounded =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    Parse(buf, rounded.ptr, d);
    return d;
}

// The text of digits already rounded to the precision.
std::string Compose(const Digits& d, int precision, bool shortForm) {
    // Composed in place: a sign, at most 17 digits, a period or zeros and an
    // exponent, with a run's room after each.
    char text[4 * kRun];
    char* out = text;
    auto put = [&out](const char* digits, size_t count) {
        std::memcpy(out, digits, kRun);
        out += count;
    };
    auto zeros = [&out](size_t count) {
        std::memset(out, '0', kRun);
        out += count;
    };
    if (d.negative)
        *out++ = '-';
    else if (shortForm)
        *out++ = ' ';
    if (d.exponent >= precision || d.exponent < -4) {
        *out++ = d.digits[0];
        if (d.count > 1) {
            *out++ = '.';
            put(d.digits + 1, d.count - 1);
        }
        const int e = std::abs(d.exponent);
        *out++ = 'E';
        *out++ = d.exponent < 0 ? '-' : '+';
        if (e < 10) *out++ = '0';
        out = std::to_chars(out, text + sizeof text, e).ptr;
    } else if (d.exponent < 0) {
        if (!shortForm) *out++ = '0';
        *out++ = '.';
        zeros(static_cast<size_t>(-d.exponent - 1));
        put(d.digits, d.count);
    } else {
        const size_t whole = static_cast<size_t>(d.exponent) + 1;
        if (d.count <= whole) {
            put(d.digits, d.count);
            zeros(whole - d.count);
        } else {
            put(d.digits, whole);
            *out++ = '.';
            put(d.digits + whole, d.count - whole);
        }
    }
    return std::string(text, out);
}

template <typename T>
std::string Format(T value, int precision, bool shortForm) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : (shortForm ? " Infinity" : "Infinity");
    if (value == 0) return shortForm ? " 0" : "0";
    return Compose(Decompose(value, precision), precision, shortForm);
}

}  // namespace

std::string GeneralText(double value) { return Format(value, 15, false); }
std::string GeneralTextSingle(float value) { return Format(value, 7, false); }
std::string ShortText(double value) { return Format(value, 15, true); }
std::string ShortTextSingle(float value) { return Format(value, 7, true); }

std::string MillionthsText(std::int64_t millionths) {
    const bool negative = millionths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(millionths)
                                             : static_cast<std::uint64_t>(millionths);
    if (magnitude == 0) return "0";
    // Below 1e15 the millionths are the quotient's shortest digits, as ShortDecimal would find
    // them; under a ten-thousandth they take the exponent form.
    if (magnitude < 100) {
        Digits d;
        d.negative = negative;
        d.count = static_cast<size_t>(
            std::to_chars(d.digits, d.digits + sizeof d.digits, magnitude).ptr - d.digits);
        d.exponent = static_cast<int>(d.count) - 7;
        while (d.digits[d.count - 1] == '0') --d.count;
        return Compose(d, 15, false);
    }
    // Written from the end: the decimals without their trailing zeros, the point, the whole part.
    char text[32];
    char* const end = text + sizeof text;
    char* first = end;
    std::uint64_t whole = magnitude / 1000000;
    std::uint64_t fraction = magnitude % 1000000;
    if (fraction != 0) {
        int decimals = 6;
        for (; fraction % 10 == 0; --decimals) fraction /= 10;
        for (; decimals > 0; --decimals, fraction /= 10)
            *--first = static_cast<char>('0' + fraction % 10);
        *--first = '.';
    }
    do {
        *--first = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (negative) *--first = '-';
    return std::string(first, end);
}

}  // namespace zan

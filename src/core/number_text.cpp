#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>
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
constexpr int kDoubleDigits = 15;
constexpr std::uint64_t kLeastWhole = 100000000000000;  // 1e14, the least whole of 15 digits
// The product of the value and an exact power of ten is rounded once, by at
// most 2^-53 of it: under 1e15 that is less than 0.12 either way.
constexpr double kProductError = 0.12;

// The decimal exponent of a positive normal double's first digit, or one
// less: the binary exponent times log10(2), which 78913 / 2^18 is near enough
// to floor alike for every exponent of a double.
int DecimalExponentAtMost(double magnitude) {
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int binaryExponent = static_cast<int>(bits >> 52) - 1023;
    return (binaryExponent * 78913) >> 18;
}

// A constant step, which the compiler divides by without a division.
template <std::uint64_t step>
void DropZeros(std::uint64_t& whole) {
    if (whole % step == 0) whole /= step;
}

// Most numbers shown lie between 1e-8 and 1e15, where one product with an
// exact power of ten gives the value's 15 significant digits as a whole
// from 1e14 to 1e15: rounding that whole is the exact rounding of the value
// unless the product lies so near a half that its own rounding could have
// crossed it, which is left (false) to the exact way.
bool RoundedDecimal(double value, Digits& d) {
    const double magnitude = std::fabs(value);
    int exponent = DecimalExponentAtMost(magnitude);
    int power = kDoubleDigits - 1 - exponent;
    if (power < 0 || power >= static_cast<int>(std::size(kPowersOfTen))) return false;
    double scaled = magnitude * kPowersOfTen[power];
    if (scaled >= 1e15) {
        if (power == 0) return false;
        scaled = magnitude * kPowersOfTen[--power];
        ++exponent;
    }
    auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < kProductError) return false;
    if (fraction > 0.5 && ++whole == 10 * kLeastWhole) {
        whole = kLeastWhole;
        ++exponent;
    }
    // A whole of 15 digits ends in at most 14 zeros: off in steps of 8, 4, 2 and 1.
    DropZeros<100000000>(whole);
    DropZeros<10000>(whole);
    DropZeros<100>(whole);
    DropZeros<10>(whole);
    d.negative = value < 0;
    d.count = static_cast<size_t>(std::to_chars(d.digits, d.digits + sizeof d.digits, whole).ptr -
                                  d.digits);
    d.exponent = exponent;
    return true;
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
            if (precision == kDoubleDigits && RoundedDecimal(value, d)) return d;
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

// Room to compose a number in place: a sign, at most 17 digits, a period or
// zeros and an exponent, with a run's room after each.
struct NumberRoom {
    char text[4 * kRun];
};

// The text of digits already rounded to the precision, composed in the room.
std::string_view Compose(const Digits& d, int precision, bool shortForm, NumberRoom& room) {
    char* const text = room.text;
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
        out = std::to_chars(out, text + sizeof room.text, e).ptr;
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
    return std::string_view(text, static_cast<size_t>(out - text));
}

template <typename T>
std::string_view Format(T value, int precision, bool shortForm, NumberRoom& room) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : (shortForm ? " Infinity" : "Infinity");
    if (value == 0) return shortForm ? " 0" : "0";
    return Compose(Decompose(value, precision), precision, shortForm, room);
}

template <typename T>
std::string FormatText(T value, int precision, bool shortForm) {
    NumberRoom room;
    return std::string(Format(value, precision, shortForm, room));
}

}  // namespace

std::string GeneralText(double value) { return FormatText(value, 15, false); }
std::string GeneralTextSingle(float value) { return FormatText(value, 7, false); }
std::string ShortText(double value) { return FormatText(value, 15, true); }
std::string ShortTextSingle(float value) { return FormatText(value, 7, true); }

void AppendShortText(std::string& text, double value) {
    NumberRoom room;
    text += Format(value, 15, true, room);
}

std::string MillionthsText(std::int64_t millionths) {
    const bool negative = millionths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(millionths)
                                             : static_cast<std::uint64_t>(millionths);
    if (magnitude == 0) return "0";
    // Below 1e15 the millionths are the quotient's shortest digits, as RoundedDecimal would find
    // them; under a ten-thousandth they take the exponent form.
    if (magnitude < 100) {
        Digits d;
        d.negative = negative;
        d.count = static_cast<size_t>(
            std::to_chars(d.digits, d.digits + sizeof d.digits, magnitude).ptr - d.digits);
        d.exponent = static_cast<int>(d.count) - 7;
        while (d.digits[d.count - 1] == '0') --d.count;
        NumberRoom room;
        return std::string(Compose(d, 15, false, room));
    }
    // The whole part, then the six decimals less their trailing zeros; the
    // divisions are by constants, which need no division instruction.
    char text[32];
    char* out = text;
    if (negative) *out++ = '-';
    const std::uint64_t whole = magnitude / 1000000;
    if (whole < 10)
        *out++ = static_cast<char>('0' + whole);
    else
        out = std::to_chars(out, std::end(text), whole).ptr;
    const auto fraction = static_cast<std::uint32_t>(magnitude % 1000000);
    if (fraction != 0) {
        *out++ = '.';
        for (const std::uint32_t three : {fraction / 1000, fraction % 1000}) {
            out[0] = static_cast<char>('0' + three / 100);
            out[1] = static_cast<char>('0' + three / 10 % 10);
            out[2] = static_cast<char>('0' + three % 10);
            out += 3;
        }
        while (out[-1] == '0') --out;
    }
    return std::string(text, out);
}

}  // namespace zan

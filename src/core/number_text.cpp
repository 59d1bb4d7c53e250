#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>
#include <type_traits>

#include "core/short_copy.h"

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

// "00" to "99" as the two bytes of each pair in memory order.
constexpr std::array<std::uint16_t, 100> kDigitPairs = [] {
    std::array<std::uint16_t, 100> pairs{};
    for (unsigned i = 0; i < 100; ++i)
        pairs[i] = static_cast<std::uint16_t>(('0' + i / 10) | ('0' + i % 10) << 8);
    return pairs;
}();

// The eight digits of n (below 1e8), leading zeros included, as the bytes of
// one word in memory order: four pairs looked up side by side, so the word
// is ready a few steps after n.
[[gnu::always_inline]] inline std::uint64_t EightDigits(std::uint32_t n) {
    const std::uint32_t high = n / 10000;
    const std::uint32_t low = n % 10000;
    return kDigitPairs[high / 100] | std::uint64_t{kDigitPairs[high % 100]} << 16 |
           std::uint64_t{kDigitPairs[low / 100]} << 32 |
           std::uint64_t{kDigitPairs[low % 100]} << 48;
}

// The 15 digits of a whole from 1e14 to 1e15 at `at` (room for 16); how
// many there are without the trailing zeros. Written as two words, the
// second over the first's spare byte, and counted from the words themselves.
[[gnu::always_inline]] inline size_t PutFifteenDigits(std::uint64_t whole, char* at) {
    const auto low = static_cast<std::uint32_t>(whole % 100000000);
    // The high half's seven digits, its leading zero dropped.
    const std::uint64_t high = EightDigits(static_cast<std::uint32_t>(whole / 100000000)) >> 8;
    const std::uint64_t lowDigits = EightDigits(low);
    std::memcpy(at, &high, sizeof high);
    std::memcpy(at + 7, &lowDigits, sizeof lowDigits);
    // Trailing zeros are the highest bytes that the zeros' exclusive or
    // clears; the high half's spare top byte is one more. Its first digit is
    // not a zero, so some byte is left.
    constexpr std::uint64_t kZeros = 0x3030303030303030;
    const auto zeroBytes = [](std::uint64_t word) {
        return static_cast<size_t>(__builtin_clzll(word) / 8);
    };
    if (low != 0) return 15 - zeroBytes(lowDigits ^ kZeros);
    return 8 - zeroBytes(high ^ (kZeros >> 8));
}

// A value rounded to 15 significant digits: the digits as one whole from
// 1e14 to 1e15 and the decimal exponent of the first.
struct Rounded {
    std::uint64_t whole = 0;
    int exponent = 0;
    bool negative = false;
};

// Most numbers shown lie between 1e-8 and 1e15, where one product with an
// exact power of ten gives the value's 15 significant digits as a whole
// from 1e14 to 1e15: rounding that whole is the exact rounding of the value
// unless the product lies so near a half that its own rounding could have
// crossed it, which is left (false) to the exact way.
[[gnu::always_inline]] inline bool RoundedDecimal(double value, Rounded& r) {
    const double magnitude = std::fabs(value);
    int exponent = DecimalExponentAtMost(magnitude);
    const int power = kDoubleDigits - 1 - exponent;
    if (power < 1 || power >= static_cast<int>(std::size(kPowersOfTen))) return false;
    // The estimate is the exponent or one less, either as likely: both
    // products are made and one is picked without a branch to mispredict.
    const double products[] = {magnitude * kPowersOfTen[power],
                               magnitude * kPowersOfTen[power - 1]};
    const bool over = products[0] >= 1e15;
    const double scaled = products[over];
    exponent += over;
    auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < kProductError) return false;
    // Rounding up is an addition; only a carry into a sixteenth digit branches.
    whole += fraction > 0.5;
    if (whole == 10 * kLeastWhole) {
        whole = kLeastWhole;
        ++exponent;
    }
    r = Rounded{whole, exponent, value < 0};
    return true;
}

// The fixed form (no exponent) shows first digits from 1e-4 to below 1e15.
bool IsFixedForm(int exponent, int precision) { return exponent >= -4 && exponent < precision; }

// The value rounded the quick way and shown in the fixed form, or false.
[[gnu::always_inline]] inline bool FixedRounding(double value, int precision, Rounded& r) {
    return precision == kDoubleDigits && std::isnormal(value) && RoundedDecimal(value, r) &&
           IsFixedForm(r.exponent, precision);
}

// The fixed form of a rounded value written straight at out (room for 24
// characters), as Compose writes it: the digits go where they stand in the
// text, and nothing written is read back wider than it was written.
[[gnu::always_inline]] inline char* PutFixed(const Rounded& r, bool shortForm, char* out) {
    if (r.negative)
        *out++ = '-';
    else if (shortForm)
        *out++ = ' ';
    if (r.exponent < 0) {
        if (!shortForm) *out++ = '0';
        *out++ = '.';
        for (int zero = -1; zero > r.exponent; --zero) *out++ = '0';
        return out + PutFifteenDigits(r.whole, out);
    }
    // The whole part's digits are written one place on and moved back a
    // byte at a time, leaving the place after them for the point.
    const auto wholeDigits = static_cast<size_t>(r.exponent) + 1;
    const size_t count = PutFifteenDigits(r.whole, out + 1);
    for (size_t i = 0; i < wholeDigits; ++i) out[i] = out[i + 1];
    if (count <= wholeDigits) return out + wholeDigits;
    out[wholeDigits] = '.';
    return out + count + 1;
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
            Rounded r;
            if (precision == kDoubleDigits && RoundedDecimal(value, r)) {
                d.negative = r.negative;
                d.count = PutFifteenDigits(r.whole, d.digits);
                d.exponent = r.exponent;
                return d;
            }
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
    if (!IsFixedForm(d.exponent, precision)) {
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

// The text written at out, which has room for kNumberTextRoom characters;
// its end. The commonest numbers are written straight where they stand.
template <typename T>
char* PutText(T value, int precision, bool shortForm, char* out) {
    if constexpr (std::is_same_v<T, double>) {
        Rounded r;
        if (FixedRounding(value, precision, r)) return PutFixed(r, shortForm, out);
    }
    NumberRoom room;
    return CopyShort(out, Format(value, precision, shortForm, room));
}

template <typename T>
std::string FormatText(T value, int precision, bool shortForm) {
    char text[kNumberTextRoom];
    return std::string(text, PutText(value, precision, shortForm, text));
}

// Millionths / 1e6 written at out (room for kNumberTextRoom); its end.
char* PutMillionths(std::int64_t millionths, char* out) {
    char* const room = out + kNumberTextRoom;
    const bool negative = millionths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(millionths)
                                             : static_cast<std::uint64_t>(millionths);
    if (magnitude == 0) {
        *out = '0';
        return out + 1;
    }
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
        return CopyShort(out, Compose(d, 15, false, room));
    }
    // The whole part, then the six decimals less their trailing zeros: the
    // decimals are the last six of the eight digits of one word.
    if (negative) *out++ = '-';
    const std::uint64_t whole = magnitude / 1000000;
    if (whole < 10)
        *out++ = static_cast<char>('0' + whole);
    else
        out = std::to_chars(out, room, whole).ptr;
    const auto fraction = static_cast<std::uint32_t>(magnitude % 1000000);
    if (fraction == 0) return out;
    *out++ = '.';
    const std::uint64_t decimals = EightDigits(fraction) >> 16;
    std::memcpy(out, &decimals, sizeof decimals);
    // The word's two spare top bytes clear with the trailing zeros.
    constexpr std::uint64_t kSixZeros = 0x0000303030303030;
    return out + 8 - __builtin_clzll(decimals ^ kSixZeros) / 8;
}

void SetText(NumberText& text, const char* end) {
    text.size = static_cast<std::uint8_t>(end - text.chars);
}

}  // namespace

std::string GeneralText(double value) { return FormatText(value, 15, false); }
std::string GeneralTextSingle(float value) { return FormatText(value, 7, false); }
std::string ShortText(double value) { return FormatText(value, 15, true); }
std::string ShortTextSingle(float value) { return FormatText(value, 7, true); }

char* PutShortText(char* out, double value) { return PutText(value, kDoubleDigits, true, out); }

void SetGeneralText(NumberText& text, double value) {
    SetText(text, PutText(value, kDoubleDigits, false, text.chars));
}

void SetGeneralTextSingle(NumberText& text, float value) {
    SetText(text, PutText(value, 7, false, text.chars));
}

std::string MillionthsText(std::int64_t millionths) {
    char text[kNumberTextRoom];
    return std::string(text, PutMillionths(millionths, text));
}

void SetMillionthsText(NumberText& text, std::int64_t millionths) {
    SetText(text, PutMillionths(millionths, text.chars));
}

}  // namespace zan

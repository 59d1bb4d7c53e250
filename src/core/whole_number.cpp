#include "core/whole_number.h"

#include <cmath>

namespace zan {

std::optional<long long> WholeNumberIn(double value, long long lowest, long long highest) {
    // Within the range of long long first: only then is the conversion defined.
    constexpr double kLimit = 9223372036854775808.0;  // 2 to the 63rd
    if (!(value >= -kLimit && value < kLimit) || value != std::trunc(value)) return std::nullopt;
    const auto whole = static_cast<long long>(value);
    if (whole < lowest || whole > highest) return std::nullopt;
    return whole;
}

std::optional<long long> DigitsNumberIn(std::string_view digits, long long lowest,
                                        long long highest) {
    if (digits.empty()) return std::nullopt;
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        // Stop before the value leaves the range, before it could overflow.
        if (value > (highest - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (value < lowest) return std::nullopt;
    return value;
}

}  // namespace zan

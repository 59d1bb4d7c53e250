#pragma once
#include <optional>
#include <string_view>

namespace zan {

// A value as a whole number when it is finite, whole and within
// [lowest, highest]; nothing otherwise (1e300, NaN, 2.5), so no conversion
// ever wraps to a number nobody typed or sent.
std::optional<long long> WholeNumberIn(double value, long long lowest, long long highest);

// The whole number a text of decimal digits spells, when it lies within
// [lowest, highest]; nothing for an empty text, any other character, or a
// number out of range however many digits it has.
std::optional<long long> DigitsNumberIn(std::string_view digits, long long lowest,
                                        long long highest);

}  // namespace zan

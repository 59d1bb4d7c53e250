#pragma once
#include <cstdint>
#include <cstring>

namespace zan {

// Whether any of eight bytes is c: the byte the exclusive or leaves zero is
// the one that keeps its high bit through the subtraction.
inline bool WordHoldsByte(std::uint64_t word, char c) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    const std::uint64_t v = word ^ (kOnes * static_cast<unsigned char>(c));
    return ((v - kOnes) & ~v & kHighBits) != 0;
}

// Whether any of eight bytes is one of the given characters.
template <typename... Chars>
bool WordHoldsAny(std::uint64_t word, Chars... c) {
    return (WordHoldsByte(word, c) || ...);
}

// The eight bytes from p, wherever they lie.
inline std::uint64_t WordAt(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

}  // namespace zan

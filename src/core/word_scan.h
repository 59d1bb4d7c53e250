#pragma once
#include <cstdint>
#include <cstring>

namespace zan {

// The high bit of the byte that is c, and perhaps of bytes after it: the
// byte the exclusive or leaves zero is the one that keeps its high bit
// through the subtraction.
inline std::uint64_t RoughBytesThatAre(std::uint64_t word, char c) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    const std::uint64_t v = word ^ (kOnes * static_cast<unsigned char>(c));
    return (v - kOnes) & ~v & kHighBits;
}

// Whether any of eight bytes is c.
inline bool WordHoldsByte(std::uint64_t word, char c) { return RoughBytesThatAre(word, c) != 0; }

// Whether any of eight bytes is one of the given characters, tested all at
// once rather than one character after another.
template <typename... Chars>
bool WordHoldsAny(std::uint64_t word, Chars... c) {
    return (RoughBytesThatAre(word, c) | ...) != 0;
}

// The high bit of each of eight bytes that is c, and of no other: exact,
// where WordHoldsByte may also mark a byte after a match.
inline std::uint64_t BytesThatAre(std::uint64_t word, char c) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7F;
    const std::uint64_t v = word ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((v & kLowBits) + kLowBits) | v | kLowBits);
}

// Words are read in memory order with the first byte lowest.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are read little-endian");

// Which of the eight bytes the lowest mark of a BytesThatAre mask stands on.
inline int FirstMarkedByte(std::uint64_t marks) { return __builtin_ctzll(marks) >> 3; }

// The eight bytes from p, wherever they lie.
inline std::uint64_t WordAt(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

}  // namespace zan

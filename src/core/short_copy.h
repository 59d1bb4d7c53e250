#pragma once
#include <cstddef>
#include <cstring>
#include <string_view>

namespace zan {

// Copies a piece of a line to out and gives the end. A piece is mostly a tab
// or a value of a few characters, not worth a library call: two moves of
// eight or of four that may overlap, or a byte at a time.
inline char* CopyShort(char* out, std::string_view piece) {
    const char* const from = piece.data();
    const size_t n = piece.size();
    if (n > 16) {
        std::memcpy(out, from, n);
    } else if (n >= 8) {
        std::memcpy(out, from, 8);
        std::memcpy(out + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(out, from, 4);
        std::memcpy(out + n - 4, from + n - 4, 4);
    } else {
        for (size_t i = 0; i < n; ++i) out[i] = from[i];
    }
    return out + n;
}

}  // namespace zan

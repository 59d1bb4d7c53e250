#pragma once
#include <cstdint>

namespace zan {

struct Colour {
    std::uint8_t red = 192, green = 192, blue = 192;
    bool operator==(const Colour& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const Colour& o) const { return !(*this == o); }
};

// Toggle buttons: light green while idle, light red while active.
inline constexpr Colour kLightGreen{128, 255, 128};
inline constexpr Colour kLightRed{255, 128, 128};
inline constexpr Colour kButtonGrey{192, 192, 192};

}  // namespace zan

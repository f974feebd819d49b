#pragma once
// The 16-colour palette as screen colours (0xRRGGBB), by palette number.

#include <cstdint>

namespace zelk {

inline constexpr std::uint32_t kPaletteRgb[16] = {
    0x000000, 0x000080, 0x008000, 0x008080,  // black, blue, green, cyan
    0x800000, 0x800080, 0x808000, 0xC0C0C0,  // red, magenta, yellow, white
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,  // grey, light blue, light green, light cyan
    0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,  // light red, light magenta, light yellow, bright white
};

// The screen colour of a palette number; numbers outside 0..15 wrap into it.
constexpr std::uint32_t paletteRgb(int colour) { return kPaletteRgb[colour & 15]; }

}  // namespace zelk

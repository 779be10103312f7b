// Colours as the system passes them around: red in the low byte, then green and blue
// (0x00BBGGRR). Type-0 pictures store the other order (blue in the low byte).
#pragma once

#include <cstdint>

inline constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}
inline constexpr uint32_t RedOf(uint32_t colour) {
    return colour & 0xFF;
}
inline constexpr uint32_t GreenOf(uint32_t colour) {
    return (colour >> 8) & 0xFF;
}
inline constexpr uint32_t BlueOf(uint32_t colour) {
    return (colour >> 16) & 0xFF;
}
// Swaps red and blue and drops the top byte: a colour to a type-0 value and back.
inline constexpr uint32_t SwapRedBlue(uint32_t colour) {
    return Rgb(BlueOf(colour), GreenOf(colour), RedOf(colour));
}

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0;

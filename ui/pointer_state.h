// The pointer states of the virtual keyboard: where each pointer is and whether its button is
// down. Entry 0 is the mouse; the others are for keys pressed by other means (an owner may
// set them and redraw).
#pragma once

#include <array>
#include <cstdint>

struct SPointerState {
    int32_t x = 0;  // window coordinates
    int32_t y = 0;
    int32_t pressed = 0;  // 1 while the button is down
    uint32_t time = 0;    // tick count of the last change
    int32_t changed = 0;  // set by a change, cleared when the keys are redrawn
    // 1 while the pointer is over the window. A pointer that is not there highlights
    // nothing: a zeroed entry would otherwise highlight the key under (0, 0).
    int32_t present = 0;
};
static_assert(sizeof(SPointerState) == 24);

inline constexpr int kPointerCount = 10;
using PointerStates = std::array<SPointerState, kPointerCount>;

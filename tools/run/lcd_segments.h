// The lit segments of the LCD, as the simulator's display refresh finds them: the display
// read of pages 0-3, columns 0-96 of each, bits 0-7 of each cell; a set bit b of column c
// on page p is the segment (c, p * 8 + b). In page, column, bit order.
#pragma once

#include <cstdint>
#include <vector>

class CIce;

struct LitSegment {
    int32_t column;
    int32_t row;
};

inline constexpr int kRefreshPages = 4;
inline constexpr int kRefreshColumns = 97;
inline constexpr int kRefreshBits = 8;

std::vector<LitSegment> LitSegmentsOf(const CIce& ice);

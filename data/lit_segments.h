// The lit-segment list: which LCD segments are on.
//
// An element buffer of 8-byte elements, each two int32: the LCD memory column and the row
// (page * bits per page + bit). The front end builds it from LCD memory on every display
// refresh (BuildLitSegments); every LCD view draws it with CSegLcdDatSet::Draw.
//
// The refresh reads the four LCD pages (97 cells each, 8 bits of each cell) and lists every
// set bit b of cell c on page p as the segment (column c, row 8p + b), in page, cell, bit
// order. The simulator's display and the headless runner's picture both build it here.
#pragma once

#include <cstdint>
#include <functional>

#include "util/cbuf.h"

struct SLitSegment {
    int32_t column;
    int32_t row;
};
static_assert(sizeof(SLitSegment) == 8);

inline CBuf NewLitSegmentList() {
    return CBuf(0, sizeof(SLitSegment), nullptr, 0, 10);
}

inline void AddLitSegment(CBuf& list, int32_t column, int32_t row) {
    SLitSegment s{column, row};
    list.Append(&s, 1);
}

inline SLitSegment LitSegmentAt(const CBuf& list, int i) {
    SLitSegment s{0, 0};
    list.GetElement(i, &s);
    return s;
}

inline constexpr int kLcdRefreshPages = 4;
inline constexpr int kLcdRefreshCells = 97;
inline constexpr int kLcdRefreshBits = 8;
// Room for one page read: the display read writes up to 98 cells, and the buffer keeps the
// refresh's 32 x 97 slots.
inline constexpr int kLcdRowSlots = 32 * kLcdRefreshCells;

// Fills cells[0 .. kLcdRowSlots) with page p (cleared to 0 before the call).
using LcdPageReader = std::function<void(int page, uint32_t* cells)>;

// Empties list (8-byte elements) and fills it with the lit segments.
void BuildLitSegments(const LcdPageReader& readPage, CBuf& list);

// The display refresh's read of LCD memory: which segments are lit.
//
// Every 100 ms the main dialog reads the four LCD pages (97 cells each, 8 bits of each cell)
// and lists every set bit b of cell c on page p as the segment (column c, row 8p + b), in
// page, cell, bit order. Every LCD view then draws that one list.
#pragma once

#include <cstdint>
#include <functional>

#include "util/cbuf.h"

class CIce;

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
// The same from the emulator's display read (GetLcdRow), which never blocks the emulation.
void BuildLitSegments(const CIce& ice, CBuf& list);

#include "data/lit_segments.h"

#include <array>

void BuildLitSegments(const LcdPageReader& readPage, CBuf& list) {
    list = NewLitSegmentList();
    std::array<uint32_t, kLcdRowSlots> cells;
    for (int page = 0; page < kLcdRefreshPages; ++page) {
        cells.fill(0);
        readPage(page, cells.data());
        for (int c = 0; c < kLcdRefreshCells; ++c)
            for (int b = 0; b < kLcdRefreshBits; ++b)
                if (cells[size_t(c)] & (1u << b))
                    AddLitSegment(list, c, page * kLcdRefreshBits + b);
    }
}

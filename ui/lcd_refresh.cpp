#include "ui/lcd_refresh.h"

#include <array>

#include "core/ice.h"
#include "data/lit_segments.h"

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

void BuildLitSegments(const CIce& ice, CBuf& list) {
    static_assert(CLCDRam::kColumns <= kLcdRowSlots);
    BuildLitSegments([&ice](int page, uint32_t* cells) { ice.GetLcdRow(page, cells); }, list);
}

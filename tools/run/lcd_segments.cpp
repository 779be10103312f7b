#include "tools/run/lcd_segments.h"

#include "core/ice.h"

std::vector<LitSegment> LitSegmentsOf(const CIce& ice) {
    std::vector<LitSegment> lit;
    for (int page = 0; page < kRefreshPages; ++page) {
        uint32_t cells[CLCDRam::kColumns] = {};
        ice.GetLcdRow(page, cells);
        for (int c = 0; c < kRefreshColumns; ++c)
            for (int b = 0; b < kRefreshBits; ++b)
                if (cells[c] & (1u << b)) lit.push_back({c, page * kRefreshBits + b});
    }
    return lit;
}

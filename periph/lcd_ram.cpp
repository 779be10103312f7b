#include "periph/lcd_ram.h"

void CLCDRam::ReadRow(int page, uint32_t displayControl, uint32_t displayMode,
                      uint32_t* dest) const {
    if (page >= 0 && page < kPages)
        for (int i = 0; i < kColumns; ++i)
            dest[i] = m_cells[page * kColumns + i].load(std::memory_order_relaxed);
    ApplyDisplayControl(page, displayControl, displayMode, dest);
}

void ApplyDisplayControl(int page, uint32_t displayControl, uint32_t displayMode,
                         uint32_t* values) {
    constexpr int n = CLCDRam::kColumns;
    bool on = (displayControl & 0x20) && !(displayControl & 0x40) && (displayControl & 0x03);
    if (!on) {
        for (int i = 0; i < n; ++i)
            values[i] = 0;
        return;
    }
    switch ((displayMode >> 6) & 3) {
        case 1:  // column 0 only
            for (int i = 1; i < n; ++i)
                values[i] = 0;
            break;
        case 2:  // column 97 only
            for (int i = 0; i < n - 1; ++i)
                values[i] = 0;
            break;
        case 3:  // columns 0 and 97
            for (int i = 1; i < n - 1; ++i)
                values[i] = 0;
            break;
        default:
            break;
    }
    auto maskAll = [&](uint32_t mask) {
        for (int i = 0; i < n; ++i)
            values[i] &= mask;
    };
    if ((displayMode & 0x20) && page == 0) maskAll(0xFE);
    if ((displayMode & 0x10) && page == 3) maskAll(0x7F);
    if ((displayMode & 0x08) && page == 3) maskAll(0x80);
    if ((displayMode & 0x04) && page == 2) maskAll(0);
    if ((displayMode & 0x02) && page == 1) maskAll(0);
    if ((displayMode & 0x01) && page == 0) maskAll(0x01);
}

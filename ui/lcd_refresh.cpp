#include "ui/lcd_refresh.h"

#include "core/ice.h"

void BuildLitSegments(const CIce& ice, CBuf& list) {
    static_assert(CLCDRam::kColumns <= kLcdRowSlots);
    BuildLitSegments([&ice](int page, uint32_t* cells) { ice.GetLcdRow(page, cells); }, list);
}

#include "ui/lcd_refresh.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "data/lit_segments.h"

namespace {

std::vector<std::pair<int, int>> Pairs(const CBuf& list) {
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < list.Count(); ++i) {
        SLitSegment s = LitSegmentAt(list, i);
        out.emplace_back(s.column, s.row);
    }
    return out;
}

TEST(LcdRefresh, EverySetBitOfTheFourPagesIsOneSegmentInPageCellBitOrder) {
    std::vector<int> pagesRead;
    auto read = [&](int page, uint32_t* cells) {
        pagesRead.push_back(page);
        EXPECT_EQ(cells[0], 0u) << "the buffer is cleared before each page";
        if (page == 0) {
            cells[0] = 0x81;  // bits 0 and 7
            cells[96] = 0x02;
        }
        if (page == 3) cells[5] = 0x40;
        // Bits above 7 and cells beyond 96 are not segments of the refresh.
        cells[1] = 0x100;
        cells[97] = 0xFF;
    };
    CBuf list = NewLitSegmentList();
    AddLitSegment(list, 50, 50);  // whatever was there goes
    BuildLitSegments(read, list);
    EXPECT_EQ(pagesRead, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.ElementSize(), 8);
    EXPECT_EQ(Pairs(list), (std::vector<std::pair<int, int>>{{0, 0}, {0, 7}, {96, 1}, {5, 30}}));
}

TEST(LcdRefresh, AnEmptyLcdGivesAnEmptyList) {
    CBuf list;
    BuildLitSegments([](int, uint32_t*) {}, list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ElementSize(), 8);
}

}  // namespace

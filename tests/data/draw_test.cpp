// Drawing into pictures: lines with step, dash pattern and pen sizes; outlines; blending.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "data/colour.h"
#include "data/pix_buf.h"
#include "data/pix_buf_draw.h"

namespace {

using Points = std::set<std::pair<int, int>>;

Points Black(const CPixBuf& pic) {
    Points out;
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
            if (pic.GetColour(x, y) == kBlack) out.insert({x, y});
    return out;
}

CPixBuf WhitePicture(int w, int h) {
    CPixBuf pic;
    pic.Create(w, h, 0);
    pic.FillAll(kWhite);
    return pic;
}

TEST(PixBufDraw, LinesStepAlongTheLongerAxis) {
    struct {
        int x1, y1, x2, y2, step;
        Points expected;
    } cases[] = {
        {0, 0, 2, 5, 1, {{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}, {2, 5}}},
        {5, 1, 0, 0, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}, {1, 1}, {0, 0}}},
        {0, 0, 3, 3, 1, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {0, 2, 6, 2, 2, {{0, 2}, {2, 2}, {4, 2}, {6, 2}}},
        {0, 2, 6, 2, 0, {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
        {4, 4, 4, 4, 1, {{4, 4}}},
    };
    for (const auto& c : cases) {
        CPixBuf pic = WhitePicture(8, 8);
        CPixBufDraw(pic).Line(c.x1, c.y1, c.x2, c.y2, c.step, CPixBufDraw::kSolid, 0, 1, kBlack);
        EXPECT_EQ(Black(pic), c.expected) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST(PixBufDraw, TheDashPatternPicksPointsAndIsCarriedOn) {
    CPixBuf pic = WhitePicture(10, 3);
    CPixBufDraw draw(pic);
    uint32_t after = draw.Line(0, 0, 6, 0, 1, 0x5, 0, 1, kBlack);  // bits 101: on, off, on
    EXPECT_EQ(Black(pic), (Points{{0, 0}, {2, 0}}));
    // Seven points rotate the word right seven times.
    EXPECT_EQ(after, (0x5u >> 7) | (0x5u << 25));
    // A polyline continues the pattern from one line to the next.
    CPixBuf pic2 = WhitePicture(10, 3);
    CPixBufDraw(pic2).Polyline({{0, 1}, {2, 1}, {4, 1}}, 1, 0xAAAAAAAAu, 0, 1, kBlack);
    // Points 0,1,2 then 2,3,4: off, on, off, on, off, on.
    EXPECT_EQ(Black(pic2), (Points{{1, 1}, {2, 1}, {4, 1}}));
}

TEST(PixBufDraw, PenSizesStampSquaresAndDiscs) {
    struct {
        int size;
        size_t pixels;
        int minX, maxX;
    } cases[] = {{1, 1, 5, 5},  {2, 4, 5, 6}, {3, 9, 4, 6}, {4, 12, 4, 7},
                 {5, 21, 3, 7}, {0, 0, 0, 0}, {6, 0, 0, 0}, {-1, 0, 0, 0}};
    for (const auto& c : cases) {
        CPixBuf pic = WhitePicture(12, 12);
        CPixBufDraw(pic).Line(5, 5, 5, 5, 1, CPixBufDraw::kSolid, 0, c.size, kBlack);
        Points p = Black(pic);
        ASSERT_EQ(p.size(), c.pixels) << c.size;
        if (p.empty()) continue;
        EXPECT_EQ(p.begin()->first, c.minX) << c.size;
        EXPECT_EQ(p.rbegin()->first, c.maxX) << c.size;
        if (c.size >= 4) {
            EXPECT_FALSE(p.count({c.minX, c.minX})) << "corner of " << c.size;
        }
    }
    CPixBuf pic = WhitePicture(4, 4);
    CPixBufDraw(pic).Line(0, 0, 3, 0, 1, CPixBufDraw::kSolid, 1, 1, kBlack);  // pen kind 1
    EXPECT_TRUE(Black(pic).empty());
}

TEST(PixBufDraw, ARectangleOutlineFramesThePicture) {
    CPixBuf pic = WhitePicture(5, 4);
    CPixBufDraw(pic).RectOutline(0, 0, 4, 3, 1, CPixBufDraw::kSolid, 0, 1, kBlack);
    Points p = Black(pic);
    EXPECT_EQ(p.size(), size_t(2 * 5 + 2 * 2));
    EXPECT_FALSE(p.count({2, 1}));
    EXPECT_TRUE(p.count({4, 3}));
}

TEST(PixBufDraw, OpacityBlendsWithWhatIsThere) {
    CPixBuf pic = WhitePicture(3, 1);
    CPixBufDraw draw(pic);
    draw.Pixel(0, 0, kBlack, 0.25);
    draw.Pixel(1, 0, kBlack, -3);  // clamped to 0: nothing changes
    draw.HorizontalRun(2, 2, 0, Rgb(0, 0, 255), 1.0);
    EXPECT_EQ(pic.GetColour(0, 0), Rgb(191, 191, 191));
    EXPECT_EQ(pic.GetColour(1, 0), kWhite);
    EXPECT_EQ(pic.GetColour(2, 0), Rgb(0, 0, 255));
    draw.FilledRect(-100, -100, 100, 100, kBlack);
    EXPECT_EQ(Black(pic).size(), 3u);
}

}  // namespace

// The demo calculator's segment LCD file: a record for every position the display refresh
// produces, a segment of its own for every bit the firmware uses, laid out like a real LCD.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data/lit_segments.h"
#include "tests/mkmodel/demo_model.h"

namespace {

constexpr int kColumns = 97;
constexpr int kRows = 32;  // 4 pages of 8 bits

// The bits the firmware uses: ten digits of segments a-g and a point on page 0, minus, M
// and E on page 1, column 0.
bool Used(int column, int row) {
    return (row < 8 && column < 10) || (column == 0 && row >= 8 && row <= 10);
}

enum { kA, kB, kC, kD, kE, kF, kG, kPoint };

class DemoSegLcd : public testing::Test {
protected:
    void SetUp() override {
        set = LoadSegLcd(ModelFile(kSegLcdFile));
        ASSERT_TRUE(set);
        ASSERT_EQ(set->LayoutCount(), 3);
    }
    static SSegRecord Record(const CSegLcdDat& layout, int column, int row) {
        SSegRecord r{};
        EXPECT_TRUE(layout.Record(column + row * layout.SegDevCnt(), &r));
        return r;
    }
    std::unique_ptr<CSegLcdDatSet> set;
};

TEST_F(DemoSegLcd, EveryPositionOfTheRefreshHasARecord) {
    for (int n = 0; n < set->LayoutCount(); ++n) {
        SCOPED_TRACE(n);
        const CSegLcdDat& layout = *set->Layout(n);
        EXPECT_EQ(layout.SegDevCnt(), kColumns);
        EXPECT_EQ(layout.RecordCount(), kColumns * kRows);
        CBuf all = NewLitSegmentList();
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column)
                AddLitSegment(all, column, row);
        CPixBuf picture;
        picture.Create(layout.Picture().Width(), layout.Picture().Height(), 0);
        SLcdViewParams view;
        view.layout = &layout;
        EXPECT_TRUE(CSegLcdDatSet::Draw(picture, view, all));
    }
}

TEST_F(DemoSegLcd, EachUsedBitHasASegmentOfItsOwnAndTheOthersNone) {
    for (int n = 0; n < set->LayoutCount(); ++n) {
        SCOPED_TRACE(n);
        const CSegLcdDat& layout = *set->Layout(n);
        const CPixBuf& picture = layout.Picture();
        // Pixels of each stored value.
        std::map<uint32_t, int> pixels;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                ++pixels[picture.GetRaw(x, y)];

        std::set<uint32_t> keys;
        int segmentPixels = 0;
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                SSegRecord r = Record(layout, column, row);
                uint32_t key = picture.StoredForm(r.keyColour);
                if (!Used(column, row)) {
                    EXPECT_TRUE(r.right <= r.left || r.bottom <= r.top) << column << ", " << row;
                    EXPECT_EQ(pixels.count(key), 0u) << column << ", " << row;
                    continue;
                }
                ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right > r.left && r.bottom > r.top &&
                            r.right <= picture.Width() && r.bottom <= picture.Height())
                    << column << ", " << row;
                EXPECT_TRUE(keys.insert(key).second)
                    << "key colour shared: " << column << ", " << row;
                EXPECT_NE(key, picture.StoredForm(0xFFFFFF));
                // Every pixel of the colour lies in the record's rectangle, so that drawing
                // the segment blackens all of it.
                int inside = 0;
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x)
                        inside += picture.GetRaw(x, y) == key;
                EXPECT_GT(inside, 0) << column << ", " << row;
                EXPECT_EQ(inside, pixels[key]) << column << ", " << row;
                segmentPixels += inside;
            }
        // Besides the segments there is only the white of the glass.
        EXPECT_EQ(segmentPixels + pixels[picture.StoredForm(0xFFFFFF)],
                  picture.Width() * picture.Height());
    }
}

TEST_F(DemoSegLcd, DigitsLeanRightInARowUnderTheAnnunciators) {
    for (int n = 0; n < set->LayoutCount(); ++n) {
        SCOPED_TRACE(n);
        const CSegLcdDat& layout = *set->Layout(n);
        int previousLeft = -1;
        for (int digit = 0; digit < 10; ++digit) {
            SCOPED_TRACE(digit);
            SSegRecord a = Record(layout, digit, kA), d = Record(layout, digit, kD),
                       g = Record(layout, digit, kG), c = Record(layout, digit, kC),
                       b = Record(layout, digit, kB), point = Record(layout, digit, kPoint);
            EXPECT_GT(a.left, previousLeft);  // column 0 is the leftmost digit
            previousLeft = a.left;
            EXPECT_LT(a.bottom, g.top + 1);
            EXPECT_LT(g.bottom, d.top + 1);
            EXPECT_GT(a.left, d.left);  // slanted: the top stands further right
            EXPECT_GT(c.left, b.left - (b.right - b.left));
            EXPECT_GE(point.left, d.right - 1);  // the point right of the digit, on its base
            EXPECT_GT(point.bottom, g.bottom);
            for (int annunciator = 8; annunciator <= 10; ++annunciator)
                EXPECT_LE(Record(layout, 0, annunciator).bottom, a.top);
        }
        // Minus, M, E from left to right.
        EXPECT_LT(Record(layout, 0, 8).right, Record(layout, 0, 9).left + 1);
        EXPECT_LT(Record(layout, 0, 9).right, Record(layout, 0, 10).left + 1);
    }
}

TEST_F(DemoSegLcd, TheLcdWindowLayoutFitsBesideTheSmallPanel) {
    auto small = LoadPanel(ModelFile(kSmallPanelFile));
    ASSERT_TRUE(small);
    const CPixBuf& window = set->Layout(2)->Picture();
    // The normal window is 761 pixels wide: panel at x 20, LCD window at 40 + panel width.
    EXPECT_LE(window.Width(), 400);
    EXPECT_LE(40 + small->vkb.Picture(CVkbData::kNormal)->Width() + window.Width(), 761);
    EXPECT_GT(window.Width(), set->Layout(0)->Picture().Width());
}

}  // namespace

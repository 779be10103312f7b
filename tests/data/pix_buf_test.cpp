// Pictures: formats, pixel access, fills, whole-picture operations and the tag form.
#include <gtest/gtest.h>

#include <set>

#include "data/colour.h"
#include "data/dms.h"
#include "data/pix_buf.h"
#include "data/tag_buf_list.h"

namespace {

TEST(PixBuf, ReadsOutsideThePictureGiveTheBackground) {
    CPixBuf pic;
    ASSERT_TRUE(pic.Create(4, 3, 0));
    EXPECT_EQ(pic.GetRaw(-1, 0), 0xFFFFFFu);
    EXPECT_EQ(pic.GetRaw(4, 0), 0xFFFFFFu);
    EXPECT_EQ(pic.GetRaw(0, 3), 0xFFFFFFu);
    EXPECT_EQ(pic.GetRaw(3, 2), 0u);
    EXPECT_EQ(pic.SetRaw(4, 0, 5), 0);
    // The origin shifts every access.
    pic.SetOrigin(1, 1);
    EXPECT_EQ(pic.SetRaw(2, 1, 0x123), 1);
    pic.SetOrigin(0, 0);
    EXPECT_EQ(pic.GetRaw(3, 2), 0x123u);
}

TEST(PixBuf, EachTypeHasItsBitsUnitAndPalette) {
    struct {
        int type, bits, unit, paletteEntries;
    } cases[] = {{0, 32, 4, 1}, {1, 16, 2, 1}, {2, 8, 1, 256}, {3, 4, 1, 16}, {4, 1, 1, 2}};
    for (const auto& c : cases) {
        CPixBuf pic;
        ASSERT_TRUE(pic.Create(3, 2, c.type)) << c.type;
        EXPECT_EQ(pic.BitsPerPixel(), c.bits);
        EXPECT_EQ(pic.UnitSize(), c.unit);
        EXPECT_EQ(pic.Pixels().TotalBytes(), 6 * c.unit);
        EXPECT_EQ(pic.Palette().Count(), c.paletteEntries);
    }
    CPixBuf bad;
    EXPECT_FALSE(bad.Create(2, 2, 5));
    EXPECT_FALSE(bad.Create(-1, 2, 0));
    EXPECT_FALSE(bad.Create(1 << 20, 1 << 20, 0));
}

TEST(PixBuf, TheEightBitPaletteRunsThroughTheColourCube) {
    CPixBuf pic;
    pic.Create(1, 1, 2);
    std::set<uint32_t> cube;
    for (int r : {0, 51, 102, 153, 204, 255})
        for (int g : {0, 51, 102, 153, 204, 255})
            for (int b : {0, 51, 102, 153, 204, 255})
                cube.insert(Rgb(r, g, b));
    std::set<uint32_t> found;
    for (int i = 0; i < pic.Palette().Count(); ++i)
        if (cube.count(pic.Palette().Colour(i))) found.insert(pic.Palette().Colour(i));
    EXPECT_EQ(found, cube);
    // A cube colour is stored as its exact index and reads back unchanged.
    pic.SetColour(0, 0, Rgb(204, 51, 255));
    EXPECT_EQ(pic.GetColour(0, 0), Rgb(204, 51, 255));
}

TEST(PixBuf, ColoursAreConvertedByType) {
    CPixBuf rgb;
    rgb.Create(1, 1, 0);
    rgb.SetColour(0, 0, Rgb(1, 2, 3));
    EXPECT_EQ(rgb.GetRaw(0, 0), 0x010203u);  // blue low in the stored value
    EXPECT_EQ(rgb.Data()[0], 3);
    EXPECT_EQ(rgb.GetColour(0, 0), Rgb(1, 2, 3));

    CPixBuf mono;
    mono.Create(2, 1, 4);
    mono.SetColour(0, 0, Rgb(250, 240, 230));
    EXPECT_EQ(mono.GetRaw(0, 0), 1u);
    EXPECT_EQ(mono.GetColour(0, 0), kWhite);
    mono.SetRaw(1, 0, 0x37);  // an index the palette does not have: a grey of its low byte
    EXPECT_EQ(mono.GetColour(1, 0), Rgb(0x37, 0x37, 0x37));

    CPixBuf raw16;
    raw16.Create(1, 1, 1);
    raw16.SetRaw(0, 0, 0xBEEF);
    raw16.SetColour(0, 0, kBlack);
    EXPECT_EQ(raw16.GetRaw(0, 0), 0xBEEFu);
    raw16.FillAll(kBlack);  // no conversion: the stored form is what pixel 0, 0 holds
    EXPECT_EQ(raw16.GetRaw(0, 0), 0xBEEFu);
}

TEST(PixBuf, FillsAreClippedAndExclusiveOnTheRightAndBottom) {
    for (int type : {0, 2, 1}) {
        CPixBuf pic;
        pic.Create(4, 4, type);
        pic.FillAll(kWhite);
        if (type == 1) pic.SetRaw(0, 0, 0x7777);
        uint32_t white = pic.GetRaw(0, 0);
        pic.FillRect(-5, 1, 2, 3, kBlack);
        if (type == 1) continue;
        uint32_t black = pic.GetRaw(0, 1);
        EXPECT_NE(black, white) << type;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(pic.GetRaw(x, y), x < 2 && y >= 1 && y < 3 ? black : white)
                    << type << " " << x << "," << y;
    }
}

TEST(PixBuf, ReplaceValueWritesTheTargetWhereTheSourceHasTheOldColour) {
    CPixBuf loaded, working;
    loaded.Create(3, 1, 0);
    loaded.SetColour(1, 0, Rgb(0, 255, 0));
    working = loaded;
    ASSERT_TRUE(loaded.ReplaceValue(Rgb(0, 255, 0), Rgb(10, 20, 30), working));
    EXPECT_EQ(working.GetColour(0, 0), kBlack);
    EXPECT_EQ(working.GetColour(1, 0), Rgb(10, 20, 30));
    CPixBuf other;
    other.Create(3, 1, 2);
    EXPECT_FALSE(loaded.ReplaceValue(0, 0, other));
}

TEST(PixBuf, ResizeKeepsTheTopLeftPart) {
    CPixBuf pic;
    pic.Create(3, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            pic.SetRaw(x, y, uint32_t(10 * y + x + 1));
    ASSERT_TRUE(pic.Resize(2, 3));
    EXPECT_EQ(pic.GetRaw(1, 1), 12u);
    EXPECT_EQ(pic.GetRaw(0, 2), 0u);
    EXPECT_EQ(pic.Width(), 2);
}

TEST(PixBuf, ChangeTypeKeepsTheColours) {
    CPixBuf pic;
    pic.Create(2, 1, 0);
    pic.SetColour(0, 0, Rgb(255, 0, 0));
    pic.SetColour(1, 0, Rgb(51, 102, 153));
    ASSERT_TRUE(pic.ChangeType(2));
    EXPECT_EQ(pic.Type(), 2);
    EXPECT_EQ(pic.GetColour(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(pic.GetColour(1, 0), Rgb(51, 102, 153));
    ASSERT_TRUE(pic.ChangeType(0));
    EXPECT_EQ(pic.GetColour(1, 0), Rgb(51, 102, 153));
}

TEST(PixBuf, CopyRegionClipsCopiesRawAndBlends) {
    CPixBuf source, target;
    source.Create(4, 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.SetRaw(x, y, uint32_t(0x10 * y + x));
    target.Create(3, 3, 0);
    // A reversed rectangle from (3, 3) back to (1, 1), put at (1, 1): clipped to 2 x 2.
    ASSERT_TRUE(source.CopyRegion(3, 3, -2, -2, target, 1, 1));
    EXPECT_EQ(target.GetRaw(1, 1), 0x11u);
    EXPECT_EQ(target.GetRaw(2, 2), 0x22u);
    EXPECT_EQ(target.GetRaw(0, 0), 0u);
    EXPECT_FALSE(source.CopyRegion(0, 0, 2, 2, target, 3, 0));  // right of the target

    CPixBuf white;
    white.Create(1, 1, 0);
    white.FillAll(kWhite);
    CPixBuf dark;
    dark.Create(1, 1, 0);
    dark.FillAll(Rgb(100, 0, 200));
    ASSERT_TRUE(white.CopyRegion(0, 0, 1, 1, dark, 0, 0, 0.5));
    EXPECT_EQ(dark.GetColour(0, 0), Rgb(178, 128, 228));

    CPixBuf indexed;
    indexed.Create(1, 1, 2);
    ASSERT_TRUE(white.CopyRegion(0, 0, 1, 1, indexed, 0, 0, 7.0));  // opacity clamped to 1
    EXPECT_EQ(indexed.GetColour(0, 0), kWhite);
}

TEST(PixBuf, TagFormRoundTripsEveryType) {
    for (int type = 0; type < CPixBuf::kTypeCount; ++type) {
        CPixBuf pic;
        pic.Create(3, 2, type);
        for (int i = 0; i < 6; ++i)
            pic.SetRaw(i % 3, i / 3, uint32_t(i + 1));
        pic.SetDpi(96.0);
        pic.SetBkColor(0x123);
        auto list = pic.BuildTagList();
        ASSERT_EQ(list->Count(), 3);
        EXPECT_EQ(list->Get(0)->TagLabel(), "PIXBUFDMS");
        EXPECT_EQ(list->Get(0)->ElementSize(), 28);
        EXPECT_EQ(list->Get(1)->TagLabel(), "PIXELBUF");
        EXPECT_EQ(list->Get(2)->TagLabel(), "PALETTE");
        CPixBuf back;
        ASSERT_TRUE(back.LoadFromTagList(*list)) << type;
        EXPECT_EQ(back.Settings().type, type);
        EXPECT_EQ(back.Dpi(), 96.0);
        EXPECT_EQ(back.BkColor(), 0x123u);
        EXPECT_EQ(back.Palette(), pic.Palette());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(back.GetRaw(i % 3, i / 3), uint32_t(i + 1)) << type;
    }
}

TEST(PixBuf, SettingsThatDoNotDescribeThePixelsAreRefused) {
    CPixBuf pic;
    pic.Create(3, 2, 0);
    auto list = pic.BuildTagList();
    SPixBufDms wide;
    wide.width = 300;
    wide.height = 2;
    list->Remove(0);
    list->Add(NewDmsTag(wide));
    CPixBuf back;
    back.Create(1, 1, 2);
    EXPECT_FALSE(back.LoadFromTagList(*list));
    EXPECT_TRUE(back.IsEmpty());
    EXPECT_EQ(back.GetRaw(299, 1), 0xFFFFFFu);
}

}  // namespace

// LCD windows: one layout per window, the extra LCD windows of the main dialog, and the
// LCD overlay of the calculator panel.
#include <gtest/gtest.h>

#include <QTest>
#include <cstring>

#include "data/lit_segments.h"
#include "data/seg_lcd.h"
#include "data/tag_buf_list.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/qt_test_app.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/calc_panel.h"
#include "ui/extra_lcd_manager.h"

namespace {

// Segment k of the fixture's layouts covers x = 2k, 2k + 1 of rows 0..3 (k < 4); the table
// has 4 columns x 2 rows of records.
CBuf LitList(std::initializer_list<std::pair<int, int>> columnsAndRows) {
    CBuf list = NewLitSegmentList();
    for (auto [c, r] : columnsAndRows)
        AddLitSegment(list, c, r);
    return list;
}

// A list with a segment that has no record.
const CBuf kUndrawable = LitList({{1, 0}, {0, 5}});

bool SameBytes(const CPixBuf& a, const CPixBuf& b) {
    return a.Pixels().TotalBytes() == b.Pixels().TotalBytes() &&
           std::memcmp(a.Data(), b.Data(), size_t(a.Pixels().TotalBytes())) == 0;
}

class LcdWindows : public testing::Test {
protected:
    void SetUp() override { MakeSegLcdSet(set, 2, 4, 2); }
    SQtApplicationInUse app;
    CSegLcdDatSet set;
};

TEST_F(LcdWindows, ALayoutShowsAtItsNaturalSizeAndKeepsItsPictureWhenADrawFails) {
    CSegLcdWnd window;
    window.AttachLayout(set.Layout(1));
    EXPECT_EQ(window.sizeHint(), QSize(9, 4));
    EXPECT_EQ(window.Picture().Type(), 0);
    EXPECT_EQ(window.Picture().GetColour(8, 3), kWhite);

    EXPECT_EQ(window.DrawLitSegments(LitList({{1, 0}})), 1);
    EXPECT_EQ(window.Picture().GetColour(2, 0), kBlack);
    EXPECT_EQ(window.Picture().GetColour(0, 0), kWhite);
    CPixBuf before = window.Picture();
    EXPECT_EQ(window.DrawLitSegments(kUndrawable), 0);
    EXPECT_TRUE(SameBytes(window.Picture(), before));
    EXPECT_EQ(window.DrawLitSegments(CBuf(1, 4, nullptr, 1, 0)), 0);  // not a lit-segment list
    EXPECT_TRUE(SameBytes(window.Picture(), before));

    window.AttachLayout(nullptr);
    EXPECT_TRUE(window.Picture().IsEmpty());
    EXPECT_EQ(window.DrawLitSegments(LitList({})), 0);
}

TEST_F(LcdWindows, TwoExtraWindowsAreDrawnFromOneList) {
    QWidget dialog;
    CExtraLcdManager extra(&dialog, &set, SFrameMetrics{4, 18});
    ASSERT_EQ(extra.Open(1), 1);
    ASSERT_EQ(extra.Open(0), 1);
    ASSERT_EQ(extra.Count(), 2);
    const int layouts[] = {1, 0};
    for (int i = 0; i < 2; ++i) {
        CSegLcdWnd* window = extra.Window(i);
        EXPECT_TRUE(window->isWindow());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->parentWidget(), &dialog);
        EXPECT_EQ(window->objectName(), "SegLcdWnd");
        EXPECT_EQ(window->windowTitle().toStdString(),
                  "Extra LCD [" + std::to_string(layouts[i]) + "]");
        EXPECT_EQ(window->Layout(), set.Layout(layouts[i]));
        EXPECT_EQ(window->size(), QSize(8 + layouts[i], 4));
    }

    extra.Refresh(LitList({{1, 0}, {3, 0}}));
    for (int i = 0; i < 2; ++i) {
        const CPixBuf& picture = extra.Window(i)->Picture();
        EXPECT_EQ(picture.GetColour(3, 2), kBlack) << i;
        EXPECT_EQ(picture.GetColour(7, 2), kBlack) << i;
        EXPECT_EQ(picture.GetColour(4, 2), kWhite) << i;
    }
    QImage shown = extra.Window(0)->grab().toImage();
    EXPECT_EQ(shown.pixel(2, 1), QColor(Qt::black).rgb());
    EXPECT_EQ(shown.pixel(8, 1), QColor(Qt::white).rgb());

    // A list that cannot be drawn leaves every window as it was.
    CPixBuf before = extra.Window(1)->Picture();
    extra.Refresh(kUndrawable);
    EXPECT_TRUE(SameBytes(extra.Window(1)->Picture(), before));
    EXPECT_TRUE(TestPlatform().Texts().empty());

    extra.Clear();
    EXPECT_EQ(extra.Count(), 0);
    EXPECT_TRUE(dialog.findChildren<CSegLcdWnd*>().isEmpty());
}

TEST_F(LcdWindows, OpeningFailsWithoutAMessageForAnUnknownLayout) {
    QWidget dialog;
    CExtraLcdManager extra(&dialog, &set);
    EXPECT_EQ(extra.Open(2), 0);
    EXPECT_EQ(extra.Open(-1), 0);
    CExtraLcdManager noParent(nullptr, &set);
    EXPECT_EQ(noParent.Open(0), 0);
    CExtraLcdManager noSet(&dialog, nullptr);
    EXPECT_EQ(noSet.Open(0), 0);
    EXPECT_EQ(extra.Count(), 0);
    EXPECT_EQ(extra.Window(0), nullptr);
    EXPECT_TRUE(TestPlatform().Texts().empty());
}

TEST_F(LcdWindows, AWindowLargerThanTheScreenOpensWithAMessage) {
    auto huge = std::make_unique<CSegLcdDat>();
    huge->Picture().Create(20000, 10, 0);
    set.AddLayout(std::move(huge));
    QWidget dialog;
    CExtraLcdManager extra(&dialog, &set);
    ASSERT_EQ(extra.Open(2), 1);
    EXPECT_EQ(extra.Window(0)->windowTitle(), "Extra LCD [2]");
    ASSERT_EQ(TestPlatform().Messages().size(), 1u);
    EXPECT_EQ(TestPlatform().Messages()[0].text,
              "the window (Extra LCD [2]) size is limited in desktop size. This LCD view "
              "content will be partially visible");
    EXPECT_EQ(extra.Open(1), 1);
    EXPECT_EQ(TestPlatform().Messages().size(), 1u);
}

TEST_F(LcdWindows, WindowsTheParentDestroyedFirstAreForgotten) {
    auto dialog = std::make_unique<QWidget>();
    CExtraLcdManager extra(dialog.get(), &set);
    ASSERT_EQ(extra.Open(0), 1);
    dialog.reset();
    EXPECT_EQ(extra.Count(), 0);
    extra.Refresh(LitList({{1, 0}}));
    extra.Clear();
}

TEST(ExtraLcdSize, WindowSizeAndScreenCheck) {
    EXPECT_EQ(ExtraLcdWindowSize({200, 60}, SFrameMetrics{4, 18}).width, 205);  // 1.4 * 4 = 5.6
    EXPECT_EQ(ExtraLcdWindowSize({200, 60}, SFrameMetrics{4, 18}).height, 86);
    struct Case {
        LayoutSize window, screen;
        bool exceeds;
    };
    const Case cases[] = {
        {{800, 600}, {800, 600}, false},
        {{801, 600}, {800, 600}, true},
        {{800, 601}, {800, 600}, true},
        {{10, 10}, {0, 0}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExceedsScreen(c.window, c.screen), c.exceeds);
}

class PanelLcd : public testing::Test {
protected:
    void SetUp() override {
        MakeSegLcdSet(set, 2, 4, 2);
        CVkbData vkb;
        CBuf keyMap;
        MakeTestPanel(vkb, keyMap);
        panel.LoadFromTagList(*vkb.BuildTagList());
    }
    uint32_t Shown(int x, int y) const { return panel.PanelModel().Display().GetColour(x, y); }
    SQtApplicationInUse app;
    CSegLcdDatSet set;
    CCalcPanel panel;
};

TEST_F(PanelLcd, TheLitSegmentsAreDrawnOnTheLcdArea) {
    ASSERT_EQ(panel.SetLcdLayout(set.Layout(0)), 1);
    EXPECT_EQ(panel.LcdView().xOffset, 20);
    EXPECT_EQ(panel.LcdView().yOffset, 8);
    panel.SetLitSegments(LitList({{1, 0}}));
    panel.Redraw(false);
    EXPECT_TRUE(panel.PanelModel().LcdDrawn());
    EXPECT_EQ(Shown(22, 8), kBlack);
    EXPECT_EQ(Shown(23, 11), kBlack);
    EXPECT_EQ(Shown(20, 8), kWhite);  // the layout's background
    EXPECT_EQ(Shown(27, 11), kWhite);
    EXPECT_EQ(Shown(28, 8), kPanelGrey);  // beyond the layout
    EXPECT_EQ(Shown(22, 12), kPanelGrey);

    // Pressing a key redraws the keys and the LCD over them.
    QTest::mousePress(&panel, Qt::LeftButton, {}, kKey5);
    EXPECT_EQ(Shown(22, 8), kBlack);
    EXPECT_EQ(Shown(kKey5.x(), kKey5.y()), kPanelPressed);
}

TEST_F(PanelLcd, AListThatCannotBeDrawnShowsTheLastOneThatCould) {
    panel.SetLcdLayout(set.Layout(0));
    panel.SetLitSegments(LitList({{1, 0}}));
    panel.Redraw(false);
    CPixBuf before = panel.PanelModel().Display();
    panel.SetLitSegments(kUndrawable);
    panel.Redraw(false);
    EXPECT_FALSE(panel.PanelModel().LcdDrawn());
    EXPECT_TRUE(SameBytes(panel.PanelModel().Display(), before));

    // A list of other elements is not taken at all.
    panel.SetLitSegments(LitList({{2, 0}}));
    panel.SetLitSegments(CBuf(2, 4, nullptr, 1, 0));
    EXPECT_EQ(panel.PanelModel().LitSegments().Count(), 1);
    panel.Redraw(false);
    EXPECT_EQ(Shown(24, 8), kBlack);
    EXPECT_EQ(Shown(22, 8), kWhite);
}

TEST_F(PanelLcd, APanelWithoutLcdAreaShowsNoLcd) {
    CVkbData vkb;
    CBuf keyMap;
    MakeTestPanel(vkb, keyMap);
    vkb.Sbk().RemovePage(1);
    panel.SetLcdLayout(set.Layout(0));
    panel.LoadFromTagList(*vkb.BuildTagList());
    EXPECT_EQ(panel.LcdView().layout, nullptr);  // the new panel has no place for it
    EXPECT_EQ(panel.SetLcdLayout(set.Layout(0)), 0);
    EXPECT_EQ(panel.LcdView().layout, nullptr);
    panel.SetLitSegments(LitList({{1, 0}}));
    panel.Redraw(false);
    EXPECT_EQ(Shown(22, 8), kPanelGrey);
    EXPECT_EQ(panel.SetLcdLayout(nullptr), 1);
}

}  // namespace

// The calculator panel and the LCD windows on the demo model's files (built into the
// programs' folder): key taps, notifications, pictures, shape labels, loading, the LCD.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "core/key_tap.h"
#include "data/colour.h"
#include "data/lit_segments.h"
#include "data/seg_lcd.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/held_keys_platform.h"
#include "tests/ui/qt_test_app.h"
#include "ui/calc_panel.h"
#include "ui/extra_lcd_manager.h"
#include "ui/shape_bounds.h"

namespace {

const std::string kSmallPanel = std::string(ORVANE_BIN_DIR) + "/ZT_K318V_SP.CalPnl";
const std::string kLargePanel = std::string(ORVANE_BIN_DIR) + "/ZT_K318V_LP.CalPnl";
const std::string kSegLcd = std::string(ORVANE_BIN_DIR) + "/ZT_K318V.SegLcd";
using TapList = std::vector<std::pair<int, int>>;

// The centre of the key whose key map entry has the name; (-1, -1) when there is none.
QPoint KeyCentre(const CCalcPanelModel& panel, const std::string& name) {
    const CSpg* page = panel.Data().Sbk().ActivePage();
    for (int o = 0; page && o < page->SobCount(); ++o) {
        auto entry = FindKeyMapEntry(panel.KeyMap(), panel.KeyValueOf(panel.ActivePage(), o));
        std::optional<SRectI> r = ShapeBounds(*page->Sob(o));
        if (entry && r && KeyMapEntryName(*entry) == name)
            return {(r->left + r->right) / 2, (r->top + r->bottom) / 2};
    }
    return {-1, -1};
}

// The first point on the way from one point to another that no key covers.
std::optional<QPoint> GapBetween(const CCalcPanelModel& panel, QPoint from, QPoint to) {
    for (int i = 0; i <= 100; ++i) {
        QPoint p = from + (to - from) * i / 100;
        if (panel.HitTest(p.x(), p.y()) == -1) return p;
    }
    return std::nullopt;
}

class DemoPanel : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(panel.LoadPanelFile(kSmallPanel), 1) << "build the model first";
        QObject::connect(&panel, &CCalcPanel::keyTapRequested,
                         [this](int row, int col) { taps.emplace_back(row, col); });
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }
    QPoint Key(const std::string& name) const { return KeyCentre(panel.PanelModel(), name); }
    uint32_t Shown(QPoint p) const { return panel.PanelModel().Display().GetColour(p.x(), p.y()); }
    uint32_t Picture(int i, QPoint p) const {
        return panel.PanelModel().Working(i)->GetColour(p.x(), p.y());
    }

    SQtApplicationInUse app;
    CCalcPanel panel;
    TapList taps;
};

TEST_F(DemoPanel, AClickOnAKeyTapsItsPlaceInTheKeyMatrixOnBothPanels) {
    struct Case {
        const char* name;
        int row, column;
    };
    const Case cases[] = {{"5", 4, 1},    {"0", 6, 0}, {"=", 5, 3},  {"AC", 0, 1},
                          {"SQRT", 0, 3}, {".", 6, 2}, {"M+", 1, 3}, {"ON", -1, -1}};
    CCalcPanel large;
    ASSERT_EQ(large.LoadPanelFile(kLargePanel), 1);
    large.show();
    QObject::connect(&large, &CCalcPanel::keyTapRequested,
                     [this](int row, int col) { taps.emplace_back(row, col); });
    for (CCalcPanel* p : {&panel, &large}) {
        taps.clear();
        TapList expected;
        for (const Case& c : cases) {
            QPoint at = KeyCentre(p->PanelModel(), c.name);
            ASSERT_NE(at, QPoint(-1, -1)) << c.name;
            QTest::mouseClick(p, Qt::LeftButton, {}, at);
            expected.emplace_back(c.row, c.column);
        }
        EXPECT_EQ(taps, expected);
    }
}

TEST_F(DemoPanel, TheOnKeyPressesStrobeLineSevenAndReleasesIt) {
    auto ice = std::make_unique<CIce>();
    ice->Init();
    ice->Reset();
    CHeldKeysPlatform platform(*ice);
    SetPlatform(&platform);
    QObject::connect(&panel, &CCalcPanel::keyTapRequested,
                     [&](int row, int col) { KeyTap(*ice, row, col); });
    QTest::mouseClick(&panel, Qt::LeftButton, {}, Key("ON"));
    SetPlatform(&TestPlatform());

    ASSERT_EQ(platform.sleeps.size(), 2u);
    ASSERT_EQ(platform.sleeps[0].held.size(), 1u);
    EXPECT_EQ(platform.sleeps[0].held[0].strobeCode, 0x3107);
    EXPECT_EQ(platform.sleeps[0].held[0].inputCode, 0x3700);
    EXPECT_TRUE(platform.sleeps[1].held.empty());
    EXPECT_EQ(ice->Keys().PendingRestores(), 1u << 7);
}

TEST_F(DemoPanel, PressOnOneKeyAndReleaseOverAnother) {
    QSignalSpy released(&panel, &CVkbWnd::keyReleased);
    QTest::mousePress(&panel, Qt::LeftButton, {}, Key("7"));
    QTest::mouseMove(&panel, Key("8"));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, Key("8"));
    EXPECT_EQ(taps, (TapList{{3, 0}}));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 8);  // the key value of "8"
}

TEST_F(DemoPanel, AClickBetweenKeysSendsNothing) {
    QSignalSpy released(&panel, &CVkbWnd::keyReleased);
    std::optional<QPoint> across = GapBetween(panel.PanelModel(), Key("7"), Key("8"));
    std::optional<QPoint> down = GapBetween(panel.PanelModel(), Key("7"), Key("4"));
    ASSERT_TRUE(across && down);
    for (QPoint p : {*across, *down, QPoint(2, 2)})
        QTest::mouseClick(&panel, Qt::LeftButton, {}, p);
    EXPECT_TRUE(taps.empty());
    EXPECT_EQ(released.count(), 0);
}

TEST_F(DemoPanel, ThePressedKeyShowsOnPressAndTheHighlightOnHover) {
    QPoint five = Key("5"), eight = Key("8");
    ASSERT_NE(Picture(CVkbData::kPressed, five), Picture(CVkbData::kNormal, five));
    ASSERT_NE(Picture(CVkbData::kHighlight, five), Picture(CVkbData::kNormal, five));
    EXPECT_EQ(Shown(five), Picture(CVkbData::kNormal, five));

    QTest::mousePress(&panel, Qt::LeftButton, {}, five);
    EXPECT_EQ(Shown(five), Picture(CVkbData::kPressed, five));
    EXPECT_EQ(Shown(eight), Picture(CVkbData::kNormal, eight));
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, five);
    EXPECT_EQ(Shown(five), Picture(CVkbData::kHighlight, five));

    QTest::mouseMove(&panel, eight);
    EXPECT_EQ(Shown(five), Picture(CVkbData::kNormal, five));
    EXPECT_EQ(Shown(eight), Picture(CVkbData::kHighlight, eight));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&panel, &leave);
    EXPECT_EQ(Shown(eight), Picture(CVkbData::kNormal, eight));
}

TEST_F(DemoPanel, ShapeLabels) {
    panel.SetShapeLabelsShown(true);
    const CSbk& sbk = panel.PanelModel().Data().Sbk();
    // Object ids count from 3 (after the two pages), in the order of the keys.
    EXPECT_EQ(sbk.Page(0)->Sob(4)->LabelText(), "Ob#=4\nObId=7\nVk=19\nKeyPos=1,0\nMC");
    EXPECT_EQ(sbk.Page(0)->Sob(0)->LabelText(), "Ob#=0\nObId=3\nVk=25\nKeyPos=-1,-1\nON");
    // The LCD glass has no key.
    EXPECT_EQ(sbk.Page(1)->Sob(0)->LabelText(), "Ob#=0\nObId=29\nVk=-1\n");
}

TEST_F(DemoPanel, AFileThatFailsGivesItsMessageAndLoadsNothing) {
    CTempDir dir;
    Bytes bytes;
    {
        std::ifstream f(kSmallPanel, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(f), {});
    }
    Bytes wrongKind = bytes;
    wrongKind[3] = 'X';
    Bytes noSection(bytes.begin(), bytes.begin() + 16);
    Bytes badList = bytes;
    badList[16 + 68 + 8] ^= 0xFF;  // the magic of the section's tag list
    struct Case {
        const Bytes& bytes;
        const char* message;
    };
    const Case cases[] = {
        {wrongKind, "Not CalPnl File !"},
        {noSection, "file label 'CalPnlDatSet' not found"},
        {badList, "read data failed !"},
    };
    CPixBuf before = panel.PanelModel().Display();
    for (const Case& c : cases) {
        dir.Write("bad.CalPnl", c.bytes);
        TestPlatform().ClearMessages();
        EXPECT_EQ(panel.LoadPanelFile(dir.Path("bad.CalPnl")), 0) << c.message;
        EXPECT_EQ(TestPlatform().Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(panel.PanelModel().KeyMap().Count(), 26);
        EXPECT_EQ(panel.PanelModel().Display().Width(), before.Width());
    }
    QTest::mouseClick(&panel, Qt::LeftButton, {}, Key("9"));
    EXPECT_EQ(taps, (TapList{{3, 2}}));
}

TEST_F(DemoPanel, TheLcdShowsOnThePanelAndInTwoExtraWindowsFromOneList) {
    CSegLcdDatSet set;
    ASSERT_EQ(set.Load(kSegLcd), 1);
    ASSERT_EQ(panel.SetLcdLayout(set.Layout(0)), 1);
    EXPECT_EQ(panel.LcdView().xOffset, 28);  // the glass
    EXPECT_EQ(panel.LcdView().yOffset, 66);

    // Every segment of the leftmost digit and its point.
    CBuf lit = NewLitSegmentList();
    for (int bit = 0; bit < 8; ++bit)
        AddLitSegment(lit, 0, bit);
    panel.SetLitSegments(lit);
    panel.Redraw(true);
    EXPECT_TRUE(panel.PanelModel().LcdDrawn());

    QWidget dialog;
    CExtraLcdManager extra(&dialog, &set);
    ASSERT_EQ(extra.Open(2), 1);
    ASSERT_EQ(extra.Open(0), 1);
    extra.Refresh(lit);
    auto blackPixels = [](const CPixBuf& picture, int x0, int y0, int w, int h) {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                n += picture.GetColour(x, y) == kBlack;
        return n;
    };
    const CPixBuf& glass0 = set.Layout(0)->Picture();
    int onPanel =
        blackPixels(panel.PanelModel().Display(), 28, 66, glass0.Width(), glass0.Height());
    EXPECT_GT(onPanel, 0);
    EXPECT_EQ(blackPixels(extra.Window(1)->Picture(), 0, 0, glass0.Width(), glass0.Height()),
              onPanel);
    const CPixBuf& window = extra.Window(0)->Picture();
    EXPECT_GT(blackPixels(window, 0, 0, window.Width(), window.Height()), onPanel);
    EXPECT_TRUE(TestPlatform().Texts().empty());
}

}  // namespace

// The calculator panel window under the offscreen platform, driven by QTest mouse events:
// key taps, the notifications, the pressed and highlighted pictures, shape labels, loading.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "core/ice.h"
#include "core/key_tap.h"
#include "data/kind_file.h"
#include "data/panel_file.h"
#include "data/tag_buf_list.h"
#include "data/vkb_data.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/held_keys_platform.h"
#include "tests/ui/qt_test_app.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/calc_panel.h"

namespace {

using TapList = std::vector<std::pair<int, int>>;

class CalcPanelWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteTestPanel(dir.Path("p.CalPnl")));
        ASSERT_EQ(panel.LoadPanelFile(dir.Path("p.CalPnl")), 1);
        QObject::connect(&panel, &CCalcPanel::keyTapRequested,
                         [this](int row, int col) { taps.emplace_back(row, col); });
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }
    uint32_t Shown(QPoint p) const { return panel.PanelModel().Display().GetColour(p.x(), p.y()); }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&panel, &leave);
    }

    SQtApplicationInUse app;
    CTempDir dir;
    CCalcPanel panel;
    TapList taps;
};

TEST_F(CalcPanelWindow, AClickOnAKeyRequestsTheTapOfItsPosition) {
    EXPECT_EQ(panel.size(), QSize(kPanelWidth, kPanelHeight));
    QTest::mouseClick(&panel, Qt::LeftButton, {}, kKey5);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, kKeySin);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, kKeyOn);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, kKeyAc);  // an ellipse key
    EXPECT_EQ(taps, (TapList{{4, 1}, {2, 3}, {-1, -1}, {0, 1}}));
}

TEST_F(CalcPanelWindow, ClicksOffTheKeysOrOnUnmappedKeysSendNothing) {
    QSignalSpy released(&panel, &CVkbWnd::keyReleased);
    for (QPoint p : {kBetweenKeys, kKeyUnmapped, kKeyNoEntry, QPoint(1, 1)})
        QTest::mouseClick(&panel, Qt::LeftButton, {}, p);
    QTest::mouseClick(&panel, Qt::RightButton, {}, kKey5);
    EXPECT_TRUE(taps.empty());
    // The release notification needs only the key shape map: the key without a key map
    // entry has a key value.
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 69);
}

TEST_F(CalcPanelWindow, PressOnOneKeyAndReleaseOverAnother) {
    QSignalSpy released(&panel, &CVkbWnd::keyReleased);
    QTest::mousePress(&panel, Qt::LeftButton, {}, kKey5);
    QTest::mouseMove(&panel, kKeySin);
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, kKeySin);
    EXPECT_EQ(taps, (TapList{{4, 1}}));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), 65);
}

TEST_F(CalcPanelWindow, ADoubleClickPressesTheKeyAgain) {
    auto doubleClick = [this](QPoint at) {
        QMouseEvent event(QEvent::MouseButtonDblClick, at, panel.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, {});
        QApplication::sendEvent(&panel, &event);
    };
    doubleClick(kKey5);
    EXPECT_EQ(taps, (TapList{{4, 1}}));
    panel.Model().SetDoubleClickPresses(false);
    doubleClick(kKey5);
    EXPECT_EQ(taps.size(), 1u);
}

TEST_F(CalcPanelWindow, ThePressedKeyShowsWhileTheTapRunsAndTheHighlightOnHover) {
    uint32_t duringTap = 0;
    QObject::connect(&panel, &CCalcPanel::keyTapRequested, [&] { duringTap = Shown(kKey5); });
    QTest::mousePress(&panel, Qt::LeftButton, {}, kKey5);
    EXPECT_EQ(duringTap, kPanelPressed);
    EXPECT_EQ(panel.grab().toImage().pixel(kKey5), QColor(50, 50, 50).rgb());
    QTest::mouseRelease(&panel, Qt::LeftButton, {}, kKey5);
    EXPECT_EQ(Shown(kKey5), kPanelHighlight);

    QTest::mouseMove(&panel, kKeySin);
    EXPECT_EQ(Shown(kKey5), kPanelGrey);
    EXPECT_EQ(Shown(kKeySin), kPanelHighlight);
    EXPECT_EQ(panel.grab().toImage().pixel(kKeySin), QColor(250, 250, 100).rgb());
    Leave();
    EXPECT_EQ(Shown(kKeySin), kPanelGrey);
}

TEST_F(CalcPanelWindow, ThePaletteButtonColourFillsTheTransparentParts) {
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    panel.setPalette(palette);
    EXPECT_EQ(Shown({5, 2}), Rgb(10, 20, 30));
    EXPECT_EQ(Shown({5, 10}), kPanelGrey);
}

TEST_F(CalcPanelWindow, ShapeLabelsForPanelAuthors) {
    panel.SetShapeLabelsShown(true);
    const CSbk& sbk = panel.PanelModel().Data().Sbk();
    EXPECT_EQ(sbk.Page(0)->Sob(4)->LabelText(), "Ob#=4\nObId=12\nVk=65\nKeyPos=2,3\nSIN");
    EXPECT_EQ(sbk.Page(0)->Sob(3)->LabelText(), "Ob#=3\nObId=33\nVk=-1\n");
    QImage labelled = panel.grab().toImage();
    // The outline of the key is drawn over the picture.
    EXPECT_NE(labelled.pixel(10, 62), QColor(200, 200, 200).rgb());

    SLabelSwitches namesOnly{false, false, false, false, true};
    panel.SetLabelSwitches(namesOnly);
    EXPECT_EQ(sbk.Page(0)->Sob(4)->LabelText(), "SIN");

    panel.SetShapeLabelsShown(false);
    EXPECT_EQ(panel.grab().toImage().pixel(10, 62), QColor(200, 200, 200).rgb());
}

TEST_F(CalcPanelWindow, TheOnKeyPressesStrobeLineSevenAndReleasesIt) {
    auto ice = std::make_unique<CIce>();
    ice->Init();
    ice->Reset();
    CHeldKeysPlatform platform(*ice);
    SetPlatform(&platform);
    QObject::connect(&panel, &CCalcPanel::keyTapRequested,
                     [&](int row, int col) { KeyTap(*ice, row, col); });
    QTest::mouseClick(&panel, Qt::LeftButton, {}, kKeyOn);
    SetPlatform(&TestPlatform());

    // Held through the 60 ms hold, gone for the 20 ms after the release.
    ASSERT_EQ(platform.sleeps.size(), 2u);
    EXPECT_EQ(platform.sleeps[0].ms, kKeyTapHoldMs);
    ASSERT_EQ(platform.sleeps[0].held.size(), 1u);
    EXPECT_EQ(platform.sleeps[0].held[0].strobeCode, 0x3107);
    EXPECT_EQ(platform.sleeps[0].held[0].inputCode, 0x3700);
    EXPECT_EQ(platform.sleeps[1].ms, kKeyTapGapMs);
    EXPECT_TRUE(platform.sleeps[1].held.empty());
    // The release named strobe bit 7 and input bit 0: the pair went and strobe pin 7 is
    // to be restored.
    EXPECT_EQ(ice->Keys().PendingRestores(), 1u << 7);
    EXPECT_EQ(ice->Keys().HeldDuration(), kKeyTapHoldMs);
}

TEST_F(CalcPanelWindow, APanelFileThatFailsGivesItsMessageAndLoadsNothing) {
    Bytes bytes = dir.Read("p.CalPnl");
    Bytes wrongKind = bytes;
    wrongKind[0] = 'X';
    Bytes noSection(bytes.begin(), bytes.begin() + 16);
    noSection.resize(400, 0);
    // The section header is found, but the list's header is damaged.
    Bytes badList = bytes;
    badList[16 + 68 + 8] ^= 0xFF;
    struct Case {
        const char* name;
        const Bytes& bytes;
        const char* message;
    };
    const Case cases[] = {
        {"kind.CalPnl", wrongKind, "Not CalPnl File !"},
        {"section.CalPnl", noSection, "file label 'CalPnlDatSet' not found"},
        {"list.CalPnl", badList, "read data failed !"},
    };
    for (const Case& c : cases) {
        dir.Write(c.name, c.bytes);
        TestPlatform().ClearMessages();
        EXPECT_EQ(panel.LoadPanelFile(dir.Path(c.name)), 0) << c.name;
        EXPECT_EQ(TestPlatform().Texts(), std::vector<std::string>{c.message}) << c.name;
        // Still the panel loaded before: same keys, same picture.
        EXPECT_EQ(panel.PanelModel().KeyMap().Count(), 5);
        EXPECT_EQ(panel.PanelModel().Data().Sbk().PageCount(), 2);
        EXPECT_EQ(Shown({5, 10}), kPanelGrey);
    }
    TestPlatform().ClearMessages();
    EXPECT_EQ(panel.LoadPanelFile(dir.Path("missing.CalPnl")), 0);
    EXPECT_TRUE(TestPlatform().Texts().empty());
    QTest::mouseClick(&panel, Qt::LeftButton, {}, kKey5);
    EXPECT_EQ(taps, (TapList{{4, 1}}));
}

TEST_F(CalcPanelWindow, APanelWithoutKeyMapLoadsAndItsKeysSendNoTap) {
    CVkbData vkb;
    CBuf keyMap;
    MakeTestPanel(vkb, keyMap);
    CTagBufLst withoutKeyMap;
    withoutKeyMap.Nest(kPanelVkbChild, vkb.BuildTagList());
    ASSERT_TRUE(SaveKindFile(dir.Path("nomap.CalPnl"), kPanelFileKind, "V00", kPanelSection,
                             withoutKeyMap));
    // A key map of 48-byte elements is not taken either.
    ASSERT_TRUE(SavePanelFile(dir.Path("wide.CalPnl"), vkb, CBuf(3, 48, nullptr, 1, 0)));
    for (const char* name : {"nomap.CalPnl", "wide.CalPnl"}) {
        ASSERT_EQ(panel.LoadPanelFile(dir.Path(name)), 1) << name;
        EXPECT_EQ(panel.PanelModel().KeyMap().Count(), 0) << name;
        QTest::mouseClick(&panel, Qt::LeftButton, {}, kKey5);
        EXPECT_TRUE(taps.empty()) << name;
    }
}

}  // namespace

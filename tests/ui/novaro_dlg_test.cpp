// The main dialog on the demo model under the offscreen platform: layout, keys clicked on
// the panel reaching the firmware and coming back on every LCD view, capture, the
// configuration's window effects, Reset, an unknown instruction, show states, the colour
// watch and the close sequence.
#include "ui/novaro_dlg.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>

#include "core/ice.h"
#include "core/isa_table.h"
#include "data/colour.h"
#include "data/image_file_io.h"
#include "data/lit_segments.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/model_folder.h"
#include "tests/ui/qt_test_app.h"
#include "tests/ui/temporary_home.h"
#include "ui/about_box.h"
#include "ui/calc_panel.h"
#include "ui/frame_metrics.h"
#include "ui/seg_lcd_wnd.h"
#include "ui/shape_bounds.h"

namespace fs = std::filesystem;

namespace {

using Segments = std::vector<std::pair<int, int>>;

// The rightmost digit (column 9 of page 0): bits 0-6 are the segments a-g, bit 7 the point.
Segments RightDigit(uint32_t bits) {
    Segments s;
    for (int b = 0; b < 8; ++b)
        if (bits & (1u << b)) s.emplace_back(9, b);
    return s;
}
const Segments kShowsZero = RightDigit(0xBF);   // "0."
const Segments kShowsThree = RightDigit(0xCF);  // "3."
const Segments kShowsSeven = RightDigit(0x87);  // "7."

Segments Pairs(const CBuf& list) {
    Segments out;
    for (int i = 0; i < list.Count(); ++i) {
        SLitSegment s = LitSegmentAt(list, i);
        out.emplace_back(s.column, s.row);
    }
    return out;
}

QPoint KeyCentre(const CCalcPanelModel& panel, const std::string& name) {
    const CSpg* page = panel.Data().Sbk().ActivePage();
    for (int o = 0; page && o < page->SobCount(); ++o) {
        auto entry = FindKeyMapEntry(panel.KeyMap(), panel.KeyValueOf(panel.ActivePage(), o));
        std::optional<SRectI> r = ShapeBounds(*page->Sob(o));
        if (entry && r && KeyMapEntryName(*entry) == name)
            return {(r->left + r->right) / 2, (r->top + r->bottom) / 2};
    }
    ADD_FAILURE() << "no key " << name;
    return {-1, -1};
}

QRect ToQRect(const LayoutRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// The picture an LCD view of that layout shows for the list.
CPixBuf Drawn(const CSegLcdDat* layout, const CBuf& list) {
    CPixBuf picture;
    picture.Create(layout->Picture().Width(), layout->Picture().Height(), 0);
    picture.FillAll(kWhite);
    SLcdViewParams view;
    view.layout = layout;
    CSegLcdDatSet::Draw(picture, view, list);
    return picture;
}

bool SamePicture(const CPixBuf& a, const CPixBuf& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetColour(x, y) != b.GetColour(x, y)) return false;
    return true;
}

class MainDialog : public testing::Test {
protected:
    void StartDialog() {
        dialog = std::make_unique<CNovaroDlg>(folder.Path());
        ASSERT_EQ(dialog->Start(), 0) << testing::PrintToString(TestPlatform().Texts());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void Click(int panel, const std::vector<std::string>& keys) {
        CCalcPanel* p = dialog->Panel(panel);
        for (const std::string& name : keys) {
            QTest::mouseClick(p, Qt::LeftButton, {}, KeyCentre(p->PanelModel(), name));
            // The test platform's sleeps take no time: give the firmware the real gap after
            // a release that it sees between two taps.
            QTest::qWait(50);
        }
    }
    ::testing::AssertionResult WaitForLcd(const Segments& shown) {
        if (QTest::qWaitFor([&] { return Pairs(dialog->LitSegments()) == shown; }, 5000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the LCD shows " << testing::PrintToString(Pairs(dialog->LitSegments()));
    }
    LayoutInput InputFor(ShowState state) const {
        LayoutInput in;
        in.state = state;
        QRect work = dialog->screen()->availableGeometry();
        in.workArea = {work.width(), work.height()};
        for (int i = 0; i < 2; ++i)
            in.panels[i] = {dialog->Panel(i)->PanelModel().Display().Width(),
                            dialog->Panel(i)->PanelModel().Display().Height()};
        for (int n = 0; n < dialog->SegLcd().LayoutCount(); ++n)
            in.lcdLayouts.push_back({dialog->SegLcd().Layout(n)->Picture().Width(),
                                     dialog->SegLcd().Layout(n)->Picture().Height()});
        return in;
    }
    void ExpectLaidOut(const DialogLayout& l) {
        EXPECT_EQ(dialog->CurrentLayout().profile, l.profile);
        EXPECT_TRUE(dialog->Panel(l.panel)->isVisible());
        EXPECT_FALSE(dialog->Panel(1 - l.panel)->isVisible());
        EXPECT_EQ(dialog->Panel(l.panel)->geometry(), ToQRect(l.panelRect));
        EXPECT_EQ(dialog->Panel(l.panel)->LcdView().layout,
                  dialog->SegLcd().Layout(l.overlayLayout));
        EXPECT_EQ(dialog->Panel(1 - l.panel)->LcdView().layout, nullptr);
        EXPECT_EQ(dialog->LcdWindow()->geometry(), ToQRect(l.lcdRect));
        EXPECT_EQ(dialog->LcdWindow()->Layout(), dialog->SegLcd().Layout(l.lcdWindowLayout));
        EXPECT_EQ(dialog->CaptureButton()->geometry(), ToQRect(l.captureRect));
        EXPECT_EQ(dialog->OpenFolderButton()->geometry(), ToQRect(l.openFolderRect));
        EXPECT_EQ(dialog->ResetButton()->geometry(), ToQRect(l.resetRect));
    }

    SQtApplicationInUse app;
    CTemporaryHome home;
    CModelFolder folder;
    std::unique_ptr<CNovaroDlg> dialog;  // goes before the folder
};

TEST_F(MainDialog, StartsWithTheSmallPanelBesideTheLcdWindowAndTheThreeButtons) {
    StartDialog();
    EXPECT_EQ(dialog->windowTitle(), "orvane");
    EXPECT_FALSE(dialog->windowIcon().isNull());
    // The demo panels are 280 x 512 and 420 x 768, the LCD window's layout 384 x 96.
    DialogLayout normal;
    normal.panelRect = {20, 30, 300, 542};
    normal.lcdRect = {320, 30, 704, 126};
    normal.captureRect = {320, 156, 444, 188};
    normal.openFolderRect = {459, 156, 607, 188};
    normal.resetRect = {622, 156, 746, 188};
    ExpectLaidOut(normal);
    for (QPushButton* b :
         {dialog->CaptureButton(), dialog->OpenFolderButton(), dialog->ResetButton()})
        EXPECT_TRUE(b->isVisible() && b->isEnabled()) << b->text().toStdString();
    EXPECT_EQ(dialog->CaptureButton()->text(), "Capture");
    EXPECT_EQ(dialog->OpenFolderButton()->text(), "Open Image Folder");
    EXPECT_EQ(dialog->ResetButton()->text(), "Reset");
    const SFrameMetrics m = FrameMetricsOf(*dialog->style());
    const LayoutSize size = InitialDialogSize(m.frameWidth, m.captionButtonWidth);
    EXPECT_EQ(dialog->size(), QSize(size.width, size.height));

    EXPECT_EQ(dialog->CaptureFolder(), home.CaptureFolder());
    EXPECT_TRUE(fs::is_directory(home.CaptureFolder()));
    EXPECT_TRUE(dialog->Emulator().Exists());
    EXPECT_TRUE(dialog->RefreshRunning());
    EXPECT_TRUE(WaitForLcd(kShowsZero));
    EXPECT_TRUE(TestPlatform().Texts().empty()) << TestPlatform().Texts()[0];
}

TEST_F(MainDialog, ClickedKeysReachTheFirmwareAndEveryLcdViewShowsTheResult) {
    folder.Write("Novaro.ini", "[Test]\nExtraLcd = 0\n");
    StartDialog();
    ASSERT_TRUE(WaitForLcd(kShowsZero));
    Click(0, {"1", "+", "2", "="});
    ASSERT_TRUE(WaitForLcd(kShowsThree));
    // The next ticks have drawn that list into the LCD window, the panel and the extra one.
    const CBuf& list = dialog->LitSegments();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return SamePicture(dialog->LcdWindow()->Picture(),
                               Drawn(dialog->SegLcd().Layout(2), list));
        },
        2000));
    EXPECT_EQ(Pairs(dialog->Panel(0)->PanelModel().LitSegments()), kShowsThree);
    EXPECT_TRUE(dialog->Panel(0)->PanelModel().LcdDrawn());
    ASSERT_EQ(dialog->ExtraLcds().Count(), 1);
    EXPECT_TRUE(SamePicture(dialog->ExtraLcds().Window(0)->Picture(),
                            Drawn(dialog->SegLcd().Layout(0), list)));
}

TEST_F(MainDialog, CaptureSavesTheFramedLcdWindowAndSetsItsFolderUpAgain) {
    StartDialog();
    ASSERT_TRUE(WaitForLcd(kShowsZero));
    QTest::qWait(250);  // a tick has drawn it into the LCD window
    std::vector<std::string> saved;
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(dialog->CaptureButton(), Qt::LeftButton);
        ASSERT_EQ(dialog->LastCapture().outcome, CaptureOutcome::Saved);
        saved.push_back(dialog->LastCapture().path);
    }
    EXPECT_NE(saved[0], saved[1]) << "a second capture keeps the first";
    const CPixBuf framed = FramedLcdPicture(dialog->LcdWindow()->Picture());
    for (const std::string& path : saved) {
        EXPECT_EQ(path.rfind(home.CaptureFolder() + "LCD_", 0), 0u) << path;
        CPixBuf picture;
        ASSERT_TRUE(CImageFileIO::ReadBmp(path, picture)) << path;
        EXPECT_TRUE(SamePicture(picture, framed)) << path;
    }

    fs::remove_all(home.CaptureFolder());
    QTest::mouseClick(dialog->CaptureButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->LastCapture().outcome, CaptureOutcome::Saved);
    EXPECT_TRUE(fs::exists(dialog->LastCapture().path));
    EXPECT_TRUE(TestPlatform().Texts().empty());
}

TEST_F(MainDialog, OpenImageFolderAsksForTheCaptureFolderAndSaysWhenItCannot) {
    StartDialog();
    std::vector<std::string> opened;
    bool succeed = true;
    dialog->SetFolderOpener([&](const std::string& f) {
        opened.push_back(f);
        return succeed;
    });
    QTest::mouseClick(dialog->OpenFolderButton(), Qt::LeftButton);
    succeed = false;
    QTest::mouseClick(dialog->OpenFolderButton(), Qt::LeftButton);
    EXPECT_EQ(opened, (std::vector<std::string>{home.CaptureFolder(), home.CaptureFolder()}));
    EXPECT_EQ(TestPlatform().Texts(),
              std::vector<std::string>{"Failed to open folder '" + home.CaptureFolder() + "'"});
}

TEST_F(MainDialog, TheConfigurationSetsTitlePicturesAndExtraLcdWindows) {
    // Panel pictures of another size than the panel file's: the layout follows them.
    CPixBuf big;
    big.Create(320, 600, 0);
    big.FillAll(Rgb(90, 90, 90));
    ASSERT_TRUE(CImageFileIO::WriteBmp(folder.File("big.bmp"), big));
    folder.Write("Novaro.ini",
                 "[PanelBmp]\nSmallNormalPanelBmp = big.bmp\nSmallPressPanelBmp = big.bmp\n"
                 "SmallHighlightPanelBmp = big.bmp\n"
                 "[TitleBar]\nTitleStr = Desk calculator\n"
                 "[Test]\nExtraLcd = 0, 2, 7, 1\n");
    StartDialog();
    EXPECT_EQ(dialog->windowTitle(), "Desk calculator");
    EXPECT_EQ(dialog->Panel(0)->size(), QSize(320, 600));
    EXPECT_EQ(dialog->CurrentLayout().lcdRect.left, 20 + 320 + 20);
    EXPECT_EQ(dialog->LcdWindow()->geometry().left(), 360);
    // Opened in list order up to the first layout that does not exist.
    ASSERT_EQ(dialog->ExtraLcds().Count(), 2);
    EXPECT_EQ(dialog->ExtraLcds().Window(0)->windowTitle(), "Extra LCD [0]");
    EXPECT_EQ(dialog->ExtraLcds().Window(1)->windowTitle(), "Extra LCD [2]");
    EXPECT_TRUE(TestPlatform().Texts().empty()) << TestPlatform().Texts()[0];
}

TEST_F(MainDialog, ResetRestartsTheFirmwareFromItsPowerOnState) {
    StartDialog();
    ASSERT_TRUE(WaitForLcd(kShowsZero));
    Click(0, {"7"});
    ASSERT_TRUE(WaitForLcd(kShowsSeven));
    QTest::mouseClick(dialog->ResetButton(), Qt::LeftButton);
    EXPECT_TRUE(WaitForLcd(kShowsZero));
    EXPECT_TRUE(dialog->Emulator().Ice()->ThreadActive());
}

TEST_F(MainDialog, AnUnknownInstructionIsReportedOnceAndResetRunsTheFirmwareAgain) {
    uint16_t unknown = 0;
    while (DecodeInstr(unknown))
        ++unknown;
    const char image[4] = {char(unknown & 0xFF), char(unknown >> 8), char(unknown & 0xFF),
                           char(unknown >> 8)};
    folder.Write("bad.bin", std::string(image, 4));
    folder.Write("Novaro.ini", "[ICEBin]\nBinPathName = bad.bin\n");
    StartDialog();
    auto reports = [] {
        auto texts = TestPlatform().Texts();
        return std::count(texts.begin(), texts.end(), "unknown instruction");
    };
    CIce* ice = dialog->Emulator().Ice();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ice->ThreadActive(); }, 5000));
    QTest::qWait(300);  // the display goes on refreshing; no further report comes
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(ice->Passes(), 1u);

    QTest::mouseClick(dialog->ResetButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports() == 2; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ice->ThreadActive(); }, 5000));
    EXPECT_EQ(ice->Passes(), 1u) << "the machine ran again from its reset state";
}

TEST_F(MainDialog, MaximisedMinimisedAndRestoredWindowsAreLaidOutByTheirShowState) {
    // The offscreen screen is 800 x 800: tall enough for the large panel (768 + 30), which
    // leaves 800 - 2 x 25 - 420 = 330 beside it. Of the LCD layouts (224, 336 and 384 wide)
    // the last that fits is layout 0.
    StartDialog();
    const DialogLayout normal = dialog->CurrentLayout();
    ASSERT_EQ(normal.lcdWindowLayout, 2);
    dialog->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->isMaximized(); }, 2000));
    std::optional<DialogLayout> maximised = ComputeDialogLayout(InputFor(ShowState::Maximised));
    ASSERT_TRUE(maximised);
    ASSERT_EQ(maximised->panel, 1);
    ASSERT_EQ(maximised->profile, 2);
    ASSERT_EQ(maximised->lcdWindowLayout, 0);
    QTest::qWait(50);
    ExpectLaidOut(*maximised);

    dialog->showMinimized();
    QTest::qWait(50);
    EXPECT_EQ(dialog->CurrentLayout().lcdWindowLayout, 0) << "a minimised window is left alone";
    EXPECT_EQ(dialog->LcdWindow()->geometry(), ToQRect(maximised->lcdRect));
    dialog->showNormal();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !dialog->isMaximized() && !dialog->isMinimized(); }, 2000));
    QTest::qWait(50);
    ExpectLaidOut(normal);
}

TEST_F(MainDialog, ThePanelsFollowTheButtonColourOfThePalette) {
    StartDialog();
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Button, QColor(12, 120, 200));
    dialog->setPalette(palette);
    QTest::qWait(250);
    for (int i = 0; i < 2; ++i) {
        // The panel pictures' corners are transparent: they take the button colour.
        EXPECT_EQ(dialog->Panel(i)->PanelModel().ButtonFace(), Rgb(12, 120, 200)) << i;
        EXPECT_EQ(dialog->Panel(i)->PanelModel().Display().GetColour(0, 0), Rgb(12, 120, 200)) << i;
    }
}

TEST_F(MainDialog, EscapeClosesEverythingAndStopsTheEmulator) {
    folder.Write("Novaro.ini", "[Test]\nExtraLcd = 1\n");
    StartDialog();
    ASSERT_EQ(dialog->ExtraLcds().Count(), 1);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Emulator().Exists());
    EXPECT_FALSE(dialog->RefreshRunning());
    EXPECT_EQ(dialog->ExtraLcds().Count(), 0);
}

TEST_F(MainDialog, NoContextMenuAndAnAboutBox) {
    StartDialog();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(600, 400), QPoint(600, 400));
    QApplication::sendEvent(dialog.get(), &event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    std::unique_ptr<QMessageBox> about = MakeAboutBox(dialog.get());
    EXPECT_EQ(about->windowTitle(), "About orvane");
    EXPECT_EQ(about->text(), "Version 1.0");
    EXPECT_FALSE(about->iconPixmap().isNull());
    EXPECT_EQ(about->standardButtons(), QMessageBox::Ok);
}

TEST_F(MainDialog, AFailedStartUpLeavesNoEmulatorAndNoRefresh) {
    fs::remove(folder.File(kDemoSegLcd));
    dialog = std::make_unique<CNovaroDlg>(folder.Path());
    EXPECT_EQ(dialog->Start(), 1);
    EXPECT_FALSE(dialog->Emulator().Exists());
    EXPECT_FALSE(dialog->RefreshRunning());
    EXPECT_EQ(TestPlatform().Texts(),
              std::vector<std::string>{"Failed to open '" + folder.File(kDemoSegLcd) + "'"});
}

}  // namespace

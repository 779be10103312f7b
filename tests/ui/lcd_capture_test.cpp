// LCD capture without a window: the framed picture, the capture folder set-up with its
// messages, and the saved files.
#include "ui/lcd_capture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "data/colour.h"
#include "data/image_file_io.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/local_time.h"
#include "ui/capture_folder.h"

namespace fs = std::filesystem;

namespace {

CPixBuf LcdPicture(int width, int height) {
    CPixBuf p;
    p.Create(width, height, 0);
    p.FillAll(kWhite);
    for (int x = 0; x < width; ++x)
        p.SetColour(x, height / 2, Rgb(10, 20, 30));  // one row crosses the edges too
    return p;
}

class TempDir : public testing::Test {
protected:
    void SetUp() override {
        char path[] = "/tmp/orvane-capture-XXXXXX";
        ASSERT_TRUE(mkdtemp(path));
        root = path;
    }
    void TearDown() override { fs::remove_all(root); }
    std::string Path(const std::string& name) const { return root + "/" + name; }
    void MakeFile(const std::string& path) const { std::ofstream(path) << "x"; }

    std::string root;
};

TEST(FramedLcdPicture, TheOutermostPixelsTurnBlackAndTheRestStays) {
    CPixBuf lcd = LcdPicture(7, 5);
    CPixBuf framed = FramedLcdPicture(lcd);
    ASSERT_EQ(framed.Width(), 7);
    ASSERT_EQ(framed.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            bool edge = x == 0 || y == 0 || x == 6 || y == 4;
            EXPECT_EQ(framed.GetColour(x, y), edge ? kBlack : lcd.GetColour(x, y)) << x << "," << y;
        }
    EXPECT_EQ(lcd.GetColour(0, 0), kWhite) << "the LCD window's own picture is left alone";
    EXPECT_EQ(FramedLcdPicture(LcdPicture(1, 1)).GetColour(0, 0), kBlack);
    EXPECT_TRUE(FramedLcdPicture(CPixBuf()).IsEmpty());
}

using CaptureFolderSetUp = TempDir;

TEST_F(CaptureFolderSetUp, DocumentsFolderOrProgramFolderWithTheirMessages) {
    MakeFile(Path("file"));
    struct Case {
        const char* what;
        std::string documents, program;
        std::string folder;  // expected result, before the separator
        std::vector<std::string> messages;
    };
    const std::string sep(1, char(fs::path::preferred_separator));
    const Case cases[] = {
        {"documents folder", Path("docs"), Path("prog"), Path("docs/CalcDispImage"), {}},
        {"documents folder and its parents missing",
         Path("home/me/Documents"),
         Path("prog"),
         Path("home/me/Documents/CalcDispImage"),
         {}},
        {"documents folder that cannot hold a folder",
         Path("file"),
         Path("prog"),
         Path("file/CalcDispImage"),
         {"path '" + Path("file/CalcDispImage") + "' create failed"}},
        {"no documents folder, program folder's missing",
         "",
         Path("prog2"),
         Path("prog2/CalcDispImage"),
         {"Image files will be saved to '" + Path("prog2/CalcDispImage") + "'"}},
        {"no documents folder, program folder's there",
         "",
         Path("prog2"),
         Path("prog2/CalcDispImage"),
         {}},
        {"no documents folder, program folder unusable",
         "",
         Path("file"),
         "",
         {"Image files will be saved to '" + Path("file/CalcDispImage") + "'",
          "Failed to create directory '" + Path("file/CalcDispImage") + "'"}},
    };
    fs::create_directories(Path("docs"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPlatform().ClearMessages();
        std::string folder = SetUpCaptureFolder(c.documents, c.program);
        EXPECT_EQ(folder, c.folder.empty() ? "" : c.folder + sep);
        EXPECT_EQ(TestPlatform().Texts(), c.messages);
        for (const RecordedMessage& m : TestPlatform().Messages())
            EXPECT_EQ(m.icon, MsgIcon::None) << m.text;
        if (c.messages.empty()) {
            EXPECT_TRUE(FolderExists(folder));
        }
    }
}

using LcdCapture = TempDir;

TEST_F(LcdCapture, SavesTheFramedPictureUnderTheTimeAndNeverOverwrites) {
    std::string folder = WithTrailingSeparator(root);
    const std::tm t = LocalTimeAt(2026, 12, 6, 15, 17, 20);
    const CPixBuf lcd = LcdPicture(20, 8);
    std::vector<bool> busy;
    auto noSetUp = []() -> std::string {
        ADD_FAILURE() << "the folder is there";
        return "";
    };

    SCaptureResult first =
        CaptureLcdPicture(folder, noSetUp, lcd, t, [&](bool b) { busy.push_back(b); });
    ASSERT_EQ(first.outcome, CaptureOutcome::Saved);
    EXPECT_EQ(first.path, folder + "LCD_20261206_151720.bmp");
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    SCaptureResult second = CaptureLcdPicture(folder, noSetUp, lcd, t);
    ASSERT_EQ(second.outcome, CaptureOutcome::Saved);
    EXPECT_EQ(second.path, folder + "LCD_20261206_151720_2.bmp");

    const CPixBuf framed = FramedLcdPicture(lcd);
    for (const std::string& path : {first.path, second.path}) {
        CPixBuf saved;
        ASSERT_TRUE(CImageFileIO::ReadBmp(path, saved)) << path;
        ASSERT_EQ(saved.Width(), 20);
        ASSERT_EQ(saved.Height(), 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(saved.GetColour(x, y), framed.GetColour(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(TestPlatform().Texts().empty());
}

TEST_F(LcdCapture, AFolderThatWentIsSetUpAgain) {
    std::string folder = WithTrailingSeparator(Path("CalcDispImage"));
    int setUps = 0;
    auto setUp = [&] {
        ++setUps;
        return SetUpCaptureFolder(root, "");
    };
    EXPECT_EQ(CaptureLcdPicture(folder, setUp, LcdPicture(4, 4), LocalTimeAt(2026, 1, 2, 3, 4, 5))
                  .outcome,
              CaptureOutcome::Saved);
    EXPECT_EQ(setUps, 1);
    EXPECT_TRUE(fs::exists(Path("CalcDispImage/LCD_20260102_030405.bmp")));

    fs::remove_all(Path("CalcDispImage"));
    folder = WithTrailingSeparator(Path("CalcDispImage"));
    auto failingSetUp = [&] { return WithTrailingSeparator(Path("never/there")); };
    EXPECT_EQ(
        CaptureLcdPicture(folder, failingSetUp, LcdPicture(4, 4), LocalTimeAt(2026, 1, 2, 3, 4, 5))
            .outcome,
        CaptureOutcome::NoFolder);
    EXPECT_FALSE(fs::exists(Path("never")));
}

TEST_F(LcdCapture, NothingHappensWithoutFolderOrPictureAndAFailedWriteSaysSo) {
    std::string none;
    auto setUp = []() -> std::string { return ""; };
    EXPECT_EQ(
        CaptureLcdPicture(none, setUp, LcdPicture(4, 4), LocalTimeAt(2026, 1, 1, 0, 0, 0)).outcome,
        CaptureOutcome::NoFolder);
    std::string folder = WithTrailingSeparator(root);
    EXPECT_EQ(CaptureLcdPicture(folder, setUp, CPixBuf(), LocalTimeAt(2026, 1, 1, 0, 0, 0)).outcome,
              CaptureOutcome::NoPicture);
    EXPECT_TRUE(fs::is_empty(root));
    EXPECT_TRUE(TestPlatform().Texts().empty());

    // A folder that is there but takes no files (even for root).
    std::string proc = "/proc/self/";
    SCaptureResult r =
        CaptureLcdPicture(proc, setUp, LcdPicture(4, 4), LocalTimeAt(2026, 1, 1, 0, 0, 0));
    EXPECT_EQ(r.outcome, CaptureOutcome::WriteFailed);
    ASSERT_EQ(TestPlatform().Messages().size(), 1u);
    EXPECT_EQ(TestPlatform().Messages()[0].text,
              "Failed to create file '/proc/self/LCD_20260101_000000.bmp'");
    EXPECT_EQ(TestPlatform().Messages()[0].icon, MsgIcon::None);
}

}  // namespace

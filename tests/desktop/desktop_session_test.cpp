// orvane on a real X server (Xvfb with openbox): keys clicked with the mouse, the LCD
// captured to a BMP file, an extra LCD window from Novaro.ini, a maximised window, and a
// clean close with exit code 0.
//
// With ORVANE_SCREENSHOT_DIR set, every test also saves PNG screenshots of the screen there
// (scripts/screenshots.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "tests/desktop/child_process.h"
#include "tests/desktop/demo_geometry.h"
#include "tests/desktop/program_folder.h"
#include "tests/desktop/x_session.h"
#include "tests/desktop/xdo.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kScreenWidth = 1280, kScreenHeight = 1024;

// The LCD picture orvane-run draws after the keys, with layout 2 (the LCD window's).
bool ExpectedLcd(const std::string& keys, const std::string& folder, CPixBuf& picture) {
    std::string bmp = folder + "/expected.bmp";
    SProcessResult r = RunProcess(
        std::string(ORVANE_BIN_DIR) + "/orvane-run",
        {"--model", ORVANE_BIN_DIR, "--keys", keys, "--lcd-bmp", bmp, "--layout", "2", "--quiet"},
        {}, 30s);
    return r.exitCode == 0 && CImageFileIO::ReadBmp(bmp, picture);
}

// A capture is the LCD window's picture framed by a black one-pixel outline.
::testing::AssertionResult IsFramedCopy(const CPixBuf& capture, const CPixBuf& lcd) {
    if (capture.Width() != lcd.Width() || capture.Height() != lcd.Height())
        return ::testing::AssertionFailure()
               << "size " << capture.Width() << "x" << capture.Height() << ", LCD " << lcd.Width()
               << "x" << lcd.Height();
    for (int y = 0; y < lcd.Height(); ++y)
        for (int x = 0; x < lcd.Width(); ++x) {
            bool edge = x == 0 || y == 0 || x == lcd.Width() - 1 || y == lcd.Height() - 1;
            uint32_t want = edge ? 0x000000 : lcd.GetColour(x, y);
            if (capture.GetColour(x, y) != want)
                return ::testing::AssertionFailure() << "pixel " << x << "," << y;
        }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> BmpFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".bmp") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class DesktopSession : public testing::Test {
protected:
    void SetUp() override {
        std::string missing;
        if (!CXSession::Available(missing)) GTEST_SKIP() << missing;
        std::string error;
        ASSERT_TRUE(x.Start(kScreenWidth, kScreenHeight, true, error)) << error;
        ASSERT_TRUE(geometry.Load(ORVANE_BIN_DIR)) << "build the demo model first";
        xdo.emplace(x.Environment());
        captureFolder = home.Path() + "/Documents/CalcDispImage";
    }

    // Starts orvane with HOME in a temporary folder; messages go to stderr, so none can
    // hold the program up.
    void StartOrvane(const std::string& program) {
        EnvChanges env = x.Environment();
        env.push_back({"HOME", home.Path()});
        env.push_back({"XDG_CONFIG_HOME", home.Path() + "/.config"});
        env.push_back({"XDG_RUNTIME_DIR", runtime.Path()});
        env.push_back({"ORVANE_MESSAGES", "stderr"});
        ASSERT_TRUE(orvane.Start(program, {}, env));
        std::optional<std::string> id = xdo->FindWindow("^orvane$", 20s);
        ASSERT_TRUE(id) << "no orvane window; stderr: " << orvane.Err();
        window = *id;
    }

    void ClickKeys(int panel, const LayoutRect& panelRect, const std::vector<std::string>& keys) {
        for (const std::string& name : keys) {
            std::optional<SPoint> key = geometry.KeyCentre(panel, name);
            ASSERT_TRUE(key) << name;
            ASSERT_TRUE(xdo->Click(window, panelRect.left + key->x, panelRect.top + key->y));
            std::this_thread::sleep_for(150ms);  // a tap holds the key 80 ms or more
        }
    }

    // Clicks Capture until a new file shows the expected LCD (the display refresh runs every
    // 100 ms, so the first capture may come before the result is shown).
    void CaptureUntilShown(const LayoutRect& captureRect, const CPixBuf& expected) {
        SPoint capture = CDemoGeometry::Centre(captureRect);
        size_t seen = BmpFilesIn(captureFolder).size();
        bool matched = false;
        for (int attempt = 0; attempt < 10 && !matched; ++attempt) {
            ASSERT_TRUE(xdo->Click(window, capture.x, capture.y));
            auto end = std::chrono::steady_clock::now() + 5s;
            std::vector<std::string> files;
            while ((files = BmpFilesIn(captureFolder)).size() <= seen &&
                   std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(50ms);
            ASSERT_GT(files.size(), seen) << "Capture saved nothing; stderr: " << orvane.Err();
            seen = files.size();
            CPixBuf saved;  // written as .part and renamed: a .bmp is complete
            ASSERT_TRUE(CImageFileIO::ReadBmp(files.back(), saved)) << files.back();
            matched = IsFramedCopy(saved, expected);
            if (!matched) std::this_thread::sleep_for(300ms);
        }
        EXPECT_TRUE(matched) << "no capture showed the expected LCD";
    }

    void CloseWithEscape() {
        ASSERT_TRUE(xdo->Activate(window));
        ASSERT_TRUE(xdo->Key("Escape"));
        std::optional<int> code = orvane.Wait(10s);
        ASSERT_TRUE(code) << "orvane did not close on Escape";
        EXPECT_EQ(*code, 0);
        EXPECT_EQ(orvane.Err().find("orvane:"), std::string::npos) << orvane.Err();
    }

    void Screenshot(const std::string& name) {
        const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR");
        if (!dir || !*dir) return;
        std::this_thread::sleep_for(300ms);  // the last refresh and repaint
        SProcessResult r = RunProcess(ORVANE_SCREEN_GRAB, {std::string(dir) + "/" + name + ".png"},
                                      x.Environment());
        EXPECT_EQ(r.exitCode, 0) << r.err;
    }

    CXSession x;
    CDemoGeometry geometry;
    std::optional<CXdo> xdo;
    CTempFolder home, runtime, scratch;
    std::string captureFolder;
    CChildProcess orvane;
    std::string window;
};

TEST_F(DesktopSession, ClickedCalculationIsCapturedAndEscapeClosesTheProgram) {
    CPixBuf expected;
    ASSERT_TRUE(ExpectedLcd("1 + 2 =", scratch.Path(), expected));
    StartOrvane(std::string(ORVANE_BIN_DIR) + "/orvane");
    std::optional<DialogLayout> layout = geometry.Layout(ShowState::Normal, {});
    ASSERT_TRUE(layout);
    Screenshot("1-normal");

    ClickKeys(0, layout->panelRect, {"1", "+", "2", "="});
    CaptureUntilShown(layout->captureRect, expected);
    Screenshot("2-after-1+2=");
    CloseWithEscape();
}

TEST_F(DesktopSession, ExtraLcdWindowFromTheConfigurationShowsTheSameDisplay) {
    CProgramFolder folder;
    folder.Write("Novaro.ini", "[Test]\nExtraLcd = 1\n");
    StartOrvane(folder.Program());
    std::optional<std::string> extra = xdo->FindWindow("^Extra LCD \\[1\\]$", 10s);
    ASSERT_TRUE(extra) << orvane.Err();
    std::optional<SWindowGeometry> size = xdo->Geometry(*extra);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, geometry.LcdLayoutSize(1).width);
    EXPECT_EQ(size->height, geometry.LcdLayoutSize(1).height);

    std::optional<DialogLayout> layout = geometry.Layout(ShowState::Normal, {});
    ASSERT_TRUE(layout);
    ClickKeys(0, layout->panelRect, {"7", "x", "6", "="});
    std::this_thread::sleep_for(500ms);
    Screenshot("3-extra-lcd");
    CloseWithEscape();
    EXPECT_FALSE(xdo->FindWindow("^Extra LCD", 200ms)) << "the extra LCD window outlived orvane";
}

TEST_F(DesktopSession, MaximisedWindowShowsTheLargePanelWhoseKeysWork) {
    CPixBuf expected;
    ASSERT_TRUE(ExpectedLcd("9 -", scratch.Path(), expected));
    StartOrvane(std::string(ORVANE_BIN_DIR) + "/orvane");
    ASSERT_TRUE(xdo->Activate(window));
    ASSERT_TRUE(xdo->Key("super+Up"));
    std::optional<SWindowGeometry> size;
    auto end = std::chrono::steady_clock::now() + 10s;
    while ((!(size = xdo->Geometry(window)) || size->width < kScreenWidth - 20) &&
           std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(size);
    ASSERT_GE(size->width, kScreenWidth - 20) << "the window manager did not maximise it";

    // openbox reserves nothing of the screen: the work area is all of it, and the large
    // panel fits.
    std::optional<DialogLayout> layout =
        geometry.Layout(ShowState::Maximised, {kScreenWidth, kScreenHeight});
    ASSERT_TRUE(layout);
    ASSERT_EQ(layout->panel, 1);
    std::this_thread::sleep_for(300ms);
    ClickKeys(1, layout->panelRect, {"9", "-"});
    CaptureUntilShown(layout->captureRect, expected);
    Screenshot("4-maximised");
    CloseWithEscape();
}

}  // namespace

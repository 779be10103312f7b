// orvane-run with the demo model: keys tapped by the names of the panel file, and the LCD
// pictured through each layout of the segment LCD file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "tests/asm/temp_dir.h"
#include "tests/firmware/demo_panel.h"
#include "tests/mkmodel/demo_model.h"
#include "tests/tools/run_tool.h"

namespace {

const char* const kKeyNames[] = {"ON",  "AC", "C", "SQRT", "MC", "MR", "M-", "M+", "%",
                                 "+/-", "/",  "x", "7",    "8",  "9",  "-",  "4",  "5",
                                 "6",   "+",  "1", "2",    "3",  "=",  "0",  "."};

// The state dump after a run with the arguments.
std::string StateAfter(const TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(),
                {"--model", ModelFolder(), "--quiet", "--dump-state", dir.Path("state.json")});
    ToolResult r = RunTool("orvane-run", args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return dir.Read("state.json");
}

TEST(DemoModelRun, EveryKeyNameTapsItsDocumentedPosition) {
    TempDir dir;
    for (const char* name : kKeyNames) {
        SCOPED_TRACE(name);
        std::optional<KeyPosition> pos = KeyByName(name);
        ASSERT_TRUE(pos);
        // A few keys first, so that each key has something to act on.
        std::string named = StateAfter(dir, {"--keys", "5 M+ 2 x 3", "--keys", name});
        std::string tapped =
            StateAfter(dir, {"--keys", "5 M+ 2 x 3", "--tap",
                             std::to_string(pos->row) + "," + std::to_string(pos->col)});
        EXPECT_FALSE(named.empty());
        EXPECT_TRUE(named == tapped);
    }
}

TEST(DemoModelRun, AnUnknownNameStopsBeforeTheRunAndListsTheNames) {
    TempDir dir;
    ToolResult r = RunTool("orvane-run", {"--model", ModelFolder(), "--keys",
                                          "1 + one =", "--dump-state", dir.Path("state.json")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "orvane-run: no key is named 'one'; the keys of '" +
                         ModelFile(kSmallPanelFile) +
                         "' are: ON AC C SQRT MC MR M- M+ % +/- / x 7 8 9 - 4 5 6 + 1 2 3 = 0 .\n");
    EXPECT_FALSE(dir.Exists("state.json"));
}

TEST(DemoModelRun, TheLcdPictureOfEachLayoutHasItsSize) {
    TempDir dir;
    auto lcd = LoadSegLcd(ModelFile(kSegLcdFile));
    ASSERT_TRUE(lcd);
    for (int layout = 0; layout < lcd->LayoutCount(); ++layout) {
        SCOPED_TRACE(layout);
        ToolResult r = RunTool("orvane-run", {"--model", ModelFolder(), "--quiet", "--keys",
                                              "5 M+ 1 - 8 =", "--lcd-bmp", dir.Path("lcd.bmp"),
                                              "--layout", std::to_string(layout)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        CPixBuf picture;
        ASSERT_TRUE(CImageFileIO::ReadBmp(dir.Path("lcd.bmp"), picture));
        EXPECT_EQ(picture.Width(), lcd->Layout(layout)->Picture().Width());
        EXPECT_EQ(picture.Height(), lcd->Layout(layout)->Picture().Height());
        int black = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                black += picture.GetColour(x, y) == 0;
        EXPECT_GT(black, 0);  // -7. and M
    }
    ToolResult beyond = RunTool("orvane-run", {"--model", ModelFolder(), "--lcd-bmp",
                                               dir.Path("lcd.bmp"), "--layout", "3"});
    EXPECT_EQ(beyond.exitCode, 2);
}

}  // namespace

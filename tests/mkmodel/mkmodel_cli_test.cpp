// orvane-mkmodel as a model author and the build use it: the files it writes, the pictures
// on request, and messages that point at the mistake.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/asm/temp_dir.h"
#include "tests/mkmodel/demo_model.h"
#include "tests/tools/run_tool.h"

namespace {

using nlohmann::json;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const char* const kModelFiles[] = {kSegLcdFile, kSmallPanelFile, kLargePanelFile};

TEST(MkModelCli, WritesTheBuildsFilesAndPicturesOnRequest) {
    TempDir dir;
    ToolResult r = RunTool("orvane-mkmodel", {ORVANE_DEMO_DESCRIPTION, "--out-dir", dir.Path("out"),
                                              "--png-dir", dir.Path("png")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Has(r.out, "ZT_K318V.SegLcd: 3 LCD layouts")) << r.out;
    EXPECT_TRUE(Has(r.out, "ZT_K318V_SP.CalPnl: 280 x 512 pixels, 26 keys")) << r.out;
    // The same description gives the same bytes: the build's files are made the same way.
    for (const char* file : kModelFiles)
        EXPECT_TRUE(Slurp(dir.Path("out/") + file) == Slurp(ModelFile(file))) << file;

    for (const char* picture :
         {"ZT_K318V_SP.png", "ZT_K318V_SP_pressed.png", "ZT_K318V_SP_highlight.png",
          "ZT_K318V_SP_lit.png", "ZT_K318V_LP.png", "ZT_K318V_LP_pressed.png",
          "ZT_K318V_LP_highlight.png", "ZT_K318V_LP_lit.png", "ZT_K318V_lcd0_segments.png",
          "ZT_K318V_lcd0_lit.png", "ZT_K318V_lcd1_lit.png", "ZT_K318V_lcd2_segments.png",
          "ZT_K318V_lcd2_lit.png"})
        EXPECT_EQ(dir.Read("png/" + std::string(picture)).substr(0, 8), "\x89PNG\r\n\x1a\n")
            << picture;
}

TEST(MkModelCli, NeverOpensTheDisplayTheEnvironmentNames) {
    TempDir dir;
    std::string platform = getenv("QT_QPA_PLATFORM") ? getenv("QT_QPA_PLATFORM") : "";
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("DISPLAY", ":4711", 1);
    ToolResult r =
        RunTool("orvane-mkmodel", {ORVANE_DEMO_DESCRIPTION, "--out-dir", dir.Path("out")});
    unsetenv("DISPLAY");
    platform.empty() ? unsetenv("QT_QPA_PLATFORM") : setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Slurp(dir.Path("out/") + kSmallPanelFile) == Slurp(ModelFile(kSmallPanelFile)));
}

// The demo description with one change, written to the folder.
std::string WriteChanged(const TempDir& dir, void (*change)(json&)) {
    std::ifstream in(ORVANE_DEMO_DESCRIPTION);
    json d = json::parse(in);
    change(d);
    return dir.Write("calc.json", d.dump(2));
}

TEST(MkModelCli, AMistakeNamesTheFileAndThePlaceAndLeavesTheFilesThatWereThere) {
    struct Case {
        const char* what;
        void (*change)(json&);
        const char* message;  // after "orvane-mkmodel: <path>: "
    };
    const Case kCases[] = {
        {"matrix",
         [](json& d) {
             d["keys"][13]["matrix"] = {9, 0};
         },
         "keys[13] (\"8\").matrix: row 9 is outside the key matrix (0 to 6, or -1, -1 for the "
         "key outside it)"},
        {"label the font lacks", [](json& d) { d["keys"][0]["label"] = "\u6f22"; },
         "keys[0] (\"ON\").label: the label font has no glyph for U+6F22"},
        {"font file", [](json& d) { d["fonts"]["label"] = "NoSuchFont.ttf"; },
         "font 'NoSuchFont.ttf' not found in '/usr/share/fonts/truetype/dejavu' (install "
         "fonts-dejavu-core, or give the folder with --font-dir)"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::string path = WriteChanged(dir, c.change);
        dir.Write(std::string("out/") + kSegLcdFile, "earlier");
        ToolResult r = RunTool("orvane-mkmodel", {path, "--out-dir", dir.Path("out")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "orvane-mkmodel: " + path + ": " + c.message + "\n");
        EXPECT_EQ(dir.Read(std::string("out/") + kSegLcdFile), "earlier");
        EXPECT_FALSE(dir.Exists(std::string("out/") + kSmallPanelFile));
    }
}

TEST(MkModelCli, WrongUsageAndMissingFiles) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::string out = dir.Path("out");
    const Case kCases[] = {
        {{}, 2, "no description file given"},
        {{"calc.json"}, 2, "--out-dir is missing"},
        {{"calc.json", "--out-dir"}, 2, "--out-dir needs a folder"},
        {{"calc.json", "--colour", "red"}, 2, "unknown option --colour"},
        {{"a.json", "b.json", "--out-dir", out}, 2, "give one description file"},
        {{dir.Path("none.json"), "--out-dir", out},
         1,
         "cannot open '" + dir.Path("none.json") + "'"},
        {{ORVANE_DEMO_DESCRIPTION, "--out-dir", out, "--font-dir", dir.Path("fonts")},
         1,
         std::string(ORVANE_DEMO_DESCRIPTION) + ": font 'DejaVuSans-Bold.ttf' not found in '" +
             dir.Path("fonts") + "' (install fonts-dejavu-core, or give the folder with " +
             "--font-dir)"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.message);
        ToolResult r = RunTool("orvane-mkmodel", c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(Has(r.err, "orvane-mkmodel: " + c.message + "\n")) << r.err;
        EXPECT_EQ(Has(r.err, "usage: orvane-mkmodel"), c.exitCode == 2) << r.err;
    }
    EXPECT_FALSE(dir.Exists("out"));
    ToolResult help = RunTool("orvane-mkmodel", {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(Has(help.out, "--png-dir DIR")) << help.out;
}

TEST(MkModelCli, DumpShowsTheSectionsAndTagsOfEachFile) {
    ToolResult lcd = RunTool("orvane-dump", {"--units", "1", ModelFile(kSegLcdFile)});
    ASSERT_EQ(lcd.exitCode, 0) << lcd.err;
    EXPECT_TRUE(Has(lcd.out, "Kind: 'SLCD', version 'V00'")) << lcd.out;
    EXPECT_TRUE(Has(lcd.out, "Section 'SegLcdDatSet' at 16: 16 tag buffers")) << lcd.out;
    EXPECT_TRUE(Has(lcd.out, "{CTagBuf lable = 'SLDSDMS', UnitCnt = 1}")) << lcd.out;
    for (const char* head :
         {"SEGLCDDAT0:SmallPanel", "SEGLCDDAT1:LargePanel", "SEGLCDDAT2:Window"}) {
        SCOPED_TRACE(head);
        const std::string h = std::string("'") + head + "\\";
        EXPECT_TRUE(
            Has(lcd.out, h + "SLDDMS', UnitCnt = 1}\n  {Unit 0/1}\n  [SegDevCnt       ] = 97"))
            << lcd.out;
        EXPECT_TRUE(Has(lcd.out, h + "SCPMI', UnitCnt = 3104}")) << lcd.out;
        for (const char* tag : {"PIXBUF\\PIXBUFDMS'", "PIXBUF\\PIXELBUF'", "PIXBUF\\PALETTE'"})
            EXPECT_TRUE(Has(lcd.out, h + tag)) << tag;
    }

    for (const char* file : {kSmallPanelFile, kLargePanelFile}) {
        SCOPED_TRACE(file);
        ToolResult p = RunTool("orvane-dump", {ModelFile(file)});
        ASSERT_EQ(p.exitCode, 0) << p.err;
        EXPECT_TRUE(Has(p.out, "Kind: 'CPNL', version 'V00'"));
        EXPECT_TRUE(Has(p.out, "Section 'CalPnlDatSet' at 16: "));
        for (const char* part :
             {"'VbkWnd\\VKBDMS', UnitCnt = 1}\n  {Unit 0/1}\n  [clrTransparent  ] = 16711935",
              "[SpgActive       ] = 0", "'VbkWnd\\Sbk\\Spg0\\SPGDMS'",
              "[Name            ] = 'Keys'",
              "'VbkWnd\\Sbk\\Spg0\\Sob25\\Shape:Rectangle\\ShapeBase\\SHAPEBASEDMS'",
              "'VbkWnd\\Sbk\\Spg1\\SPGDMS'", "[Name            ] = 'Lcd'",
              "'VbkWnd\\Sbk\\Spg1\\Sob0\\Shape:Rectangle\\PolygonPlot\\POLYGONPLOTCOORD', "
              "UnitCnt = 4}",
              "'VbkWnd\\Sbk\\IdCenter\\IDCDMS'", "'VbkWnd\\VKBMAPUI', UnitCnt = 26}",
              "'VbkWnd\\PixBuf0\\PIXELBUF'", "'VbkWnd\\PixBuf1\\PIXELBUF'",
              "'VbkWnd\\PixBuf2\\PIXELBUF'", "'CPKEYMAPUI', UnitCnt = 26}"})
            EXPECT_TRUE(Has(p.out, part)) << part;
        EXPECT_FALSE(Has(p.out, "Spg0\\Sob26\\")) << "one object per key";
    }
}

}  // namespace

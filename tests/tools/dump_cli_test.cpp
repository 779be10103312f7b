#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "data/sbk.h"
#include "data/sbk_file.h"
#include "data/seg_lcd.h"
#include "tests/tools/run_tool.h"

namespace {

namespace fs = std::filesystem;

class DumpCli : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("orvane-dump-") +
               testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
               std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) { return (dir / name).string(); }
    fs::path dir;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(DumpCli, ShowsTheSectionsAndTagBuffersOfAContainerFile) {
    CSegLcdDatSet set;
    auto layout = std::make_unique<CSegLcdDat>();
    layout->SetName("Main");
    layout->SetSegDevCnt(97);
    for (int k = 0; k < 40; ++k)
        layout->SetRecord(k, {k, 0, k + 1, 1, uint32_t(k)});
    layout->Picture().Create(4, 2, 0);
    set.AddLayout(std::move(layout));
    set.SetDummy(7);
    ASSERT_TRUE(set.Save(Path("demo.SegLcd")));

    ToolResult r = RunTool("orvane-dump", {Path("demo.SegLcd")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "Kind: 'SLCD', version 'V00'\n")) << r.out;
    EXPECT_TRUE(Has(r.out, "[  0]      16:<0>'SegLcdDatSet', Num=0, DataLen=")) << r.out;
    EXPECT_TRUE(Has(r.out, "Section 'SegLcdDatSet' at 16: 6 tag buffers\n")) << r.out;
    EXPECT_TRUE(Has(r.out,
                    "  {CTagBuf lable = 'SLDSDMS', UnitCnt = 1}\n  {Unit 0/1}\n"
                    "  [Dummy           ] = 7\n"))
        << r.out;
    EXPECT_TRUE(Has(r.out, "[SegDevCnt       ] = 97\n")) << r.out;
    // The table shows 16 of its 40 records unless asked for more.
    EXPECT_TRUE(Has(r.out, "{Unit 15/40}")) << r.out;
    EXPECT_FALSE(Has(r.out, "{Unit 16/40}")) << r.out;
    EXPECT_TRUE(Has(r.out, "(24 more units not shown)")) << r.out;
    ToolResult all = RunTool("orvane-dump", {"--all", Path("demo.SegLcd")});
    EXPECT_TRUE(Has(all.out, "{Unit 39/40}"));
    ToolResult none = RunTool("orvane-dump", {"--units", "0", Path("demo.SegLcd")});
    EXPECT_FALSE(Has(none.out, "{Unit 0/1}"));
}

TEST_F(DumpCli, ShowsAShapeBookAndTheHeadersOfABmpFile) {
    CSbk sbk;
    sbk.AddPage(1, "Keys")->AddSob(CSob::NewRectangle(3, 0, 0, 10, 10));
    ASSERT_TRUE(CSbkFile().Save(Path("keys.Sbk"), sbk, "KeyBook"));
    ToolResult r = RunTool("orvane-dump", {Path("keys.Sbk")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "Kind: 'SBK ', version 'V00'")) << r.out;
    EXPECT_TRUE(Has(r.out, "'Spg0\\Sob0\\Shape:Rectangle\\ShapeBase\\SHAPEBASEDMS'")) << r.out;

    CPixBuf pic;
    pic.Create(3, 2, 0);
    ASSERT_TRUE(CImageFileIO::WriteBmp(Path("p.bmp"), pic));
    ToolResult b = RunTool("orvane-dump", {Path("p.bmp")});
    ASSERT_EQ(b.exitCode, 0) << b.err;
    EXPECT_TRUE(Has(b.out, "bfType 19778, bfSize 78, bfOffBits 54\n")) << b.out;
    EXPECT_TRUE(Has(b.out, "biWidth 3, biHeight 2, biPlanes 1, biBitCount 24")) << b.out;
}

TEST_F(DumpCli, RefusesWhatItCannotShow) {
    std::ofstream(Path("text.txt")) << "no sections here";
    struct {
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {{Path("missing.SegLcd")}, 1, "cannot read"},
        {{Path("text.txt")}, 1, "neither a BMP file nor a container file"},
        {{}, 2, "usage"},
        {{"--units", "x", Path("text.txt")}, 2, "usage"},
        {{Path("a"), Path("b")}, 2, "usage"},
        {{"--frobnicate", Path("a")}, 2, "usage"},
    };
    for (const auto& c : cases) {
        ToolResult r = RunTool("orvane-dump", c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.says;
        EXPECT_TRUE(Has(r.err, c.says)) << r.err;
    }
}

}  // namespace

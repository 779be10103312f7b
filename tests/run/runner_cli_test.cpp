// orvane-run through its command line: the dump of a hand-assembled program, identical
// outputs for identical inputs, the model folder, the LCD picture, keys by name, and the
// errors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "data/image_file_io.h"
#include "data/pix_buf.h"
#include "tests/run/test_programs.h"
#include "tests/tools/run_tool.h"

namespace {

using nlohmann::json;

// Writes LCD page `page`, address `address` through the LCD data port.
std::vector<uint16_t> LcdWrite(uint32_t page, uint32_t address, uint32_t value) {
    return Seq({I("ldi", {page}), I("sta", {0x23}), I("ldi", {address}), I("sta", {0x22}),
                I("ldi", {value}), I("sta", {0x0E})});
}

// Lights segment (2, 0) and (1, 1): LCD page 0 column 2 bit 0, column 1 bit 1; display on.
std::vector<uint16_t> LcdProgram() {
    std::vector<uint16_t> p =
        Seq({LcdWrite(0, 2, 0x01), LcdWrite(0, 1, 0x02), I("ldi", {0x21}), I("sta", {0x2E})});
    return Seq({p, I("pjmp", {uint32_t(p.size())})});
}

class RunnerCli : public RunFolderTest {
protected:
    ToolResult Runner(const std::vector<std::string>& args) { return RunTool("orvane-run", args); }
    json Dump(const std::string& name) { return json::parse(ReadText(name)); }
};

TEST_F(RunnerCli, RunsAHandAssembledProgramAndDumpsItsState) {
    std::vector<uint16_t> p =
        Seq({I("ldi", {0x5A}), I("sta", {0x40}),                  // common RAM 0
             I("bank", {3}), I("ldi", {0x77}), I("sta", {0x85}),  // banked cell 3 * 128 + 0x85
             LcdWrite(2, 7, 0xC3), I("ldi", {0x21}), I("sta", {0x2E})});
    uint32_t loop = uint32_t(p.size());
    WriteWords("prog.bin", Seq({p, I("pjmp", {loop})}));
    ToolResult r =
        Runner({"--image", Path("prog.bin"), "--passes", "40", "--dump-state", Path("state.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    json d = Dump("state.json");
    EXPECT_EQ(d["common_ram"][0], 0x5A);
    EXPECT_EQ(d["banked_ram"][3 * 128 + 0x85], 0x77);
    EXPECT_EQ(d["sfr"][0x02], 3);
    EXPECT_EQ(d["sfr"][0x0A], 0x21) << "A";
    EXPECT_EQ(d["sfr"][0x2E], 0x21);
    EXPECT_EQ(d["lcd"][2 * 98 + 7], 0xC3);
    EXPECT_EQ(d["lcd_rows"][2][7], 0xC3);
    EXPECT_EQ(d["pc"], loop);
    EXPECT_EQ(d["passes"], 40);
    EXPECT_EQ(d["instructions"], 40);
    EXPECT_EQ(d["run_state"], 2) << "reset selects the sub clock";
    EXPECT_TRUE(d["stopped"].is_null());
    EXPECT_EQ(d["held_keys"], json::array());
    EXPECT_EQ(Files(), (std::vector<std::string>{"prog.bin", "state.json"}));
}

TEST_F(RunnerCli, SameInputsGiveByteIdenticalOutputs) {
    WriteWords("prog.bin", WakeCounterProgram());
    auto args = [&](const std::string& tag) {
        return std::vector<std::string>{
            "--image", Path("prog.bin"),  "--key", "4,2,10,300",   "--tap",
            "-1,-1",   "--tap",           "5,1",   "--dump-state", Path(tag + ".json"),
            "--trace", Path(tag + ".txt")};
    };
    ToolResult a = Runner(args("a")), b = Runner(args("b"));
    ASSERT_EQ(a.exitCode, 0) << a.err;
    ASSERT_EQ(b.exitCode, 0) << b.err;
    EXPECT_EQ(ReadText("a.json"), ReadText("b.json"));
    EXPECT_EQ(ReadText("a.txt"), ReadText("b.txt"));
    EXPECT_GT(ReadText("a.txt").size(), 1000u);
    EXPECT_GT(Dump("a.json")["common_ram"][0], 0);
}

TEST_F(RunnerCli, UnknownInstructionExitsThreeAndStillWritesTheOutputs) {
    WriteWords("prog.bin", Seq({I("ldi", {0x42}), {0x0003}}));
    ToolResult r = Runner(
        {"--image", Path("prog.bin"), "--dump-state", Path("s.json"), "--trace", Path("t.txt")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("unknown instruction 0x0003 at 0x00001 in pass 1"), std::string::npos)
        << r.err;
    json d = Dump("s.json");
    EXPECT_EQ(d["stopped"], "unknown instruction");
    EXPECT_EQ(d["passes"], 2);
    EXPECT_EQ(d["pc"], 1);
    EXPECT_EQ(ReadText("t.txt"), "0000000000 00000 4E42      ldi 0x42                 A=42 S=C0\n");
}

TEST_F(RunnerCli, ModelFolderReadsTheContainerThenTheConfiguration) {
    auto storeProgram = [](uint32_t value) {
        return Seq({I("ldi", {value}), I("sta", {0x40}), I("ldi", {0x33}), I("sta", {0x41}),
                    I("pjmp", {4})});
    };
    WriteFirmwareContainer(dir.string(), storeProgram(0x11));
    ToolResult plain =
        Runner({"--model", dir.string(), "--passes", "10", "--dump-state", Path("a.json")});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(Dump("a.json")["common_ram"][0], 0x11);

    // [ICEBin] replaces the image (path relative to the model folder); the value check of
    // TitleStr reports its wrong count and the run goes on (the question answered Yes).
    std::filesystem::create_directories(dir / "sub");
    WriteWords("sub/other.bin", storeProgram(0x22));
    WriteText("Novaro.ini", "[TitleBar]\nTitleStr = A, B\n[ICEBin]\nBinPathName = sub/other.bin\n");
    ToolResult configured =
        Runner({"--model", dir.string(), "--passes", "10", "--dump-state", Path("b.json")});
    ASSERT_EQ(configured.exitCode, 0) << configured.err;
    EXPECT_EQ(Dump("b.json")["common_ram"][0], 0x22);
    EXPECT_NE(configured.err.find("Key value count should be 1 while it is 2"), std::string::npos)
        << configured.err;
    EXPECT_NE(configured.err.find("Continue parsing ini ?"), std::string::npos);

    ToolResult quiet = Runner({"--model", dir.string(), "--passes", "10", "--quiet"});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");

    // A configured image that cannot be opened is reported; the container's image stays.
    WriteText("Novaro.ini",
              "[ICEBin]\nBinPathName = missing.bin\n[PanelBmp]\n"
              "SmallNormalPanelBmp = sub/other.bin\n");
    ToolResult missing =
        Runner({"--model", dir.string(), "--passes", "10", "--dump-state", Path("c.json")});
    ASSERT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_EQ(Dump("c.json")["common_ram"][0], 0x11);
    EXPECT_NE(missing.err.find("Failed to open 'missing.bin'"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("Failed to open 'sub/other.bin'"), std::string::npos)
        << "a panel picture that is no BMP";
}

TEST_F(RunnerCli, LcdPictureShowsTheLitSegmentsOfTheChosenLayout) {
    WriteFirmwareContainer(dir.string(), LcdProgram());
    WriteSegLcdFile(dir.string());
    if (!SegLcdFileReadsBack(dir.string()))
        GTEST_SKIP() << "the segment LCD file does not read back (layout settings are lost "
                        "between the data library's writer and reader)";
    struct Case {
        std::vector<std::string> extra;
        int height;  // layout n is 3 + n pixels tall
    } cases[] = {{{}, 5}, {{"--layout", "0"}, 3}};
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--model", dir.string(), "--passes",
                                         "100",     "--lcd-bmp",  Path("lcd.bmp")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        ToolResult r = Runner(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        CPixBuf picture;
        ASSERT_TRUE(CImageFileIO::ReadBmp(Path("lcd.bmp"), picture));
        ASSERT_EQ(picture.Width(), 8);
        ASSERT_EQ(picture.Height(), c.height);
        // Segment (c, r) is the pixel column c + 4r: (2, 0) -> 2, (1, 1) -> 5.
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < c.height; ++y)
                EXPECT_EQ(picture.GetColour(x, y), (x == 2 || x == 5) ? 0u : 0xFFFFFFu)
                    << x << "," << y;
    }
}

TEST_F(RunnerCli, LcdPictureIsRefusedWhenALitSegmentHasNoRecord) {
    // Page 1 bit 0 of column 0 is segment (0, 8), beyond the file's records.
    std::vector<uint16_t> p = Seq({LcdWrite(1, 0, 0x01), I("ldi", {0x21}), I("sta", {0x2E})});
    WriteFirmwareContainer(dir.string(), Seq({p, I("pjmp", {uint32_t(p.size())})}));
    WriteSegLcdFile(dir.string());
    if (!SegLcdFileReadsBack(dir.string()))
        GTEST_SKIP() << "the segment LCD file does not read back (layout settings are lost "
                        "between the data library's writer and reader)";
    ToolResult r = Runner({"--model", dir.string(), "--passes", "100", "--lcd-bmp", Path("lcd.bmp"),
                           "--dump-state", Path("s.json")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no segment record for the lit segment at column 0, row 8"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(Exists("lcd.bmp"));
    EXPECT_FALSE(Exists("lcd.bmp.part"));
    EXPECT_TRUE(Exists("s.json")) << "the run itself was fine";
}

TEST_F(RunnerCli, KeysAreTappedByTheirPanelNames) {
    WriteFirmwareContainer(dir.string(), WakeCounterProgram());
    WritePanelFile(dir.string(), {{-1, -1, "ON"}, {4, 1, "5"}, {5, 3, "="}});
    ToolResult r =
        Runner({"--model", dir.string(), "--keys", "5 =", "--dump-state", Path("s.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    json d = Dump("s.json");
    EXPECT_EQ(d["held_keys"], json::array());
    EXPECT_EQ(d["run_state"], 3) << "ends idle";
    EXPECT_GT(d["instructions"], 20000) << "the held keys woke the firmware";
    EXPECT_LT(d["passes"], 2 * 20000 + 200) << "two taps, then the run ends";

    ToolResult unknown = Runner({"--model", dir.string(), "--keys", "5 SIN"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("no key is named 'SIN'"), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find("are: ON 5 ="), std::string::npos) << unknown.err;
}

TEST_F(RunnerCli, ErrorsExitTwoAndLeaveNoOutputBehind) {
    WriteWords("prog.bin", BusyLoopProgram());
    WriteText("empty.bin", "");
    WriteText("odd.bin", "x");
    std::filesystem::create_directories(dir / "junkmodel");
    std::string junk(600, '\0');
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = char(i * 7 + i / 3);
    WriteText("junkmodel/ZT_K318V.eepm", junk);
    std::filesystem::create_directories(dir / "model");
    WriteFirmwareContainer((dir / "model").string(), BusyLoopProgram());
    WriteSegLcdFile((dir / "model").string());
    std::filesystem::create_directories(dir / "nopanel");
    WriteFirmwareContainer((dir / "nopanel").string(), BusyLoopProgram());
    std::string model = (dir / "model").string();

    std::vector<std::string> outputs = {"--dump-state", Path("s.json")};
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--image", Path("missing.bin")}, "cannot open"},
        {{"--image", Path("empty.bin")}, "holds no instruction word"},
        {{"--image", Path("odd.bin")}, "holds no instruction word"},
        {{"--model", Path("nowhere")}, "cannot open the firmware container"},
        {{"--model", Path("junkmodel")}, "is not a firmware container"},
        {{"--image", Path("prog.bin"), "--passes", "many"}, "--passes takes"},
        {{"--model", model, "--lcd-bmp", Path("l.bmp"), "--layout", "7"}, "there is no layout 7"},
        {{"--model", Path("nopanel"), "--lcd-bmp", Path("l.bmp")}, "ZT_K318V.SegLcd"},
        {{"--model", Path("nopanel"), "--keys", "AC"}, "ZT_K318V_SP.CalPnl': cannot open"},
        {{"--image", Path("prog.bin"), "--trace", Path("no/such/dir/t.txt")}, "cannot create"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), outputs.begin(), outputs.end());
        ToolResult r = Runner(args);
        EXPECT_EQ(r.exitCode, 2) << c.says << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << "expected '" << c.says << "' in\n"
                                                         << r.err;
        EXPECT_FALSE(Exists("s.json") || Exists("s.json.part") || Exists("t.txt") ||
                     Exists("l.bmp"))
            << c.says;
    }
}

TEST_F(RunnerCli, HelpAndUsage) {
    ToolResult help = Runner({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: orvane-run"), std::string::npos);
    ToolResult bad = Runner({"--image"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("--image needs a value"), std::string::npos);
    EXPECT_NE(bad.err.find("usage: orvane-run"), std::string::npos);
}

}  // namespace

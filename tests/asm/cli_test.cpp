// orvane-asm and orvane-disasm as programs: the round trip through files, outputs written
// only on success, the container, and usage errors.
#include <gtest/gtest.h>

#include <random>

#include "app/encrypt_buffer.h"
#include "app/firmware_container.h"
#include "tests/asm/temp_dir.h"
#include "tests/tools/run_tool.h"

namespace {

using Words = std::vector<uint16_t>;

TEST(Cli, DisassembleThenAssembleGivesBackTheImage) {
    TempDir dir;
    std::mt19937 rng(4);
    for (size_t n : {1u, 2u, 1000u, 4097u}) {
        Words image(n);
        for (uint16_t& w : image)
            w = uint16_t(rng());
        image.back() = 0x5741;  // a two-word form cut off by the end of the image
        dir.WriteWords("x.bin", image);
        ToolResult d = RunTool("orvane-disasm", {dir.Path("x.bin"), "-o", dir.Path("x.s")});
        ASSERT_EQ(d.exitCode, 0) << d.err;
        ToolResult a = RunTool("orvane-asm", {dir.Path("x.s"), "-o", dir.Path("y.bin")});
        ASSERT_EQ(a.exitCode, 0) << a.err;
        EXPECT_EQ(dir.ReadWords("y.bin"), image) << n;
    }
}

TEST(Cli, SymbolsListingAndContainerOutputs) {
    TempDir dir;
    dir.Write("p.s", "main: ldi 1\n.l: djnz 0x40, .l\n pjmp main\n db \"firmware\"\n");
    ToolResult a = RunTool(
        "orvane-asm", {dir.Path("p.s"), "-o", dir.Path("p.bin"), "--listing", dir.Path("p.lst"),
                       "--symbols", dir.Path("p.sym"), "--container", dir.Path("p.eepm")});
    ASSERT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(dir.Read("p.sym"),
              "; orvane-asm symbols: value kind name\n0x00000 label main\n0x00001 label main.l\n");
    EXPECT_NE(dir.Read("p.lst").find("00001  5140 0001"), std::string::npos);

    // The container unwraps to the raw image.
    std::string box = dir.Read("p.eepm"), raw = dir.Read("p.bin");
    CBuf buf(int(box.size()), 1, box.data(), 1, 0);
    ASSERT_EQ(CEncrypt::UnwrapBuffer(buf, kCheckWord), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf.Data()), size_t(buf.TotalBytes())),
              raw);

    // The symbols name the disassembly.
    ToolResult d = RunTool("orvane-disasm", {dir.Path("p.bin"), "--symbols", dir.Path("p.sym")});
    ASSERT_EQ(d.exitCode, 0) << d.err;
    EXPECT_NE(d.out.find("main.l:\n        djnz    0x40, main.l"), std::string::npos) << d.out;
}

TEST(Cli, BadSourceWritesNothingAndExitsWithOne) {
    TempDir dir;
    dir.Write("bad.s", "nop\nfoo 1\npjmp nowhere\n");
    ToolResult a = RunTool("orvane-asm", {dir.Path("bad.s"), "-o", dir.Path("bad.bin")});
    EXPECT_EQ(a.exitCode, 1);
    EXPECT_NE(a.err.find(dir.Path("bad.s") + ":2: unknown mnemonic 'foo'\n"), std::string::npos)
        << a.err;
    EXPECT_NE(a.err.find(":3: undefined symbol 'nowhere'\n"), std::string::npos);
    EXPECT_NE(a.err.find("orvane-asm: 2 errors; nothing written"), std::string::npos);
    EXPECT_FALSE(dir.Exists("bad.bin"));
}

TEST(Cli, DisassemblerReportsOddBytesAndDamagedSymbolFiles) {
    TempDir dir;
    dir.Write("odd.bin", std::string("\x00\x00\x41", 3));
    ToolResult d = RunTool("orvane-disasm", {dir.Path("odd.bin")});
    EXPECT_EQ(d.exitCode, 0);
    EXPECT_NE(d.err.find("odd byte 0x41"), std::string::npos) << d.err;

    dir.Write("bad.sym", "0x10 label main\nnonsense\n");
    d = RunTool("orvane-disasm", {dir.Path("odd.bin"), "--symbols", dir.Path("bad.sym")});
    EXPECT_EQ(d.exitCode, 1);
    EXPECT_NE(d.err.find("bad.sym:2: expected: value kind name"), std::string::npos) << d.err;

    d = RunTool("orvane-disasm", {dir.Path("missing.bin")});
    EXPECT_EQ(d.exitCode, 1);
    EXPECT_NE(d.err.find("cannot open"), std::string::npos);
}

TEST(Cli, WrongUsageExitsWithTwo) {
    const std::vector<std::vector<std::string>> asmArgs = {{},
                                                           {"x.s"},
                                                           {"x.s", "-o"},
                                                           {"x.s", "-o", "y", "--bogus"},
                                                           {"x.s", "-D", "1x=2", "-o", "y"}};
    for (const auto& args : asmArgs)
        EXPECT_EQ(RunTool("orvane-asm", args).exitCode, 2) << args.size();
    const std::vector<std::vector<std::string>> disasmArgs = {
        {}, {"x.bin", "--from"}, {"x.bin", "--from", "zz"}, {"x.bin", "--from", "9", "--to", "3"}};
    for (const auto& args : disasmArgs)
        EXPECT_EQ(RunTool("orvane-disasm", args).exitCode, 2) << args.size();
}

}  // namespace

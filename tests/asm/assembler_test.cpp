// The assembler on small sources: encodings, expressions, labels, macros, include files,
// listing and symbols, and the messages for bad source.
#include "tools/isa/assembler.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/asm/temp_dir.h"

namespace {

using Words = std::vector<uint16_t>;

isa::AsmResult Asm(const std::string& source) {
    return isa::AssembleText(source, "t.s");
}

// The words a source assembles to; fails the test on any error.
Words Assemble(const std::string& source) {
    isa::AsmResult r = Asm(source);
    EXPECT_TRUE(r.ok) << source << "\n" << (r.errors.empty() ? "" : r.errors[0]);
    return r.image;
}

std::string FirstError(const std::string& source) {
    isa::AsmResult r = Asm(source);
    EXPECT_FALSE(r.ok) << source;
    return r.errors.empty() ? "" : r.errors[0];
}

TEST(Assembler, EncodesEachKindOfOperand) {
    struct Case {
        const char* source;
        Words words;
    };
    const Case cases[] = {
        {"nop", {0x0000}},
        {"clrsb", {0x0001}},
        {"stby", {0x0002}},
        {"ret", {0x2BFE}},
        {"reti", {0x2BFF}},
        {"adda 0x41", {0x1041}},
        {"ADDA ACC", {0x100A}},  // mnemonics ignore case; register names are built in
        {"incm 0xff", {0x1DFF}},
        {"ldi -1", {0x4EFF}},
        {"ldi 255", {0x4EFF}},
        {"ori 'A'", {0x4441}},
        {"tbli IND1", {0x2D03}},
        {"tbla 0x80", {0x2F80}},
        {"bset 0x40, 7", {0x7740}},
        {"bclr STATUS, C", {0x680F}},
        {"btgl 0x41, 3", {0x7B41}},
        {"jbc STATUS, Z, 0x1234", {0x5A0F, 0x1234}},
        {"jbs 0x80, 0, 0", {0x6080, 0x0000}},
        {"jeqi 0x30, 0xffff", {0x4930, 0xFFFF}},
        {"djnz 0x40, 5", {0x5140, 0x0005}},
        {"movd 0x0a, 0x41", {0x8A41}},
        {"movs 0x41, 0x1f", {0xBF41}},
        {"mov PTR0, 0x90", {0x8190}},  // destination in 0x00-0x1F: movd
        {"mov 0x90, PTR0", {0xA190}},  // source in 0x00-0x1F: movs
        {"scall 0xfff", {0x3FFF}},
        {"pjmp 0x1fff", {0xDFFF}},
        {"pcall 0", {0xE000}},
        {"ljmp 0x1abcd", {0x0021, 0xABCD}},
        {"lcall 0x00010", {0x0030, 0x0010}},
        {"lcall raw(0x31234)", {0x0033, 0x1234}},
        {"dw 0xbeef, -1, 'x'", {0xBEEF, 0xFFFF, 0x0078}},
        {"db 1, 2, 3", {0x0201, 0x0003}},
        {"db \"AB\\n\", -2", {0x4241, 0xFE0A}},
        {"ds 3", {0, 0, 0}},
        {"ds 2, 0x2bfe", {0x2BFE, 0x2BFE}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Assemble(c.source), c.words) << c.source;
}

TEST(Assembler, TargetsAreAbsoluteAndCheckedAgainstTheirReach) {
    // Near targets share bit 16 with the next instruction's address.
    Words w = Assemble("org 0x1fff0\njeq 0x41, 0x10004");
    ASSERT_EQ(w.size(), 0x1FFF2u);
    EXPECT_EQ(w[0x1FFF0], 0x5741);
    EXPECT_EQ(w[0x1FFF1], 0x0004);
    // A jump in the last word of segment 0 continues in segment 1.
    w = Assemble("org 0xffff\njeqi 0, 0x10000");
    EXPECT_EQ(w[0x10000], 0x0000);
    // Page jumps reach their own 8K page.
    w = Assemble("org 0x2000\npjmp 0x3fff\npcall 0x2000");
    EXPECT_EQ(w[0x2000], 0xDFFF);
    EXPECT_EQ(w[0x2001], 0xE000);
}

TEST(Assembler, ExpressionsFollowCPrecedenceAndTheHelpers) {
    struct Case {
        const char* expr;
        uint16_t value;
    };
    const Case cases[] = {
        {"1 + 2 * 3", 7},
        {"(1 + 2) * 3", 9},
        {"1 << 4 + 1", 32},  // + binds tighter than <<
        {"0xf0 | 0x0f & 0x3c", 0xFC},
        {"0xff ^ 0x0f", 0xF0},
        {"-7 / 2", 0xFFFD},  // truncates toward zero
        {"-7 % 2", 0xFFFF},
        {"~0 & 0xffff", 0xFFFF},
        {"0b1010_0101", 0xA5},
        {"1_000", 1000},
        {"'\\x41' + 1", 0x42},
        {"lo(0x1234)", 0x34},
        {"hi(0x1234)", 0x12},
        {"up(0x123456)", 0x12},
        {"baddr(0x1234)", 0x2468},
        {"ram(2, 0x85)", 0x185},
        {"bank(ram(63, 0xff))", 63},
        {"off(ram(5, 0x91))", 0x91},
        {"off(0x45)", 0x45},
        {"LO(0x1234)", 0x34},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Assemble(std::string("dw ") + c.expr), Words{c.value}) << c.expr;
}

TEST(Assembler, DollarIsTheAddressOfTheStatement) {
    Words w = Assemble("org 0x10\ndw $, $ + 1\npjmp $");
    EXPECT_EQ(w[0x10], 0x10);
    EXPECT_EQ(w[0x11], 0x11);
    EXPECT_EQ(w[0x12], 0xC012);
}

TEST(Assembler, LocalLabelsBelongToTheirGlobalLabel) {
    Words w = Assemble(
        "first:  nop\n"
        ".loop:  pjmp .loop\n"
        "second: nop\n"
        ".loop:  pjmp .loop\n"
        "        pjmp first.loop\n"
        "        dw second.loop\n");
    EXPECT_EQ(w, (Words{0x0000, 0xC001, 0x0000, 0xC003, 0xC001, 0x0003}));
}

TEST(Assembler, ForwardReferencesAndConstantsOfLaterLabels) {
    Words w = Assemble(
        "        ldi SIZE\n"
        "        dw end - start\n"
        "SIZE    equ end - start\n"
        "start:  ds 4\n"
        "end:\n");
    EXPECT_EQ(w[0], 0x4E04);
    EXPECT_EQ(w[1], 4);
    // A constant built on another constant defined later still resolves.
    EXPECT_EQ(Assemble("dw B\nB equ A + 1\nA equ lbl * 2\nlbl: nop"), (Words{3, 0}));
}

TEST(Assembler, SourceDefinitionsOverrideBuiltInNames) {
    EXPECT_EQ(Assemble("lda ACC"), Words{0x200A});
    EXPECT_EQ(Assemble("ACC equ 0x41\nlda ACC"), Words{0x2041});
}

TEST(Assembler, OrgAlignAndGapsFillWithZero) {
    Words w = Assemble("nop\nalign 4\ndw 1\norg 8\ndw 2\nalign 4, 0xffff\ndw 3");
    EXPECT_EQ(w, (Words{0, 0, 0, 0, 1, 0, 0, 0, 2, 0xFFFF, 0xFFFF, 0xFFFF, 3}));
}

TEST(Assembler, MacrosSubstituteArgumentsAndKeepPrivateLabelsApart) {
    Words w = Assemble(
        "macro ldt addr\n"
        "    ldtl lo(baddr(addr))\n"
        "    ldth hi(baddr(addr))\n"
        "    ldtu up(baddr(addr))\n"
        "endm\n"
        "macro skipz reg\n"
        "    tst reg\n"
        "    jbs STATUS, Z, @done\n"
        "    incm reg\n"
        "@done:\n"
        "endm\n"
        "start: ldt table + 1\n"  // a two-token argument is used in parentheses
        "       skipz 0x40\n"
        "       skipz 0x41\n"
        "table: dw 0\n");
    ASSERT_EQ(w.size(), 12u);
    EXPECT_EQ(w[0], 0x4018);  // table is word 11: baddr(11 + 1) = 24
    EXPECT_EQ(w[1], 0x4100);
    EXPECT_EQ(w[2], 0x4200);
    EXPECT_EQ(w[3], 0x2540);
    EXPECT_EQ(w[4], 0x620F);
    EXPECT_EQ(w[5], 7);  // the first use's @done
    EXPECT_EQ(w[7], 0x2541);
    EXPECT_EQ(w[9], 11);  // the second use's @done
}

TEST(Assembler, MacrosNestAndTakeALabelOnTheirLine) {
    Words w = Assemble(
        "macro inc2 reg\n"
        "    incm reg\n"
        "    incm reg\n"
        "endm\n"
        "macro inc4 reg\n"
        "    inc2 reg\n"
        "    inc2 reg\n"
        "endm\n"
        "       nop\n"
        "here:  inc4 0x40\n"
        "       pjmp here\n");
    EXPECT_EQ(w, (Words{0, 0x1D40, 0x1D40, 0x1D40, 0x1D40, 0xC001}));
}

TEST(Assembler, IncludeFilesAreFoundBesideTheIncluderThenInIncludeFolders) {
    TempDir dir;
    dir.Write("src/main.s",
              "include \"defs.inc\"\ninclude \"lib.inc\"\nldi VALUE\nscall routine\n");
    dir.Write("src/defs.inc", "VALUE equ 7\n");
    dir.Write("lib/lib.inc", "org 0x100\nroutine: ret\norg 2\n");
    isa::AsmOptions o;
    o.includeDirs.push_back(dir.Path("lib"));
    isa::AsmResult r = isa::AssembleFile(dir.Path("src/main.s"), o);
    ASSERT_TRUE(r.ok) << r.errors[0];
    EXPECT_EQ(r.image[2], 0x4E07);
    EXPECT_EQ(r.image[3], 0x3100);
    EXPECT_EQ(r.image[0x100], 0x2BFE);
}

TEST(Assembler, CommandLineDefinesAreConstants) {
    isa::AsmOptions o;
    o.defines.push_back({"DEBUG", 3});
    isa::AsmResult r = isa::AssembleText("dw DEBUG", "t.s", o);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.image, Words{3});
    r = isa::AssembleText("DEBUG equ 1", "t.s", o);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.errors[0], "t.s:1: duplicate symbol 'DEBUG' (first defined at the command line)");
}

TEST(Assembler, RejectsBadSourceWithFileLineAndReason) {
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"nop\nfoo 1", "t.s:2: unknown mnemonic 'foo'"},
        {"start", "t.s:1: unknown mnemonic 'start' (a label needs a colon after it)"},
        {"adda 0x100",
         "t.s:1: operand f = 0x100 is out of range 0x00-0xff; for banked RAM write "
         "off(x) and select its bank with bank(x)"},
        {"adda -1", "t.s:1: operand f = -1 is out of range 0x00-0xff"},
        {"ldi 256", "t.s:1: constant k = 256 is out of range -128..255"},
        {"bset 0x40, 8", "t.s:1: bit number 8 is out of range 0..7"},
        {"movd 0x20, 0x41",
         "t.s:1: operand d = 0x20 is out of range 0x00-0x1f (movd takes d in "
         "0x00-0x1f only; mov picks the form that fits)"},
        {"mov 0x40, 0x41",
         "t.s:1: mov needs its destination or its source in 0x00-0x1f (d = "
         "0x40, s = 0x41); go through A with lda and sta"},
        {"adda 1, 2", "t.s:1: adda takes 1 operand (f), 2 given"},
        {"jbc 0x40, 1", "t.s:1: jbc takes 3 operands (f, b, t), 2 given"},
        {"ret 0", "t.s:1: ret takes no operands"},
        {"pjmp nowhere", "t.s:1: undefined symbol 'nowhere'"},
        {"main: nop\npjmp .lp", "t.s:2: undefined symbol 'main.lp'"},
        {"a: nop\na: nop", "t.s:2: duplicate symbol 'a' (first defined at t.s:1)"},
        {"x equ 1\nx: nop", "t.s:2: duplicate symbol 'x' (first defined at t.s:1)"},
        {"pjmp far\norg 0x2000\nfar: nop",
         "t.s:1: pjmp target 0x02000 is outside the 8K-word page of this instruction "
         "(0x00000-0x01fff); use ljmp"},
        {"org 0x2000\npcall 0x1fff",
         "t.s:2: pcall target 0x01fff is outside the 8K-word page of this instruction "
         "(0x02000-0x03fff); use lcall"},
        {"org 0xfffe\njeq 0x40, 0xfff0",
         "t.s:2: jeq target 0x0fff0 is outside the 64K-word segment of this jump "
         "(0x10000-0x1ffff)"},
        {"scall 0x1000",
         "t.s:1: scall reaches 0x00000-0x00fff only, not 0x01000 (use pcall or "
         "lcall)"},
        {"ljmp 0x20000",
         "t.s:1: ljmp target 0x20000 is beyond the 17-bit program counter "
         "(0x00000-0x1ffff)"},
        {"ljmp raw(0x100000)", "t.s:1: raw(0x100000) does not fit the field (0x00000-0xfffff)"},
        {"adda raw(1)", "t.s:1: raw() is only for jump and call targets"},
        {"dw raw(1)", "t.s:1: raw() stands alone as the whole target of a jump or call"},
        {"pjmp -1", "t.s:1: target -1 is not a program address"},
        {"dw 0x10000", "t.s:1: dw value 65536 does not fit in 16 bits"},
        {"db 256", "t.s:1: db value 256 does not fit in a byte"},
        {"dw \"ab\"", "t.s:1: a string can only stand in db"},
        {"dw 1 / 0", "t.s:1: division by zero"},
        {"dw 1 << 64", "t.s:1: shift count 64 is outside 0..63"},
        {"dw (1 + 2", "t.s:1: missing ')'"},
        {"dw 1 2", "t.s:1: unexpected '2' in expression"},
        {"dw 1,,2", "t.s:1: empty operand"},
        {"dw 0x1g", "t.s:1: bad number '0x1g'"},
        {"db \"abc", "t.s:1: string without its closing quote"},
        {"dw foo(1)", "t.s:1: unknown function 'foo'"},
        {"dw bank(0x45)", "t.s:1: bank() needs a banked RAM address (0x80 or above), not 0x45"},
        {"org 0x200000", "t.s:1: org 0x200000 is outside program memory (0x000000-0x1fffff)"},
        {"org later\nlater: nop",
         "t.s:1: org needs a value known at this point; 'later' is not defined before this line"},
        {"org 0x1fffff\nljmp 0",
         "t.s:2: the program runs past the end of program memory "
         "(0x1fffff)"},
        {"org 4\nnop\norg 4\ndw 1", "t.s:4: overlaps address 0x00004, already filled by t.s:2"},
        {"a equ b\nb equ a", "t.s:1: cannot compute 'a': its value depends on itself through 'b'"},
        {"equ 5", "t.s:1: equ needs a name before it"},
        {"lbl: x equ 5", "t.s:1: a line with equ cannot also define a label"},
        {"nop ; fine\n  @x: nop", "t.s:2: '@x': names starting with '@' belong in macro bodies"},
        {"macro m a\nnop\n", "t.s:1: macro 'm' has no endm"},
        {"endm", "t.s:1: endm without macro"},
        {"macro adda\nendm",
         "t.s:1: 'adda' is an instruction or directive; a macro cannot take "
         "its name"},
        {"macro m a, b\nendm\nm 1", "t.s:3: macro 'm' takes 2 arguments, 1 given"},
        {"macro m\nm\nendm\nm",
         "t.s:2: macros nested more than 64 deep (does 'm' use itself?) "
         "(in macro 'm' used at t.s:2, in macro 'm' used at t.s:2, ..., "
         "in macro 'm' used at t.s:4)"},
        {"macro m v\nldi v\nendm\nnop\nm 300",
         "t.s:2: constant k = 300 is out of range -128..255 (in macro 'm' used at t.s:5)"},
        {"include \"missing.inc\"", "t.s:1: cannot find include file 'missing.inc'"},
        {"include missing.inc", "t.s:1: include needs one file name in double quotes"},
    };
    for (const Case& c : cases) {
        std::string e = FirstError(c.source);
        EXPECT_EQ(e.substr(0, std::string(c.message).size()), c.message) << c.source;
    }
}

TEST(Assembler, ReportsEveryFaultNotJustTheFirst) {
    isa::AsmResult r = Asm("foo\nadda 0x100\nnop\npjmp nowhere\n");
    ASSERT_EQ(r.errors.size(), 3u);
    EXPECT_EQ(r.errors[0].substr(0, 6), "t.s:1:");
    EXPECT_EQ(r.errors[1].substr(0, 6), "t.s:2:");
    EXPECT_EQ(r.errors[2].substr(0, 6), "t.s:4:");
}

TEST(Assembler, StopsAfterAHundredFaults) {
    std::string source;
    for (int i = 0; i < 500; ++i)
        source += "foo\n";
    isa::AsmResult r = Asm(source);
    ASSERT_EQ(r.errors.size(), 101u);
    EXPECT_EQ(r.errors.back(), "too many errors; stopping");
}

TEST(Assembler, IncludeCyclesAndFaultsInIncludedFilesNameTheirFile) {
    TempDir dir;
    dir.Write("a.s", "nop\ninclude \"b.inc\"\n");
    dir.Write("b.inc", "nop\ninclude \"a.s\"\n");
    isa::AsmResult r = isa::AssembleFile(dir.Path("a.s"));
    ASSERT_FALSE(r.ok);
    EXPECT_NE(r.errors[0].find("b.inc:2: include cycle: '"), std::string::npos) << r.errors[0];

    dir.Write("c.s", "nop\ninclude \"d.inc\"\n");
    dir.Write("d.inc", "\n\nldi 999\n");
    r = isa::AssembleFile(dir.Path("c.s"));
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.errors[0], dir.Path("d.inc") + ":3: constant k = 999 is out of range -128..255");
}

TEST(Assembler, MissingSourceFileIsReported) {
    isa::AsmResult r = isa::AssembleFile("/nonexistent/x.s");
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.errors[0], "cannot open '/nonexistent/x.s'");
}

TEST(Assembler, ListingShowsAddressesWordsAndMacroLines) {
    isa::AsmOptions o;
    o.listing = true;
    isa::AsmResult r = isa::AssembleText(
        "N equ 3\nmacro twice\n nop\n nop\nendm\nstart: ldi N\n twice\n jeq 0x40, start\n"
        " db \"hello world\"\n",
        "t.s", o);
    ASSERT_TRUE(r.ok);
    EXPECT_NE(r.listing.find("       = 0x00003           1  N equ 3\n"), std::string::npos)
        << r.listing;
    EXPECT_NE(r.listing.find("00000  4e03                6  start: ldi N\n"), std::string::npos);
    EXPECT_NE(r.listing.find("00001  0000                3+  nop\n"), std::string::npos);
    EXPECT_NE(r.listing.find("00003  5740 0000           8   jeq 0x40, start\n"),
              std::string::npos);
    EXPECT_NE(r.listing.find("00005  6568 6c6c 206f      9   db \"hello world\"\n"
                             "00008  6f77 6c72 0064\n"),
              std::string::npos)
        << r.listing;
}

}  // namespace

namespace {

TEST(AssemblerRobustness, GarbageAndPathologicalSourceIsRefusedWithoutHarm) {
    std::mt19937 rng(17);
    for (int round = 0; round < 200; ++round) {
        std::string source;
        size_t n = rng() % 400;
        for (size_t i = 0; i < n; ++i)
            source +=
                char(rng() % 4 ? " \n:;,()\"'@.$0123456789abcdefxyzADDMOVmacroendm"[rng() % 47]
                               : char(rng() & 0xFF));
        isa::AsmResult r = isa::AssembleText(source, "g.s");
        EXPECT_EQ(r.ok, r.errors.empty());
    }
    // Deep nesting of parentheses and unary operators is refused, not recursed without end.
    EXPECT_NE(FirstError("dw " + std::string(100000, '(') + "1").find("nested too deeply"),
              std::string::npos);
    EXPECT_NE(FirstError("dw " + std::string(100000, '-') + "1").find("nested too deeply"),
              std::string::npos);
    // A macro that doubles its argument at each level stops at the line length limit.
    EXPECT_NE(FirstError("macro m x\nm x+x\nendm\nm 1").find("longer than 65536 characters"),
              std::string::npos);
}

}  // namespace

// The disassembler's text: the one-instruction form the runner's trace uses, and whole
// images with labels, symbols, ranges and the words that are not instructions.
#include "tools/isa/disassembler.h"

#include <gtest/gtest.h>

#include <vector>

#include "tools/isa/assembler.h"
#include "tools/isa/image_disassembler.h"
#include "tools/isa/symbol_table.h"

namespace {

using Words = std::vector<uint16_t>;

Words Reassemble(const std::string& source) {
    isa::AsmResult r = isa::AssembleText(source, "out.s");
    EXPECT_TRUE(r.ok) << (r.errors.empty() ? "" : r.errors[0]) << "\n" << source;
    return r.image;
}

TEST(Disassembler, OneInstruction) {
    struct Case {
        uint16_t w, w2;
        uint32_t pc;
        const char* text;
        int length;
    };
    const Case cases[] = {
        {0x0000, 0, 0, "nop", 1},
        {0x1041, 0, 0, "adda 0x41", 1},
        {0x200A, 0, 0, "lda ACC", 1},
        {0x2D03, 0, 0, "tbli IND1", 1},
        {0x4EFF, 0, 0, "ldi 0xff", 1},
        {0x7340, 0, 0, "bset 0x40, 3", 1},
        {0x620F, 0x0123, 0, "jbs STATUS, Z, 0x00123", 2},
        {0x6380, 0x0123, 0x10000, "jbs 0x80, 3, 0x10123", 2},
        {0x5741, 0x0004, 0xFFFF, "jeq 0x41, 0x10004", 2},  // the next instruction is in segment 1
        {0x8A41, 0, 0, "movd ACC, 0x41", 1},
        {0xA141, 0, 0, "movs 0x41, PTR0", 1},
        {0xC005, 0, 0x2345, "pjmp 0x02005", 1},
        {0x3123, 0, 0x5000, "scall 0x00123", 1},
        {0x0021, 0xABCD, 0, "ljmp 0x1abcd", 2},
        {0x0032, 0x0010, 0, "lcall raw(0x20010)", 2},
        {0x0003, 0, 0, "dw 0x0003", 1},
        {0x2B00, 0, 0, "dw 0x2b00", 1},
    };
    for (const Case& c : cases) {
        int length = 0;
        EXPECT_EQ(isa::Disassemble(c.w, c.w2, c.pc, nullptr, &length), c.text) << std::hex << c.w;
        EXPECT_EQ(length, c.length) << c.text;
        EXPECT_EQ(isa::InstrLength(c.w), c.length) << c.text;
    }
}

TEST(Disassembler, NamesTargetsFromTheSymbolTable) {
    isa::SymbolTable syms;
    syms.Add("main.loop", 0x10, isa::SymbolKind::Label);
    syms.Add("main", 0x10, isa::SymbolKind::Label);
    syms.Add("LIMIT", 0x10, isa::SymbolKind::Equ);  // constants never name addresses
    EXPECT_EQ(isa::Disassemble(0xC010, 0, 0, &syms), "pjmp main");
    EXPECT_EQ(isa::Disassemble(0x4910, 0x10, 0, &syms), "jeqi 0x10, main");
    // A symbol that takes a register's name keeps the register from being named.
    syms.Add("ACC", 0x300, isa::SymbolKind::Label);
    EXPECT_EQ(isa::Disassemble(0x200A, 0, 0, &syms), "lda 0x0a");
}

TEST(Disassembler, ImageWithLabelsUnknownWordsAndZeroRuns) {
    Words image = {0xC003, 0x0003, 0x2B10, 0x5740, 0x0000};  // pjmp; 2 unknown; jeq ... 0
    image.resize(40, 0);
    image.push_back(0x4705);  // jgei without its second word: the image ends
    std::string text = isa::DisassembleImage(image, {});
    EXPECT_NE(text.find("        pjmp    L_00003                 ; 00000: c003\n"),
              std::string::npos)
        << text;
    EXPECT_NE(
        text.find("        dw      0x0003                  ; 00001: 0003 unknown instruction\n"),
        std::string::npos);
    EXPECT_NE(text.find("L_00003:\n        jeq     0x40, L_00000"), std::string::npos) << text;
    EXPECT_NE(text.find("        ds      35                      ; 00005-00027: 0000\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("        dw      0x4705                  ; 00028: 4705 jgei without its "
                        "second word (end of image)\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(Reassemble(text), image);
}

TEST(Disassembler, ZeroRunsStopAtJumpTargets) {
    Words image(64, 0);
    image[63] = 0xC020;  // pjmp 0x20: a label in the middle of the zeros
    std::string text = isa::DisassembleImage(image, {});
    EXPECT_NE(text.find("ds      32"), std::string::npos) << text;
    EXPECT_NE(text.find("L_00020:\n        ds      31"), std::string::npos) << text;
    EXPECT_EQ(Reassemble(text), image);
}

TEST(Disassembler, RangesAssembleAtTheirOwnAddresses) {
    Words image;
    for (uint32_t i = 0; i < 0x300; ++i)
        image.push_back(uint16_t(i * 0x9E37u));
    isa::SymbolTable syms;
    syms.Add("outside", 0x10, isa::SymbolKind::Label);
    image[0x150] = 0xC010;  // pjmp outside
    isa::ImageDisasmOptions o;
    o.from = 0x100;
    o.to = 0x200;
    o.syms = &syms;
    std::string text = isa::DisassembleImage(image, o);
    EXPECT_NE(text.find("outside equ 0x00010\n"), std::string::npos) << text.substr(0, 300);
    EXPECT_NE(text.find("org     0x00100"), std::string::npos);
    Words back = Reassemble(text);
    ASSERT_GE(back.size(), 0x200u);
    for (uint32_t a = 0x100; a < 0x200; ++a)
        ASSERT_EQ(back[a], image[a]) << std::hex << a;
}

TEST(Disassembler, SymbolNamesThatShadowBuiltInsStillRoundTrip) {
    // Labels named like registers and flags, a local label and one defined before any
    // global label: the output must still assemble to the same words.
    isa::AsmResult r = isa::AssembleText(
        ".early: jeqi 0, .early\n"
        "ACC:    lda 0x0a\n"
        "Z:      jbs STATUS, 2, ACC\n"
        "main:   nop\n"
        ".loop:  djnz 0x40, .loop\n"
        "        pjmp main\n",
        "in.s");
    ASSERT_TRUE(r.ok) << r.errors[0];
    isa::SymbolTable syms;
    std::string error;
    ASSERT_TRUE(isa::SymbolTable::Parse(r.symbols.ToText(), "in.sym", syms, error)) << error;
    isa::ImageDisasmOptions o;
    o.syms = &syms;
    std::string text = isa::DisassembleImage(r.image, o);
    EXPECT_NE(text.find("main.loop:\n        djnz    0x40, main.loop"), std::string::npos) << text;
    EXPECT_EQ(Reassemble(text), r.image) << text;
}

TEST(SymbolFile, WritesAndReadsBack) {
    isa::SymbolTable t;
    t.Add("main", 0x10, isa::SymbolKind::Label);
    t.Add("NEG", -5, isa::SymbolKind::Equ);
    t.Add("main.loop", 0x12, isa::SymbolKind::Label);
    std::string text = t.ToText();
    EXPECT_EQ(text,
              "; orvane-asm symbols: value kind name\n"
              "-0x00005 equ   NEG\n"
              "0x00010 label main\n"
              "0x00012 label main.loop\n");
    isa::SymbolTable back;
    std::string error;
    ASSERT_TRUE(isa::SymbolTable::Parse(text, "s", back, error)) << error;
    ASSERT_NE(back.Find("NEG"), nullptr);
    EXPECT_EQ(back.Find("NEG")->value, -5);
    EXPECT_EQ(*back.LabelAt(0x12), "main.loop");
}

TEST(SymbolFile, RefusesDamagedLines) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"0x10 label", "s:1: expected: value kind name"},
        {"\n10 label x", "s:2: bad value '10' (expected 0x...)"},
        {"0x10 data x", "s:1: unknown kind 'data' (expected label or equ)"},
        {"0x10 label 9x", "s:1: '9x' is not a symbol name"},
        {"0x10 label x\n0x11 label x", "s:2: 'x' is listed twice"},
        {"0x200000 label x", "s:1: label address 0x200000 out of range"},
        {"0x10 label x y", "s:1: unexpected 'y' after the name"},
        {"0x1ffffffffffffffff label x", "s:1: bad value '0x1ffffffffffffffff' (expected 0x...)"},
    };
    for (const Case& c : cases) {
        isa::SymbolTable t;
        std::string error;
        EXPECT_FALSE(isa::SymbolTable::Parse(c.text, "s", t, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace

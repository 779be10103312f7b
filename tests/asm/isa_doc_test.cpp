// docs/isa.md carries the generated instruction reference; it must match the table.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/isa_table.h"
#include "tools/isa/isa_reference.h"

namespace {

std::string ReadDoc(const std::string& relative) {
    std::ifstream f(std::string(ORVANE_SOURCE_DIR) + "/" + relative);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(IsaDoc, GeneratedReferenceIsUpToDate) {
    std::string doc = ReadDoc("docs/isa.md");
    std::optional<std::string> block = isa::GeneratedBlock(doc);
    ASSERT_TRUE(block.has_value()) << "docs/isa.md lacks the generated-reference markers";
    EXPECT_TRUE(*block == isa::IsaReference())
        << "docs/isa.md is out of date; run: build/bin/orvane-disasm --isa-reference --update "
           "docs/isa.md";
}

TEST(IsaDoc, EncodingPatternsComeFromMatchMaskAndFields) {
    EXPECT_EQ(isa::EncodingPattern(*FindInstr("adda")), "0001 0000 ffff ffff");
    EXPECT_EQ(isa::EncodingPattern(*FindInstr("jbc")), "0101 1bbb ffff ffff + tttt tttt tttt tttt");
    EXPECT_EQ(isa::EncodingPattern(*FindInstr("movd")), "100d dddd ssss ssss");
    EXPECT_EQ(isa::EncodingPattern(*FindInstr("ljmp")),
              "0000 0000 0010 nnnn + tttt tttt tttt tttt");
    EXPECT_EQ(isa::EncodingPattern(*FindInstr("pcall")), "111t tttt tttt tttt");
    EXPECT_EQ(isa::EncodingPattern(*FindInstr("ret")), "0010 1011 1111 1110");
    // Every pattern spells out all 16 bits.
    for (const InstrDesc& d : InstructionTable())
        EXPECT_EQ(isa::EncodingPattern(d).find('?'), std::string::npos) << d.mnemonic;
}

TEST(IsaDoc, ReplacingTheBlockKeepsTheProse) {
    std::string doc = std::string("intro\n") + isa::kReferenceBegin + "\n\nold\n\n" +
                      isa::kReferenceEnd + "\noutro\n";
    ASSERT_TRUE(isa::ReplaceGeneratedBlock(doc, "new\n"));
    EXPECT_EQ(*isa::GeneratedBlock(doc), "new\n");
    EXPECT_EQ(doc.substr(0, 6), "intro\n");
    EXPECT_EQ(doc.substr(doc.size() - 6), "outro\n");
    std::string plain = "no markers";
    EXPECT_FALSE(isa::ReplaceGeneratedBlock(plain, "x"));
}

}  // namespace

// Disassembling and reassembling gives back the same words, over the whole encoding space.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/isa_table.h"
#include "tools/isa/assembler.h"
#include "tools/isa/disassembler.h"
#include "tools/isa/image_disassembler.h"

namespace {

using Words = std::vector<uint16_t>;

Words Reassemble(const std::string& source) {
    isa::AsmResult r = isa::AssembleText(source, "out.s");
    EXPECT_TRUE(r.ok) << (r.errors.empty() ? "" : r.errors[0]);
    return r.image;
}

// Second words that matter: zero, odd, the segment halves' edges, all ones.
constexpr uint16_t kSecondWords[] = {0x0000, 0x0001, 0x7FFF, 0x8000, 0xFFFF, 0x1235};

TEST(RoundTrip, EveryWordWithAVarietyOfSecondWords) {
    // Word w at address 2w, followed by a second word: 0x20000 words, so that every form,
    // two-word forms included, is seen in both 64K segments' worth of addresses and every
    // page jump in many pages.
    Words image;
    image.reserve(0x20000);
    for (uint32_t w = 0; w < 0x10000; ++w) {
        image.push_back(uint16_t(w));
        image.push_back(w % 7 ? kSecondWords[w % 6] : uint16_t(w ^ 0xA5A5));
    }
    std::string source = isa::DisassembleImage(image, {});
    Words back = Reassemble(source);
    ASSERT_EQ(back.size(), image.size());
    for (size_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(back[i], image[i]) << "word " << std::hex << i;
}

TEST(RoundTrip, TwoWordFormsAtSegmentAndPageEdges) {
    // Each two-word form (and each page jump) at the addresses where its reach changes.
    const uint32_t addresses[] = {0x00000, 0x01FFF, 0x0FFFE, 0x0FFFF, 0x10000, 0x1FFFE, 0x1FFFF};
    std::mt19937 rng(9);
    for (uint32_t w = 0; w < 0x10000; ++w) {
        const InstrDesc* d = DecodeInstr(uint16_t(w));
        if (!d || (d->length == 1 && d->op != Op::Pjmp && d->op != Op::Pcall)) continue;
        if (w % 5) continue;  // a fifth of the words, each at every edge
        for (uint32_t at : addresses) {
            uint16_t w2 = kSecondWords[rng() % std::size(kSecondWords)];
            std::string text = isa::Disassemble(uint16_t(w), w2, at, nullptr);
            Words back = Reassemble("org " + std::to_string(at) + "\n" + text);
            ASSERT_EQ(back.size(), at + d->length) << text;
            EXPECT_EQ(back[at], w) << std::hex << at << ": " << text;
            if (d->length == 2) {
                EXPECT_EQ(back[at + 1], w2) << std::hex << at << ": " << text;
            }
        }
    }
}

}  // namespace

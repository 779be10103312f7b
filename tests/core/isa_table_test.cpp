#include "core/isa_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Expected {
    bool known;
    int length;
    int cycles;
};

// The decoder's cascade written out independently of the table: exact words, the long
// forms, the high-byte table, then the masked ranges.
Expected Cascade(uint16_t w) {
    int hi = w >> 8;
    if (w <= 0x0002 || w == 0x2BFE || w == 0x2BFF) return {true, 1, 1};
    if ((w >> 4) == 2 || (w >> 4) == 3) return {true, 2, 2};
    if (hi >= 0x01 && hi <= 0x57 && !(hi >= 0x2B && hi <= 0x2E) && !(hi >= 0x30 && hi <= 0x3F)) {
        bool twoWords = hi == 0x47 || hi == 0x48 || hi == 0x49 || hi == 0x50 || hi == 0x51 ||
                        hi == 0x55 || hi == 0x56 || hi == 0x57;
        return {true, twoWords ? 2 : 1, (twoWords || hi == 0x2F) ? 2 : 1};
    }
    if ((w & 0xFC00) == 0x2C00) return {true, 1, 2};
    if (w >= 0x5800 && w <= 0x7FFF) {
        bool test = w < 0x6800;  // the bit-test jumps
        return {true, test ? 2 : 1, test ? 2 : 1};
    }
    if ((w & 0xF000) == 0x3000) return {true, 1, 1};
    if (w >= 0x8000) return {true, 1, 1};
    return {false, 0, 0};
}

TEST(IsaTable, DecoderAgreesWithTheCascadeOnEveryWord) {
    const Op* ids = DecodeOpIds();
    int unknown = 0;
    for (uint32_t w = 0; w < 0x10000; ++w) {
        Expected e = Cascade(uint16_t(w));
        const InstrDesc* d = DecodeInstr(uint16_t(w));
        ASSERT_EQ(d != nullptr, e.known) << std::hex << w;
        if (!d) {
            EXPECT_EQ(ids[w], Op::Unknown);
            ++unknown;
            continue;
        }
        EXPECT_EQ(ids[w], d->op);
        EXPECT_EQ(w & d->mask, d->match) << std::hex << w;
        EXPECT_EQ(d->length, e.length) << std::hex << w << " " << d->mnemonic;
        EXPECT_EQ(d->cycles, e.cycles) << std::hex << w << " " << d->mnemonic;
    }
    // hi = 0x00 outside 0x0000-0x0002 and 0x0020-0x003F, and 0x2B00-0x2BFD.
    EXPECT_EQ(unknown, (256 - 3 - 32) + 254);
    // The forms are disjoint: their word counts add up to the known words.
    int covered = 0;
    for (const InstrDesc& d : InstructionTable())
        covered += 1 << __builtin_popcount(uint16_t(~d.mask));
    EXPECT_EQ(covered, 0x10000 - unknown);
}

TEST(IsaTable, UnknownWordsOfTheReference) {
    for (uint16_t w : {0x0003, 0x001F, 0x0040, 0x00FF, 0x2B00, 0x2BFD})
        EXPECT_EQ(DecodeInstr(w), nullptr) << std::hex << w;
    for (uint16_t w : {0x0000, 0x0002, 0x0020, 0x003F, 0x2BFE, 0x2BFF, 0x2C00, 0x2FFF})
        EXPECT_NE(DecodeInstr(w), nullptr) << std::hex << w;
}

TEST(IsaTable, EveryWordIsRebuiltFromItsFields) {
    // The fields and the match value together cover every bit of a known word, so an
    // assembler that inserts the disassembled fields gets the same word back.
    for (uint32_t w = 0; w < 0x10000; ++w) {
        const InstrDesc* d = DecodeInstr(uint16_t(w));
        if (!d) continue;
        uint16_t w2 = 0x1234;
        uint16_t rebuilt = d->match, rebuilt2 = 0;
        for (int i = 0; i < d->fieldCount; ++i) {
            uint32_t v = ExtractField(d->fields[i], uint16_t(w), w2);
            ASSERT_EQ(InsertField(d->fields[i], v, rebuilt, rebuilt2), 1);
        }
        ASSERT_EQ(rebuilt, w) << d->mnemonic;
        bool usesSecondWord = d->length == 2;
        EXPECT_EQ(rebuilt2, usesSecondWord ? w2 : 0) << d->mnemonic;
    }
}

TEST(IsaTable, FieldsRefuseValuesThatDoNotFit) {
    struct Case {
        const char* mnemonic;
        int field;
        uint32_t limit;
    };
    const Case cases[] = {{"ljmp", 0, 0xFFFFF}, {"jbs", 1, 7},     {"jbs", 2, 0xFFFF},
                          {"movd", 0, 0x1F},    {"movs", 1, 0x1F}, {"scall", 0, 0xFFF},
                          {"pjmp", 0, 0x1FFF},  {"ldi", 0, 0xFF}};
    for (const Case& c : cases) {
        const InstrDesc* d = FindInstr(c.mnemonic);
        ASSERT_NE(d, nullptr) << c.mnemonic;
        const FieldDesc& f = d->fields[c.field];
        EXPECT_EQ(FieldLimit(f), c.limit) << c.mnemonic;
        uint16_t w = d->match, w2 = 0;
        EXPECT_EQ(InsertField(f, c.limit + 1, w, w2), 0) << c.mnemonic;
        EXPECT_EQ(w, d->match);
        EXPECT_EQ(InsertField(f, c.limit, w, w2), 1);
        EXPECT_EQ(ExtractField(f, w, w2), c.limit);
    }
}

TEST(IsaTable, LongTargetTakesSegmentAndSecondWord) {
    const InstrDesc* d = FindInstr("lcall");
    ASSERT_NE(d, nullptr);
    uint16_t w = d->match, w2 = 0;
    ASSERT_EQ(InsertField(d->fields[0], 0x1ABCD, w, w2), 1);
    EXPECT_EQ(w, 0x0031);
    EXPECT_EQ(w2, 0xABCD);
    EXPECT_EQ(DecodeInstr(w), d);
}

TEST(IsaTable, MnemonicsAndOpsNameOneFormEach) {
    std::set<std::string> names;
    std::set<Op> ops;
    for (const InstrDesc& d : InstructionTable()) {
        EXPECT_TRUE(names.insert(d.mnemonic).second) << d.mnemonic;
        EXPECT_TRUE(ops.insert(d.op).second) << d.mnemonic;
        EXPECT_EQ(FindInstr(d.mnemonic), &d);
        EXPECT_EQ(DescOf(d.op), &d);
        EXPECT_NE(std::string(d.description), "");
        EXPECT_EQ(d.length == 2,
                  (d.attrs & kAttrBranch) != 0 || d.op == Op::Ljmp || d.op == Op::Lcall)
            << d.mnemonic;
    }
    EXPECT_EQ(FindInstr("bogus"), nullptr);
    EXPECT_EQ(DescOf(Op::Unknown), nullptr);
}

TEST(IsaTable, FlagsChangedFollowTheReference) {
    struct Case {
        const char* mnemonic;
        uint8_t flags;
    };
    const Case cases[] = {{"adda", kFlagsAll},
                          {"sbcm", kFlagsAll},
                          {"dada", kFlagsDecimal},
                          {"incm", kFlagsStep},
                          {"decm", kFlagsStep},
                          {"ora", kFlagZ},
                          {"rrcm", kFlagC},
                          {"srca", 0},
                          {"djnz", 0},
                          {"clrsb", kFlagS6 | kFlagS7},
                          {"lda", kFlagZ},
                          {"sta", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(FindInstr(c.mnemonic)->flags, c.flags) << c.mnemonic;
}

}  // namespace

// The return stack: 256 cells at N * 128 of the banked store, two cells per entry.
#include <gtest/gtest.h>

#include "tests/core/test_machine.h"

namespace {

constexpr int kBanks = 64;

TEST(Stack, PushAtSpZeroFillsTheTopOfTheArea) {
    TestMachine m;
    m.Sfr().SetSp(0);
    m.Cpu().Push(0x1ABCD);
    EXPECT_EQ(m.Cpu().StackCell(0xFF), 0xCDu);
    EXPECT_EQ(m.Cpu().StackCell(0xFE), 0x1ABu);  // the high part keeps PC bit 16
    EXPECT_EQ(m.Sfr().Sp(), 0xFEu);
    // A data read of the high cell sees its low 8 bits.
    m.Sfr().Write(0x02, kBanks);
    EXPECT_EQ(m.Cpu().ReadOperand(0xFE), 0xABu);
    EXPECT_EQ(m.Cpu().Pop(), 0x1ABCDu);
    EXPECT_EQ(m.Sfr().Sp(), 0x00u);
}

TEST(Stack, EntryAcrossTheMiddleOfTheAreaComesBack) {
    // With SP = 0x81 the low byte goes to cell 0x80 (bank N) and the high part to 0x7F; the
    // pop at SP = 0x7F must read cell 0x80 back.
    TestMachine m;
    m.Sfr().SetSp(0x81);
    m.Cpu().Push(0x12345);
    EXPECT_EQ(m.Cpu().StackCell(0x80), 0x45u);
    EXPECT_EQ(m.Cpu().StackCell(0x7F), 0x123u);
    EXPECT_EQ(m.Sfr().Sp(), 0x7Fu);
    EXPECT_EQ(m.Cpu().Pop(), 0x12345u);
}

TEST(Stack, EntrySplitAcrossTheWrapStaysInsideTheArea) {
    TestMachine m;
    const int below = kBanks * 128 - 1, above = kBanks * 128 + 0x100;
    uint32_t belowBefore = m.Cpu().BankedCell(below), aboveBefore = m.Cpu().BankedCell(above);
    m.Sfr().SetSp(1);
    m.Cpu().Push(0x0BEEF);
    EXPECT_EQ(m.Cpu().StackCell(0x00), 0xEFu);
    EXPECT_EQ(m.Cpu().StackCell(0xFF), 0x0BEu);
    EXPECT_EQ(m.Sfr().Sp(), 0xFFu);
    EXPECT_EQ(m.Cpu().BankedCell(below), belowBefore);
    EXPECT_EQ(m.Cpu().Pop(), 0x0BEEFu);
    EXPECT_EQ(m.Sfr().Sp(), 1u);
    EXPECT_EQ(m.Cpu().BankedCell(above), aboveBefore);
}

TEST(Stack, EveryStartingSpGivesBackWhatWasPushed) {
    TestMachine m;
    for (uint32_t sp = 0; sp < 256; ++sp) {
        m.Sfr().SetSp(sp);
        uint32_t a = 0x10000 | sp << 8 | (0xFF - sp), b = sp * 3 + 1;
        m.Cpu().Push(a);
        m.Cpu().Push(b);
        EXPECT_EQ(m.Sfr().Sp(), (sp - 4) & 0xFF);
        EXPECT_EQ(m.Cpu().Pop(), b) << sp;
        EXPECT_EQ(m.Cpu().Pop(), a) << sp;
        EXPECT_EQ(m.Sfr().Sp(), sp);
    }
}

TEST(Stack, LowerHalfIsTheWindowOfBankNMinus1) {
    TestMachine m;
    m.Sfr().SetSp(0x10);
    m.Cpu().Push(0x00AB);
    m.Sfr().Write(0x02, kBanks - 1);
    EXPECT_EQ(m.Cpu().ReadOperand(0x80 + 0x0F), 0xABu);
    EXPECT_EQ(m.Sfr().Read(0x02), uint32_t(kBanks - 1));  // the push restored the register
}

TEST(Stack, LargestBankCountKeepsTheStackInsideTheStore) {
    // 255 is the largest count whose stack area (N * 128 + 0xFF) fits the banked store.
    TestMachine m({}, 1000);
    ASSERT_EQ(m.Cpu().BankCount(), 255);
    m.Sfr().SetSp(0);
    m.Cpu().Push(0x1FFFF);
    EXPECT_EQ(m.Cpu().BankedCell(255 * 128 + 0xFF), 0xFFu);
    EXPECT_EQ(m.Cpu().Pop(), 0x1FFFFu);
    m.Sfr().Write(0x02, 0xFF);
    EXPECT_EQ(m.Sfr().Read(0x02), 0xFFu);
}

}  // namespace

// The executor on one-instruction and small hand-assembled programs, run pass by pass.
#include <gtest/gtest.h>

#include "tests/core/test_machine.h"
#include "tests/support/recording_platform.h"

namespace {

constexpr int kM = 0x40;  // operand f of the cases: common RAM cell 0

struct OneCase {
    uint16_t word;
    uint32_t a, m, status;
    uint32_t aAfter, mAfter, statusAfter;
};

TEST(Executor, OneWordInstructions) {
    // Status bits: C 0x01, DC 0x02, Z 0x04, OV 0x08, LE 0x10, GE 0x20; 0xC0 the reset bits.
    const OneCase cases[] = {
        {0x0140, 0x12, 0x34, 0xC0, 0x14, 0x23, 0xC0},  // digit rotate right
        {0x0240, 0x0F, 0xF0, 0xC4, 0xFF, 0xF0, 0xC0},  // or into A clears Z
        {0x0340, 0x00, 0x00, 0xC0, 0x00, 0x00, 0xC4},
        {0x0440, 0xF0, 0x0F, 0xC0, 0x00, 0x0F, 0xC4},
        {0x0540, 0xFF, 0x3C, 0xC4, 0xFF, 0x3C, 0xC0},
        {0x0640, 0xFF, 0xFF, 0xC0, 0x00, 0xFF, 0xC4},
        {0x0740, 0x0F, 0xFF, 0xC0, 0x0F, 0xF0, 0xC0},
        {0x0840, 0x00, 0xFF, 0xC0, 0x00, 0xFF, 0xC4},
        {0x0940, 0x00, 0x0F, 0xC4, 0x00, 0xF0, 0xC0},
        {0x0A40, 0x00, 0x02, 0xC1, 0x81, 0x02, 0xC0},  // rotate right through C
        {0x0B40, 0x00, 0x01, 0xC0, 0x00, 0x00, 0xC1},  // ... leaves Z alone
        {0x0C40, 0x00, 0x80, 0xC1, 0x01, 0x80, 0xC1},
        {0x0D40, 0x00, 0x41, 0xC0, 0x00, 0x82, 0xC0},
        {0x0E40, 0x00, 0x12, 0xC0, 0x21, 0x12, 0xC0},
        {0x0F40, 0x00, 0xAB, 0xC0, 0x00, 0xBA, 0xC0},
        {0x1040, 0x7F, 0x01, 0xC0, 0x80, 0x01, 0xEA},  // add: all six flags
        {0x1140, 0x01, 0xFF, 0xC0, 0x01, 0x00, 0xF7},
        {0x1240, 0x0F, 0x00, 0xC1, 0x10, 0x00, 0xE2},  // add with carry
        {0x1340, 0x01, 0xFE, 0xC1, 0x01, 0x00, 0xF7},
        {0x1440, 0x45, 0x55, 0xF8, 0x00, 0x55, 0xFF},  // decimal: OV, LE, GE kept
        {0x1540, 0x00, 0x19, 0xC1, 0x00, 0x20, 0xC2},
        {0x1640, 0x03, 0x05, 0xC0, 0x02, 0x05, 0xE3},  // A <- f - A
        {0x1740, 0x05, 0x03, 0xC0, 0x05, 0xFE, 0xD0},
        {0x1840, 0x07, 0x07, 0xC0, 0xFF, 0x07, 0xD0},  // C = 0: borrow in 1
        {0x1940, 0x07, 0x07, 0xC1, 0x07, 0x00, 0xF7},
        {0x1A40, 0x01, 0x10, 0xC1, 0x09, 0x10, 0xC1},
        {0x1B40, 0x10, 0x45, 0xC0, 0x10, 0x34, 0xC3},
        {0x1C40, 0x00, 0x7F, 0xC0, 0x80, 0x7F, 0xC8},  // increment: C, Z, OV only
        {0x1D40, 0x00, 0xFF, 0xC0, 0x00, 0x00, 0xC5},
        {0x1E40, 0x00, 0x00, 0xC1, 0xFF, 0x00, 0xC0},
        {0x1F40, 0x00, 0x80, 0xC0, 0x00, 0x7F, 0xC9},
        {0x2040, 0x55, 0x00, 0xC0, 0x00, 0x00, 0xC4},
        {0x2140, 0x5A, 0x00, 0xC4, 0x5A, 0x5A, 0xC4},
        {0x2240, 0x00, 0x04, 0xC1, 0x82, 0x04, 0xC1},  // carry unchanged
        {0x2340, 0x00, 0x81, 0xC1, 0x03, 0x81, 0xC1},
        {0x2440, 0x00, 0x55, 0xC0, 0x00, 0x00, 0xC4},
        {0x2540, 0x33, 0x00, 0xC0, 0x33, 0x00, 0xC4},
        {0x2640, 0x3C, 0xA5, 0xC0, 0x3C, 0xAC, 0xC0},
        {0x2840, 0x3C, 0xA5, 0xC0, 0x3C, 0xC5, 0xC0},
        {0x2940, 0x00, 0xA5, 0xC0, 0x05, 0xA5, 0xC0},
        {0x2A40, 0x00, 0xA5, 0xC0, 0x0A, 0xA5, 0xC0},
        {0x4477, 0x08, 0x00, 0xC4, 0x7F, 0x00, 0xC0},
        {0x4500, 0xFF, 0x00, 0xC0, 0x00, 0x00, 0xC4},
        {0x46FF, 0x0F, 0x00, 0xC0, 0xF0, 0x00, 0xC0},
        {0x4A01, 0xFF, 0x00, 0xC0, 0x00, 0x00, 0xF7},
        {0x4B00, 0x7F, 0x00, 0xC1, 0x80, 0x00, 0xEA},
        {0x4C05, 0x03, 0x00, 0xC0, 0x02, 0x00, 0xE3},  // A <- k - A
        {0x4D05, 0x03, 0x00, 0xC0, 0x01, 0x00, 0xE3},
        {0x4E99, 0x00, 0x00, 0xC4, 0x99, 0x00, 0xC4},
        {0x4F40, 0x12, 0x34, 0xC0, 0x13, 0x42, 0xC0},  // digit rotate left
        {0x5240, 0x12, 0x34, 0xC0, 0x14, 0x32, 0xC0},
        {0x5340, 0x12, 0x34, 0xC0, 0x13, 0x24, 0xC0},
        {0x5440, 0x12, 0x34, 0xC0, 0x34, 0x12, 0xC0},
        {0x6A40, 0x00, 0xFF, 0xC0, 0x00, 0xFB, 0xC0},  // bit 2 clear
        {0x7540, 0x00, 0x00, 0xC0, 0x00, 0x20, 0xC0},  // bit 5 set
        {0x7F40, 0x00, 0x81, 0xC0, 0x00, 0x01, 0xC0},  // bit 7 toggle
        {0x0001, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x3F},  // clear status bits 7 and 6
        {0x8A40, 0x00, 0x77, 0xC0, 0x77, 0x77, 0xC0},  // move to a low register
        {0xAA40, 0x66, 0x00, 0xC0, 0x66, 0x66, 0xC0},  // move from a low register
    };
    for (const OneCase& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "word " << k.word);
        TestMachine m({{0, {k.word}}});
        m.Sfr().SetA(k.a);
        m.Cpu().WriteOperand(kM, k.m);
        m.Sfr().StoreBank0(0x0F, k.status);
        ASSERT_EQ(m.Pass(), 1);
        EXPECT_EQ(m.Sfr().A(), k.aAfter);
        EXPECT_EQ(m.Cpu().CommonRam(0), k.mAfter);
        EXPECT_EQ(m.Sfr().Status(), k.statusAfter);
        EXPECT_EQ(m.Sfr().Pc(), 1u);
        EXPECT_EQ(m.Cpu().CycleCount(), 1);
    }
}

struct BranchCase {
    uint16_t word;
    uint32_t a, m;
    bool taken;
    uint32_t mAfter;
};

TEST(Executor, ConditionalNearJumps) {
    const BranchCase cases[] = {
        {0x4710, 0x10, 0, true, 0},        {0x4710, 0x0F, 0, false, 0},  // A >= k
        {0x4810, 0x10, 0, true, 0},        {0x4810, 0x11, 0, false, 0},  // A <= k
        {0x4910, 0x10, 0, true, 0},        {0x4910, 0x11, 0, false, 0},  // A = k
        {0x5040, 0x00, 2, true, 2},        {0x5040, 0x00, 1, false, 1},  // A <- f - 1
        {0x5140, 0x00, 2, true, 1},        {0x5140, 0x00, 1, false, 0},  // f <- f - 1
        {0x5540, 0x80, 0x7F, true, 0x7F},                                // unsigned
        {0x5540, 0x04, 0x05, false, 0x05}, {0x5640, 0x7F, 0x80, true, 0x80},
        {0x5740, 0x05, 0x05, true, 0x05},  {0x5740, 0x05, 0x06, false, 0x06},
        {0x5A40, 0x00, 0xFB, true, 0xFB},  {0x5A40, 0x00, 0x04, false, 0x04},  // bit 2 clear
        {0x6340, 0x00, 0x08, true, 0x08},  {0x6340, 0x00, 0xF7, false, 0xF7},  // bit 3 set
    };
    for (const BranchCase& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "word " << k.word << " A " << k.a);
        TestMachine m({{0, {k.word, 0x0050}}});
        m.Sfr().SetA(k.a);
        m.Cpu().WriteOperand(kM, k.m);
        m.Sfr().StoreBank0(0x0F, 0xC0);
        ASSERT_EQ(m.Pass(), 1);
        EXPECT_EQ(m.Sfr().Pc(), k.taken ? 0x50u : 2u);
        EXPECT_EQ(m.Cpu().CommonRam(0), k.mAfter);
        EXPECT_EQ(m.Sfr().Status(), 0xC0u);  // no jump changes a flag
        EXPECT_EQ(m.Cpu().CycleCount(), 2);
    }
}

TEST(Executor, CallsJumpsAndReturns) {
    TestMachine m({{0x00000, {0x3100}},          // short call 0x100
                   {0x00100, {0x0031, 0x2000}},  // long call 0x12000
                   {0x00102, {0x2BFE}},          // return
                   {0x12000, {0xE123}},          // page call 0x123 of page 0x12000
                   {0x12001, {0x2BFE}},
                   {0x12123, {0xC456}},  // page jump
                   {0x12456, {0x2BFE}}});
    const uint32_t pcs[] = {0x100, 0x12000, 0x12123, 0x12456, 0x12001, 0x102, 0x1};
    const int cycles[] = {1, 2, 1, 1, 1, 1, 1};
    for (int i = 0; i < 7; ++i) {
        ASSERT_EQ(m.Pass(), 1);
        EXPECT_EQ(m.Sfr().Pc(), pcs[i]) << i;
        EXPECT_EQ(m.Cpu().CycleCount(), cycles[i]) << i;
    }
    EXPECT_EQ(m.Sfr().Sp(), 0u);
    EXPECT_EQ(m.Sfr().Control() & 0x04, 0u);  // a plain return leaves interrupts off
}

TEST(Executor, LongJumpKeepsOnlyPcBit16) {
    TestMachine m({{0, {0x0025, 0x1234}}});
    m.Pass();
    EXPECT_EQ(m.Sfr().Pc(), 0x11234u);
}

TEST(Executor, TwoWordInstructionAtTheEndOfTheFirstHalf) {
    // The second word comes from 0x10000, and the target lies in 0x10000-0x1FFFF.
    TestMachine m({{0x00000, {0x0020, 0xFFFF}}, {0x0FFFF, {0x4900, 0x0005}}});
    m.Sfr().SetA(0);
    m.Pass(2);
    EXPECT_EQ(m.Sfr().Pc(), 0x10005u);
}

TEST(Executor, WritingThePcLowByteIsAComputedJump) {
    TestMachine m({{0, {0x2107}}});
    m.Sfr().SetA(0x40);
    m.Pass();
    EXPECT_EQ(m.Sfr().Pc(), 0x40u);
}

TEST(Executor, TableReads) {
    // Program word 0x10 holds 0xBEEF: byte address 0x20 is 0xEF, 0x21 is 0xBE.
    TestMachine m({{0x00,
                    {0x4020, 0x4100, 0x4200,  // T <- 0x000020
                     0x2F40,                  // f <- byte at T + A, T unchanged
                     0x2D41,                  // f <- byte at T, T + 1
                     0x2C42,                  // f <- byte at T
                     0x4000, 0x2E43,          // T <- 0, f <- byte at T, T - 1
                     0x4E00}},
                   {0x10, {0xBEEF}}});
    m.Sfr().SetA(1);
    m.Pass(4);
    EXPECT_EQ(m.Cpu().CommonRam(0), 0xBEu);
    EXPECT_EQ(m.Sfr().TablePointer(), 0x20u);
    EXPECT_EQ(m.Cpu().CycleCount(), 2);
    m.Pass();
    EXPECT_EQ(m.Cpu().CommonRam(1), 0xEFu);
    EXPECT_EQ(m.Sfr().TablePointer(), 0x21u);
    m.Pass();
    EXPECT_EQ(m.Cpu().CommonRam(2), 0xBEu);
    EXPECT_EQ(m.Sfr().TablePointer(), 0x21u);
    m.Pass(2);
    EXPECT_EQ(m.Cpu().CommonRam(3), 0x20u);  // byte 0: the low byte of ldtl 0x20
    EXPECT_EQ(m.Sfr().TablePointer(), 0xFFFFFFu);
}

struct PropagationCase {
    const char* what;
    uint16_t word;
    int f;
    uint32_t value, next;  // f and the register the carry or borrow goes on into
    uint32_t a, status;
    uint32_t valueAfter, nextAfter, statusAfter;
};

TEST(Executor, CompositePointersAndCarryPropagation) {
    const PropagationCase cases[] = {
        // Pointer 1 with its bank's bit 0 as bit 7: 0x7F + 1 = 0x80 sets the bank bit.
        {"inc pointer 1", 0x1D04, 0x04, 0xFF, 0x00, 0, 0xC0, 0x80, 0x01, 0xC8},
        // 0xFF + 1 carries: bank bit 0 <- 0, then the bank steps by 2.
        {"add to pointer 1", 0x1104, 0x04, 0xFF, 0x01, 1, 0xC0, 0x80, 0x02, 0xF7},
        // 0x00 - 1 borrows: bank bit 0 <- 1, then the bank steps back by 2.
        {"dec pointer 2", 0x1F11, 0x11, 0x80, 0x02, 0, 0xC0, 0xFF, 0x01, 0xC0},
        {"inc table low", 0x1D0B, 0x0B, 0xFF, 0x05, 0, 0xC0, 0x00, 0x06, 0xC5},
        {"dec table low", 0x1F0B, 0x0B, 0x00, 0x05, 0, 0xC0, 0xFF, 0x04, 0xC0},
        {"sub from table low", 0x170B, 0x0B, 0x10, 0x05, 0x20, 0xC0, 0xF0, 0x04, 0xD2},
        {"no carry, no step", 0x1D0B, 0x0B, 0x10, 0x05, 0, 0xC0, 0x11, 0x05, 0xC0},
    };
    for (const PropagationCase& k : cases) {
        SCOPED_TRACE(k.what);
        TestMachine m({{0, {k.word}}});
        int next = k.f == 0x0B ? 0x0C : k.f + 1;
        m.Sfr().Write(k.f, k.value);
        m.Sfr().Write(next, k.next);
        m.Sfr().SetA(k.a);
        m.Sfr().StoreBank0(0x0F, k.status);
        m.Pass();
        EXPECT_EQ(m.Sfr().Read(k.f), k.valueAfter);
        EXPECT_EQ(m.Sfr().Read(next), k.nextAfter);
        EXPECT_EQ(m.Sfr().Status(), k.statusAfter);  // the propagation sets no flag
    }
}

TEST(Executor, CarryOutOfThePcLowByteGoesIntoItsHighByte) {
    // At 0xFE the advanced PC is 0xFF; incrementing its low byte carries: PC 0x100.
    TestMachine m({{0x00, {0xC0FE}}, {0xFE, {0x1D07}}});
    m.Pass(2);
    EXPECT_EQ(m.Sfr().Pc(), 0x100u);
}

TEST(Executor, DecrementAndJumpPropagatesIntoTheBank) {
    TestMachine m({{0, {0x5104, 0x0050}}});
    m.Sfr().Write(0x04, 0x80);
    m.Sfr().Write(0x05, 0x01);  // composite 0x80
    m.Pass();
    EXPECT_EQ(m.Sfr().Pc(), 0x50u);
    EXPECT_EQ(m.Sfr().Read(0x04), 0xFFu);
    EXPECT_EQ(m.Sfr().Read(0x05), 0x00u);
}

TEST(Executor, RepeatRunsTheNextInstructionNTimes) {
    struct Case {
        uint32_t n;
        int runs;
    };
    for (const Case& c : {Case{3, 3}, Case{1, 1}, Case{0, 256}}) {
        SCOPED_TRACE(c.n);
        TestMachine m({{0, {0x2740, 0x1C41, 0x1D42}}});  // rep 0x40; A <- f+1; 0x42 += 1
        m.Cpu().WriteOperand(0x40, c.n);
        m.Pass();
        EXPECT_EQ(m.Sfr().Pc(), 1u);
        EXPECT_EQ(m.Cpu().RepeatTarget(), 1u);
        EXPECT_EQ(m.Cpu().RepeatCount(), c.runs - 1);
        for (int i = 1; i < c.runs; ++i) {
            m.Pass();
            ASSERT_EQ(m.Sfr().Pc(), 1u) << i;
        }
        m.Pass();
        EXPECT_EQ(m.Sfr().Pc(), 2u);
        EXPECT_EQ(m.Cpu().RepeatTarget(), 0u);
        m.Pass();
        EXPECT_EQ(m.Cpu().CommonRam(2), 1u);  // the instruction after runs once
    }
}

TEST(Executor, RepeatedIncrementCountsEveryRun) {
    TestMachine m({{0, {0x2740, 0x1D41}}});
    m.Cpu().WriteOperand(0x40, 5);
    m.Pass(6);
    EXPECT_EQ(m.Cpu().CommonRam(1), 5u);
}

TEST(Executor, InterruptWaitsUntilTheLastRepetition) {
    TestMachine m({{0x00, {0xC010}}, {0x10, {0x2740, 0x1D41, 0x0000}}});
    m.Cpu().WriteOperand(0x40, 3);
    m.Pass(2);  // the page jump and the repeat
    // A key interrupt becomes pending: line 0 armed, its pin low, interrupts on.
    m.Sfr().StoreBank0(0x35, 0x01);
    m.Sfr().StoreBank0(0x31, 0xFE);
    m.Sfr().StoreBank0(0x20, m.Sfr().Control() | 0x04);
    m.Pass(3);
    EXPECT_EQ(m.Sfr().Pc(), 0x12u);
    EXPECT_EQ(m.Cpu().CommonRam(1), 3u);
    m.Pass();  // accepted before the next fetch
    EXPECT_EQ(m.Sfr().Read(0x36), 0x01u);
    EXPECT_EQ(m.Cpu().Pop(), 0x12u);
}

TEST(Executor, UnknownInstructionStopsWithAMessageAndKeepsThePc) {
    for (uint16_t word : {0x0003, 0x001F, 0x0040, 0x00FF, 0x2B00, 0x2BFD}) {
        SCOPED_TRACE(testing::Message() << std::hex << word);
        TestPlatform().ClearMessages();
        TestMachine m({{0, {0x1240, word}}});  // a one-cycle instruction first
        EXPECT_EQ(m.Pass(), 1);
        m.Cpu().WriteOperand(0x41, 0);
        EXPECT_EQ(m.Pass(), 0);
        EXPECT_EQ(m.Sfr().Pc(), 1u);
        EXPECT_EQ(m.Cpu().CycleCount(), 1);
        EXPECT_EQ(m.Cpu().Instructions(), 1u);
        auto messages = TestPlatform().Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "unknown instruction");
        EXPECT_EQ(messages[0].caption, "error");
        EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    }
}

TEST(Executor, StandbyInstructionChoosesHaltOrStandby) {
    struct Case {
        uint32_t control;
        int32_t state;
    };
    for (const Case& c : {Case{0x10, CCpu::kHalted}, Case{0x12, CCpu::kStandby}}) {
        TestMachine m({{0, {0x0002}}});
        m.Sfr().StoreBank0(0x20, c.control);
        EXPECT_EQ(m.Pass(), 1);
        EXPECT_EQ(m.Cpu().RunState(), c.state);
        EXPECT_EQ(m.Sfr().Pc(), 1u);
    }
    EXPECT_EQ(TestPlatform().SleptMs(), 0u);  // the deterministic stepping skips the sleep
}

}  // namespace

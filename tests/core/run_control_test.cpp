// Machine cycles, run slices and the run states, through the deterministic stepping.
#include <gtest/gtest.h>

#include "tests/core/test_machine.h"

namespace {

TEST(RunControl, TwoCycleThenOneCycleInstruction) {
    TestMachine m({{0, {0x2C40, 0x0000}}});  // table read (2 cycles), no operation
    CCpu& cpu = m.Cpu();
    EXPECT_EQ(cpu.Step(), CCpu::kCycleRan);  // executes the table read
    EXPECT_EQ(m.Sfr().Pc(), 1u);
    EXPECT_EQ(cpu.CyclePosition(), 2);
    EXPECT_EQ(cpu.Step(), CCpu::kSliceDone);  // completes it
    EXPECT_EQ(m.Sfr().Pc(), 1u);
    EXPECT_EQ(cpu.Step(), CCpu::kSliceDone);  // executes and completes the nop
    EXPECT_EQ(m.Sfr().Pc(), 2u);
    EXPECT_EQ(cpu.Instructions(), 2u);
}

TEST(RunControl, OnePassIsOneInstruction) {
    TestMachine m({{0, {0x2C40, 0x0000, 0x0000}}});
    // The main clock misses the first cycle after construction.
    m.Pass();
    EXPECT_EQ(m.Cpu().Ticks(), 3u);
    m.Pass();
    EXPECT_EQ(m.Cpu().Ticks(), 4u);
    EXPECT_EQ(m.Cpu().Instructions(), 2u);
    EXPECT_EQ(m.Ice().Passes(), 2u);
}

TEST(RunControl, ClockSelectAfterEveryInstruction) {
    TestMachine m({{0, {0x7020, 0x6820, 0x0000}}});  // set, then clear SFR 0x20 bit 0
    EXPECT_EQ(m.Sfr().Read(0x20), 0x10u);
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kRunMain);
    m.Pass();
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kRunMain);
    m.Pass();
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kRunSub);
    m.Sfr().StoreBank0(0x20, 0x11);
    m.Pass();
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kRunMain);
    // Halt and standby are left alone.
    m.Cpu().SetRunState(CCpu::kHalted);
    m.Sfr().StoreBank0(0x20, 0x10);
    m.Cpu().ClockSelect();
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kHalted);
}

TEST(RunControl, HaltFreezesEverythingUntilAKeyWakes) {
    TestMachine m({{0, {0x0002, 0x1D40}}});
    m.Sfr().Write(0x26, 0x10);
    m.Sfr().Write(0x25, 0x08);  // timer 0 running
    m.Sfr().Write(0x2B, 0x10);
    m.Sfr().Write(0x2A, 0x08);  // timer 1 running
    m.Pass();
    ASSERT_EQ(m.Cpu().RunState(), CCpu::kHalted);
    int32_t counter0 = m.Cpu().Timer0().Counter(), counter1 = m.Cpu().Timer1().Counter();
    uint64_t ticks = m.Cpu().Ticks();
    EXPECT_EQ(m.Pass(10), 1);
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kHalted);
    EXPECT_EQ(m.Cpu().Timer0().Counter(), counter0);
    EXPECT_EQ(m.Cpu().Timer1().Counter(), counter1);
    EXPECT_EQ(m.Cpu().Ticks(), ticks);
    EXPECT_EQ(m.Sfr().Pc(), 1u);

    // A held key pulling strobe line 2 low, with the line's latch and wake bits set.
    m.Sfr().Write(0x32, 0xFF);
    m.Sfr().Write(0x34, 0x04);
    m.Sfr().Write(0x39, 0x00);
    m.Sfr().Write(0x37, 0x00);
    m.Ice().Keys().PressKey(0x3102, 0x3705);
    m.Pass();
    EXPECT_EQ(m.Sfr().Read(0x31) & 0x04, 0u);
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kRunSub);  // clock select 0
    m.Pass();
    EXPECT_EQ(m.Cpu().CommonRam(0), 1u);
}

// Standby with timer 1 (reload 0, prescale select 0: a count step from the 4th cycle on).
struct StandbyCase {
    const char* what;
    uint32_t timer1Control;
    int32_t stateAfter;
    uint32_t pcAfter;
    int32_t overflowAfter;
};

TEST(RunControl, StandbyRunsTimer1AndWakesOnItsOverflow) {
    const StandbyCase cases[] = {
        {"wake and interrupt", 0x98, CCpu::kRunSub, 8, 0},
        {"wake without interrupt", 0x88, CCpu::kRunSub, 1, 0},
        {"no wake: the overflow stays pending", 0x18, CCpu::kStandby, 1, 1},
    };
    for (const StandbyCase& c : cases) {
        SCOPED_TRACE(c.what);
        TestMachine m({{0, {0x0002}}});
        m.Sfr().Write(0x26, 0x10);
        m.Sfr().Write(0x25, 0x08);  // timer 0 runs too, but not in standby
        m.Sfr().StoreBank0(0x20, 0x12);
        m.Pass();
        ASSERT_EQ(m.Cpu().RunState(), CCpu::kStandby);
        m.Sfr().Write(0x2B, 0x00);
        m.Sfr().Write(0x2A, c.timer1Control);
        int32_t counter0 = m.Cpu().Timer0().Counter();
        m.Pass(3);
        EXPECT_EQ(m.Cpu().RunState(), CCpu::kStandby);
        EXPECT_EQ(m.Cpu().Timer1().PrescaleCount(), 3u);
        m.Pass();
        EXPECT_EQ(m.Cpu().RunState(), c.stateAfter);
        EXPECT_EQ(m.Sfr().Pc(), c.pcAfter);
        EXPECT_EQ(m.Cpu().Timer1().Overflow(), c.overflowAfter);
        EXPECT_EQ(m.Cpu().Timer0().Counter(), counter0);
        if (c.pcAfter == 8) {
            EXPECT_EQ(m.Sfr().Read(0x24), 0x02u);
            EXPECT_EQ(m.Sfr().Control() & 0x04, 0u);
            EXPECT_EQ(m.Cpu().Pop(), 1u);
        }
    }
}

TEST(RunControl, StandbyWakesOnAKeyIntoTheSelectedClock) {
    TestMachine m({{0, {0x0002}}});
    m.Sfr().StoreBank0(0x20, 0x13);  // standby, main clock
    m.Pass();
    ASSERT_EQ(m.Cpu().RunState(), CCpu::kStandby);
    m.Sfr().Write(0x2E, 0x00);
    m.Sfr().Write(0x30, 0x40);  // all strobes forced: any enabled low line wakes
    m.Sfr().Write(0x34, 0x01);
    m.Sfr().StoreBank0(0x31, 0xFE);
    m.Pass();
    EXPECT_EQ(m.Cpu().RunState(), CCpu::kRunMain);
}

TEST(RunControl, TimerInterruptWhileRunning) {
    TestMachine m;
    m.Sfr().Write(0x26, 0x00);
    m.Sfr().Write(0x25, 0x18);  // timer 0: run, interrupt enable, threshold 1, reload 0
    m.Sfr().StoreBank0(0x20, 0x14);
    m.Pass();
    EXPECT_EQ(m.Sfr().Read(0x24), 0x01u);
    EXPECT_EQ(m.Sfr().Pc(), 9u);  // accepted, then the nop at the vector ran
    m.Pass();  // the acceptance cleared the master enable: the next overflow waits
    EXPECT_EQ(m.Sfr().Pc(), 10u);
    EXPECT_EQ(m.Cpu().Timer0().Overflow(), 1);
}

}  // namespace

#include "periph/timers.h"

#include <gtest/gtest.h>

#include "tests/periph/periph_rig.h"

namespace {

TEST(SystemClock, SubTicksEveryCycleMainEveryCycleButTheFirst) {
    CSystemClock clock;
    clock.Tick();
    EXPECT_EQ(clock.MainTick(), 0);
    EXPECT_EQ(clock.SubTick(), 1);
    for (int i = 0; i < 5; ++i) {
        clock.Tick();
        EXPECT_EQ(clock.MainTick(), 1);
        EXPECT_EQ(clock.SubTick(), 1);
    }
    EXPECT_EQ(clock.MainCounter(), 1);
    EXPECT_EQ(clock.SubCounter(), 0);
}

TEST(Timers, Timer0PrescaleExample) {
    // Prescale select 1 (threshold 4), reload 2, started by its run bit.
    PeriphRig rig;
    rig.sfr.Write(0x26, 0x02);
    rig.sfr.Write(0x27, 0x00);
    rig.sfr.Write(0x25, 0x09);
    EXPECT_EQ(rig.timer0.Counter(), 2);
    for (int i = 0; i < 3; ++i)
        rig.Cycle(rig.timer0);
    EXPECT_EQ(rig.timer0.Counter(), 2);
    rig.Cycle(rig.timer0);
    EXPECT_EQ(rig.timer0.Counter(), 1);
    rig.Cycle(rig.timer0);
    EXPECT_EQ(rig.timer0.Counter(), 0);
    EXPECT_EQ(rig.timer0.Overflow(), 0);
    rig.Cycle(rig.timer0);
    EXPECT_EQ(rig.timer0.Counter(), 2);
    EXPECT_EQ(rig.timer0.Overflow(), 1);
    rig.Cycle(rig.timer0);  // from now on every cycle counts
    EXPECT_EQ(rig.timer0.Counter(), 1);
}

TEST(Timers, ReloadZeroOverflowsOnEveryCountStep) {
    PeriphRig rig;
    rig.sfr.Write(0x2B, 0x00);
    rig.sfr.Write(0x2A, 0x08);  // select 0: threshold 4
    int overflows = 0;
    for (int i = 0; i < 10; ++i) {
        rig.Cycle(rig.timer1);
        overflows += rig.timer1.TakeOverflow();
    }
    EXPECT_EQ(overflows, 10 - 3);
    EXPECT_EQ(rig.timer1.TakeOverflow(), 0);  // consumed
}

TEST(Timers, ClearedRunBitFreezesCounterAndPrescale) {
    PeriphRig rig;
    rig.sfr.Write(0x2D, 0x10);
    rig.sfr.Write(0x2C, 0x08);
    for (int i = 0; i < 5; ++i)
        rig.Cycle(rig.timer2);
    int32_t counter = rig.timer2.Counter();
    uint32_t prescale = rig.timer2.PrescaleCount();
    rig.sfr.Write(0x2C, 0x00);
    for (int i = 0; i < 5; ++i)
        rig.Cycle(rig.timer2);
    EXPECT_EQ(rig.timer2.Counter(), counter);
    EXPECT_EQ(rig.timer2.PrescaleCount(), prescale);
}

TEST(Timers, ThresholdOfEachPrescaleSelect) {
    // The number of cycles until the first count step is the threshold.
    struct Case {
        int timer;
        uint32_t select, threshold;
    };
    const Case cases[] = {{0, 0, 1},  {0, 1, 4},   {0, 2, 16}, {0, 3, 64}, {1, 0, 4}, {1, 1, 16},
                          {1, 2, 64}, {1, 3, 256}, {2, 0, 1},  {2, 1, 2},  {2, 2, 4}, {2, 3, 8}};
    const int control[3] = {0x25, 0x2A, 0x2C};
    const int reload[3] = {0x26, 0x2B, 0x2D};
    for (const Case& c : cases) {
        PeriphRig rig;
        CTimer* timers[3] = {&rig.timer0, &rig.timer1, &rig.timer2};
        CTimer& t = *timers[c.timer];
        rig.sfr.Write(reload[c.timer], 0x50);
        rig.sfr.Write(control[c.timer], 0x08 | c.select);
        uint32_t cycles = 0;
        while (t.Counter() == 0x50 && cycles < 1000) {
            rig.Cycle(t);
            ++cycles;
        }
        EXPECT_EQ(cycles, c.threshold) << "timer " << c.timer << " select " << c.select;
    }
}

TEST(Timers, RaisingThePrescaleSelectPausesCountingUntilTheCountCatchesUp) {
    PeriphRig rig;
    rig.sfr.Write(0x26, 0xFF);
    rig.sfr.Write(0x25, 0x08);  // threshold 1
    for (int i = 0; i < 3; ++i)
        rig.Cycle(rig.timer0);
    EXPECT_EQ(rig.timer0.Counter(), 0xFF - 3);
    rig.sfr.Write(0x25, 0x0A);  // threshold 16; the run bit stays, no reload
    for (int i = 0; i < 12; ++i)
        rig.Cycle(rig.timer0);
    EXPECT_EQ(rig.timer0.Counter(), 0xFF - 3);
    rig.Cycle(rig.timer0);  // the 16th prescale step
    EXPECT_EQ(rig.timer0.Counter(), 0xFF - 4);
}

TEST(Timers, Timer0ReloadsSixteenBits) {
    PeriphRig rig;
    rig.sfr.Write(0x26, 0xCD);
    rig.sfr.Write(0x27, 0xAB);
    rig.timer0.Reload();
    EXPECT_EQ(rig.timer0.Counter(), 0xABCD);
    rig.timer0.ResetState();
    EXPECT_EQ(rig.timer0.Counter(), 0);
}

}  // namespace

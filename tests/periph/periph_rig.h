// A register file, clock and timers wired together the way the CPU's setup wires them.
#pragma once

#include "periph/key_status.h"
#include "periph/sfr_ram.h"
#include "periph/system_clock.h"
#include "periph/timers.h"

struct PeriphRig {
    int32_t bankCount = 64;
    CSFRRam sfr;
    CSystemClock clock;
    CTimer0 timer0;
    CTimer1 timer1;
    CTimer2 timer2;
    CKeyStatus keys;

    PeriphRig() {
        sfr.Attach(&bankCount, &timer0, &timer1, &timer2);
        sfr.ResetRegisters();
        timer0.Attach(&sfr, &clock);
        timer1.Attach(&sfr, &clock);
        timer2.Attach(&sfr, &clock);
        keys.Attach(&sfr);
    }
    // One machine cycle of the clock and the timer (the running-state order).
    void Cycle(CTimer& t) {
        clock.Tick();
        if (t.Prescale()) t.Count();
    }
};

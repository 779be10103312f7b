// CTimer0, CTimer1, CTimer2: the three down-counting timers of the emulated microcontroller.
//
// Timer 0 has a 16-bit counter (reload SFR 0x26 low, 0x27 high, control SFR 0x25), timers 1
// and 2 have 8-bit counters (reload SFR 0x2B / 0x2D, control SFR 0x2A / 0x2C). Control bits:
// 3 run, 0-1 prescale select, 4 interrupt enable, 7 standby wake enable (timer 1). All their
// registers are read from bank 0.
//
// How to drive them (once per machine cycle, from the CPU's peripheral tick):
//   if (timer.Prescale()) timer.Count();
// Prescale() counts sub-clock ticks while the run bit is set and says 1 once the count has
// reached the threshold of the prescale select; the count is never set back, so from then on
// the timer counts on every cycle it runs. Count() steps the counter down; from 0 it reloads
// and raises the overflow flag, so a reload value N overflows every N + 1 steps.
// TakeOverflow() consumes the flag (interrupt scan, standby wake). Reload() is also called by
// the register file when the run bit is set.
//
// The CPU's setup calls Attach, which also clears flag, counter and prescale count.
#pragma once

#include <cstdint>

class CSFRRam;
class CSystemClock;

class CTimer {
public:
    void Attach(const CSFRRam* sfr, const CSystemClock* clock);
    void ResetState() {
        m_overflow = 0;
        m_counter = 0;
        m_prescaleCount = 0;
    }

    int Prescale();
    void Count() {
        if (m_counter == 0) {
            Reload();
            m_overflow = 1;
        } else {
            --m_counter;
        }
    }
    void Reload();
    int TakeOverflow() {
        if (!m_overflow) return 0;
        m_overflow = 0;
        return 1;
    }

    int32_t Overflow() const { return m_overflow; }
    int32_t Counter() const { return m_counter; }
    uint32_t PrescaleCount() const { return m_prescaleCount; }
    int ControlRegister() const { return m_control; }

protected:
    CTimer(int control, int reloadLow, int reloadHigh, const uint32_t (&thresholds)[4]);

private:
    const CSFRRam* m_sfr = nullptr;
    const CSystemClock* m_clock = nullptr;
    int32_t m_overflow = 0;
    int32_t m_counter = 0;
    uint32_t m_prescaleCount = 0;
    int m_control;
    int m_reloadLow;
    int m_reloadHigh;  // -1: 8-bit timer
    uint32_t m_thresholds[4];
};

class CTimer0 : public CTimer {
public:
    CTimer0();
};
class CTimer1 : public CTimer {
public:
    CTimer1();
};
class CTimer2 : public CTimer {
public:
    CTimer2();
};

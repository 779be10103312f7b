// Interrupts: the eight key lines share vector 2, the three timers vector 8. All their
// registers are bank-0 slots, whatever SFR 0x20 bit 7 selects.
#include "core/cpu.h"

namespace {
constexpr int kTimerControl[3] = {0x25, 0x2A, 0x2C};
constexpr uint32_t kTimerIntEnable = 0x10;
}  // namespace

void CCpu::ScanInterrupts() {
    if (!(m_sfr.Control() & CSFRRam::kInterruptEnable) || m_repeatTarget != 0) return;
    // Every pending source is accepted in this one scan; a later acceptance pushes the
    // vector the previous one loaded.
    for (int line = 0; line < 8; ++line) {
        uint32_t mask = 1u << line;
        bool armed = m_sfr.Bank0(CSFRRam::kKeyIntArm) & mask;
        bool low = !(m_sfr.Bank0(CSFRRam::kPortAPins) & mask);
        if (armed && low) {
            m_sfr.StoreBank0(CSFRRam::kKeyIntFlags, m_sfr.Bank0(CSFRRam::kKeyIntFlags) | mask);
            AcceptInterrupt(kKeyVector);
        }
    }
    CTimer* timers[3] = {&m_timer0, &m_timer1, &m_timer2};
    for (int n = 0; n < 3; ++n) {
        // The overflow stays pending while the timer's interrupt is disabled.
        if ((m_sfr.Bank0(kTimerControl[n]) & kTimerIntEnable) && timers[n]->TakeOverflow()) {
            m_sfr.StoreBank0(CSFRRam::kTimerFlags, m_sfr.Bank0(CSFRRam::kTimerFlags) | 1u << n);
            AcceptInterrupt(kTimerVector);
        }
    }
}

void CCpu::AcceptInterrupt(uint32_t vector) {
    Push(m_sfr.Pc());
    m_sfr.SetPc(vector);
    m_sfr.SetControlBit(CSFRRam::kInterruptEnable, false);
}

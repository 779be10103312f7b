// Run control: the machine-cycle step, the peripheral tick by run state, the run slice.
#include "core/cpu.h"

namespace {
constexpr int kTimer1Control = 0x2A;
constexpr uint32_t kTimerIntEnable = 0x10, kStandbyWakeEnable = 0x80;
}  // namespace

int CCpu::Step() {
    if (m_cyclePosition == 1) {
        if (Execute() == 1) return kStopEmulation;
        m_keys.RefreshKeyStrobe();
    }
    ++m_cyclePosition;
    if (m_cyclePosition > m_cycleCount) {
        m_cyclePosition = 1;
        return kSliceDone;
    }
    return kCycleRan;
}

CWakeEvent::Result CCpu::WaitWake(uint32_t ms) {
    // Deterministic mode: the wait is over at once, as if it had timed out.
    if (!m_realWaits) return CWakeEvent::Result::TimedOut;
    return m_wake.Wait(ms);
}

void CCpu::WakeUp() {
    SetRunState((m_sfr.Control() & CSFRRam::kClockSelect) ? kRunMain : kRunSub);
}

void CCpu::StandbyTick() {
    // Both outcomes of the wait (signalled, timed out) go on the same way.
    WaitWake(kStandbyWaitMs);
    m_keys.ScanKeys();
    if (m_timer1.Prescale()) m_timer1.Count();
    if (m_keys.CheckKeyWake()) WakeUp();
    uint32_t control = m_sfr.Bank0(kTimer1Control);
    if ((control & kStandbyWakeEnable) && m_timer1.TakeOverflow()) {
        WakeUp();
        if (control & kTimerIntEnable) {
            m_sfr.StoreBank0(CSFRRam::kTimerFlags, m_sfr.Bank0(CSFRRam::kTimerFlags) | 0x02);
            AcceptInterrupt(kTimerVector);
        }
    }
}

int CCpu::TickPeripherals() {
    ++m_ticks;
    m_clock.Tick();
    int32_t state = RunState();
    switch (state) {
        case kRunMain:
        case kRunSub: {
            if (m_timer0.Prescale()) m_timer0.Count();
            if (m_timer1.Prescale()) m_timer1.Count();
            if (m_timer2.Prescale()) m_timer2.Count();
            int32_t tick = state == kRunMain ? m_clock.MainTick() : m_clock.SubTick();
            return tick == 1 ? Step() : kCycleRan;
        }
        case kHalted:
            return kSliceDone;
        case kStandby:
            StandbyTick();
            return kSliceDone;
        default:
            return kCycleRan;
    }
}

void CCpu::ClockSelect() {
    bool mainClock = (m_sfr.Control() & CSFRRam::kClockSelect) != 0;
    int32_t state = RunState();
    if (!mainClock && state == kRunMain) SetRunState(kRunSub);
    if (mainClock && state == kRunSub) SetRunState(kRunMain);
}

int CCpu::RunSlice() {
    if (RunState() == kHalted) {
        WaitWake(kHaltWaitMs);
        m_keys.ScanKeys();
        if (m_keys.CheckKeyWake()) WakeUp();
        return 1;
    }
    for (;;) {
        int result = TickPeripherals();
        if (result == kStopEmulation) return 0;
        if (result == kSliceDone) {
            ClockSelect();
            return 1;
        }
    }
}

#include "tools/run/fetch_address.h"

#include "core/cpu.h"

namespace {
constexpr uint32_t kTimerInterruptEnable = 0x10;  // bit 4 of a timer's control register
}  // namespace

uint32_t NextFetchAddress(const CCpu& cpu) {
    const CSFRRam& sfr = cpu.Sfr();
    uint32_t pc = sfr.Pc();
    if (!(sfr.Control() & CSFRRam::kInterruptEnable) || cpu.RepeatTarget() != 0) return pc;

    uint32_t fetch = pc;
    uint32_t armed = sfr.Bank0(CSFRRam::kKeyIntArm);
    uint32_t pins = sfr.Bank0(CSFRRam::kPortAPins);
    if (armed & ~pins & 0xFF) fetch = CCpu::kKeyVector;

    // A timer's overflow counts when it is pending at the scan: pending already, or raised
    // by the step the timer takes on the executing cycle. A copy of the timer takes that
    // step without touching the machine.
    for (const CTimer* timer : {&cpu.Timer0(), &cpu.Timer1(), &cpu.Timer2()}) {
        if (!(sfr.Bank0(timer->ControlRegister()) & kTimerInterruptEnable)) continue;
        CTimer next(*timer);
        if (next.Prescale()) next.Count();
        if (next.Overflow()) fetch = CCpu::kTimerVector;
    }
    return fetch;
}

#include <algorithm>
#include <cstring>

#include "core/cpu.h"

CCpu::CCpu() : m_program(new uint16_t[kProgramWords]()), m_decode(DecodeOpIds()) {}

void CCpu::Setup(int variant, int bankCount) {
    m_variant = variant;
    m_sfr.Attach(&m_bankCount, &m_timer0, &m_timer1, &m_timer2);
    m_sfr.ResetRegisters();
    m_repeatCount = 0;
    SetRunState(kRunMain);
    m_bankCount = bankCount < 32 ? 16 : std::min(bankCount, kMaxBankCount);
    std::memset(m_program.get(), 0, kProgramWords * sizeof(uint16_t));
    m_cycleCount = 1;
    m_cyclePosition = 1;
    m_keys.Attach(&m_sfr);
    m_timer0.Attach(&m_sfr, &m_clock);
    m_timer1.Attach(&m_sfr, &m_clock);
    m_timer2.Attach(&m_sfr, &m_clock);
    m_instructions = 0;
    m_lastFetch = 0;
    m_ticks = 0;
}

size_t CCpu::LoadImage(const uint16_t* words, size_t count) {
    size_t n = words ? std::min<size_t>(count, kProgramWords) : 0;
    if (n) std::memcpy(m_program.get(), words, n * sizeof(uint16_t));
    return n;
}

void CCpu::ResetMachine() {
    m_sfr.ApplyEmulatorReset(m_program[12]);
    m_keys.ClearKeys();
}

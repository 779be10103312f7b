#include "periph/timers.h"

#include "periph/sfr_ram.h"
#include "periph/system_clock.h"

namespace {
constexpr uint32_t kThresholds0[4] = {1, 4, 16, 64};
constexpr uint32_t kThresholds1[4] = {4, 16, 64, 256};
constexpr uint32_t kThresholds2[4] = {1, 2, 4, 8};
constexpr uint32_t kRunBit = 0x08;
}  // namespace

CTimer::CTimer(int control, int reloadLow, int reloadHigh, const uint32_t (&thresholds)[4])
    : m_control(control), m_reloadLow(reloadLow), m_reloadHigh(reloadHigh) {
    for (int i = 0; i < 4; ++i)
        m_thresholds[i] = thresholds[i];
}

CTimer0::CTimer0() : CTimer(0x25, 0x26, 0x27, kThresholds0) {}
CTimer1::CTimer1() : CTimer(0x2A, 0x2B, -1, kThresholds1) {}
CTimer2::CTimer2() : CTimer(0x2C, 0x2D, -1, kThresholds2) {}

void CTimer::Attach(const CSFRRam* sfr, const CSystemClock* clock) {
    m_sfr = sfr;
    m_clock = clock;
    ResetState();
}

void CTimer::Reload() {
    if (!m_sfr) return;
    uint32_t v = m_sfr->Bank0(m_reloadLow);
    if (m_reloadHigh >= 0) v |= m_sfr->Bank0(m_reloadHigh) << 8;
    m_counter = int32_t(v & 0xFFFF);
}

int CTimer::Prescale() {
    if (!m_sfr || !m_clock) return 0;
    uint32_t control = m_sfr->Bank0(m_control);
    if (!(control & kRunBit)) return 0;
    if (m_clock->SubTick() != 1) return 0;
    // The count saturates instead of wrapping, so a long run never stalls the timer again.
    if (m_prescaleCount != UINT32_MAX) ++m_prescaleCount;
    return m_prescaleCount >= m_thresholds[control & 3] ? 1 : 0;
}

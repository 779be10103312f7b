// CSystemClock: the clock of the emulated microcontroller, with a main and a sub tick output.
//
// Tick() advances it by one machine cycle; MainTick()/SubTick() then tell whether the main
// and the sub clock ticked on that cycle. With its power-on values (main divider 1, source
// select 1: both clocks run) the sub clock ticks on every cycle and the main clock on every
// cycle but the first. The CPU's setup does not reset it; nothing changes the divider or
// the source select.
#pragma once

#include <cstdint>

class CSystemClock {
public:
    void Tick() {
        if (m_sourceSelect == 1) {
            ++m_mainCounter;
            m_mainTick = 0;
            if (m_mainCounter == 2) {
                m_mainCounter = m_mainDivider ? m_mainDivider : 1;
                m_mainTick = 1;
            }
        }
        if (m_sourceSelect == 1 || m_sourceSelect == 2) {
            ++m_subCounter;
            m_subTick = 0;
            if (m_subCounter == 1) {
                m_subCounter = 0;
                m_subTick = 1;
            }
        }
    }

    int32_t MainTick() const { return m_mainTick; }
    int32_t SubTick() const { return m_subTick; }
    int32_t MainDivider() const { return m_mainDivider; }
    int32_t MainCounter() const { return m_mainCounter; }
    int32_t SubCounter() const { return m_subCounter; }
    int32_t SourceSelect() const { return m_sourceSelect; }

private:
    int32_t m_mainDivider = 1;
    int32_t m_mainTick = 0;
    int32_t m_subTick = 0;
    int32_t m_mainCounter = 0;
    int32_t m_subCounter = 0;
    int32_t m_sourceSelect = 1;  // 1: both clocks, 2: sub clock only, other: none
};

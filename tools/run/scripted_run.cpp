#include "tools/run/scripted_run.h"

#include <algorithm>

#include "core/ice.h"
#include "tools/run/trace_writer.h"
#include "util/strfmt.h"

CScriptedRun::CScriptedRun(CIce& ice, const RunScript& script, CTraceWriter* trace)
    : m_ice(ice), m_script(script), m_trace(trace), m_budget(script.passBudget) {
    for (const ScriptedHold& h : script.holds) {
        m_events.push_back({h.from, true, h.codes});
        m_events.push_back({h.to, false, h.codes});
    }
    std::stable_sort(m_events.begin(), m_events.end(), [](const KeyEvent& a, const KeyEvent& b) {
        if (a.pass != b.pass) return a.pass < b.pass;
        return !a.press && b.press;
    });
}

bool CScriptedRun::Idle() const {
    int32_t state = m_ice.Cpu().RunState();
    return (state == CCpu::kHalted || state == CCpu::kStandby) &&
           m_ice.Cpu().Keys().HeldCount() == 0;
}

void CScriptedRun::ApplyDueEvents() {
    CKeyStatus& keys = m_ice.Keys();
    for (; m_nextEvent < m_events.size() && m_events[m_nextEvent].pass <= m_pass; ++m_nextEvent) {
        const KeyEvent& e = m_events[m_nextEvent];
        if (e.press)
            keys.PressKey(e.codes.strobeCode, e.codes.inputCode);
        else
            keys.ReleaseKey(e.codes.strobeBit, e.codes.inputBit);
    }
}

void CScriptedRun::RunPass() {
    CCpu& cpu = m_ice.Cpu();
    uint64_t executed = cpu.Instructions();
    int result = m_ice.StepPass();
    if (m_trace && cpu.Instructions() != executed)
        m_trace->Line(m_pass, cpu.LastFetchAddress(), cpu);
    if (result == 0) m_stopped = true;
    ++m_pass;
}

bool CScriptedRun::Step() {
    if (Ended()) return false;
    ApplyDueEvents();
    RunPass();
    return !m_stopped;
}

bool CScriptedRun::RunUntil(uint64_t pass) {
    while (m_pass < pass)
        if (!Step()) return false;
    return true;
}

bool CScriptedRun::RunFor(uint64_t passes) {
    uint64_t end = m_pass + passes;
    while (m_pass < end)
        if (!Step()) return false;
    return true;
}

bool CScriptedRun::WaitUntilIdle(const ScriptedTap& tap, bool afterRelease) {
    for (uint64_t waited = 0; !Idle(); ++waited) {
        if (waited == kTapIdleLimit) {
            auto limit = (unsigned long long)kTapIdleLimit;
            m_notices.push_back(
                afterRelease
                    ? StrFormat("tap %s: the machine was still busy %llu passes after the release",
                                tap.label.c_str(), limit)
                    : StrFormat("tap %s: the machine was still busy after %llu passes; pressing "
                                "anyway",
                                tap.label.c_str(), limit));
            return true;
        }
        if (!Step()) return false;
    }
    return true;
}

void CScriptedRun::Tap(const ScriptedTap& tap) {
    if (!WaitUntilIdle(tap, false) || Ended()) return;
    m_ice.Keys().PressKey(tap.codes.strobeCode, tap.codes.inputCode);
    if (!RunFor(kTapHoldPasses) || Ended()) return;
    m_ice.Keys().ReleaseKey(tap.codes.strobeBit, tap.codes.inputBit);
    WaitUntilIdle(tap, true);
}

RunOutcome CScriptedRun::Run() {
    if (m_script.taps.empty()) {
        RunUntil(m_budget);
    } else {
        uint64_t lastEvent = m_events.empty() ? 0 : m_events.back().pass;
        if (RunUntil(lastEvent) && !Ended()) {
            ApplyDueEvents();
            for (const ScriptedTap& tap : m_script.taps) {
                if (Ended()) break;
                Tap(tap);
            }
        }
    }
    return {m_pass, m_stopped, m_notices};
}

// CScriptedRun: runs the emulator for a number of passes while a script works its keys.
//
// A pass is one iteration of the emulation thread's loop (key scan, then one run slice)
// made on the caller's thread: in run states 1 and 2 it completes one instruction, in
// states 3 and 4 it is one wait that ends at once. The script:
//   - key holds: the key is pressed before pass `from` and released before pass `to`; at
//     one pass the releases come before the presses, each kind in the script's order;
//   - then, once every hold has been applied, the taps in order: run until the machine is
//     idle (run state 3 or 4, no key held) or kTapIdleLimit passes, press, run
//     kTapHoldPasses passes, release, run until idle again (again at most kTapIdleLimit).
// Without taps the run lasts the whole budget; with taps it ends once the machine is idle
// after the last tap. The budget caps every run, and an unknown instruction ends it at
// once. Nothing here waits for the host: the same script always gives the same run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/key_tap.h"

class CIce;
class CTraceWriter;

inline constexpr uint64_t kTapIdleLimit = 2000000;
inline constexpr uint64_t kTapHoldPasses = kKeyTapMinScans;

struct ScriptedHold {
    KeyTapCodes codes;
    uint64_t from;
    uint64_t to;
};

struct ScriptedTap {
    KeyTapCodes codes;
    std::string label;  // how notices name the tap ("3,1" or a key name)
};

struct RunScript {
    uint64_t passBudget = 0;
    std::vector<ScriptedHold> holds;
    std::vector<ScriptedTap> taps;
};

struct RunOutcome {
    uint64_t passes = 0;
    bool stopped = false;              // an unknown instruction ended the run
    std::vector<std::string> notices;  // taps that found the machine busy
};

class CScriptedRun {
public:
    // trace: when given, gets one line per executed instruction.
    CScriptedRun(CIce& ice, const RunScript& script, CTraceWriter* trace = nullptr);
    RunOutcome Run();

private:
    struct KeyEvent {
        uint64_t pass;
        bool press;
        KeyTapCodes codes;
    };

    bool Ended() const { return m_stopped || m_pass >= m_budget; }
    bool Idle() const;
    // One pass (after the key events due before it); false once the run has ended.
    bool Step();
    void RunPass();
    void ApplyDueEvents();
    bool RunUntil(uint64_t pass);
    bool RunFor(uint64_t passes);
    // Runs until idle or kTapIdleLimit passes (then adds a notice); false when the run
    // ended while waiting.
    bool WaitUntilIdle(const ScriptedTap& tap, bool afterRelease);
    void Tap(const ScriptedTap& tap);

    CIce& m_ice;
    const RunScript& m_script;
    CTraceWriter* m_trace;
    std::vector<KeyEvent> m_events;  // in the order they are applied
    size_t m_nextEvent = 0;
    uint64_t m_budget;
    uint64_t m_pass = 0;
    bool m_stopped = false;
    std::vector<std::string> m_notices;
};

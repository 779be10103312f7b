// CIce: the emulator object. The front end owns one (on the heap: it is large) and through
// it configures, loads, resets, starts and stops the emulated calculator, taps keys
// (core/key_tap.h) and reads the display (GetLcdRow).
//
// Lifecycle:
//   CIce ice;                       // Init runs once; the initialised flag is then cleared
//   ice.SetBankCount(64); ice.SetVariant();
//   ice.Restart(words, count);      // Stop, Init, LoadImage, Reset, 200 ms pause, Start
//   ... ice.GetLcdRow(page, row) every display refresh, KeyTap(ice, r, c) on a key ...
//   ice.Stop();                     // or just delete it: the destructor stops
//
// Two ways to run the machine:
//   - the emulation thread (Start/Stop): a loop of passes while the run flag is set, with
//     real waits on the wake event in the halt and standby states;
//   - deterministic stepping (StepPass): one call is one pass of that same loop (key scan,
//     then one run slice), on the caller's thread, with every wait over at once as if timed
//     out and the standby instruction's sleep skipped. Tests and tools use it; it refuses
//     while the thread runs.
//
// Thread safety: Start, Stop, Restart, Init, LoadImage, Reset and StepPass are called from
// one controlling thread (the GUI thread). Start never runs a second thread: it returns 0
// while the run flag is set. Stop clears the run flag, signals the wake event and joins the
// thread, so the thread is gone before the emulator can be deleted or re-initialised, and
// LoadImage/Reset refuse while it runs. GetLcdRow, Wake, the key matrix's front-end
// operations and the run-state and run-flag reads are safe from any thread: the run flag,
// the run state, the LCD cells and the registers are atomics, and display reads take no
// lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "core/cpu.h"

class CIce {
public:
    static constexpr uint32_t kRestartPauseMs = 200;
    static constexpr int kDefaultBankCount = 0x40;

    CIce();
    ~CIce();
    CIce(const CIce&) = delete;
    CIce& operator=(const CIce&) = delete;

    // Stops a running thread, then: initialised flag 1, run flag 0, CPU setup with the
    // configured variant and bank count. Returns 1.
    int Init();
    // The front end's core choice: always variant 4.
    void SetVariant() { m_configVariant = 4; }
    void SetBankCount(int n) { m_configBankCount = n; }
    int ConfiguredBankCount() const { return m_configBankCount; }
    int ConfiguredVariant() const { return m_configVariant; }
    void SetLcdType(int type) { m_lcdType = type; }
    int LcdType() const { return m_lcdType; }
    int Initialised() const { return m_initialised; }

    // Copies min(count, 2M) words into program memory. 0 while the thread runs, else 1.
    int LoadImage(const uint16_t* words, size_t count);
    // The emulator reset (power-on register values, held keys dropped). 0 while the thread
    // runs, else 1.
    int Reset();

    // Resets the wake event; then, unless the run flag is already set, sets it and starts
    // the emulation thread. 1 = started, 0 = already running (or ended by an unknown
    // instruction and not yet stopped).
    int Start();
    // Initialised flag 0, run flag 0, wake signal, join. Safe to call when not running.
    void Stop();
    // Stop; Init when needed; LoadImage; Reset; 200 ms pause (platform sleep); Start.
    int Restart(const uint16_t* words, size_t count);
    // One pass of the run loop without the thread: key scan, then one run slice. Returns
    // the slice's result (1 go on, 0 the emulation stopped on an unknown instruction), or
    // -1 (nothing done) from Start until Stop, even after the thread ended on its own.
    int StepPass();

    // Signals the wake event (ends a halt or standby wait early).
    void Wake() { m_cpu.WakeEvent().Signal(); }
    int RunFlag() const { return int(m_runFlag.load(std::memory_order_acquire)); }
    // True from Start until the thread's loop ends (Stop, or an unknown instruction).
    bool ThreadActive() const { return m_threadActive.load(std::memory_order_acquire); }

    // The display read of LCD page 0-3 into dest[0..97] with the display control of SFR
    // 0x2E/0x2F applied (another page leaves dest as it is before the control). Never
    // blocks the emulation thread.
    void GetLcdRow(int page, uint32_t* dest) const;

    CCpu& Cpu() { return m_cpu; }
    const CCpu& Cpu() const { return m_cpu; }
    CKeyStatus& Keys() { return m_cpu.Keys(); }
    // Passes of the run loop since the last Init (thread or StepPass).
    uint64_t Passes() const { return m_passes.load(std::memory_order_relaxed); }

private:
    void ThreadLoop();
    void CountPass() {
        m_passes.store(m_passes.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }

    int m_initialised = 0;
    int m_lcdType = 0;
    CCpu m_cpu;
    int m_configVariant = 4;
    int m_configBankCount = kDefaultBankCount;
    std::atomic<uint32_t> m_runFlag{0};
    std::atomic<uint64_t> m_passes{0};
    std::atomic<bool> m_threadActive{false};
    std::thread m_thread;
};

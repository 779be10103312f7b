// CKeyStatus: the key matrix. It turns the keys held on the calculator panel into the port
// bits the firmware reads when it scans its keyboard.
//
// A held key is a connection between a strobe line (port A pin, SFR 0x31 bit n) and an
// input line (port B pin, SFR 0x37 bit n). A key code is SFR number * 256 + bit number; a
// held key is a pair (strobe code, input code).
//
// Front-end side (GUI thread):
//   PressKey(strobe, input) adds a pair; ReleaseKey(strobeBit, inputBit) removes the pair
//   (0x3100 + strobeBit, 0x3700 + inputBit) and has its strobe pin restored to the latch
//   value; ClearKeys empties the list (emulator reset). SetPressTime/ResetScanCount and
//   WaitForScans serve the key tap (core/key_tap.h), which holds a key until the emulation
//   thread has scanned it often enough.
// Emulation side (emulation thread, or the deterministic stepping):
//   ScanKeys applies every held key to the ports: both pins of a key get the level of the
//   connection, from what each side drives (PinLevel). It runs once per instruction, so it
//   takes no lock while no key is held and no restore is pending. RefreshKeyStrobe drives
//   the 16-line key strobe SFR 0x42/0x43 after every instruction; CheckKeyWake says whether
//   a held key ends standby or halt.
//
// Threads: the list is guarded by a mutex that is never held while ports are written. The
// pin restore of a release is not stored by the GUI thread: ReleaseKey posts it (an atomic
// bit mask) and the next ScanKeys applies it on the emulation thread, after the key has left
// the list, so no scan of the released key can overwrite it and the register file only ever
// has one writer. Until that scan the pin keeps the key's level.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "util/cbuf.h"

class CSFRRam;

struct KeyPair {
    int32_t strobeCode;
    int32_t inputCode;
};

class CKeyStatus {
public:
    CKeyStatus();
    CKeyStatus(const CKeyStatus&) = delete;
    CKeyStatus& operator=(const CKeyStatus&) = delete;

    void Attach(CSFRRam* sfr) { m_sfr = sfr; }

    // --- front-end side ---
    void PressKey(int32_t strobeCode, int32_t inputCode);
    // Sets the release time (tick count); removes the first pair (0x3100 + strobeBit,
    // 0x3700 + inputBit) and posts the restore of its strobe pin. No match: only the times
    // change.
    void ReleaseKey(int strobeBit, int inputBit);
    // Empties the list and drops pending pin restores.
    void ClearKeys();
    void SetPressTime(uint32_t ms) { m_pressTime.store(ms, std::memory_order_relaxed); }
    void ResetScanCount();
    // Waits until the scan count reaches count or timeoutMs of real time pass. Returns 1 when
    // reached. ScanKeys ends the wait.
    int WaitForScans(uint32_t count, uint32_t timeoutMs);

    // --- emulation side ---
    void ScanKeys();
    // The analog level of a pin: strobe pins drive 0.6 / 0.4, input pins are pulled to 0.9
    // or 0.0 (see the table in key_status.cpp); anything else 0.0.
    double PinLevel(int sfr, int bit) const;
    // For SFR 0x31: the pin bit takes the latch bit (SFR 0x32), stored into bank 0. Other
    // registers: nothing.
    void RestorePin(int sfr, int bit);
    void RefreshKeyStrobe();
    int CheckKeyWake() const;

    // --- readers (any thread) ---
    int HeldCount() const { return int(m_heldCount.load(std::memory_order_relaxed)); }
    // Copies at most max held pairs into out; returns the number of held pairs.
    int HeldKeys(KeyPair* out, int max) const;
    uint32_t ScanCount() const { return m_scanCount.load(std::memory_order_relaxed); }
    uint32_t PressTime() const { return m_pressTime.load(std::memory_order_relaxed); }
    uint32_t ReleaseTime() const { return m_releaseTime.load(std::memory_order_relaxed); }
    uint32_t HeldDuration() const { return m_heldDuration.load(std::memory_order_relaxed); }
    // Strobe bits whose restore waits for the next scan.
    uint32_t PendingRestores() const { return m_pendingRestore.load(std::memory_order_relaxed); }

private:
    // Applies one pair; false when it was skipped (not a port A key, bank 1 selected, or not
    // a valid pin).
    bool ApplyKey(const KeyPair& key);
    void ApplyPendingRestores();

    CSFRRam* m_sfr = nullptr;
    mutable std::mutex m_mutex;  // guards m_keys, the scan waiter
    std::condition_variable m_scanCv;
    CBuf m_keys;
    uint32_t m_scanTarget = 0;  // 0: nobody waits
    std::atomic<uint32_t> m_heldCount{0};
    std::atomic<uint32_t> m_pendingRestore{0};
    std::atomic<uint32_t> m_scanCount{0};
    std::atomic<uint32_t> m_pressTime{0};
    std::atomic<uint32_t> m_releaseTime{0};
    std::atomic<uint32_t> m_heldDuration{0};
};

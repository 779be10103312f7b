#include "periph/key_status.h"

#include <chrono>

#include "periph/sfr_ram.h"
#include "util/platform.h"

namespace {
constexpr int kStrobeSfr = CSFRRam::kPortAPins;
constexpr int kInputSfr = CSFRRam::kPortBPins;
constexpr uint32_t kAllStrobes = 0x40;  // SFR 0x30 bit 6: every strobe line forced
}  // namespace

CKeyStatus::CKeyStatus() : m_keys(0, int(sizeof(KeyPair)), nullptr, 1, 10) {
    m_keys.SetGrowStep(10);
}

void CKeyStatus::PressKey(int32_t strobeCode, int32_t inputCode) {
    KeyPair key{strobeCode, inputCode};
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keys.Append(&key, 1);
    m_heldCount.store(uint32_t(m_keys.Count()), std::memory_order_relaxed);
}

void CKeyStatus::ReleaseKey(int strobeBit, int inputBit) {
    uint32_t now = Platform().TickCount();
    m_releaseTime.store(now, std::memory_order_relaxed);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_keys.Count() > 0)
        m_heldDuration.store(now - m_pressTime.load(std::memory_order_relaxed),
                             std::memory_order_relaxed);
    for (int i = 0; i < m_keys.Count(); ++i) {
        KeyPair key;
        m_keys.GetElement(i, &key);
        if (key.strobeCode != 0x3100 + strobeBit || key.inputCode != 0x3700 + inputBit) continue;
        m_keys.Remove(i, 1);
        m_heldCount.store(uint32_t(m_keys.Count()), std::memory_order_relaxed);
        // The input pin has nothing to restore; the strobe pin is restored by the next scan.
        if (strobeBit >= 0 && strobeBit < 8)
            m_pendingRestore.fetch_or(1u << strobeBit, std::memory_order_relaxed);
        break;
    }
}

void CKeyStatus::ClearKeys() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keys.Resize(0);
    m_heldCount.store(0, std::memory_order_relaxed);
    m_pendingRestore.store(0, std::memory_order_relaxed);
}

void CKeyStatus::ResetScanCount() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_scanCount.store(0, std::memory_order_relaxed);
}

int CKeyStatus::WaitForScans(uint32_t count, uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_scanTarget = count ? count : 1;
    bool reached = m_scanCv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return m_scanCount.load(std::memory_order_relaxed) >= count;
    });
    m_scanTarget = 0;
    return reached ? 1 : 0;
}

int CKeyStatus::HeldKeys(KeyPair* out, int max) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = m_keys.Count();
    for (int i = 0; i < n && i < max; ++i)
        m_keys.GetElement(i, &out[i]);
    return n;
}

void CKeyStatus::ScanKeys() {
    if (m_pendingRestore.load(std::memory_order_relaxed) != 0) ApplyPendingRestores();
    if (m_heldCount.load(std::memory_order_relaxed) == 0) return;
    int n;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        n = m_keys.Count();
    }
    uint32_t scanned = 0;
    for (int i = 0; i < n; ++i) {
        KeyPair key;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (i >= m_keys.Count()) break;  // released meanwhile
            m_keys.GetElement(i, &key);
        }
        if (ApplyKey(key)) ++scanned;
    }
    if (scanned == 0) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    uint32_t count = m_scanCount.load(std::memory_order_relaxed) + scanned;
    m_scanCount.store(count, std::memory_order_relaxed);
    if (m_scanTarget != 0 && count >= m_scanTarget) m_scanCv.notify_all();
}

bool CKeyStatus::ApplyKey(const KeyPair& key) {
    if (!m_sfr) return false;
    int strobeSfr = key.strobeCode >> 8, strobeBit = key.strobeCode & 0xFF;
    int inputSfr = key.inputCode >> 8, inputBit = key.inputCode & 0xFF;
    if (strobeSfr != kStrobeSfr || m_sfr->Banked()) return false;
    // A code from a damaged key map must not reach outside the register file.
    if (strobeBit > 7 || inputBit > 7 || inputSfr < 0 || inputSfr > CSFRRam::kStrobeHigh)
        return false;
    double e = PinLevel(inputSfr, inputBit);
    double f = PinLevel(kStrobeSfr, strobeBit);
    uint32_t h = (e + f) * 0.5 >= 0.5 ? 1 : 0;
    m_sfr->SetBit(kStrobeSfr, strobeBit, h);
    m_sfr->SetBit(inputSfr, inputBit, h);
    return true;
}

void CKeyStatus::ApplyPendingRestores() {
    uint32_t bits = m_pendingRestore.exchange(0, std::memory_order_relaxed);
    for (int bit = 0; bit < 8; ++bit)
        if (bits & (1u << bit)) RestorePin(kStrobeSfr, bit);
}

double CKeyStatus::PinLevel(int sfr, int bit) const {
    if (!m_sfr || bit < 0 || bit > 7) return 0.0;
    uint32_t mask = 1u << bit;
    bool forced = (m_sfr->Read(CSFRRam::kStrobeControl) & kAllStrobes) != 0;
    switch (sfr) {
        case kStrobeSfr:  // strobe pins drive
            return (m_sfr->Read(kStrobeSfr) & mask) ? 0.6 : 0.4;
        case kInputSfr:  // input pins are pulled; an output line reads high
            if (m_sfr->Read(CSFRRam::kPortBDir) & mask) return 0.9;
            if (forced) return 0.0;
            return (m_sfr->Read(kInputSfr) & mask) ? 0.9 : 0.0;
        case CSFRRam::kStrobeLow:
        case CSFRRam::kStrobeHigh:
            if (forced) return 0.0;
            return (m_sfr->Read(sfr) & mask) ? 0.9 : 0.0;
        default:
            return 0.0;
    }
}

void CKeyStatus::RestorePin(int sfr, int bit) {
    if (!m_sfr || sfr != kStrobeSfr || bit < 0 || bit > 7) return;
    uint32_t mask = 1u << bit;
    uint32_t pins = m_sfr->Bank0(kStrobeSfr);
    uint32_t latch = m_sfr->Bank0(CSFRRam::kPortALatch);
    m_sfr->StoreBank0(kStrobeSfr, (pins & ~mask) | (latch & mask));
}

void CKeyStatus::RefreshKeyStrobe() {
    if (!m_sfr) return;
    if (!(m_sfr->Read(CSFRRam::kDisplayControl) & 0x20)) {
        m_sfr->StoreBank0(CSFRRam::kStrobeLow, 0);
        m_sfr->StoreBank0(CSFRRam::kStrobeHigh, 0);
        return;
    }
    uint32_t m = m_sfr->Read(CSFRRam::kStrobeControl);
    if ((m & 0x40) || !(m & 0x80) || !(m & 0x20)) return;
    if (m & 0x10) {
        m_sfr->StoreBank0(CSFRRam::kStrobeLow, 0);
        m_sfr->StoreBank0(CSFRRam::kStrobeHigh, 0);
        return;
    }
    uint32_t s = ~(1u << (m & 0x0F)) & 0xFFFF;  // exactly one line low
    m_sfr->StoreBank0(CSFRRam::kStrobeLow, s & 0xFF);
    m_sfr->StoreBank0(CSFRRam::kStrobeHigh, s >> 8);
}

int CKeyStatus::CheckKeyWake() const {
    if (!m_sfr) return 0;
    uint32_t k = m_sfr->Read(CSFRRam::kDisplayControl);
    uint32_t m = m_sfr->Read(CSFRRam::kStrobeControl);
    uint32_t p = m_sfr->Read(CSFRRam::kPortAPins);
    uint32_t q = m_sfr->Read(CSFRRam::kPortALatch);
    uint32_t r = m_sfr->Read(CSFRRam::kKeyWakeEnable);
    uint32_t lines;  // lines whose low pin wakes
    if (!(k & 0x80)) {
        lines = (m & 0x40) ? r : (q & r);
    } else {
        bool enabled = (m & 0x40) || ((m & 0x20) && (m & 0x80));
        lines = enabled ? r : 0;
    }
    return (lines & ~p & 0xFF) ? 1 : 0;
}

#include "core/ice.h"

CIce::CIce() {
    Init();
    m_initialised = 0;
}

CIce::~CIce() {
    // The thread works on this object: it must be gone before the members are.
    Stop();
}

int CIce::Init() {
    if (m_thread.joinable() || RunFlag()) Stop();
    m_initialised = 1;
    m_runFlag.store(0, std::memory_order_release);
    m_cpu.Setup(m_configVariant, m_configBankCount);
    m_passes.store(0, std::memory_order_relaxed);
    return 1;
}

int CIce::LoadImage(const uint16_t* words, size_t count) {
    if (m_thread.joinable()) return 0;
    m_cpu.LoadImage(words, count);
    return 1;
}

int CIce::Reset() {
    if (m_thread.joinable()) return 0;
    m_cpu.ResetMachine();
    return 1;
}

void CIce::GetLcdRow(int page, uint32_t* dest) const {
    if (!dest) return;
    const CSFRRam& sfr = m_cpu.Sfr();
    m_cpu.Lcd().ReadRow(page, sfr.Bank0(CSFRRam::kDisplayControl), sfr.Bank0(CSFRRam::kDisplayMode),
                        dest);
}

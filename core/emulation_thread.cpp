// The emulation thread and the front end's start, stop and restart sequences.
//
// The thread is a thin loop over the same pass as StepPass; only the waits differ (real
// waits on the wake event, the standby instruction's sleep). Stop joins the thread, so
// there is never more than one and it never outlives the emulator.
#include "core/ice.h"
#include "util/platform.h"

int CIce::Start() {
    // Where a new wake event would be created: drop any stale signal.
    m_cpu.WakeEvent().Reset();
    if (RunFlag()) return 0;
    if (m_thread.joinable()) m_thread.join();  // a thread that ended on its own
    m_runFlag.store(1, std::memory_order_release);
    m_cpu.SetRealWaits(true);
    m_threadActive.store(true, std::memory_order_release);
    m_thread = std::thread(&CIce::ThreadLoop, this);
    return 1;
}

void CIce::Stop() {
    m_initialised = 0;
    m_runFlag.store(0, std::memory_order_release);
    // The thread checks the flag after every slice; the signal ends a wait in progress.
    m_cpu.WakeEvent().Signal();
    if (m_thread.joinable()) {
        // Called on the thread itself (from a message handler, say) it cannot join: the loop
        // ends after this slice and the next Stop from outside joins it.
        if (m_thread.get_id() == std::this_thread::get_id()) return;
        m_thread.join();
    }
    m_cpu.SetRealWaits(false);
}

int CIce::Restart(const uint16_t* words, size_t count) {
    Stop();
    if (!m_initialised) Init();
    LoadImage(words, count);
    Reset();
    Platform().Sleep(kRestartPauseMs);
    return Start();
}

int CIce::StepPass() {
    if (m_thread.joinable()) return -1;
    m_cpu.Keys().ScanKeys();
    int result = m_cpu.RunSlice();
    CountPass();
    return result;
}

void CIce::ThreadLoop() {
    while (m_runFlag.load(std::memory_order_acquire)) {
        m_cpu.Keys().ScanKeys();
        int result = m_cpu.RunSlice();
        CountPass();
        if (result == 0) break;  // unknown instruction: the run flag stays set until Stop
    }
    m_threadActive.store(false, std::memory_order_release);
}

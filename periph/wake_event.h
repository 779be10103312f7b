// CWakeEvent: an auto-reset event with timed waits, the one signalling object between the
// front end and the emulation thread.
//
// Signal() sets it (from any thread); a Wait that finds it set, or is woken by it, clears it
// and reports Signalled, so one signal releases one wait. A wait that runs out reports
// TimedOut. Reset() clears it without waking anybody (the emulator's Start does this where a
// new event would have been made).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class CWakeEvent {
public:
    enum class Result { Signalled, TimedOut };

    void Signal() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_signalled = true;
        }
        m_cv.notify_one();
    }
    void Reset() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_signalled = false;
    }
    Result Wait(uint32_t timeoutMs) {
        std::unique_lock<std::mutex> lock(m_mutex);
        bool set = m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [this] { return m_signalled; });
        m_signalled = false;
        return set ? Result::Signalled : Result::TimedOut;
    }
    bool IsSignalled() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_signalled;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_signalled = false;
};

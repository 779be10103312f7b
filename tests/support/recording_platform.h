// CRecordingPlatform: the platform of the tests. It records every message, answers questions
// from a script (Yes when the script is empty), and keeps a fake millisecond clock that
// Sleep advances without waiting. Safe to use from several threads.
//
// Every test starts with a fresh recording platform installed (see test_main.cpp); reach it
// with TestPlatform().
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "util/platform.h"

struct RecordedMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class CRecordingPlatform : public IPlatform {
public:
    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons buttons) override;
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;

    std::vector<RecordedMessage> Messages() const;
    std::vector<std::string> Texts() const;
    void ClearMessages();
    // Answers for the next Yes/No questions, in order.
    void QueueAnswers(std::initializer_list<MsgAnswer> answers);
    void SetTime(uint32_t ms);
    uint32_t SleptMs() const;

private:
    mutable std::mutex m_mutex;
    std::vector<RecordedMessage> m_messages;
    std::deque<MsgAnswer> m_answers;
    uint32_t m_now = 1000;
    uint32_t m_slept = 0;
};

CRecordingPlatform& TestPlatform();

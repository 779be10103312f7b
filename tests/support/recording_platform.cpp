#include "tests/support/recording_platform.h"

MsgAnswer CRecordingPlatform::ShowMessage(const std::string& text, const std::string& caption,
                                          MsgIcon icon, MsgButtons buttons) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.push_back({text, caption, icon, buttons});
    if (buttons != MsgButtons::YesNo) return MsgAnswer::Ok;
    if (m_answers.empty()) return MsgAnswer::Yes;
    MsgAnswer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

uint32_t CRecordingPlatform::TickCount() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_now;
}

void CRecordingPlatform::Sleep(uint32_t ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_now += ms;
    m_slept += ms;
}

std::vector<RecordedMessage> CRecordingPlatform::Messages() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

std::vector<std::string> CRecordingPlatform::Texts() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> out;
    for (const auto& m : m_messages)
        out.push_back(m.text);
    return out;
}

void CRecordingPlatform::ClearMessages() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.clear();
}

void CRecordingPlatform::QueueAnswers(std::initializer_list<MsgAnswer> answers) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.insert(m_answers.end(), answers);
}

void CRecordingPlatform::SetTime(uint32_t ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_now = ms;
}

uint32_t CRecordingPlatform::SleptMs() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_slept;
}

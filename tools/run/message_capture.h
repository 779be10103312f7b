// Platforms the runner installs for a while: one that keeps the libraries' messages so the
// runner can report them in its own words, and a guard that puts the previous platform back.
#pragma once

#include <string>
#include <vector>

#include "util/platform.h"

// Keeps every message text; answers Yes; no waits.
class CMessageCapture : public IPlatform {
public:
    MsgAnswer ShowMessage(const std::string& text, const std::string&, MsgIcon,
                          MsgButtons buttons) override {
        m_texts.push_back(text);
        return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
};

// Installs a platform for the guard's lifetime.
class CScopedPlatform {
public:
    explicit CScopedPlatform(IPlatform& p) : m_previous(Platform()) { SetPlatform(&p); }
    ~CScopedPlatform() { SetPlatform(&m_previous); }
    CScopedPlatform(const CScopedPlatform&) = delete;
    CScopedPlatform& operator=(const CScopedPlatform&) = delete;

private:
    IPlatform& m_previous;
};

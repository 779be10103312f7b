#include "util/platform.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

MsgAnswer CConsolePlatform::ShowMessage(const std::string& text, const std::string& caption,
                                        MsgIcon, MsgButtons buttons) {
    if (!m_quiet) std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

uint32_t CConsolePlatform::TickCount() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CConsolePlatform::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {
CConsolePlatform g_console;
std::atomic<IPlatform*> g_platform{nullptr};
}  // namespace

IPlatform& Platform() {
    IPlatform* p = g_platform.load(std::memory_order_acquire);
    return p ? *p : g_console;
}

void SetPlatform(IPlatform* p) {
    g_platform.store(p, std::memory_order_release);
}

void ShowError(const std::string& text, const std::string& caption) {
    Platform().ShowMessage(text, caption, MsgIcon::Error, MsgButtons::Ok);
}
void ShowWarning(const std::string& text, const std::string& caption) {
    Platform().ShowMessage(text, caption, MsgIcon::Warning, MsgButtons::Ok);
}
void ShowPlain(const std::string& text, const std::string& caption) {
    Platform().ShowMessage(text, caption, MsgIcon::None, MsgButtons::Ok);
}
bool AskYesNo(const std::string& text, MsgIcon icon, const std::string& caption) {
    return Platform().ShowMessage(text, caption, icon, MsgButtons::YesNo) == MsgAnswer::Yes;
}

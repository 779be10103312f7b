// Platform seam: the only way the libraries reach the host.
//
// The libraries (util, core, periph, data, app) never include a window system or an
// operating-system header. When they must show a message, ask a Yes/No question, read the
// millisecond tick count or sleep, they call Platform(). The Qt front end, the command-line
// tools and the tests each install their own implementation with SetPlatform(); until one
// is installed, a console implementation prints messages on stderr and answers Yes.
//
// Messages may be raised on any thread. An implementation that owns windows must not touch
// them from a thread other than its GUI thread.
#pragma once

#include <cstdint>
#include <string>

enum class MsgIcon { None, Error, Warning };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// Caption used when a message has none of its own.
inline constexpr const char* kProgramName = "orvane";

class IPlatform {
public:
    virtual ~IPlatform() = default;
    virtual MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                                  MsgButtons buttons) = 0;
    // Milliseconds since an arbitrary start; wraps like a 32-bit tick counter.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// Prints messages on stderr ("caption: text"), answers Yes to questions, uses the steady clock.
class CConsolePlatform : public IPlatform {
public:
    explicit CConsolePlatform(bool quiet = false) : m_quiet(quiet) {}
    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons buttons) override;
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;

private:
    bool m_quiet;
};

IPlatform& Platform();
// Installs p (not owned; it must outlive its use). nullptr restores the console platform.
void SetPlatform(IPlatform* p);

// Shorthands for the common cases.
void ShowError(const std::string& text, const std::string& caption = kProgramName);
void ShowWarning(const std::string& text, const std::string& caption = kProgramName);
void ShowPlain(const std::string& text, const std::string& caption = kProgramName);
bool AskYesNo(const std::string& text, MsgIcon icon = MsgIcon::Error,
              const std::string& caption = kProgramName);

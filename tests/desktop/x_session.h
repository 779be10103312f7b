// An X server of the tests' own: Xvfb on a display it picks itself (-displayfd), and on
// request the openbox window manager on it, with a configuration that maximises the active
// window on Super+Up. Both end with the session.
#pragma once

#include <memory>
#include <string>

#include "tests/desktop/child_process.h"

class CXSession {
public:
    // The programs the session needs, and the reason when one is missing.
    static bool Available(std::string& missing);

    CXSession() = default;
    ~CXSession();
    CXSession(const CXSession&) = delete;
    CXSession& operator=(const CXSession&) = delete;

    // Starts Xvfb with a screen of that size; with a window manager, openbox too. False,
    // with the reason, when the server did not come up within a few seconds.
    bool Start(int width, int height, bool windowManager, std::string& error);
    // ":N"
    const std::string& Display() const { return m_display; }
    // DISPLAY set, QT_QPA_PLATFORM xcb, and the rest of the environment as it is.
    EnvChanges Environment() const;

private:
    CChildProcess m_server;
    CChildProcess m_windowManager;
    std::string m_display;
    std::string m_configDir;
};

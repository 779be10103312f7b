#include "tests/desktop/x_session.h"

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

const char kOpenboxConfig[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <keyboard>
    <keybind key="W-Up"><action name="Maximize"/></keybind>
  </keyboard>
  <focus><focusNew>yes</focusNew></focus>
  <placement><policy>Smart</policy></placement>
</openbox_config>
)";

}  // namespace

bool CXSession::Available(std::string& missing) {
    for (const char* program : {"Xvfb", "xdotool", "openbox", "xprop"})
        if (!ProgramInPath(program)) {
            missing = std::string(program) +
                      " is not installed (scripts/setup.sh installs xvfb, xdotool, openbox and "
                      "x11-utils)";
            return false;
        }
    return true;
}

CXSession::~CXSession() {
    m_windowManager.Stop();
    m_server.Stop();
    if (!m_configDir.empty()) std::filesystem::remove_all(m_configDir);
}

bool CXSession::Start(int width, int height, bool windowManager, std::string& error) {
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    if (!m_server.Start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"})) {
        error = "Xvfb could not be started";
        return false;
    }
    // Xvfb writes the display number, then a newline, once it accepts connections.
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string out;
    while ((out = m_server.Out()).find('\n') == std::string::npos) {
        if (!m_server.Running() || std::chrono::steady_clock::now() > end) {
            error = "Xvfb did not start: " + m_server.Err();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    m_display = ":" + out.substr(0, out.find('\n'));
    if (!windowManager) return true;

    char dir[] = "/tmp/orvane-openbox-XXXXXX";
    if (!mkdtemp(dir)) {
        error = "no folder for the window manager's configuration";
        return false;
    }
    m_configDir = dir;
    std::string config = m_configDir + "/rc.xml";
    std::ofstream(config) << kOpenboxConfig;
    if (!m_windowManager.Start("openbox", {"--config-file", config}, {{"DISPLAY", m_display}})) {
        error = "openbox could not be started";
        return false;
    }
    // Once openbox manages the screen, the root window names its check window.
    for (int i = 0; i < 100; ++i) {
        SProcessResult r = RunProcess("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"},
                                      {{"DISPLAY", m_display}}, std::chrono::seconds(2));
        if (r.exitCode == 0 && r.out.find("window id") != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    error = "openbox did not take the screen: " + m_windowManager.Err();
    return false;
}

EnvChanges CXSession::Environment() const {
    return {{"DISPLAY", m_display}, {"QT_QPA_PLATFORM", "xcb"}};
}

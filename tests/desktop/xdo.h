// Driving windows of an X display with xdotool: finding a window by its title, clicking at a
// point of its client area, typing a key, reading its geometry.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "tests/desktop/child_process.h"

struct SWindowGeometry {
    int x = 0, y = 0, width = 0, height = 0;
};

class CXdo {
public:
    explicit CXdo(EnvChanges displayEnv) : m_env(std::move(displayEnv)) {}

    // The first visible window whose title matches the regular expression, polled until
    // the timeout.
    std::optional<std::string> FindWindow(const std::string& titlePattern,
                                          std::chrono::milliseconds timeout) const;
    // A left click at (x, y) of the window's client area.
    bool Click(const std::string& window, int x, int y) const;
    bool Activate(const std::string& window) const;
    // Keys as xdotool names them ("Escape", "super+Up"), sent to the focused window.
    bool Key(const std::string& keys) const;
    std::optional<SWindowGeometry> Geometry(const std::string& window) const;

private:
    SProcessResult Run(const std::vector<std::string>& args) const;
    EnvChanges m_env;
};

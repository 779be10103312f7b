#include "tests/desktop/xdo.h"

#include <sstream>
#include <thread>

SProcessResult CXdo::Run(const std::vector<std::string>& args) const {
    return RunProcess("xdotool", args, m_env, std::chrono::seconds(5));
}

std::optional<std::string> CXdo::FindWindow(const std::string& titlePattern,
                                            std::chrono::milliseconds timeout) const {
    auto end = std::chrono::steady_clock::now() + timeout;
    do {
        SProcessResult r = Run({"search", "--onlyvisible", "--name", titlePattern});
        std::istringstream ids(r.out);
        std::string id;
        if (r.exitCode == 0 && ids >> id) return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < end);
    return std::nullopt;
}

bool CXdo::Click(const std::string& window, int x, int y) const {
    return Run({"mousemove", "--window", window, std::to_string(x), std::to_string(y), "click",
                "1"})
               .exitCode == 0;
}

bool CXdo::Activate(const std::string& window) const {
    return Run({"windowactivate", "--sync", window}).exitCode == 0;
}

bool CXdo::Key(const std::string& keys) const {
    return Run({"key", keys}).exitCode == 0;
}

std::optional<SWindowGeometry> CXdo::Geometry(const std::string& window) const {
    SProcessResult r = Run({"getwindowgeometry", "--shell", window});
    if (r.exitCode != 0) return std::nullopt;
    SWindowGeometry g;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string name = line.substr(0, eq);
        int value = std::atoi(line.c_str() + eq + 1);
        if (name == "X") g.x = value;
        if (name == "Y") g.y = value;
        if (name == "WIDTH") g.width = value;
        if (name == "HEIGHT") g.height = value;
    }
    return g;
}

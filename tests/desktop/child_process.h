// Programs started by the desktop tests: the X server, the window manager, orvane itself and
// the command-line helpers (xdotool). Every process started here is ended by its own id.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// NAME and VALUE set a variable; NAME and nullopt remove it from the child's environment.
using EnvChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess();  // ends the process when it still runs
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // program: a path, or a name looked up in PATH. stdout and stderr go to files that Out
    // and Err read. False when it could not be started.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const EnvChanges& env = {});
    // The exit code (128 + signal for a signal), or nullopt when it still runs at the end of
    // the timeout.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    bool Running();
    // SIGTERM, then SIGKILL after a second; waits for it.
    void Stop();

    std::string Out() const;
    std::string Err() const;
    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    std::optional<int> m_exitCode;
    std::string m_outPath, m_errPath;
};

struct SProcessResult {
    int exitCode = -1;  // -1 when it timed out (and was stopped) or could not start
    std::string out, err;
};

// Runs a program to its end, stopping it after the timeout.
SProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                          const EnvChanges& env = {},
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Whether a program of that name is found in PATH.
bool ProgramInPath(const std::string& name);

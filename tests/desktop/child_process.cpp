#include "tests/desktop/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string TempFile(const char* pattern) {
    std::string path = std::string("/tmp/") + pattern;
    int fd = mkstemp(path.data());
    if (fd >= 0) close(fd);
    return path;
}

std::vector<std::string> ChildEnvironment(const EnvChanges& changes) {
    std::map<std::string, std::string> vars;
    for (char** e = environ; *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq) vars[std::string(*e, size_t(eq - *e))] = eq + 1;
    }
    for (const auto& [name, value] : changes) {
        if (value)
            vars[name] = *value;
        else
            vars.erase(name);
    }
    std::vector<std::string> out;
    for (const auto& [name, value] : vars)
        out.push_back(name + "=" + value);
    return out;
}

}  // namespace

CChildProcess::~CChildProcess() {
    Stop();
    if (!m_outPath.empty()) unlink(m_outPath.c_str());
    if (!m_errPath.empty()) unlink(m_errPath.c_str());
}

bool CChildProcess::Start(const std::string& program, const std::vector<std::string>& args,
                          const EnvChanges& env) {
    m_outPath = TempFile("orvane-child-out-XXXXXX");
    m_errPath = TempFile("orvane-child-err-XXXXXX");
    std::vector<std::string> envStrings = ChildEnvironment(env);
    std::vector<char*> envp;
    for (std::string& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argStrings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) return false;
    m_pid = fork();
    if (m_pid == 0) {
        int out = open(m_outPath.c_str(), O_WRONLY | O_TRUNC);
        int err = open(m_errPath.c_str(), O_WRONLY | O_TRUNC);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execvpe(program.c_str(), argv.data(), envp.data());
        int error = errno;
        (void)!write(errorPipe[1], &error, sizeof error);
        _exit(127);
    }
    close(errorPipe[1]);
    int error = 0;
    bool failed = m_pid < 0 || read(errorPipe[0], &error, sizeof error) == sizeof error;
    close(errorPipe[0]);
    if (failed && m_pid > 0) {
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    return !failed;
}

std::optional<int> CChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (m_exitCode || m_pid <= 0) return m_exitCode;
    auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        pid_t r = waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return m_exitCode;
        }
        if (r < 0 || std::chrono::steady_clock::now() >= end) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool CChildProcess::Running() {
    return m_pid > 0 && !Wait(std::chrono::milliseconds(0));
}

void CChildProcess::Stop() {
    if (!Running()) return;
    kill(m_pid, SIGTERM);
    if (Wait(std::chrono::seconds(1))) return;
    kill(m_pid, SIGKILL);
    Wait(std::chrono::seconds(5));
}

std::string CChildProcess::Out() const {
    return Slurp(m_outPath);
}

std::string CChildProcess::Err() const {
    return Slurp(m_errPath);
}

SProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                          const EnvChanges& env, std::chrono::milliseconds timeout) {
    SProcessResult result;
    CChildProcess child;
    if (!child.Start(program, args, env)) return result;
    std::optional<int> code = child.Wait(timeout);
    child.Stop();
    result.exitCode = code.value_or(-1);
    result.out = child.Out();
    result.err = child.Err();
    return result;
}

bool ProgramInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::filesystem::path candidate = std::filesystem::path(dir) / name;
        if (access(candidate.c_str(), X_OK) == 0) return true;
    }
    return false;
}

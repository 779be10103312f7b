#include "tests/tools/run_tool.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

ToolResult RunTool(const std::string& name, const std::vector<std::string>& args) {
    std::string program = std::string(ORVANE_BIN_DIR) + "/" + name;
    char outPath[] = "/tmp/orvane-tool-out-XXXXXX";
    char errPath[] = "/tmp/orvane-tool-err-XXXXXX";
    int outFd = mkstemp(outPath), errFd = mkstemp(errPath);
    ToolResult r;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        std::vector<char*> argv;
        argv.push_back(program.data());
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    close(outFd);
    close(errFd);
    r.out = Slurp(outPath);
    r.err = Slurp(errPath);
    unlink(outPath);
    unlink(errPath);
    return r;
}

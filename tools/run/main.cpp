// orvane-run: runs the calculator's firmware without a window, deterministically, and
// writes the machine state, an instruction trace and the LCD picture. See docs/runner.md.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/run/headless_run.h"
#include "tools/run/run_options.h"
#include "util/platform.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    RunOptions options;
    std::string error;
    switch (ParseRunOptions(args, options, error)) {
        case ParseResult::Help:
            std::fputs(kRunUsage, stdout);
            return kRunOk;
        case ParseResult::Error:
            std::fprintf(stderr, "orvane-run: %s\n\n%s", error.c_str(), kRunUsage);
            return kRunFailed;
        case ParseResult::Run:
            break;
    }
    // The libraries' messages (the configuration's checks) on stderr, every question
    // answered Yes.
    CConsolePlatform console(options.quiet);
    SetPlatform(&console);
    int code = RunHeadless(options);
    SetPlatform(nullptr);
    return code;
}

// The orvane program, run from a folder of the test's own, ends start-up with its message and
// exit code 1 when a model file is missing or unusable. Messages go to stderr
// (ORVANE_MESSAGES=stderr) and the offscreen platform needs no display.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/desktop/child_process.h"
#include "tests/desktop/program_folder.h"

namespace {

using namespace std::chrono_literals;

SProcessResult RunOrvane(const CProgramFolder& folder) {
    CTempFolder home;
    return RunProcess(folder.Program(), {},
                      {{"QT_QPA_PLATFORM", "offscreen"},
                       {"ORVANE_MESSAGES", "stderr"},
                       {"HOME", home.Path()},
                       {"XDG_CONFIG_HOME", home.Path() + "/.config"}},
                      20s);
}

// The program's messages ("orvane: ..." lines) among whatever else is on stderr.
std::vector<std::string> Messages(const std::string& err) {
    std::vector<std::string> lines;
    std::istringstream in(err);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("orvane: ", 0) == 0) lines.push_back(line.substr(8));
    return lines;
}

TEST(OrvaneStartup, AnUnusableModelFileEndsStartUpWithItsMessageAndExitCode1) {
    struct Case {
        const char* what;
        std::vector<std::string> files;  // the model files in the folder
        std::string written, bytes;      // a file written in the folder, when named
        std::string message;             // after the folder and a separator
    };
    const std::vector<std::string> all = {kSmallPanelFile, kLargePanelFile, kSegLcdFile,
                                          kContainerFile};
    const Case cases[] = {
        {"no small panel",
         {kLargePanelFile, kSegLcdFile, kContainerFile},
         "",
         "",
         "ZT_K318V_SP.CalPnl'"},
        {"no large panel",
         {kSmallPanelFile, kSegLcdFile, kContainerFile},
         "",
         "",
         "ZT_K318V_LP.CalPnl'"},
        {"no segment LCD file",
         {kSmallPanelFile, kLargePanelFile, kContainerFile},
         "",
         "",
         "ZT_K318V.SegLcd'"},
        {"no container",
         {kSmallPanelFile, kLargePanelFile, kSegLcdFile},
         "",
         "",
         "ZT_K318V.eepm' !"},
        {"a container that is no container",
         {kSmallPanelFile, kLargePanelFile, kSegLcdFile},
         kContainerFile,
         std::string(4000, 'Z') + "not a firmware container",
         "Can't decrypt the file"},
        {"an empty firmware image", all, "Novaro.ini", "[ICEBin]\nBinPathName = empty.bin\n",
         "ICE Bin not loaded"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CProgramFolder folder(c.files);
        if (!c.written.empty()) folder.Write(c.written, c.bytes);
        folder.Write("empty.bin", "");
        SProcessResult r = RunOrvane(folder);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        std::string expected = c.message;
        if (expected.back() == '\'' || expected.back() == '!')
            expected = "Failed to open '" + folder.Path() + "/" + expected;
        EXPECT_EQ(Messages(r.err), std::vector<std::string>{expected}) << r.err;
    }
}

}  // namespace

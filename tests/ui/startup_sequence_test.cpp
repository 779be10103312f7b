// The start-up sequence with a host that records what it is asked, on the demo model's files.
#include "ui/startup_sequence.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/ini.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/model_folder.h"
#include "util/cbuf.h"

namespace {

// Records each request as a word; fails the loads the test names.
class CRecordingHost : public IStartupHost {
public:
    bool LoadPanel(int panel, const std::string& path) override {
        calls.push_back(panel == 0 ? "small panel" : "large panel");
        paths.push_back(path);
        return !std::filesystem::exists(path) ? false : panel != failPanel;
    }
    bool LoadSegLcd(const std::string& path) override {
        calls.push_back("segment LCD");
        paths.push_back(path);
        return std::filesystem::exists(path);
    }
    void EnableLayout() override { calls.push_back("layout"); }
    bool LoadPanelPicture(PanelSize panel, PanelPicture which, const std::string& path) override {
        calls.push_back("picture " + std::to_string(int(panel)) + std::to_string(int(which)));
        paths.push_back(path);
        return std::filesystem::exists(path);
    }
    void ApplyConfig(const StartupConfig& c) override {
        calls.push_back("configuration");
        config = c;
    }
    void StartEmulator(const CBuf& image) override {
        calls.push_back("emulator");
        imageBytes = image.TotalBytes();
    }
    void SetUpCapture() override { calls.push_back("capture"); }
    void StartRefresh() override { calls.push_back("refresh"); }

    int failPanel = -1;
    std::vector<std::string> calls, paths;
    StartupConfig config;
    int imageBytes = -1;
};

struct SRun {
    int code;
    CRecordingHost host;
};

void RunStartupIn(const CModelFolder& folder, SRun& run) {
    CBuf image;
    CIni ini;
    run.code = RunStartup(run.host, folder.Path(), image, ini);
}

TEST(StartupSequence, RunsItsStepsInOrderFromTheProgramFolder) {
    CModelFolder folder;
    folder.Write("Novaro.ini",
                 "[PanelBmp]\nLargePressPanelBmp = pressed.bmp\n"
                 "[TitleBar]\nTitleStr = Desk calculator\n[Test]\nExtraLcd = 2, 0\n");
    SRun run;
    RunStartupIn(folder, run);
    EXPECT_EQ(run.code, kStartupRuns);
    EXPECT_EQ(run.host.calls, (std::vector<std::string>{"small panel", "large panel", "segment LCD",
                                                        "layout", "picture 11", "configuration",
                                                        "emulator", "capture", "refresh"}));
    EXPECT_EQ(run.host.paths,
              (std::vector<std::string>{folder.File(kDemoSmallPanel), folder.File(kDemoLargePanel),
                                        folder.File(kDemoSegLcd), folder.File("pressed.bmp")}));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(folder.Path()));
    EXPECT_TRUE(run.host.config.panelSection);
    EXPECT_EQ(run.host.config.title, "Desk calculator");
    EXPECT_EQ(run.host.config.extraLcds, (std::vector<int>{2, 0}));
    EXPECT_GT(run.host.imageBytes, 0) << "the container's image, unwrapped";
    // The configuration names the picture as it is written in the file.
    EXPECT_EQ(TestPlatform().Texts(), std::vector<std::string>{"Failed to open 'pressed.bmp'"});
}

TEST(StartupSequence, WithoutAConfigurationTheHostGetsNone) {
    CModelFolder folder;
    SRun run;
    RunStartupIn(folder, run);
    EXPECT_EQ(run.code, kStartupRuns);
    EXPECT_EQ(std::count(run.host.calls.begin(), run.host.calls.end(), "configuration"), 0);
    EXPECT_TRUE(TestPlatform().Texts().empty());
}

TEST(StartupSequence, AFailureEndsStartUpWithItsMessageBeforeAnyEmulatorExists) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::string written, bytes;  // written into the folder when named
        int failPanel;
        std::string lastCall;
        std::vector<std::string> messages;  // '@' stands for the folder
    };
    const std::vector<std::string> all = {kDemoSmallPanel, kDemoLargePanel, kDemoSegLcd,
                                          kDemoContainer};
    const Case cases[] = {
        {"no file at all",
         {},
         "",
         "",
         -1,
         "small panel",
         {"Failed to open '@/ZT_K318V_SP.CalPnl'"}},
        {"a small panel that cannot be used",
         all,
         "",
         "",
         0,
         "small panel",
         {"Failed to open '@/ZT_K318V_SP.CalPnl'"}},
        {"no large panel",
         {kDemoSmallPanel, kDemoSegLcd, kDemoContainer},
         "",
         "",
         -1,
         "large panel",
         {"Failed to open '@/ZT_K318V_LP.CalPnl'"}},
        {"no segment LCD file",
         {kDemoSmallPanel, kDemoLargePanel, kDemoContainer},
         "",
         "",
         -1,
         "segment LCD",
         {"Failed to open '@/ZT_K318V.SegLcd'"}},
        {"no container",
         {kDemoSmallPanel, kDemoLargePanel, kDemoSegLcd},
         "",
         "",
         -1,
         "layout",
         {"Failed to open '@/ZT_K318V.eepm' !"}},
        {"a container of another kind",
         all,
         kDemoContainer,
         std::string(3000, 'Q') + "junk",
         -1,
         "layout",
         {"Can't decrypt the file"}},
        {"an image file that is empty",
         all,
         "Novaro.ini",
         "[ICEBin]\nBinPathName = empty.bin\n",
         -1,
         "configuration",
         {"ICE Bin not loaded"}},
        {"an image file that cannot be read",
         all,
         "Novaro.ini",
         "[ICEBin]\nBinPathName = missing.bin\n",
         -1,
         "refresh",
         {"Failed to open 'missing.bin'"}},  // the container's image stays: start-up goes on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPlatform().ClearMessages();
        CModelFolder folder(c.files);
        if (!c.written.empty()) folder.Write(c.written, c.bytes);
        folder.Write("empty.bin", "");
        SRun run;
        run.host.failPanel = c.failPanel;
        RunStartupIn(folder, run);
        EXPECT_EQ(run.code, c.lastCall == "refresh" ? kStartupRuns : kStartupFailedExitCode);
        ASSERT_FALSE(run.host.calls.empty());
        EXPECT_EQ(run.host.calls.back(), c.lastCall);
        std::vector<std::string> expected;
        for (std::string m : c.messages) {
            if (size_t at = m.find('@'); at != std::string::npos) m.replace(at, 1, folder.Path());
            expected.push_back(m);
        }
        EXPECT_EQ(TestPlatform().Texts(), expected);
        for (const RecordedMessage& m : TestPlatform().Messages())
            EXPECT_EQ(m.icon, MsgIcon::Error) << m.text;
    }
}

TEST(StartupSequence, AContainerThatOpensButCannotBeReadIsReported) {
    CModelFolder folder({kDemoSmallPanel, kDemoLargePanel, kDemoSegLcd});
    std::filesystem::create_directory(folder.File(kDemoContainer));  // opens, reads nothing
    SRun run;
    RunStartupIn(folder, run);
    EXPECT_EQ(run.code, kStartupFailedExitCode);
    EXPECT_EQ(run.host.calls.back(), "layout");
    EXPECT_EQ(TestPlatform().Texts(),
              std::vector<std::string>{"Failed to read '" + folder.File(kDemoContainer) + "' !"});
}

}  // namespace

#include "app/startup_config.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/ini_file.h"
#include "tests/support/recording_platform.h"

namespace {

namespace fs = std::filesystem;

class StartupConfigTest : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("orvane-ini-") + std::to_string(getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void WriteFile(const std::string& name, size_t bytes) {
        std::ofstream f(dir / name, std::ios::binary);
        for (size_t i = 0; i < bytes; ++i)
            f.put(char(i * 7));
    }
    StartupConfig Read(const std::string& text) {
        std::ofstream(dir / "Novaro.ini") << text;
        EXPECT_EQ(CIniFile::Load((dir / "Novaro.ini").string(), ini), 1);
        return ReadStartupConfig(ini, dir.string(), image,
                                 [&](PanelSize p, PanelPicture w, const std::string& path) {
                                     loads.push_back({p, w, path});
                                     return fs::exists(path);
                                 });
    }
    struct Load {
        PanelSize panel;
        PanelPicture which;
        std::string path;
    };
    fs::path dir;
    CIni ini;
    CBuf image{4, 1, "keep", 1, 10};
    std::vector<Load> loads;
};

TEST_F(StartupConfigTest, ReadsEverySectionInOrder) {
    WriteFile("small.bmp", 10);
    WriteFile("large_press.bmp", 10);
    WriteFile("firmware.bin", 65536);
    StartupConfig c = Read(
        "#define SMALLN small.bmp\n"
        "[panelbmp]\n"
        "SmallNormalPanelBmp = SMALLN\n"
        "LargePressPanelBmp = large_press.bmp\n"
        "LargeHighlightPanelBmp = missing.bmp\n"
        "[TitleBar]\nTitleStr = My calculator\n"
        "[ICEBin]\nBinPathName = firmware.bin\n"
        "[Test]\nExtraLcd = 0, 2\n");
    ASSERT_EQ(loads.size(), 3u);
    EXPECT_EQ(loads[0].panel, PanelSize::Small);
    EXPECT_EQ(loads[0].which, PanelPicture::Normal);
    EXPECT_EQ(loads[0].path, (dir / "small.bmp").string());
    EXPECT_EQ(loads[1].which, PanelPicture::Pressed);
    EXPECT_EQ(loads[2].panel, PanelSize::Large);
    EXPECT_TRUE(c.panelSection);
    EXPECT_EQ(c.title, "My calculator");
    EXPECT_TRUE(c.imageReplaced);
    EXPECT_EQ(c.imagePath, "firmware.bin");
    EXPECT_EQ(image.TotalBytes(), 65536);  // 32,768 words for the program memory
    EXPECT_EQ(image.ElementSize(), 1);
    EXPECT_EQ(c.extraLcds, (std::vector<int>{0, 2}));
    EXPECT_EQ(TestPlatform().Texts(), std::vector<std::string>{"Failed to open 'missing.bmp'"});
}

TEST_F(StartupConfigTest, MissingImageKeepsTheContainerImage) {
    StartupConfig c = Read("[ICEBin]\nBinPathName = nowhere.bin\n");
    EXPECT_FALSE(c.imageReplaced);
    EXPECT_EQ(image.TotalBytes(), 4);
    EXPECT_EQ(TestPlatform().Texts(), std::vector<std::string>{"Failed to open 'nowhere.bin'"});
    EXPECT_FALSE(c.title.has_value());
    EXPECT_FALSE(c.panelSection);
}

TEST_F(StartupConfigTest, CheckMessagesComeInSectionOrderAndValuesAreStillUsed) {
    StartupConfig c = Read("[Test]\nExtraLcd = -1, 1\n[TitleBar]\nTitleStr = A, B\n");
    auto texts = TestPlatform().Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find(">Key value count should be 1 while it is 2"), std::string::npos);
    EXPECT_NE(texts[1].find("->1st value error : value should be >= 0 while it is -1"),
              std::string::npos);
    EXPECT_EQ(c.title, "A");
    EXPECT_EQ(c.extraLcds, (std::vector<int>{-1, 1}));
}

TEST_F(StartupConfigTest, NoFileNoConfiguration) {
    CIni none;
    EXPECT_EQ(CIniFile::Load((dir / "absent.ini").string(), none), 0);
    EXPECT_FALSE(none.IsLoaded());
    EXPECT_TRUE(TestPlatform().Messages().empty());
}

}  // namespace

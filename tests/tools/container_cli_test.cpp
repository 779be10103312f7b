#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "tests/tools/run_tool.h"

namespace {

namespace fs = std::filesystem;

class ContainerCli : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("orvane-cli-") +
               testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
               std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) { return (dir / name).string(); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(Path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::vector<uint8_t> Read(const std::string& name) {
        std::ifstream f(Path(name), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
    }
    fs::path dir;
};

std::vector<uint8_t> RandomImage(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

TEST_F(ContainerCli, WrapThenUnwrapGivesBackTheImage) {
    for (size_t n : {3u, 1000u, 65536u, 100001u}) {
        auto image = RandomImage(n, uint32_t(n));
        Write("in.bin", image);
        ToolResult w = RunTool("orvane-container", {"wrap", Path("in.bin"), Path("box.eepm")});
        ASSERT_EQ(w.exitCode, 0) << w.err;
        EXPECT_EQ(Read("box.eepm").size(), n + 8);
        ToolResult u = RunTool("orvane-container", {"unwrap", Path("box.eepm"), Path("out.bin")});
        ASSERT_EQ(u.exitCode, 0) << u.err;
        EXPECT_EQ(Read("out.bin"), image) << n;
    }
}

TEST_F(ContainerCli, RefusalsExitNonZeroAndWriteNothing) {
    Write("short.eepm", {1, 2, 3, 4});
    Write("junk.eepm", RandomImage(500, 9));
    Write("flat.bin", std::vector<uint8_t>(1000, 7));
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {{"unwrap", Path("short.eepm"), Path("o")}, 1, "too short"},
        {{"unwrap", Path("junk.eepm"), Path("o")}, 1, "check word"},
        {{"wrap", Path("flat.bin"), Path("o")}, 1, "too uniform"},
        {{"wrap", Path("missing.bin"), Path("o")}, 1, "cannot open"},
        {{"wrap", Path("flat.bin")}, 2, "usage"},
        {{"squash", Path("flat.bin"), Path("o")}, 2, "usage"},
    };
    for (const auto& c : cases) {
        ToolResult r = RunTool("orvane-container", c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(Path("o")));
    }
    EXPECT_EQ(Read("short.eepm"), (std::vector<uint8_t>{1, 2, 3, 4}));
}

}  // namespace

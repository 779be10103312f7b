#include "app/firmware_container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "app/encrypt_buffer.h"
#include "tests/support/recording_platform.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Image(size_t n) {
    std::mt19937 rng(5);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

CBuf ByteBuf(const std::vector<uint8_t>& v) {
    return CBuf(int(v.size()), 1, v.data(), 1, 10);
}

std::vector<uint8_t> Bytes(const CBuf& b) {
    return std::vector<uint8_t>(b.Data(), b.Data() + b.TotalBytes());
}

class TempDir : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("orvane-fw-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return (dir / name).string();
    }
    fs::path dir;
};

TEST(EncryptBuffer, WrapThenUnwrapInPlace) {
    auto plain = Image(1000);
    CBuf b = ByteBuf(plain);
    ASSERT_EQ(CEncrypt::WrapBuffer(b, kCheckWord), 1);
    EXPECT_EQ(b.Count(), 1008);
    ASSERT_EQ(CEncrypt::UnwrapBuffer(b, kCheckWord), 1);
    EXPECT_EQ(Bytes(b), plain);
}

TEST(EncryptBuffer, RefusalLeavesTheBufferUntouched) {
    auto plain = Image(200);
    CBuf b = ByteBuf(plain);
    CEncrypt::WrapBuffer(b, "OTHERWRD");
    auto box = Bytes(b);
    EXPECT_EQ(CEncrypt::UnwrapBuffer(b, kCheckWord), 0);
    EXPECT_EQ(Bytes(b), box);

    CBuf four = ByteBuf({1, 2, 3, 4});
    EXPECT_EQ(CEncrypt::UnwrapBuffer(four, kCheckWord), 0);
    EXPECT_EQ(Bytes(four), (std::vector<uint8_t>{1, 2, 3, 4}));

    // A borrowed buffer cannot grow or shrink, so it is never rewritten.
    std::vector<uint8_t> mem = plain;
    CBuf borrowed(int(mem.size()), 1, mem.data(), 0, 0);
    EXPECT_EQ(CEncrypt::WrapBuffer(borrowed, kCheckWord), 0);
    EXPECT_EQ(mem, plain);
}

TEST_F(TempDir, LoadsAndUnwrapsAContainerFile) {
    auto plain = Image(4096);
    CBuf b = ByteBuf(plain);
    CEncrypt::WrapBuffer(b, kCheckWord);
    std::string path = Write("ZT_K318V.eepm", Bytes(b));
    CBuf image;
    EXPECT_EQ(LoadFirmwareContainer(path, image), FirmwareLoad::Ok);
    EXPECT_EQ(Bytes(image), plain);
    EXPECT_TRUE(TestPlatform().Messages().empty());
}

TEST_F(TempDir, FailuresShowTheirMessages) {
    CBuf image;
    std::string missing = (dir / "none.eepm").string();
    EXPECT_EQ(LoadFirmwareContainer(missing, image), FirmwareLoad::OpenFailed);
    EXPECT_EQ(LoadFirmwareContainer(Write("bad.eepm", Image(100)), image),
              FirmwareLoad::DecryptFailed);
    EXPECT_EQ(LoadFirmwareContainer(dir.string(), image), FirmwareLoad::ReadFailed);
    auto m = TestPlatform().Messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].text, "Failed to open '" + missing + "' !");
    EXPECT_EQ(m[0].icon, MsgIcon::Error);
    EXPECT_EQ(m[1].text, "Can't decrypt the file");
    EXPECT_EQ(m[2].text, "Failed to read '" + dir.string() + "' !");
}

}  // namespace

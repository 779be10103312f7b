#include "util/encrypt.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

std::vector<uint8_t> WrapOrEmpty(const std::vector<uint8_t>& plain, const char* word) {
    int32_t n = 0;
    std::unique_ptr<uint8_t[]> out(C_Encrypt::Wrap(plain.data(), int32_t(plain.size()), word, &n));
    return out ? std::vector<uint8_t>(out.get(), out.get() + n) : std::vector<uint8_t>{};
}

std::vector<uint8_t> UnwrapOrEmpty(const std::vector<uint8_t>& box, const char* word) {
    int32_t n = 0;
    std::unique_ptr<uint8_t[]> out(C_Encrypt::Unwrap(box.data(), int32_t(box.size()), word, &n));
    return out ? std::vector<uint8_t>(out.get(), out.get() + n) : std::vector<uint8_t>{};
}

TEST(Scramble, TwiceGivesBackTheBlockForManyLengths) {
    for (uint32_t seed = 0; seed < 400; ++seed) {
        auto original = RandomBytes(2 + seed * 7 % 3000, seed);
        auto bytes = original;
        int first = C_Encrypt::Scramble(bytes.data(), int32_t(bytes.size()));
        if (!first) {
            EXPECT_EQ(bytes, original) << "a refusal changes nothing";
            continue;
        }
        ASSERT_EQ(C_Encrypt::Scramble(bytes.data(), int32_t(bytes.size())), 1);
        ASSERT_EQ(bytes, original) << "length " << original.size();
    }
}

TEST(Scramble, TrivialAndRefusedBlocks) {
    EXPECT_EQ(C_Encrypt::Scramble(nullptr, 10), 1);
    uint8_t one[1] = {42};
    EXPECT_EQ(C_Encrypt::Scramble(one, 0), 1);
    EXPECT_EQ(C_Encrypt::Scramble(one, 1), 0);
    EXPECT_EQ(one[0], 42);
    // The seed product jumps past INT32_MAX before it reaches the number of bytes after it,
    // wraps negative and never catches up: refused. 32 * 125 * 125 * 17 = 8.5e6 < 1e7 bytes
    // left, times 255 wraps.
    std::vector<uint8_t> wraps(10'000'000, 0);
    const uint8_t seed[] = {32, 125, 125, 17, 255};
    std::memcpy(wraps.data(), seed, sizeof seed);
    EXPECT_EQ(C_Encrypt::Scramble(wraps.data(), int32_t(wraps.size())), 0);
    EXPECT_EQ(std::memcmp(wraps.data(), seed, sizeof seed), 0);
}

TEST(Scramble, LeadingZerosLeaveOnlyTheKeyByte) {
    uint8_t b[5] = {0, 0, 0, 0, 7};
    ASSERT_EQ(C_Encrypt::Scramble(b, 5), 1);
    EXPECT_EQ(std::vector<uint8_t>(b, b + 5), (std::vector<uint8_t>{0, 0, 0, 0, 7}));
}

TEST(Scramble, ZeroKeyBytesActAsTheirIndexAndTheStreamRunsOn) {
    // b[0] = 200 >= 199 bytes after it: k = 200 % 199 = 1, key length (199 - 2) / 20 = 9,
    // key = region[1..9] with region = b[1..].
    std::vector<uint8_t> b(200, 0x11);
    b[0] = 200;
    b[1 + 1 + 5] = 0;  // key index 5 is zero: it XORs as 5
    ASSERT_EQ(C_Encrypt::Scramble(b.data(), 200), 1);
    EXPECT_EQ(b[1], 0x11 ^ 0x11);    // region[0]: the one byte before the key, key index 0
    EXPECT_EQ(b[2], 0x11);           // the key itself is untouched
    EXPECT_EQ(b[7], 0);              // ... including its zero byte
    EXPECT_EQ(b[11], 0x11 ^ 0x11);   // first byte after the key: key index k mod m = 1
    EXPECT_EQ(b[11 + 4], 0x11 ^ 5);  // key index 5
}

TEST(XorWithKey, ReturnsTheNextPosition) {
    uint8_t bytes[5] = {0, 0, 0, 0, 0};
    uint8_t key[3] = {1, 2, 3};
    EXPECT_EQ(C_Encrypt::XorWithKey(bytes, 5, 3, key, 1), 0);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 5), (std::vector<uint8_t>{2, 3, 1, 2, 3}));
    C_Encrypt::XorWithByte(bytes, 5, 0x101);
    EXPECT_EQ(bytes[0], 3);
}

TEST(Container, ThousandByteImageLayout) {
    auto plain = RandomBytes(1000, 7);
    auto box = WrapOrEmpty(plain, "TAVRODAT");
    ASSERT_EQ(box.size(), 1008u);
    EXPECT_EQ(C_Encrypt::SplitPoint(1008), 332);
    // Body = container without bytes 332..339; its checksum unlocks the check block.
    uint32_t sum = 0;
    for (size_t i = 0; i < box.size(); ++i)
        if (i < 332 || i >= 340) sum += box[i];
    uint8_t c = uint8_t(sum) ? uint8_t(sum) : 15;
    char word[9] = {};
    for (int i = 0; i < 8; ++i)
        word[i] = char(box[size_t(332 + i)] ^ c);
    EXPECT_STREQ(word, "TAVRODAT");
    EXPECT_EQ(UnwrapOrEmpty(box, "TAVRODAT"), plain);
}

TEST(Container, RoundTripOverLengths) {
    for (size_t n : {3u, 4u, 10u, 11u, 57u, 999u, 4096u, 65537u}) {
        auto plain = RandomBytes(n, uint32_t(n));
        auto box = WrapOrEmpty(plain, "TAVRODAT");
        ASSERT_EQ(box.size(), n + 8) << n;
        EXPECT_EQ(UnwrapOrEmpty(box, "TAVRODAT"), plain) << n;
    }
}

TEST(Container, ChecksumZeroCountsAsFifteen) {
    auto plain = RandomBytes(500, 11);
    bool found = false;
    for (int last = 0; last < 256 && !found; ++last) {
        plain.back() = uint8_t(last);
        auto box = WrapOrEmpty(plain, "TAVRODAT");
        ASSERT_FALSE(box.empty());
        int32_t s = C_Encrypt::SplitPoint(int32_t(box.size()));
        uint32_t sum = 0;
        for (size_t i = 0; i < box.size(); ++i)
            if (i < size_t(s) || i >= size_t(s + 8)) sum += box[i];
        if (uint8_t(sum) != 0) continue;
        found = true;
        EXPECT_EQ(box[size_t(s)], 'T' ^ 15);
        EXPECT_EQ(UnwrapOrEmpty(box, "TAVRODAT"), plain);
    }
    EXPECT_TRUE(found) << "the last byte walks the scrambled sum through every value";
}

TEST(Container, Refusals) {
    EXPECT_TRUE(WrapOrEmpty(std::vector<uint8_t>(1000, 0x55), "TAVRODAT").empty()) << "too uniform";
    EXPECT_TRUE(WrapOrEmpty({1, 2}, "TAVRODAT").empty()) << "shorter than 3 bytes";
    for (size_t n : {0u, 4u, 7u, 8u, 9u, 10u})
        EXPECT_TRUE(UnwrapOrEmpty(RandomBytes(n, 1), "TAVRODAT").empty()) << n;

    auto box = WrapOrEmpty(RandomBytes(300, 3), "OTHERWRD");
    ASSERT_FALSE(box.empty());
    EXPECT_TRUE(UnwrapOrEmpty(box, "TAVRODAT").empty()) << "another check word";
    // Only the first 8 characters of a check word take part.
    auto longer = WrapOrEmpty(RandomBytes(300, 4), "TAVRODATXYZ");
    EXPECT_FALSE(UnwrapOrEmpty(longer, "TAVRODAT").empty());
}

}  // namespace

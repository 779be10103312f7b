#include "util/encrypt.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

// Sum of the bytes mod 256, with 0 replaced by 15.
uint8_t BodyChecksum(const uint8_t* bytes, int32_t length) {
    uint32_t sum = 0;
    for (int32_t i = 0; i < length; ++i)
        sum += bytes[i];
    uint8_t c = uint8_t(sum);
    return c == 0 ? 15 : c;
}

int32_t CheckWordLength(const char* word) {
    return word ? int32_t(strnlen(word, 8)) : 0;
}

// Refuses data where some byte is followed by `limit` equal bytes, limit = 80% of the
// length, for start positions before `scan`. Run lengths are computed in one backward pass.
bool TooUniform(const uint8_t* data, int32_t length) {
    int32_t limit = int32_t(int64_t(length) * 8 / 10);
    int32_t scan = std::max(length - limit - 1, 1);
    if (scan > length) scan = length;
    std::vector<int32_t> runAfter(size_t(length), 0);
    for (int32_t p = length - 2; p >= 0; --p)
        runAfter[size_t(p)] = data[p + 1] == data[p] ? runAfter[size_t(p) + 1] + 1 : 0;
    for (int32_t p = 0; p < scan; ++p)
        if (runAfter[size_t(p)] >= limit) return true;
    return false;
}

}  // namespace

int C_Encrypt::Scramble(uint8_t* b, int32_t n) {
    if (!b || n <= 0) return 1;
    // Seed: multiply the leading non-zero bytes until the product reaches the number of
    // bytes after them. The product wraps like a signed 32-bit integer.
    int32_t x = 1;
    int32_t r = 0;
    int32_t i = 0;
    for (; i < n; ++i) {
        if (b[i] != 0) x = int32_t(uint32_t(x) * uint32_t(b[i]));
        r = n - (i + 1);
        if (x >= r) break;
    }
    if (r == 0) return 0;
    int32_t k = x % r;
    uint8_t* region = b + i + 1;
    int32_t m = (r - k - 1) / 20;
    if (m == 0) m = 1;
    if (m > 256) m = 256;
    uint8_t key[256];
    for (int32_t j = 0; j < m; ++j) {
        uint8_t v = region[k + j];
        key[j] = v == 0 ? uint8_t(j) : v;
    }
    int32_t position = k > 0 ? XorWithKey(region, k, m, key, 0) : 0;
    int32_t t = r - k - m;
    if (t > 0) XorWithKey(region + k + m, t, m, key, position);
    return 1;
}

int32_t C_Encrypt::XorWithKey(uint8_t* bytes, int32_t length, int32_t keyLength, const uint8_t* key,
                              int32_t keyPosition) {
    if (!bytes || !key || keyLength <= 0) return keyPosition;
    if (keyPosition < 0 || keyPosition >= keyLength) keyPosition = 0;
    for (int32_t i = 0; i < length; ++i) {
        bytes[i] ^= key[keyPosition];
        if (++keyPosition == keyLength) keyPosition = 0;
    }
    return keyPosition;
}

void C_Encrypt::XorWithByte(uint8_t* bytes, int32_t length, int32_t value) {
    uint8_t key = uint8_t(value);
    XorWithKey(bytes, length, 1, &key, 0);
}

uint8_t* C_Encrypt::Wrap(const uint8_t* data, int32_t length, const char* checkWord,
                         int32_t* outLength) {
    if (!data || length < kMinPlainLength || length > INT32_MAX - 8) return nullptr;
    if (TooUniform(data, length)) return nullptr;
    std::vector<uint8_t> body(data, data + length);
    if (!Scramble(body.data(), length)) return nullptr;
    uint8_t block[8] = {};
    std::memcpy(block, checkWord ? checkWord : "", size_t(CheckWordLength(checkWord)));
    XorWithByte(block, 8, BodyChecksum(body.data(), length));

    int32_t total = length + 8;
    int32_t s = SplitPoint(total);
    uint8_t* out = new (std::nothrow) uint8_t[size_t(total)];
    if (!out) return nullptr;
    std::memcpy(out, body.data(), size_t(s));
    std::memcpy(out + s, block, 8);
    std::memcpy(out + s + 8, body.data() + s, size_t(length - s));
    if (outLength) *outLength = total;
    return out;
}

uint8_t* C_Encrypt::Unwrap(const uint8_t* data, int32_t length, const char* checkWord,
                           int32_t* outLength) {
    if (!data || length < kMinContainerLength) return nullptr;
    int32_t s = SplitPoint(length);
    int32_t plain = length - 8;
    std::unique_ptr<uint8_t[]> body(new (std::nothrow) uint8_t[size_t(plain)]);
    if (!body) return nullptr;
    std::memcpy(body.get(), data, size_t(s));
    std::memcpy(body.get() + s, data + s + 8, size_t(length - s - 8));
    uint8_t block[8];
    std::memcpy(block, data + s, 8);
    uint8_t c = BodyChecksum(body.get(), plain);
    if (!Scramble(body.get(), plain)) return nullptr;
    XorWithByte(block, 8, c);
    if (std::memcmp(block, checkWord ? checkWord : "", size_t(CheckWordLength(checkWord))) != 0)
        return nullptr;
    if (outLength) *outLength = plain;
    return body.release();
}

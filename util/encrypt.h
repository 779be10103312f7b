// C_Encrypt: the keyless byte scrambler and the raw wrap/unwrap of the firmware container.
//
// Scramble derives its key from the data itself and leaves the bytes it derived the key
// from untouched, so applying it twice gives back the original block. The element buffer,
// the section labels of data files and the firmware container all use it.
//
// Container layout (L = P + 8 bytes for a P-byte plaintext):
//   scrambled bytes 0..s-1 | 8-byte check block | scrambled bytes s..P-1
// where s = floor(L * 3296 / 10000), computed from the container length. The check block
// is the check word (at most 8 characters, zero-padded) XORed with the body checksum
// (sum of the scrambled bytes mod 256; a sum of 0 counts as 15).
#pragma once

#include <cstdint>

class C_Encrypt {
public:
    virtual ~C_Encrypt() = default;

    // 1, or 0 when refused (the block is then unchanged). No block or length <= 0: 1.
    static int Scramble(uint8_t* bytes, int32_t length);
    // XORs each byte with key[keyPosition], stepping keyPosition round the key; returns the
    // next key position.
    static int32_t XorWithKey(uint8_t* bytes, int32_t length, int32_t keyLength, const uint8_t* key,
                              int32_t keyPosition);
    static void XorWithByte(uint8_t* bytes, int32_t length, int32_t value);

    // New blocks (delete[] by the caller), or nullptr when refused. Wrap refuses plaintexts
    // shorter than 3 bytes (the check block would not fit inside the container), too uniform
    // data and data that Scramble refuses; Unwrap refuses containers shorter than 11 bytes,
    // a body that Scramble refuses and a check word that does not match.
    static uint8_t* Wrap(const uint8_t* data, int32_t length, const char* checkWord,
                         int32_t* outLength);
    static uint8_t* Unwrap(const uint8_t* data, int32_t length, const char* checkWord,
                           int32_t* outLength);

    // Shortest plaintext and container that the format can hold.
    static constexpr int32_t kMinPlainLength = 3;
    static constexpr int32_t kMinContainerLength = kMinPlainLength + 8;

    // Offset of the check block in a container of the given length.
    static int32_t SplitPoint(int32_t containerLength) {
        return int32_t(int64_t(containerLength) * 3296 / 10000);
    }
};

#include "data/section_header.h"

#include <algorithm>
#include <cstring>

#include "util/encrypt.h"
#include "util/le.h"

namespace {

constexpr int kLabelAt = 2;
constexpr int kScrambledBytes = 62;  // label, Num, DataLen, InnerOff
constexpr int kChecksumAAt = 64;
constexpr int kChecksumBAt = 66;

uint16_t ChecksumA(const uint8_t* label) {
    uint16_t sum = 0;
    for (int i = 0; i < kSectionLabelBytes; ++i)
        sum = uint16_t(sum + label[i]);
    return sum;
}

uint16_t ChecksumB(const uint8_t* label) {
    uint16_t sum = 0;
    for (int i = 0; i < kSectionLabelBytes; i += 2)
        sum = uint16_t(sum + label[i]);
    return sum;
}

}  // namespace

void PackSectionHeader(const SSectionHeader& header, uint8_t out[kSectionHeaderSize]) {
    std::memset(out, 0, kSectionHeaderSize);
    PutLe16(out, kSectionMagic);
    uint8_t* label = out + kLabelAt;
    std::memcpy(label, header.label.data(),
                std::min<size_t>(header.label.size(), kMaxSectionLabel));
    std::reverse(label, label + kSectionLabelBytes);
    PutLe32(out + 52, header.num);
    PutLe32(out + 56, header.dataLen);
    PutLe32(out + 60, header.innerOff);
    C_Encrypt::Scramble(out + kLabelAt, kScrambledBytes);
    PutLe16(out + kChecksumAAt, ChecksumA(label));
    PutLe16(out + kChecksumBAt, ChecksumB(label));
}

bool UnpackSectionHeader(const uint8_t in[kSectionHeaderSize], SSectionHeader* out) {
    if (GetLe16(in) != kSectionMagic) return false;
    if (GetLe16(in + kChecksumAAt) != ChecksumA(in + kLabelAt)) return false;
    if (GetLe16(in + kChecksumBAt) != ChecksumB(in + kLabelAt)) return false;
    uint8_t block[kScrambledBytes];
    std::memcpy(block, in + kLabelAt, kScrambledBytes);
    C_Encrypt::Scramble(block, kScrambledBytes);
    std::reverse(block, block + kSectionLabelBytes);
    if (out) {
        block[kMaxSectionLabel] = 0;
        out->label.assign(reinterpret_cast<const char*>(block));
        out->num = GetLe32(block + 50);
        out->dataLen = GetLe32(block + 54);
        out->innerOff = GetLe32(block + 58);
    }
    return true;
}

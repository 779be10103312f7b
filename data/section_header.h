// Section headers of the data-file container.
//
// Every section of a container file starts with a 68-byte header:
//
//   0   2  magic 12950 (bytes 96 32)
//   2  50  label, NUL-padded, stored byte-reversed and scrambled
//  52   4  Num      (int32, chosen by the writer)
//  56   4  DataLen  (bytes of data after the header, nested sections included)
//  60   4  InnerOff (offset of the first nested header from the data start, or -1)
//  64   2  checksum A: 16-bit sum of the 50 stored label bytes
//  66   2  checksum B: 16-bit sum of the stored label bytes at even positions 0..48
//
// Bytes 2..63 are scrambled together as one block (C_Encrypt::Scramble, its own inverse);
// a block the scrambler refuses is stored as it is. The checksums cover the stored bytes,
// so a reader can tell a header from data that merely contains the magic.
#pragma once

#include <cstdint>
#include <string>

constexpr int kSectionHeaderSize = 68;
constexpr int kSectionLabelBytes = 50;
// Longest label a section can have (one byte stays for the terminating NUL).
constexpr int kMaxSectionLabel = kSectionLabelBytes - 1;
constexpr uint16_t kSectionMagic = 12950;

struct SSectionHeader {
    std::string label;
    int32_t num = 0;
    int32_t dataLen = 0;
    int32_t innerOff = -1;
};

// Packs the header into its stored form. The label must be at most kMaxSectionLabel long.
void PackSectionHeader(const SSectionHeader& header, uint8_t out[kSectionHeaderSize]);

// Unpacks a stored header. False when the magic or a checksum does not match.
bool UnpackSectionHeader(const uint8_t in[kSectionHeaderSize], SSectionHeader* out);

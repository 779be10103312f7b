// Field types and field descriptors of tag buffers.
//
// A field descriptor is 25 packed bytes, the same in memory and in files:
//   0  17  name, NUL-terminated, at most 16 characters
//  17   4  type code (int32)
//  21   4  element count (int32)
//
// Type codes and their element sizes:
//   0 string (1 byte per character)   1 int8    2 uint8     3 int16    4 uint16
//   5 int32                           6 uint32  7 bool32    8 double
// A field's size is its count times the element size of its type; fields follow each other
// without gaps in descriptor order.
#pragma once

#include <cstdint>
#include <string_view>

enum ETagType : int32_t {
    kTagString = 0,
    kTagInt8 = 1,
    kTagUInt8 = 2,
    kTagInt16 = 3,
    kTagUInt16 = 4,
    kTagInt32 = 5,
    kTagUInt32 = 6,
    kTagBool = 7,
    kTagDouble = 8,
};

constexpr int kTagTypeCount = 9;
constexpr int kFieldDescriptorSize = 25;
constexpr int kMaxFieldName = 16;

// Element size of a type code; 0 for a code outside 0..8 (such a field is unusable).
constexpr int TagTypeSize(int32_t type) {
    constexpr int kSizes[kTagTypeCount] = {1, 1, 1, 2, 2, 4, 4, 4, 8};
    return type >= 0 && type < kTagTypeCount ? kSizes[type] : 0;
}

// A field as the program describes its own layout.
struct STagField {
    const char* name;
    int32_t type;
    int32_t count;
};

// Writes one descriptor (25 bytes).
void PackFieldDescriptor(const STagField& field, uint8_t out[kFieldDescriptorSize]);

// The name of a stored descriptor: up to the first NUL, at most 17 bytes.
std::string_view DescriptorName(const uint8_t* descriptor);
int32_t DescriptorType(const uint8_t* descriptor);
int32_t DescriptorCount(const uint8_t* descriptor);

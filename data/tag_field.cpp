#include "data/tag_field.h"

#include <cstring>

#include "util/le.h"

void PackFieldDescriptor(const STagField& field, uint8_t out[kFieldDescriptorSize]) {
    std::memset(out, 0, kFieldDescriptorSize);
    if (field.name) std::strncpy(reinterpret_cast<char*>(out), field.name, kMaxFieldName);
    PutLe32(out + 17, field.type);
    PutLe32(out + 21, field.count);
}

std::string_view DescriptorName(const uint8_t* descriptor) {
    const char* name = reinterpret_cast<const char*>(descriptor);
    return std::string_view(name, strnlen(name, 17));
}

int32_t DescriptorType(const uint8_t* descriptor) {
    return GetLe32(descriptor + 17);
}

int32_t DescriptorCount(const uint8_t* descriptor) {
    return GetLe32(descriptor + 21);
}

// Little-endian reads and writes of file and header fields.
#pragma once

#include <cstdint>
#include <cstring>

inline int32_t GetLe32(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                   uint32_t(p[3]) << 24);
}
inline uint16_t GetLe16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline void PutLe32(uint8_t* p, int32_t v) {
    uint32_t u = uint32_t(v);
    p[0] = uint8_t(u);
    p[1] = uint8_t(u >> 8);
    p[2] = uint8_t(u >> 16);
    p[3] = uint8_t(u >> 24);
}
inline void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline double GetLeDouble(const uint8_t* p) {
    double d;
    std::memcpy(&d, p, 8);
    return d;
}

// Points of shapes: in shape coordinates (doubles) and in document coordinates (integers).
#pragma once

#include <cstdint>

struct SPointD {
    double x;
    double y;
};
static_assert(sizeof(SPointD) == 16);

struct SPointI {
    int32_t x;
    int32_t y;
    bool operator==(const SPointI&) const = default;
};

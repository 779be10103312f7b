// Where a shape of a shape book lies in the picture it is drawn over.
#pragma once

#include <cstdint>
#include <optional>

class CSob;

// Right and bottom exclusive, like the span map's Contains: a key's pixels are
// left <= x < right, top <= y < bottom.
struct SRectI {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const SRectI&) const = default;
};

// The bounding box of the shape's outline points projected into the picture (scale 1, 1),
// or nothing for an object without a shape or without points.
std::optional<SRectI> ShapeBounds(const CSob& sob);

// The part of r inside a width x height picture (empty, at 0, 0, when none is).
SRectI ClipToPicture(const SRectI& r, int32_t width, int32_t height);

// Key colours of the segments: each segment of a segment picture is painted in a colour of
// its own, and the segment table names that colour, so that drawing a lit segment blackens
// exactly its pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/mkmodel/model_description.h"

// count colours, all different from each other and from background. Neighbouring indexes
// get far-apart hues, so that a person looking at the segment picture tells them apart.
std::vector<HexColour> SegmentKeyColours(size_t count, HexColour background);

// The colour form of the segment table: red in the low byte.
inline uint32_t RedLowColour(HexColour rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

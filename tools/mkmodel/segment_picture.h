// Painting an LCD layout's segment picture and building its segment table.
//
// Every segment is filled in its own key colour on a white ground, without anti-aliasing:
// a drawn LCD blackens the pixels whose value equals a lit segment's key colour exactly, so
// a blended edge pixel would belong to no segment. The table's rectangle of a segment is the
// bounding box of the pixels that carry its colour.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkmodel/model_description.h"

struct SSegmentRecord {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    uint32_t keyColour = 0;                            // red in the low byte
};

struct SSegmentPicture {
    QImage picture;  // Format_RGB32
    // One record per (column, row) the display refresh can produce, indexed
    // column + row * kLcdColumns; records of unused bits are empty rectangles.
    std::vector<SSegmentRecord> table;
};

constexpr Rgb kSegmentBackground = 0xFFFFFF;

// 1 on success; 0 with the reason in error (a segment too small to get a pixel).
int PaintSegmentPicture(const SLcdDesc& lcd, int width, int height, SSegmentPicture& out,
                        std::string& error);

// The layout as the simulator shows it with the given records lit: white, and black where a
// lit record's rectangle holds its key colour.
QImage DrawLitSegments(const SSegmentPicture& segments, const std::vector<int>& litRecords);

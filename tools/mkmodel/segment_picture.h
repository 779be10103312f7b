// Painting an LCD layout's segment picture and building its segment table.
//
// Every segment is filled in its own key colour on a white ground, without anti-aliasing:
// a drawn LCD blackens the pixels whose value equals a lit segment's key colour exactly, so
// a blended edge pixel would belong to no segment. The table's rectangle of a segment is the
// bounding box of the pixels that carry its colour.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "data/seg_lcd.h"
#include "tools/mkmodel/model_description.h"

struct SSegmentPicture {
    QImage picture;  // Format_RGB32
    // One record per (column, row) the display refresh can produce, indexed
    // column + row * kLcdColumns. Records of unused bits have an empty rectangle and a key
    // colour that no pixel of the picture has, so they can never blacken anything.
    std::vector<SSegRecord> table;
};

constexpr HexColour kSegmentBackground = 0xFFFFFF;

// 1 on success; 0 with the reason in error (a segment too small to get a pixel).
int PaintSegmentPicture(const SLcdDesc& lcd, int width, int height, SSegmentPicture& out,
                        std::string& error);

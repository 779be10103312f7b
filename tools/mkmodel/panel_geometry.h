// Where things are on one panel picture, in pixels: the design scaled by the panel's scale.
//
// Every rectangle is rounded edge by edge (left, top, right, bottom), so neighbouring keys
// keep the gap of the design, and the key rectangles here are exactly the ones the shape
// book gets: the picture, the hit test and the pressed-key copy all use the same pixels.
#pragma once

#include <vector>

#include "tools/mkmodel/model_description.h"

// Right and bottom exclusive.
struct SPixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Overlaps(const SPixelRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

SPixelRect ScaleRect(const SDesignRect& r, double scale);

struct SPanelGeometry {
    double scale = 1;
    int width = 0, height = 0;  // the picture
    SPixelRect body;            // inside the transparent margin
    SPixelRect lcdBezel, lcdGlass;
    std::vector<SPixelRect> keys;  // in the order of the description's keys
};

// Throws SDescriptionError (json_fields.h) when the scale makes keys touch or vanish.
SPanelGeometry LayOutPanel(const SModelDescription& d, int panel);

struct SPixelSize {
    int width = 0, height = 0;
};

// The picture size of LCD layout n: its panel's glass, or the size it gives itself.
SPixelSize LcdLayoutSize(const SModelDescription& d, int layout);

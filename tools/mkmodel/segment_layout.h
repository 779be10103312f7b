// The shapes of an LCD layout's segments, in the layout's pixel coordinates.
//
// A layout is a row of annunciators (minus sign, M, E) above a row of seven-segment digits
// with a decimal point each. The digits lean right by the description's slant; segments are
// separated by a small gap, as on a real LCD glass. The shapes depend only on the layout's
// size, so the small panel, the large panel and the LCD window show the same display at
// three sizes.
#pragma once

#include <vector>

#include "tools/mkmodel/model_description.h"

struct SPointD {
    double x = 0, y = 0;
};

struct SSegmentShape {
    SLcdBit bit;                   // the LCD memory bit that lights it
    std::vector<SPointD> polygon;  // a closed outline, in order
};

std::vector<SSegmentShape> LayOutSegments(const SLcdDesc& lcd, int width, int height);

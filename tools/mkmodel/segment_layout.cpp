#include "tools/mkmodel/segment_layout.h"

#include <algorithm>
#include <cmath>

#include "tools/mkmodel/machine_limits.h"

namespace {

using Polygon = std::vector<SPointD>;

// Proportions of the layout, as fractions of its width (X) or height (Y).
constexpr double kSideMarginX = 0.04;
constexpr double kTopMarginY = 0.07;
constexpr double kAnnunciatorY = 0.16;  // height of the annunciator row
constexpr double kRowGapY = 0.07;
constexpr double kBottomMarginY = 0.09;

// Proportions of a digit.
constexpr double kDigitWidthOfPitch = 0.72;
constexpr double kDigitWidthOfHeight = 0.55;
constexpr double kStrokeOfWidth = 0.21;
constexpr double kDigitLeftOfSpare = 0.3;  // share of the spare cell width left of the digit

// Leans shapes right: points above the centre line move right, points below it left.
struct SShear {
    double tanSlant = 0, centreY = 0;
    SPointD operator()(SPointD p) const { return {p.x + (centreY - p.y) * tanSlant, p.y}; }
};

Polygon Sheared(Polygon points, const SShear& shear) {
    for (SPointD& p : points)
        p = shear(p);
    return points;
}

// The segments a..g and the decimal point of a digit whose box is [l, r] x [t, b], drawn
// with stroke w and gap g between neighbouring segments. The outer segments are trapezoids
// mitred at the corners; the middle segment and the middle ends are pointed.
std::vector<Polygon> DigitSegments(double l, double t, double r, double b, double w, double g,
                                   double pointX) {
    double m = (t + b) / 2, h = w / 2;
    return {
        // a: top
        {{l + g, t}, {r - g, t}, {r - w - g, t + w}, {l + w + g, t + w}},
        // b: top right
        {{r - w, t + w + g}, {r, t + g}, {r, m - g - h}, {r - h, m - g}, {r - w, m - g - h}},
        // c: bottom right
        {{r - w, m + g + h}, {r - h, m + g}, {r, m + g + h}, {r, b - g}, {r - w, b - w - g}},
        // d: bottom
        {{l + w + g, b - w}, {r - w - g, b - w}, {r - g, b}, {l + g, b}},
        // e: bottom left
        {{l, m + g + h}, {l + h, m + g}, {l + w, m + g + h}, {l + w, b - w - g}, {l, b - g}},
        // f: top left
        {{l, t + g}, {l + w, t + w + g}, {l + w, m - g - h}, {l + h, m - g}, {l, m - g - h}},
        // g: middle
        {{l + h + g, m},
         {l + w + g, m - h},
         {r - w - g, m - h},
         {r - h - g, m},
         {r - w - g, m + h},
         {l + w + g, m + h}},
        // decimal point, a square on the base line right of the digit
        {{pointX - h, b - w}, {pointX + h, b - w}, {pointX + h, b}, {pointX - h, b}},
    };
}

// Width of each annunciator symbol's box, as a multiple of the row height.
double SymbolWidth(EAnnunciator symbol) {
    switch (symbol) {
        case EAnnunciator::Minus:
            return 1.0;
        case EAnnunciator::Memory:
            return 0.95;
        case EAnnunciator::Error:
            return 0.7;
    }
    return 1.0;
}

// The symbol in the box (x, y, gw, gh) with stroke s.
Polygon SymbolOutline(EAnnunciator symbol, double x, double y, double gw, double gh, double s) {
    switch (symbol) {
        case EAnnunciator::Minus: {
            double mid = y + gh / 2;
            return {
                {x, mid - s / 2}, {x + gw, mid - s / 2}, {x + gw, mid + s / 2}, {x, mid + s / 2}};
        }
        case EAnnunciator::Memory:
            return {{x, y + gh},
                    {x, y},
                    {x + s, y},
                    {x + gw / 2, y + gh * 0.55},
                    {x + gw - s, y},
                    {x + gw, y},
                    {x + gw, y + gh},
                    {x + gw - s, y + gh},
                    {x + gw - s, y + gh * 0.32},
                    {x + gw / 2, y + gh * 0.82},
                    {x + s, y + gh * 0.32},
                    {x + s, y + gh}};
        case EAnnunciator::Error: {
            double mid = y + gh / 2;
            return {{x, y},
                    {x + gw, y},
                    {x + gw, y + s},
                    {x + s, y + s},
                    {x + s, mid - s / 2},
                    {x + gw * 0.85, mid - s / 2},
                    {x + gw * 0.85, mid + s / 2},
                    {x + s, mid + s / 2},
                    {x + s, y + gh - s},
                    {x + gw, y + gh - s},
                    {x + gw, y + gh},
                    {x, y + gh}};
        }
    }
    return {};
}

}  // namespace

std::vector<SSegmentShape> LayOutSegments(const SLcdDesc& lcd, int width, int height) {
    const double W = width, H = height;
    const double tanSlant = std::tan(lcd.slantDegrees * M_PI / 180);
    const double left = W * kSideMarginX;
    const double rowTop = H * kTopMarginY, rowHeight = H * kAnnunciatorY;
    const double digitTop = rowTop + rowHeight + H * kRowGapY;
    const double digitBottom = H * (1 - kBottomMarginY);
    const double digitHeight = digitBottom - digitTop;
    const double pitch = (W - 2 * left) / lcd.digitCount;
    const double digitWidth =
        std::min(pitch * kDigitWidthOfPitch, digitHeight * kDigitWidthOfHeight);
    const double stroke = std::max(1.5, digitWidth * kStrokeOfWidth);
    const double gap = std::max(0.7, stroke * 0.22);
    const double spare = pitch - digitWidth;

    std::vector<SSegmentShape> shapes;
    SShear digitShear{tanSlant, (digitTop + digitBottom) / 2};
    for (int i = 0; i < lcd.digitCount; ++i) {
        double l = left + i * pitch + spare * kDigitLeftOfSpare;
        double r = l + digitWidth;
        double pointX = r + spare * (1 - kDigitLeftOfSpare) / 2;
        std::vector<Polygon> segments =
            DigitSegments(l, digitTop, r, digitBottom, stroke, gap, pointX);
        for (int bit = 0; bit < kDigitSegments; ++bit)
            shapes.push_back({{lcd.digitPage, lcd.digitFirstColumn + i, bit},
                              Sheared(segments[size_t(bit)], digitShear)});
    }

    SShear rowShear{tanSlant, rowTop + rowHeight / 2};
    double x = left + spare * kDigitLeftOfSpare;
    double symbolStroke = std::max(1.2, rowHeight * 0.18);
    for (const SAnnunciatorDesc& a : lcd.annunciators) {
        double gw = rowHeight * SymbolWidth(a.symbol);
        shapes.push_back(
            {a.bit,
             Sheared(SymbolOutline(a.symbol, x, rowTop, gw, rowHeight, symbolStroke), rowShear)});
        x += gw + rowHeight * 0.6;
    }
    return shapes;
}

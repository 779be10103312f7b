#include "tools/mkmodel/segment_colours.h"

#include <cmath>
#include <set>

namespace {

constexpr double kGoldenAngle = 137.50776405;

HexColour FromHsv(double hueDegrees, double saturation, double value) {
    double c = value * saturation;
    double h = std::fmod(hueDegrees, 360.0) / 60.0;
    double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (int(h)) {
        case 0:
            r = c, g = x;
            break;
        case 1:
            r = x, g = c;
            break;
        case 2:
            g = c, b = x;
            break;
        case 3:
            g = x, b = c;
            break;
        case 4:
            r = x, b = c;
            break;
        default:
            r = c, b = x;
            break;
    }
    double m = value - c;
    auto channel = [m](double v) { return HexColour(std::lround((v + m) * 255)); };
    return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

}  // namespace

std::vector<HexColour> SegmentKeyColours(size_t count, HexColour background) {
    static const double kValues[] = {0.92, 0.72, 0.55};
    std::vector<HexColour> colours;
    std::set<HexColour> used{background};
    for (size_t i = 0; i < count; ++i) {
        HexColour c = FromHsv(double(i) * kGoldenAngle, 0.85, kValues[i % 3]);
        while (used.count(c))  // rounding made two alike: step the blue channel
            c = (c & 0xFFFF00) | ((c + 1) & 0xFF);
        used.insert(c);
        colours.push_back(c);
    }
    return colours;
}

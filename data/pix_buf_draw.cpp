#include "data/pix_buf_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "data/colour.h"
#include "data/pix_buf.h"

namespace {

uint32_t RotateRight(uint32_t word) {
    return (word >> 1) | (word << 31);
}

}  // namespace

void CPixBufDraw::Pixel(int x, int y, uint32_t colour, double opacity) {
    if (std::isnan(opacity)) return;
    opacity = std::clamp(opacity, 0.0, 1.0);
    if (opacity < 1.0) {
        uint32_t old = m_pic.GetColour(x, y);
        auto mix = [&](uint32_t o, uint32_t c) {
            return uint32_t(std::lround(o * (1.0 - opacity) + c * opacity));
        };
        colour = Rgb(mix(RedOf(old), RedOf(colour)), mix(GreenOf(old), GreenOf(colour)),
                     mix(BlueOf(old), BlueOf(colour)));
    }
    m_pic.SetColour(x, y, colour);
}

void CPixBufDraw::HorizontalRun(int x1, int x2, int y, uint32_t colour, double opacity) {
    if (x1 > x2) std::swap(x1, x2);
    // Only the part inside the picture can change anything.
    int64_t from = std::max<int64_t>(x1, int64_t(-m_pic.OriginX()) - 1);
    int64_t to = std::min<int64_t>(x2, int64_t(m_pic.Width()) - m_pic.OriginX());
    for (int64_t x = from; x <= to; ++x)
        Pixel(int(x), y, colour, opacity);
}

void CPixBufDraw::FilledRect(int x1, int y1, int x2, int y2, uint32_t colour, double opacity) {
    if (y1 > y2) std::swap(y1, y2);
    int64_t from = std::max<int64_t>(y1, int64_t(-m_pic.OriginY()) - 1);
    int64_t to = std::min<int64_t>(y2, int64_t(m_pic.Height()) - m_pic.OriginY());
    for (int64_t y = from; y <= to; ++y)
        HorizontalRun(x1, x2, int(y), colour, opacity);
}

void CPixBufDraw::Stamp(int x, int y, int penSize, uint32_t colour, double opacity) {
    int from = 0, to = 0;  // square from x + from to x + to
    switch (penSize) {
        case 1:
            Pixel(x, y, colour, opacity);
            return;
        case 2:
            from = 0, to = 1;
            break;
        case 3:
            from = -1, to = 1;
            break;
        case 4:
            from = -1, to = 2;
            break;
        case 5:
            from = -2, to = 2;
            break;
        default:
            return;
    }
    bool discs = penSize >= 4;
    for (int dy = from; dy <= to; ++dy)
        for (int dx = from; dx <= to; ++dx) {
            bool corner = (dx == from || dx == to) && (dy == from || dy == to);
            if (!(discs && corner)) Pixel(x + dx, y + dy, colour, opacity);
        }
}

uint32_t CPixBufDraw::Line(int x1, int y1, int x2, int y2, int step, uint32_t dash, int penKind,
                           int penSize, uint32_t colour, double opacity) {
    if (penSize <= 0 || penKind != 0) return dash;
    if (step <= 0) step = 1;
    int64_t dx = std::llabs(int64_t(x2) - x1), dy = std::llabs(int64_t(y2) - y1);
    int sx = x2 < x1 ? -1 : 1, sy = y2 < y1 ? -1 : 1;
    bool xMajor = dx >= dy;
    int64_t longer = xMajor ? dx : dy, shorter = xMajor ? dy : dx;
    int64_t x = x1, y = y1, error = 0;
    for (int64_t i = 0; i <= longer; ++i) {
        if (i % step == 0) {
            if (dash & 1) Stamp(int(x), int(y), penSize, colour, opacity);
            dash = RotateRight(dash);
        }
        if (i == longer) break;
        (xMajor ? x : y) += xMajor ? sx : sy;
        error += shorter;
        if (error >= longer) {
            error -= longer;
            (xMajor ? y : x) += xMajor ? sy : sx;
        }
    }
    return dash;
}

uint32_t CPixBufDraw::RectOutline(int x1, int y1, int x2, int y2, int step, uint32_t dash,
                                  int penKind, int penSize, uint32_t colour, double opacity) {
    dash = Line(x1, y1, x2, y1, step, dash, penKind, penSize, colour, opacity);
    dash = Line(x2, y1, x2, y2, step, dash, penKind, penSize, colour, opacity);
    dash = Line(x2, y2, x1, y2, step, dash, penKind, penSize, colour, opacity);
    return Line(x1, y2, x1, y1, step, dash, penKind, penSize, colour, opacity);
}

uint32_t CPixBufDraw::Polyline(const std::vector<std::pair<int, int>>& points, int step,
                               uint32_t dash, int penKind, int penSize, uint32_t colour,
                               double opacity) {
    for (size_t i = 1; i < points.size(); ++i)
        dash = Line(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second,
                    step, dash, penKind, penSize, colour, opacity);
    return dash;
}

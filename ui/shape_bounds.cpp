#include "ui/shape_bounds.h"

#include <algorithm>

#include "data/sob.h"

std::optional<SRectI> ShapeBounds(const CSob& sob) {
    const CPolygonShape* shape = sob.Shape();
    if (!shape) return std::nullopt;
    std::vector<SPointI> points = shape->TransformedPoints(1, 1);
    if (points.empty()) return std::nullopt;
    SRectI r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const SPointI& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

SRectI ClipToPicture(const SRectI& r, int32_t width, int32_t height) {
    SRectI c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
             std::min(r.bottom, height)};
    if (c.left >= c.right || c.top >= c.bottom) return {};
    return c;
}

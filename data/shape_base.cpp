#include "data/shape_base.h"

#include <cmath>
#include <iterator>
#include <numbers>

namespace {

constexpr const char* kKindNames[] = {"Polygon", "Rectangle", "Arc", "Ellipse", "Bezier"};

int32_t ToCoordinate(double v) {
    if (std::isnan(v)) return 0;
    double limit = CShapeBase::kCoordinateLimit;
    return int32_t(std::trunc(std::fmax(-limit, std::fmin(limit, v))));
}

}  // namespace

const char* ShapeKindName(int kind) {
    return kind >= 0 && kind < int(std::size(kKindNames)) ? kKindNames[kind] : nullptr;
}

int ShapeKindFromName(std::string_view name) {
    for (int k = 0; k < int(std::size(kKindNames)); ++k)
        if (name == kKindNames[k]) return k;
    return -1;
}

SPointI CShapeBase::Transform(SPointD p, double a, double b, double c, double d) const {
    const SShapeBaseDms& s = m_base;
    double dx = (p.x - s.rotCenter.x) * a * s.docScale.x;
    double dy = (p.y - s.rotCenter.y) * b * s.docScale.y;
    double t = s.rotAngle * std::numbers::pi / 180.0;
    double x = std::cos(t) * dx + std::sin(t) * dy;
    double y = -std::sin(t) * dx + std::cos(t) * dy;
    x += a * s.docScale.x / 2 + a * s.rotCentreInDocument.x + c;
    y += b * s.docScale.y / 2 + b * s.rotCentreInDocument.y + d;
    return {ToCoordinate(x), ToCoordinate(y)};
}

std::vector<SPointI> CShapeBase::TransformedPoints(double a, double b, double c, double d) const {
    std::vector<SPointD> points = ShapePoints();
    std::vector<SPointI> out;
    out.reserve(points.size() + 1);
    for (const SPointD& p : points)
        out.push_back(Transform(p, a, b, c, d));
    if (ClosesPath() && !out.empty()) out.push_back(out.front());
    return out;
}

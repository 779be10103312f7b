#include "data/polygon_plot.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/dms.h"
#include "data/tag_buf_list.h"

namespace {

constexpr const char* kCoordTag = "POLYGONPLOTCOORD";
constexpr const char* kCoordTagsTag = "POLYGONPLTCRDTAG";

double ReduceAngle(double a) {
    if (!(a > 360)) return a;
    double r = std::fmod(a, 360.0);
    return r == 0 ? 360.0 : r;
}

}  // namespace

CPolygonPlot::CPolygonPlot()
    : m_points(0, sizeof(SPointD), nullptr, 0, 10), m_pointTags(0, 1, nullptr, 0, 10) {}

SPointD CPolygonPlot::Point(int i) const {
    SPointD p{0, 0};
    m_points.GetElement(i, &p);
    return p;
}

void CPolygonPlot::AddPoint(double x, double y) {
    SPointD p{x, y};
    m_points.Append(&p, 1);
}

void CPolygonPlot::SetPoints(const std::vector<SPointD>& points) {
    m_points.Assign(int(points.size()), sizeof(SPointD), points.data(), 1, 10);
}

std::vector<SPointD> CPolygonPlot::Points() const {
    std::vector<SPointD> out(static_cast<size_t>(PointCount()));
    for (int i = 0; i < PointCount(); ++i)
        out[size_t(i)] = Point(i);
    return out;
}

std::unique_ptr<CTagBufLst> CPolygonPlot::BuildTagList() const {
    auto list = std::make_unique<CTagBufLst>();
    list->Add(NewDmsTag(m_dms));
    list->Add(std::make_unique<CTagBuf>(kCoordTag, m_points));
    list->Add(std::make_unique<CTagBuf>(kCoordTagsTag, m_pointTags));
    return list;
}

int CPolygonPlot::LoadFromTagList(const CTagBufLst& list) {
    ReadDms(list, m_dms);
    // Points are read 16 bytes at a time: coordinates of another unit size are not taken.
    const CTagBuf* coords = list.FindTag(kCoordTag);
    if (coords && coords->ElementSize() == int(sizeof(SPointD))) coords->CopyUnitsTo(m_points);
    if (const CTagBuf* tags = list.FindTag(kCoordTagsTag)) tags->CopyUnitsTo(m_pointTags);
    return 1;
}

void CArcPlot::SetArc(SPointD centre, double hRadius, double vRadius, double startAngle,
                      double endAngle) {
    m_centre = centre;
    m_hRadius = hRadius;
    m_vRadius = vRadius;
    m_startAngle = ReduceAngle(startAngle);
    m_endAngle = ReduceAngle(endAngle);
}

void CArcPlot::GeneratePoints() {
    std::vector<SPointD> points;
    bool finite = std::isfinite(m_centre.x) && std::isfinite(m_centre.y) &&
                  std::isfinite(m_hRadius) && std::isfinite(m_vRadius) &&
                  std::isfinite(m_startAngle) && std::isfinite(m_endAngle);
    if (finite && m_hRadius > 0 && m_vRadius > 0) {
        double step = std::max(360.0 / std::max(m_hRadius, m_vRadius), 0.5);
        for (int i = 0; i < kMaxArcPoints; ++i) {
            double angle = m_startAngle + i * step;
            // A tolerance keeps rounding from adding a point just short of the end.
            bool last = angle >= m_endAngle - 1e-9;
            if (last) angle = m_endAngle;
            double rad = angle * std::numbers::pi / 180.0;
            points.push_back(
                {m_centre.x + m_hRadius * std::cos(rad), m_centre.y - m_vRadius * std::sin(rad)});
            if (last) break;
        }
        if (m_pie) {
            points.push_back(m_centre);
            points.push_back(points.front());
        }
    }
    SetPoints(points);
}

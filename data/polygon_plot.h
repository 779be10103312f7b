// CPolygonPlot: the outline of a shape as a list of points in shape coordinates, with the
// pen and background settings of the editing tools (loaded and saved, not used here).
// CArcPlot generates the points of an arc; CEllipsePlot is the full ellipse without the
// pie closure.
//
// Tag form: "POLYGONPLOTDMS" (the settings), "POLYGONPLOTCOORD" (16-byte points: double
// x, double y) and "POLYGONPLTCRDTAG" (per-point tag bytes, kept as stored).
//
// Arc points: none when a radius is not above 0. The step is 360 / (the larger radius)
// degrees, at least 0.5. Point i lies at angle start + i * step; the first angle that
// reaches the end angle is set to it and gives the last point. A point is (centre x +
// HRadius cos a, centre y - VRadius sin a). With the pie flag, the centre and then the
// first point are appended. Angles above 360 are reduced by 360 until they are not.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "data/geometry.h"
#include "data/tag_field.h"
#include "util/cbuf.h"

class CTagBufLst;

struct SPolygonPlotDms {
    static constexpr const char* kLabel = "POLYGONPLOTDMS";
    static constexpr STagField kFields[] = {{"Id", kTagInt32, 1},
                                            {"DrawMode", kTagInt32, 1},
                                            {"PenStyle", kTagInt32, 1},
                                            {"PenWidth", kTagInt32, 1},
                                            {"PenColor", kTagUInt32, 1},
                                            {"PenLogBrush", kTagUInt8, 12},
                                            {"Close", kTagBool, 1},
                                            {"AutoRecTicks", kTagUInt32, 1},
                                            {"CoordTagBytes", kTagInt32, 1},
                                            {"BkType", kTagInt32, 1},
                                            {"BkColor", kTagUInt32, 1},
                                            {"BkLogBrush", kTagUInt8, 12}};

    int32_t id = 0;
    int32_t drawMode = 0;
    int32_t penStyle = 0;
    int32_t penWidth = 1;
    uint32_t penColor = 0;
    uint8_t penLogBrush[12] = {};
    int32_t close = 1;
    uint32_t autoRecTicks = 0;
    int32_t coordTagBytes = 0;
    int32_t bkType = 0;
    uint32_t bkColor = 0xFFFFFF;
    uint8_t bkLogBrush[12] = {};

    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.id);
        io(s.drawMode);
        io(s.penStyle);
        io(s.penWidth);
        io(s.penColor);
        io(s.penLogBrush);
        io(s.close);
        io(s.autoRecTicks);
        io(s.coordTagBytes);
        io(s.bkType);
        io(s.bkColor);
        io(s.bkLogBrush);
    }
};

class CPolygonPlot {
public:
    CPolygonPlot();
    virtual ~CPolygonPlot() = default;

    SPolygonPlotDms& Settings() { return m_dms; }
    const SPolygonPlotDms& Settings() const { return m_dms; }
    bool IsClosed() const { return m_dms.close != 0; }

    int PointCount() const { return m_points.Count(); }
    SPointD Point(int i) const;
    void AddPoint(double x, double y);
    void SetPoints(const std::vector<SPointD>& points);
    std::vector<SPointD> Points() const;
    const CBuf& PointTags() const { return m_pointTags; }
    void SetPointTags(const CBuf& tags) { m_pointTags = tags; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(const CTagBufLst& list);

private:
    SPolygonPlotDms m_dms;
    CBuf m_points;     // SPointD
    CBuf m_pointTags;  // as stored
};

class CArcPlot : public CPolygonPlot {
public:
    // Points a real arc can have; more come only from damaged angles.
    static constexpr int kMaxArcPoints = 1 << 16;

    void SetArc(SPointD centre, double hRadius, double vRadius, double startAngle = 0,
                double endAngle = 360);
    void SetPie(bool on) { m_pie = on; }
    bool Pie() const { return m_pie; }
    double StartAngle() const { return m_startAngle; }
    double EndAngle() const { return m_endAngle; }
    // Replaces the points with those of the arc.
    void GeneratePoints();

private:
    SPointD m_centre{0, 0};
    double m_hRadius = 0;
    double m_vRadius = 0;
    double m_startAngle = 0;
    double m_endAngle = 360;
    bool m_pie = true;
};

class CEllipsePlot : public CArcPlot {
public:
    CEllipsePlot() { SetPie(false); }
};

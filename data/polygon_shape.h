// The shapes of shape books: CPolygonShape and the two kinds built on it, CRectangleShape
// and CEllipseShape.
//
// A polygon shape has the base of every shape (shape_base.h), three settings of the editing
// tools ("POLYGONSHAPEDMS": "FillImg", "MaskImgIdx", "SbkMaskImgId"), its outline as a
// polygon plot, mask images, and the span map that hit tests use.
//
// Where the points come from:
//   polygon    the plot's points;
//   rectangle  the four corners of the outline rectangle, (left, top), (right, top),
//              (right, bottom), (left, bottom), as stored (not put in order);
//   ellipse    generated from the outline rectangle: centre in its middle, radii half its
//              width and height, 0 to 360 degrees (polygon_plot.h). They also replace the
//              plot's points, so a saved ellipse carries them.
//
// Tag list (what a shape object nests under "Shape:<kind>"): child "ShapeBase"
// ("SHAPEBASEDMS"), "POLYGONSHAPEDMS", child "PolygonPlot" (polygon_plot.h) and children
// "MaskImg0", "MaskImg1", ... (mask_img.h).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "data/mask_img.h"
#include "data/polygon_map.h"
#include "data/polygon_plot.h"
#include "data/shape_base.h"

struct SPolygonShapeDms {
    static constexpr const char* kLabel = "POLYGONSHAPEDMS";
    static constexpr STagField kFields[] = {
        {"FillImg", kTagInt32, 1}, {"MaskImgIdx", kTagInt32, 1}, {"SbkMaskImgId", kTagInt32, 1}};
    int32_t fillImg = 0;
    int32_t maskImgIdx = -1;
    int32_t sbkMaskImgId = -1;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.fillImg);
        io(s.maskImgIdx);
        io(s.sbkMaskImgId);
    }
};

class CPolygonShape : public CShapeBase {
public:
    // Mask images a shape reads at most ("MaskImg0" to "MaskImg9999").
    static constexpr int kMaxMasks = 10000;

    int Kind() const override { return kShapePolygon; }

    SPolygonShapeDms& Settings() { return m_dms; }
    const SPolygonShapeDms& Settings() const { return m_dms; }
    CPolygonPlot& Plot() { return m_plot; }
    const CPolygonPlot& Plot() const { return m_plot; }

    int MaskCount() const { return int(m_masks.size()); }
    CMaskImg* Mask(int i);
    const CMaskImg* Mask(int i) const;
    CMaskImg* AddMask(std::unique_ptr<CMaskImg> mask);

    std::vector<SPointD> ShapePoints() const override { return m_plot.Points(); }
    bool ClosesPath() const override { return m_plot.IsClosed(); }

    // Rebuilds the span map from the points transformed with the scale and no offset.
    // budget: see CPolygonMap::Build. false when the map stays empty.
    bool UpdateSpanMap(double scaleX, double scaleY, int64_t* budget = nullptr);
    const CPolygonMap& SpanMap() const { return m_map; }

    std::unique_ptr<CTagBufLst> BuildTagList() const override;
    int LoadFromTagList(CTagBufLst& list) override;

protected:
    // Called after loading: lets a kind bring its plot in line with its outline.
    virtual void AfterLoad() {}

private:
    SPolygonShapeDms m_dms;
    CPolygonPlot m_plot;
    std::vector<std::unique_ptr<CMaskImg>> m_masks;
    CPolygonMap m_map;
};

class CRectangleShape : public CPolygonShape {
public:
    int Kind() const override { return kShapeRectangle; }
    std::vector<SPointD> ShapePoints() const override;
    // Sets the outline and makes the plot's points its four corners.
    void SetOutline(const SRectD& outline) override;
};

class CEllipseShape : public CPolygonShape {
public:
    int Kind() const override { return kShapeEllipse; }
    std::vector<SPointD> ShapePoints() const override;
    // Sets the outline and regenerates the plot's points from it.
    void SetOutline(const SRectD& outline) override;

protected:
    void AfterLoad() override;
};

// A new shape of the kind, or nullptr for the kinds that have no shape class (arc, Bezier,
// unknown numbers).
std::unique_ptr<CPolygonShape> NewShape(int kind);

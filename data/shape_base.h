// CShapeBase: what every shape of a shape book has: an id, an outline rectangle and the
// projection of its points (shape coordinates) into the document (the picture the shapes
// are drawn over).
//
// Transformed points (scale a, b; offset c, d), for each point (x, y) of the shape:
//   dx = (x - RotCenter.x) * a * DocProjScale.x,  dy = (y - RotCenter.y) * b * DocProjScale.y
//   rotated by t = DocProjRotAngle degrees:  x' = cos t dx + sin t dy,  y' = -sin t dx + cos t dy
//   X = x' + a DocProjScale.x / 2 + a RotCntrDocCoord.x + c   (likewise Y with b, d)
// truncated toward zero. The half scale puts a point in the middle of its pixel: a shape
// with the default projection (no rotation, scale 1, both centres at 0, 0) keeps integer
// points where they are. When the shape's path is closed, its first point is repeated after
// the last.
//
// Tag form: "SHAPEBASEDMS", 96 bytes. The outline and the points are stored as bytes (type 2)
// holding doubles.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "data/geometry.h"
#include "data/tag_field.h"

class CTagBufLst;

enum EShapeKind : int32_t {
    kShapePolygon = 0,
    kShapeRectangle = 1,
    kShapeArc = 2,
    kShapeEllipse = 3,
    kShapeBezier = 4,
};

// "Polygon", "Rectangle", "Arc", "Ellipse", "Bezier"; nullptr for another number.
const char* ShapeKindName(int kind);
// The number of a kind name, or -1.
int ShapeKindFromName(std::string_view name);

struct SRectD {
    double left;
    double top;
    double right;
    double bottom;
};
static_assert(sizeof(SRectD) == 32);

struct SShapeBaseDms {
    static constexpr const char* kLabel = "SHAPEBASEDMS";
    static constexpr STagField kFields[] = {{"Id", kTagInt32, 1},
                                            {"Outline", kTagUInt8, 32},
                                            {"RotCenter", kTagUInt8, 16},
                                            {"DocProjRotAngle", kTagDouble, 1},
                                            {"RotCntrDocCoord", kTagUInt8, 16},
                                            {"DocProjScale", kTagUInt8, 16},
                                            {"Selected", kTagBool, 1}};

    int32_t id = 0;
    SRectD outline{0, 0, 0, 0};
    SPointD rotCenter{0, 0};
    double rotAngle = 0;
    SPointD rotCentreInDocument{0, 0};
    SPointD docScale{1, 1};
    int32_t selected = 0;

    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.id);
        io(s.outline);
        io(s.rotCenter);
        io(s.rotAngle);
        io(s.rotCentreInDocument);
        io(s.docScale);
        io(s.selected);
    }
};

class CShapeBase {
public:
    // Transformed coordinates are kept within this range, so that no later arithmetic on
    // them can overflow, whatever a damaged file holds.
    static constexpr int32_t kCoordinateLimit = 1 << 30;

    virtual ~CShapeBase() = default;

    virtual int Kind() const = 0;
    const char* KindName() const { return ShapeKindName(Kind()); }

    SShapeBaseDms& Base() { return m_base; }
    const SShapeBaseDms& Base() const { return m_base; }
    int32_t Id() const { return m_base.id; }
    void SetId(int32_t id) { m_base.id = id; }
    const SRectD& Outline() const { return m_base.outline; }
    virtual void SetOutline(const SRectD& outline) { m_base.outline = outline; }

    // The points of the outline in shape coordinates, before closing.
    virtual std::vector<SPointD> ShapePoints() const = 0;
    virtual bool ClosesPath() const { return false; }
    int PointCount() const { return int(ShapePoints().size()); }
    std::vector<SPointI> TransformedPoints(double scaleX, double scaleY, double offsetX = 0,
                                           double offsetY = 0) const;
    // One point through the projection (no closing).
    SPointI Transform(SPointD p, double scaleX, double scaleY, double offsetX = 0,
                      double offsetY = 0) const;

    virtual std::unique_ptr<CTagBufLst> BuildTagList() const = 0;
    virtual int LoadFromTagList(CTagBufLst& list) = 0;

protected:
    SShapeBaseDms m_base;
};

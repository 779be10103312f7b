// Shapes: the projection into document coordinates, rectangle corners, ellipse and arc points.
#include <gtest/gtest.h>

#include <cmath>

#include "data/polygon_plot.h"
#include "data/polygon_shape.h"

namespace {

TEST(ShapeProjection, RotationScaleAndCentresMoveThePoints) {
    CPolygonShape shape;
    SShapeBaseDms& base = shape.Base();
    base.rotCenter = {3, 4};
    base.rotCentreInDocument = {10, 20};
    struct {
        double angle, scale;
        SPointD point;
        SPointI expected;
        const char* what;
    } cases[] = {
        // 90 degrees: (RotCenter.x + 1, RotCenter.y) lands at (10.5, 19.5) before truncation.
        {90, 1, {4, 4}, {10, 19}, "quarter turn"},
        {0, 1, {4, 4}, {11, 20}, "no turn: half a pixel right and down"},
        {0, 2, {4, 5}, {23, 43}, "scale 2 doubles the distance and the centres"},
        {180, 1, {4, 5}, {9, 19}, "half turn"},
    };
    for (const auto& c : cases) {
        base.rotAngle = c.angle;
        SPointI p = shape.Transform(c.point, c.scale, c.scale);
        EXPECT_EQ(p, c.expected) << c.what << ": " << p.x << "," << p.y;
    }
    base.docScale = {1e200, 1e200};
    base.rotAngle = 0;
    SPointI far = shape.Transform({1e100, -1e100}, 1, 1);
    EXPECT_EQ(far.x, CShapeBase::kCoordinateLimit);
    EXPECT_EQ(far.y, -CShapeBase::kCoordinateLimit);
    base.docScale = {NAN, 1};
    EXPECT_EQ(shape.Transform({1, 1}, 1, 1).x, 0);
}

TEST(Shapes, ARectangleIsItsFourCornersAsStored) {
    CRectangleShape rect;
    rect.SetOutline({10, 5, 2, 8});  // left right of right: kept as it is
    std::vector<SPointI> points = rect.TransformedPoints(1, 1);
    std::vector<SPointI> expected = {{10, 5}, {2, 5}, {2, 8}, {10, 8}, {10, 5}};
    EXPECT_EQ(points, expected);  // the path is closed: the first point is repeated
    EXPECT_EQ(rect.PointCount(), 4);
    EXPECT_EQ(rect.Plot().PointCount(), 4);
    rect.Plot().Settings().close = 0;
    EXPECT_EQ(rect.TransformedPoints(1, 1).size(), 4u);
}

TEST(Shapes, AnEllipseIsGeneratedFromItsOutline) {
    CEllipseShape ellipse;
    ellipse.SetOutline({0, 0, 200, 100});
    std::vector<SPointD> points = ellipse.ShapePoints();
    ASSERT_EQ(points.size(), 101u);  // step 360 / 100 = 3.6 degrees, 0 to 360
    EXPECT_NEAR(points.front().x, 200, 1e-9);
    EXPECT_NEAR(points.front().y, 50, 1e-9);
    EXPECT_NEAR(points[25].x, 100, 1e-9);  // 90 degrees: the top
    EXPECT_NEAR(points[25].y, 0, 1e-9);
    EXPECT_NEAR(points.back().x, 200, 1e-9);
    EXPECT_EQ(ellipse.Plot().PointCount(), 101);
    ASSERT_TRUE(ellipse.UpdateSpanMap(1, 1));
    EXPECT_TRUE(ellipse.SpanMap().Contains(100, 50));
    EXPECT_FALSE(ellipse.SpanMap().Contains(5, 5));
}

TEST(ArcPlot, StepsAnglesAndThePie) {
    CArcPlot arc;
    arc.SetArc({0, 0}, 2, 1, 370, 720);  // reduced to 10 and 360
    EXPECT_EQ(arc.StartAngle(), 10);
    EXPECT_EQ(arc.EndAngle(), 360);
    arc.GeneratePoints();
    // Step max(360 / 2, 0.5) = 180: 10, 190, 360; then the centre and the first point.
    ASSERT_EQ(arc.PointCount(), 5);
    EXPECT_NEAR(arc.Point(2).x, 2, 1e-12);
    EXPECT_EQ(arc.Point(3).x, 0);
    EXPECT_EQ(arc.Point(4).x, arc.Point(0).x);

    arc.SetPie(false);
    arc.SetArc({5, 5}, 1000, 1000, 0, 90);  // the step is at least half a degree
    arc.GeneratePoints();
    EXPECT_EQ(arc.PointCount(), 181);
    for (double radius : {0.0, -1.0, double(NAN)}) {
        arc.SetArc({0, 0}, radius, 10);
        arc.GeneratePoints();
        EXPECT_EQ(arc.PointCount(), 0) << radius;
    }
    arc.SetArc({0, 0}, 10, 10, -1e300, 0);  // no end in sight: the count is bounded
    arc.GeneratePoints();
    EXPECT_EQ(arc.PointCount(), CArcPlot::kMaxArcPoints);
}

}  // namespace

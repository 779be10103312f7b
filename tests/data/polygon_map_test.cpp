// Span maps: scanline filling with the vertex rules, Contains, Contains shape, hit tests.
#include <gtest/gtest.h>

#include "data/polygon_map.h"

namespace {

using Spans = std::vector<std::pair<int, int>>;

Spans RowOf(const CPolygonMap& map, int y) {
    Spans out;
    for (const auto& s : map.RowSpans(y))
        out.push_back({s.xStart, s.xEnd});
    return out;
}

CPolygonMap Map(std::vector<SPointI> points) {
    CPolygonMap map;
    map.Build(points);
    return map;
}

CPolygonMap Rect(int l, int t, int r, int b) {
    return Map({{l, t}, {r, t}, {r, b}, {l, b}});
}

TEST(PolygonMap, ARectangleLeavesItsLastRowAndColumnOutside) {
    CPolygonMap map = Rect(0, 0, 10, 5);
    EXPECT_EQ(map.MinX(), 0);
    EXPECT_EQ(map.MaxX(), 10);
    EXPECT_EQ(map.MaxY(), 5);
    struct {
        int x, y;
        bool inside;
    } cases[] = {{1, 1, true},  {9, 4, true},   {0, 0, true},  {10, 2, false},
                 {3, 5, false}, {-1, 2, false}, {5, -1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(map.Contains(c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(PolygonMap, TopAndBottomPointsCountTwiceAndPassingPointsOnce) {
    CPolygonMap diamond = Map({{2, 0}, {4, 2}, {2, 4}, {0, 2}});
    Spans rows[] = {{{2, 2}}, {{1, 3}}, {{0, 4}}, {{1, 3}}, {{2, 2}}};
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(RowOf(diamond, y), rows[y]) << y;
    EXPECT_EQ(diamond.FirstRow(), 0);
    EXPECT_EQ(diamond.RowCount(), 5);

    // A step in the outline: the vertical edges on either side of the horizontal run are
    // compared as if they met; the outline passes through, so the row has one span.
    CPolygonMap step = Map({{0, 0}, {4, 0}, {4, 2}, {6, 2}, {6, 4}, {0, 4}});
    EXPECT_EQ(RowOf(step, 1), (Spans{{0, 4}}));
    EXPECT_EQ(RowOf(step, 2), (Spans{{0, 6}, {4, 6}}));
    EXPECT_EQ(RowOf(step, 4), (Spans{{0, 6}, {0, 6}}));
    EXPECT_TRUE(step.Contains(5, 2));
    EXPECT_FALSE(step.Contains(5, 1));
}

TEST(PolygonMap, ShallowEdgesCrossARowWhereTheyFirstReachIt) {
    // From (0, 0) to (6, 2) and back along the x axis: x steps 3 per row.
    CPolygonMap wedge = Map({{0, 0}, {6, 2}, {0, 2}});
    EXPECT_EQ(RowOf(wedge, 1), (Spans{{0, 3}}));
    EXPECT_EQ(RowOf(wedge, 2), (Spans{{0, 6}, {0, 6}}));
    // Steep: (0, 0) to (2, 6): x moves once the error reaches the row count.
    CPolygonMap steep = Map({{0, 0}, {2, 6}, {0, 6}});
    EXPECT_EQ(RowOf(steep, 2), (Spans{{0, 0}}));
    EXPECT_EQ(RowOf(steep, 3), (Spans{{0, 1}}));
}

TEST(PolygonMap, DegenerateOutlinesGiveEmptyMaps) {
    EXPECT_TRUE(Map({{0, 0}, {5, 5}}).IsEmpty());
    EXPECT_FALSE(Map({{0, 0}, {5, 0}, {5, 5}, {5, 5}, {0, 0}}).IsEmpty());
    CPolygonMap tall = Map({{0, 0}, {1, 0}, {1, CPolygonMap::kMaxRows}});
    EXPECT_TRUE(tall.IsEmpty());
    EXPECT_FALSE(tall.Contains(0, 0));
}

TEST(PolygonMap, ABudgetIsSharedAndNotOverdrawn) {
    CPolygonMap map;
    int64_t budget = 5;
    EXPECT_FALSE(map.Build({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, &budget));
    EXPECT_EQ(budget, 5);
    budget = 100;
    EXPECT_TRUE(map.Build({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, &budget));
    EXPECT_LT(budget, 100);
}

TEST(PolygonMap, ContainsShapeNeedsAStrictlyEnclosingBox) {
    CPolygonMap frame = Rect(0, 0, 100, 100), key = Rect(10, 10, 30, 30);
    CPolygonMap same = Rect(0, 0, 100, 100), edge = Rect(0, 10, 30, 30);
    CPolygonMap across = Rect(50, 50, 150, 60);
    EXPECT_TRUE(frame.ContainsShape(key));
    EXPECT_FALSE(key.ContainsShape(frame));
    EXPECT_FALSE(frame.ContainsShape(same));
    EXPECT_FALSE(frame.ContainsShape(edge));
    EXPECT_FALSE(frame.ContainsShape(across));
    // A box inside the box but spans outside the shape: a notch cut into the frame.
    CPolygonMap notched = Map({{0, 0}, {100, 0}, {100, 100}, {20, 100}, {20, 20}, {0, 20}});
    EXPECT_FALSE(notched.ContainsShape(Rect(5, 30, 40, 40)));
}

TEST(PolygonMap, HitTestPrefersTheInnermostThenTheLater) {
    CPolygonMap frame = Rect(0, 0, 100, 100), key = Rect(10, 10, 30, 30);
    CPolygonMap left = Rect(40, 40, 70, 70), right = Rect(60, 40, 90, 70);
    struct {
        std::vector<const CPolygonMap*> maps;
        int x, y, expected;
        const char* what;
    } cases[] = {
        {{&frame, &key}, 15, 15, 1, "key inside frame"},
        {{&key, &frame}, 15, 15, 0, "key listed first still wins"},
        {{&frame, &key}, 50, 5, 0, "only the frame"},
        {{&left, &right}, 65, 50, 1, "overlap: the later wins"},
        {{&right, &left}, 65, 50, 1, "overlap: the later wins either way"},
        {{&frame, &left, &right}, 65, 50, 2, "equal counts: the later"},
        {{&frame, nullptr}, 15, 15, 0, "no shape never matches"},
        {{&frame, &key}, 150, 15, -1, "nothing there"},
        {{}, 0, 0, -1, "empty page"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPolygonMap::HitTest(c.maps, c.x, c.y), c.expected) << c.what;
}

}  // namespace

// CPolygonMap: the span map of a shape, for hit testing.
//
// For each pixel row of the shape, the x ranges it covers. Built from the shape's outline
// (integer points) by scanlines with the even-odd rule:
//   - edges join each point to the next and the last to the first; each runs from its end
//     of smaller y ("start") to the other ("end");
//   - a horizontal edge adds a span of its own on its row;
//   - every other edge gives one crossing per row it spans; where two of them meet (with
//     any horizontal run between them skipped), the vertex counts twice at a top or bottom
//     point of the outline (start of both, or end of both) and once where the outline
//     passes through (the edge that ends there gives no crossing on that row);
//   - between its ends an edge's x follows an integer error term (the x at which a row is
//     first reached, for edges flatter than 45 degrees);
//   - the sorted crossings of a row pair up into spans.
// The bounding box holds the smallest and largest span ends and rows. Contains() takes
// min <= x < max and min <= y < max, so a shape's last row and its largest span end never
// count as inside.
//
// Fewer than 3 points give an empty map, which contains nothing. So does a shape of more
// than kMaxRows rows or kMaxCrossings crossings: no key is that large, and a damaged file
// must not make the map take unbounded time or memory.
#pragma once

#include <cstdint>
#include <vector>

#include "data/geometry.h"
#include "util/cbuf.h"

class CPolygonMap {
public:
    static constexpr int kMaxRows = 1 << 16;
    static constexpr int kMaxCrossings = 1 << 20;

    struct SSpan {
        int32_t xStart;
        int32_t xEnd;  // inclusive
    };

    CPolygonMap();

    void Clear();
    // Builds the map from the outline points; false (and an empty map) when the outline is
    // degenerate or too large. With a budget, the crossings the map needs are taken from it
    // and a map that needs more than is left is not built: a shape book shares one budget
    // among all its shapes.
    bool Build(const std::vector<SPointI>& points, int64_t* budget = nullptr);
    bool IsEmpty() const { return m_spans.Count() == 0; }

    bool Contains(int x, int y) const;
    // This box strictly encloses other's box and both ends of every span of other are
    // inside this map.
    bool ContainsShape(const CPolygonMap& other) const;

    // Index of the map under the point, or -1. Several: the one that most of the others
    // contain whole wins (the innermost); equal counts go to the later one. nullptr
    // entries never match.
    static int HitTest(const std::vector<const CPolygonMap*>& maps, int x, int y);

    int FirstRow() const { return m_y0; }
    int MinX() const { return m_minX; }
    int MinY() const { return m_minY; }
    int MaxX() const { return m_maxX; }
    int MaxY() const { return m_maxY; }
    int RowCount() const { return m_rowIndex.Count(); }
    // Spans of row y (document coordinates), in x order.
    std::vector<SSpan> RowSpans(int y) const;
    const CBuf& Spans() const { return m_spans; }

private:
    int m_y0 = 0;
    int m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    CBuf m_rowIndex;  // int32: index of each row's first span
    CBuf m_spans;     // SSpan
};

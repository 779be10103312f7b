#include "data/polygon_map.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct SEdge {
    SPointI a, b;  // in path order
    bool horizontal() const { return a.y == b.y; }
    // The path end b is the edge's end (its larger y).
    bool endsAtB() const { return b.y > a.y; }
    bool dropEnd = false;
};

struct SRowSpan {
    int32_t row, xStart, xEnd;
};

std::vector<SPointI> CleanOutline(const std::vector<SPointI>& points) {
    std::vector<SPointI> p;
    for (const SPointI& q : points)
        if (p.empty() || !(p.back() == q)) p.push_back(q);
    if (p.size() > 1 && p.back() == p.front()) p.pop_back();
    return p;
}

std::vector<SEdge> MakeEdges(const std::vector<SPointI>& p) {
    std::vector<SEdge> edges;
    for (size_t i = 0; i < p.size(); ++i)
        edges.push_back({p[i], p[(i + 1) % p.size()]});
    // Junctions of consecutive non-horizontal edges (horizontal runs between them skipped):
    // where the outline passes through, the edge that ends there drops its crossing.
    std::vector<size_t> slanted;
    for (size_t i = 0; i < edges.size(); ++i)
        if (!edges[i].horizontal()) slanted.push_back(i);
    for (size_t k = 0; k < slanted.size(); ++k) {
        SEdge& in = edges[slanted[k]];
        SEdge& out = edges[slanted[(k + 1) % slanted.size()]];
        bool inEnds = in.endsAtB(), outEnds = !out.endsAtB();
        if (inEnds != outEnds) (inEnds ? in : out).dropEnd = true;
    }
    return edges;
}

// Crossings of one slanted edge, one per row from its start to its end.
void AddCrossings(const SEdge& e, std::vector<std::pair<int32_t, int32_t>>& crossings) {
    SPointI s = e.endsAtB() ? e.a : e.b, t = e.endsAtB() ? e.b : e.a;
    int64_t dy = int64_t(t.y) - s.y, dx = std::llabs(int64_t(t.x) - s.x);
    int64_t sx = t.x < s.x ? -1 : 1;
    for (int64_t k = 0; k <= dy; ++k) {
        if (k == dy && e.dropEnd) break;
        int64_t steps = dx < dy ? k * dx / dy : (k * dx + dy - 1) / dy;
        crossings.emplace_back(int32_t(s.y + k), int32_t(s.x + sx * steps));
    }
}

}  // namespace

CPolygonMap::CPolygonMap() {
    Clear();
}

void CPolygonMap::Clear() {
    m_y0 = m_minX = m_minY = m_maxX = m_maxY = 0;
    m_rowIndex.Assign(0, 4, nullptr, 0, 0);
    m_spans.Assign(0, sizeof(SSpan), nullptr, 0, 0);
}

bool CPolygonMap::Build(const std::vector<SPointI>& points, int64_t* budget) {
    Clear();
    if (points.size() < 3) return false;
    std::vector<SPointI> p = CleanOutline(points);
    int64_t minRow = INT64_MAX, maxRow = INT64_MIN;
    for (const SPointI& q : p)
        minRow = std::min<int64_t>(minRow, q.y), maxRow = std::max<int64_t>(maxRow, q.y);
    if (maxRow - minRow + 1 > kMaxRows) return false;
    std::vector<SEdge> edges = MakeEdges(p);
    int64_t work = 0;
    for (const SEdge& e : edges)
        work += std::llabs(int64_t(e.b.y) - e.a.y) + 1;
    if (work > kMaxCrossings || (budget && work > *budget)) return false;
    if (budget) *budget -= work;

    std::vector<std::pair<int32_t, int32_t>> crossings;
    std::vector<SRowSpan> runs;
    for (const SEdge& e : edges) {
        if (e.horizontal())
            runs.push_back({e.a.y, std::min(e.a.x, e.b.x), std::max(e.a.x, e.b.x)});
        else
            AddCrossings(e, crossings);
    }
    std::sort(crossings.begin(), crossings.end());
    // Crossing pairs of each row, then the row's horizontal runs, as one list by row.
    for (size_t i = 0; i + 1 < crossings.size();) {
        if (crossings[i].first != crossings[i + 1].first) {
            ++i;  // an odd crossing left over in its row
            continue;
        }
        runs.push_back({crossings[i].first, crossings[i].second, crossings[i + 1].second});
        i += 2;
    }
    if (runs.empty()) return false;
    std::sort(runs.begin(), runs.end(), [](const SRowSpan& l, const SRowSpan& r) {
        return l.row != r.row ? l.row < r.row : l.xStart < r.xStart;
    });

    m_y0 = runs.front().row;
    int rows = runs.back().row - m_y0 + 1;
    m_rowIndex.Assign(rows, 4, nullptr, 0, 0);
    m_spans.Assign(int(runs.size()), sizeof(SSpan), nullptr, 0, 0);
    m_minX = runs.front().xStart;
    m_maxX = runs.front().xEnd;
    size_t next = 0;
    for (int r = 0; r < rows; ++r) {
        int32_t first = int32_t(next);
        m_rowIndex.SetElement(r, &first);
        for (; next < runs.size() && runs[next].row == m_y0 + r; ++next) {
            SSpan s{runs[next].xStart, runs[next].xEnd};
            m_spans.SetElement(int(next), &s);
            m_minX = std::min(m_minX, s.xStart);
            m_maxX = std::max(m_maxX, s.xEnd);
        }
    }
    m_minY = m_y0;
    m_maxY = runs.back().row;
    return true;
}

std::vector<CPolygonMap::SSpan> CPolygonMap::RowSpans(int y) const {
    std::vector<SSpan> out;
    int64_t r = int64_t(y) - m_y0;
    if (IsEmpty() || r < 0 || r >= RowCount()) return out;
    int begin = m_rowIndex.GetInt(int(r));
    int end = r + 1 < RowCount() ? m_rowIndex.GetInt(int(r + 1)) : m_spans.Count();
    for (int i = begin; i < end; ++i) {
        SSpan s;
        m_spans.GetElement(i, &s);
        out.push_back(s);
    }
    return out;
}

bool CPolygonMap::Contains(int x, int y) const {
    if (IsEmpty() || x < m_minX || x >= m_maxX || y < m_minY || y >= m_maxY) return false;
    for (const SSpan& s : RowSpans(y))
        if (s.xStart <= x && x <= s.xEnd) return true;
    return false;
}

bool CPolygonMap::ContainsShape(const CPolygonMap& other) const {
    if (IsEmpty() || other.IsEmpty()) return false;
    if (!(m_minX < other.m_minX && m_minY < other.m_minY && other.m_maxX < m_maxX &&
          other.m_maxY < m_maxY))
        return false;
    for (int r = 0; r < other.RowCount(); ++r) {
        int y = other.m_y0 + r;
        for (const SSpan& s : other.RowSpans(y))
            if (!Contains(s.xStart, y) || !Contains(s.xEnd, y)) return false;
    }
    return true;
}

int CPolygonMap::HitTest(const std::vector<const CPolygonMap*>& maps, int x, int y) {
    std::vector<int> hits;
    for (size_t i = 0; i < maps.size(); ++i)
        if (maps[i] && maps[i]->Contains(x, y)) hits.push_back(int(i));
    if (hits.empty()) return -1;
    int best = -1, bestCount = -1;
    for (int candidate : hits) {
        int enclosing = 0;
        for (int other : hits)
            if (other != candidate && maps[size_t(other)]->ContainsShape(*maps[size_t(candidate)]))
                ++enclosing;
        if (enclosing >= bestCount) best = candidate, bestCount = enclosing;
    }
    return best;
}

#include "engine/checks/polygon_checks.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/clipper/clipper.h"
#include "model/height_limit.h"

namespace {

bool SamePoint(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}

// The line through an edge: vertical, or slope and intercept with the edge ordered left to right.
struct EdgeLine {
    bool vertical;
    double slope;
    double intercept;
};

EdgeLine LineOf(Edge* edge, bool ok) {
    if (edge->start.x == edge->end.x || !ok)
        return {true, 0.0, 0.0};
    if (edge->end.x < edge->start.x)
        std::swap(edge->start, edge->end);
    double slope = (edge->end.y - edge->start.y) / (edge->end.x - edge->start.x);
    return {false, slope, edge->start.y - edge->start.x * slope};
}

bool StrictlyBetween(double low, double value, double high) {
    return low < value && value < high;
}

void OrderPair(double a, double b, double* low, double* high) {
    *low = a < b ? a : b;
    *high = a < b ? b : a;
}

bool VerticalEdgesOverlap(const Edge& a, const Edge& b) {
    double aLo, aHi, bLo, bHi;
    OrderPair(a.start.y, a.end.y, &aLo, &aHi);
    OrderPair(b.start.y, b.end.y, &bLo, &bHi);
    return StrictlyBetween(aLo, bLo, aHi) || StrictlyBetween(aLo, bHi, aHi) || StrictlyBetween(bLo, aLo, bHi) ||
           StrictlyBetween(bLo, aHi, bHi) || aLo == bLo || aHi == bHi;
}

// A vertical edge against a sloped one: they cross when the sloped line passes strictly inside the
// vertical edge at a point strictly inside the sloped edge's x range.
bool VerticalCrossesSloped(const Edge& vertical, const Edge& sloped, const EdgeLine& slopedLine) {
    double y = slopedLine.intercept + slopedLine.slope * vertical.start.x;
    double lo, hi;
    OrderPair(vertical.start.y, vertical.end.y, &lo, &hi);
    return StrictlyBetween(lo, y, hi) && StrictlyBetween(sloped.start.x, vertical.start.x, sloped.end.x);
}

bool CollinearEdgesOverlap(const Edge& a, const Edge& b) {
    return StrictlyBetween(b.start.x, a.start.x, b.end.x) || StrictlyBetween(b.start.x, a.end.x, b.end.x) ||
           StrictlyBetween(a.start.x, b.start.x, a.end.x) || StrictlyBetween(a.start.x, b.end.x, a.end.x) ||
           a.start.x == b.start.x || a.end.x == b.end.x;
}

// Moves value onto each candidate closer than 1e-9 in turn, so a later candidate wins.
double SnapTo(double value, double c0, double c1, double c2, double c3) {
    for (double candidate : {c0, c1, c2, c3})
        if (std::fabs(value - candidate) < 1e-9)
            value = candidate;
    return value;
}

// Inside a left-to-right edge: strictly within its x range and its y range; a horizontal edge
// contains only points on its own y.
bool InsideSloped(const Edge& e, double x, double y) {
    if (!StrictlyBetween(e.start.x, x, e.end.x))
        return false;
    if (e.start.y < e.end.y)
        return StrictlyBetween(e.start.y, y, e.end.y);
    if (e.end.y < e.start.y)
        return StrictlyBetween(e.end.y, y, e.start.y);
    return y == e.start.y;
}

bool SlopedEdgesCross(const Edge& a, const EdgeLine& lineA, const Edge& b, const EdgeLine& lineB) {
    if (lineA.slope == lineB.slope)
        return lineA.intercept == lineB.intercept && CollinearEdgesOverlap(a, b);
    double x = (lineA.intercept - lineB.intercept) / (lineB.slope - lineA.slope);
    double y = x * lineA.slope + lineA.intercept;
    y = SnapTo(y, a.start.y, a.end.y, b.start.y, b.end.y);
    x = SnapTo(x, a.start.x, a.end.x, b.start.x, b.end.x);
    return InsideSloped(a, x, y) && InsideSloped(b, x, y);
}

Edge Shifted(const Edge& edge, Point origin) {
    return {{edge.start.x - origin.x, edge.start.y - origin.y}, {edge.end.x - origin.x, edge.end.y - origin.y}};
}

Point PointOf(const CalcVertex& v) {
    return {v.x, v.y};
}

}  // namespace

// Two edges that cross or overlap share a point, up to the check's snap of 1e-9, so their boxes widened
// by more than that meet. A sweep over the edges sorted by their left ends compares only such pairs,
// each as the full comparison of every pair would, the earlier edge first: the same answer, without
// the square of the vertex count.
bool FirstCrossingEdges(const std::vector<CalcVertex>& v, size_t* first, size_t* second) {
    struct Box {
        double left, right, low, high;
        size_t edge;
    };
    size_t n = v.size();
    *first = *second = n;
    auto edge = [&](size_t i) { return Edge{PointOf(v[i]), PointOf(v[(i + 1) % n])}; };
    auto note = [&](size_t j, size_t k) {
        if (j < *first || (j == *first && k < *second))
            *first = j, *second = k;
    };
    for (const CalcVertex& corner : v)
        if (!std::isfinite(corner.x) || !std::isfinite(corner.y)) {  // no order to sweep in: every pair
            for (size_t j = 0; j + 1 < n; j++)
                for (size_t k = j + 1; k < n; k++)
                    if (!EdgesCompatible(edge(j), edge(k))) {
                        note(j, k);
                        return true;
                    }
            return false;
        }
    std::vector<Box> boxes(n);
    for (size_t i = 0; i < n; i++) {
        const CalcVertex &a = v[i], &b = v[(i + 1) % n];
        double widen = 1e-6 + 1e-12 * (std::fabs(a.x) + std::fabs(a.y) + std::fabs(b.x) + std::fabs(b.y));
        boxes[i] = {std::fmin(a.x, b.x) - widen, std::fmax(a.x, b.x) + widen, std::fmin(a.y, b.y) - widen,
                    std::fmax(a.y, b.y) + widen, i};
    }
    // A merge sort: a round footprint's edges come in two runs along x, on which the quicksort fell back
    // to its heap sort and took twice as long.
    std::stable_sort(boxes.begin(), boxes.end(),
                     [](const Box& p, const Box& q) { return p.left != q.left ? p.left < q.left : p.edge < q.edge; });
    for (size_t a = 0; a < n; a++)
        for (size_t b = a + 1; b < n && boxes[b].left <= boxes[a].right; b++) {
            if (boxes[b].low > boxes[a].high || boxes[a].low > boxes[b].high)
                continue;
            size_t j = std::min(boxes[a].edge, boxes[b].edge), k = std::max(boxes[a].edge, boxes[b].edge);
            if (!EdgesCompatible(edge(j), edge(k)))
                note(j, k);
        }
    return *first < n;
}

namespace {

bool CheckPolygon(CalcPolygon* polygon) {
    std::vector<CalcVertex>& v = polygon->vertices;
    if (v.size() < 3)
        return false;
    for (size_t i = 0; i + 1 < v.size(); i++)
        if (SamePoint(PointOf(v[i]), PointOf(v[i + 1])))
            return false;
    if (SamePoint(PointOf(v.back()), PointOf(v.front()))) {
        v.pop_back();
        if (v.size() < 3)
            return false;
    }
    size_t first, second;
    return !FirstCrossingEdges(v, &first, &second);
}

}  // namespace

bool PassesTwiceThroughAVertex(const std::vector<CalcVertex>& vertices) {
    std::vector<std::pair<double, double>> points;
    points.reserve(vertices.size());
    for (const CalcVertex& v : vertices)
        points.push_back({v.x, v.y});
    std::stable_sort(points.begin(), points.end());  // as the boxes above
    return std::adjacent_find(points.begin(), points.end()) != points.end();
}

CalcInput MakeCalcInput(const Drawing& source) {
    CalcInput input;
    const PolygonStore& store = source.polygons;
    input.polygons.resize(store.count());
    for (int32_t i = 0; i < store.count(); i++) {
        const PolygonRecord& polygon = store.polygon(i);
        std::vector<CalcVertex>& vertices = input.polygons[i].vertices;
        vertices.resize(polygon.vertexCount);
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            vertices[k] = {polygon.x[k], polygon.y[k], polygon.height[k]};
    }
    return input;
}

// Exact comparisons throughout, except for the 1e-9 snap of a computed crossing onto an end point,
// which keeps two sloped edges that meet at a vertex compatible despite rounding. The edges are first
// moved so that the first one starts at the origin: at map coordinates the lines' intercepts would
// otherwise be huge, and the crossing point computed from them too coarse to tell a steep edge crossing
// a horizontal one from a miss. Nearby coordinates subtract exactly, so equalities and order are kept.
bool EdgesCompatible(Edge first, Edge second) {
    Point origin = first.start;
    first = Shifted(first, origin);
    second = Shifted(second, origin);
    bool ok = !SamePoint(first.start, first.end) && !SamePoint(second.start, second.end);
    EdgeLine a = LineOf(&first, ok);
    EdgeLine b = LineOf(&second, ok);
    if (!ok)
        return false;
    if (a.vertical && b.vertical)
        return !(second.start.x == first.start.x && VerticalEdgesOverlap(first, second));
    if (a.vertical)
        return !VerticalCrossesSloped(first, second, b);
    if (b.vertical)
        return !VerticalCrossesSloped(second, first, a);
    return !SlopedEdgesCross(first, a, second, b);
}

bool CheckPolygons(CalcInput* input) {
    bool valid = !input->polygons.empty();
    for (CalcPolygon& polygon : input->polygons)
        valid = CheckPolygon(&polygon) && valid;
    return valid;
}

bool FirstHeightAboveLimit(const CalcInput& input, size_t* polygon, size_t* vertex) {
    for (size_t p = 0; p < input.polygons.size(); p++)
        for (size_t v = 0; v < input.polygons[p].vertices.size(); v++)
            if (!(input.polygons[p].vertices[v].height <= MaxVertexHeight)) {
                *polygon = p;
                *vertex = v;
                return true;
            }
    return false;
}

bool CheckDrawing(const Drawing& source) {
    if (source.polygons.count() == 0)
        return false;
    CalcInput input = MakeCalcInput(source);
    return CheckPolygons(&input);
}

// Each polygon in its normal form, then all of them in one sweep: uniting them one by one took six
// seconds on an imported site of a thousand buildings, each union sweeping everything united before.
// Counted in the strictly simple form, contours that meet in one point only are two, whatever order
// the polygons come in; the plain form of one sweep may join a ring and its courtyard into two
// contours that touch, and that of unions one by one joined touching polygons only now and then.
bool PolygonsAreNeighbours(const CalcInput& input, int32_t* outerContours) {
    *outerContours = 0;
    if (input.polygons.empty())
        return true;
    std::vector<ClipPolygon> parts(input.polygons.size());
    for (size_t i = 0; i < input.polygons.size(); i++) {
        std::vector<Point> points;
        for (const CalcVertex& v : input.polygons[i].vertices)
            points.push_back(PointOf(v));
        if (!NormalForm(SingleContourPolygon(points.data(), static_cast<int32_t>(points.size())), &parts[i])) {
            *outerContours = OuterCountUnknown;
            return false;
        }
    }
    ClipPolygon united;
    if (!ClipUnionAll(parts, &united) || !StrictlySimpleForm(united, &united)) {
        *outerContours = OuterCountUnknown;
        return false;
    }
    *outerContours = OuterContourCount(united);
    return *outerContours == 1;
}

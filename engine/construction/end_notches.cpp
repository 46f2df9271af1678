#include "engine/construction/end_notches.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "engine/construction/seen_edges.h"
#include "engine/geometry/convex_shapes.h"

namespace {

constexpr int32_t Steps = CirclePointCount - 1;
// m: a walked ring's point stands this near the corner it was computed from, moved to the centre and back.
constexpr double SamePointSlack = 1e-7;
// A notch reaches from its corner at most this many times as far as down the end to the polygon's edge:
// the rays from a centre deep in the disc cross the end at more than 18 degrees.
constexpr double NotchReachShare = 4.0;
constexpr double ReachSlack = 1e-6;  // m

bool Same(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}

// The circle polygon's edge from *from to *to that the line from the vertex v through corner, on its true
// circle of radius r, crosses, and where; false when the corner is one of the polygon's points, which
// has no notch, or the crossing cannot be found.
bool EdgeCrossing(Point v, double r, Point corner, Point* from, Point* to, Point* crossing) {
    int32_t i = UpperPointBefore((corner.x - v.x) / r);
    int32_t guess = corner.y >= v.y ? i : Steps - 1 - i;
    Point d = Minus(corner, v);
    for (int32_t k = guess - 1; k <= guess + 1; k++) {
        int32_t k0 = (k + Steps) % Steps;
        Point a = CirclePoint(v.x, v.y, r, k0), b = CirclePoint(v.x, v.y, r, (k0 + 1) % Steps);
        if (Same(a, corner) || Same(b, corner))
            return false;
        Point e = Minus(b, a), va = Minus(v, a);
        double den = CrossOf(e, d);
        if (den == 0.0)
            continue;
        double t = CrossOf(va, d) / den, s = CrossOf(va, e) / den;  // v + s d = a + t e
        if (t >= 0.0 && t <= 1.0 && s > 0.0 && s <= 1.0) {
            *from = a;
            *to = b;
            *crossing = {a.x + t * e.x, a.y + t * e.y};
            return true;
        }
    }
    return false;
}

// Whether p lies inside the band or within reach of it.
bool NearBand(const Trapezoid& band, Point p, double reach) {
    for (const Trapezoid::Side& side : band.sides)
        if (!(side.nx == 0.0 && side.ny == 0.0) && side.nx * p.x + side.ny * p.y - side.limit <= -reach)
            return false;
    return true;
}

// Whether the band holds every point within reach of p.
bool HoldsAround(const Trapezoid& band, Point p, double reach) {
    for (const Trapezoid::Side& side : band.sides)
        if (!(side.nx == 0.0 && side.ny == 0.0) && side.nx * p.x + side.ny * p.y - side.limit < reach)
            return false;
    return true;
}

// Whether a shape other than band i and the disc of vertex k comes within reach of the corner.
bool OtherShapeNear(const PolygonBands& bands, size_t i, size_t k, Point corner, double reach) {
    for (size_t m = 0; m < bands.vertices.size(); m++) {
        if (m != k && bands.radius[m] > 0.0 && Distance(bands.vertices[m], corner) < bands.radius[m] + reach)
            return true;
        if (m != i && NearBand(bands.trapezoids[m], corner, reach))
            return true;
    }
    return false;
}

// Whether one shape holds everything within reach of the corner. The shapes are tried outwards from vertex
// k, both ways round, where a holder is most often found: near the end, not across the polygon.
bool HeldAround(const PolygonBands& bands, size_t i, size_t k, Point corner, double reach) {
    size_t n = bands.vertices.size();
    auto holds = [&](size_t m) {
        return (m != k && Distance(bands.vertices[m], corner) + reach <= CircleInnerRadius * bands.radius[m]) ||
               (m != i && HoldsAround(bands.trapezoids[m], corner, reach));
    };
    for (size_t step = 0; step <= n / 2; step++)
        if (holds((k + step) % n) || holds((k + n - step) % n))
            return true;
    return false;
}

// The walked ring's points in order of x, to find the point computed from a corner without a scan.
class RingIndex {
  public:
    explicit RingIndex(const std::vector<Point>& ring) : points(ring), byX(ring.size()) {
        for (size_t i = 0; i < byX.size(); i++)
            byX[i] = i;
        std::sort(byX.begin(), byX.end(), [&](size_t a, size_t b) { return points[a].x < points[b].x; });
    }

    // The first point of the ring, in its order, that stands at the corner; the ring's size if none.
    size_t find(Point corner) const {
        auto from = std::lower_bound(byX.begin(), byX.end(), corner.x - SamePointSlack,
                                     [&](size_t i, double x) { return points[i].x < x; });
        size_t found = points.size();
        for (auto it = from; it != byX.end() && points[*it].x <= corner.x + SamePointSlack; ++it)
            if (Distance(points[*it], corner) <= SamePointSlack)
                found = std::min(found, *it);
        return found;
    }

  private:
    const std::vector<Point>& points;
    std::vector<size_t> byX;
};

// A crossing to put into the ring before its point at.
struct Insertion {
    size_t at;
    Point crossing;
};

// The notch at one corner of the end of band i at vertex k.
bool CutNotch(const PolygonBands& bands, size_t i, size_t k, Point corner, const std::vector<Point>& points,
              const RingIndex& index, std::vector<Insertion>* insertions) {
    Point v = bands.vertices[k], from, to, crossing;
    if (!EdgeCrossing(v, bands.radius[k], corner, &from, &to, &crossing))
        return true;
    double reach = NotchReachShare * Distance(corner, crossing) + ReachSlack;
    size_t m = points.size(), at = index.find(corner);
    if (at == m)
        return HeldAround(bands, i, k, corner, reach);
    if (OtherShapeNear(bands, i, k, corner, reach))
        return false;
    // On one side the ring goes on along the band's long side, on the other down the ray from the centre
    // to the polygon's edge: that step becomes the end down to the edge, then the edge.
    size_t before = (at + m - 1) % m, after = (at + 1) % m;
    bool downAfter = Distance(points[after], corner) <= reach, downBefore = Distance(points[before], corner) <= reach;
    if (downAfter == downBefore)
        return false;
    Point hit = points[downAfter ? after : before], edge = Minus(to, from);
    if (!(std::fabs(CrossOf(edge, Minus(hit, from))) <= ReachSlack * Length(edge)))
        return false;
    insertions->push_back({downAfter ? at + 1 : at, crossing});
    return true;
}

}  // namespace

bool BandEndAt(const PolygonBands& bands, size_t i, Point a, Point b, size_t* vertex) {
    const std::array<Point, 4>& c = bands.trapezoids[i].corners;
    auto joins = [&](Point p, Point q) { return (Same(a, p) && Same(b, q)) || (Same(a, q) && Same(b, p)); };
    size_t n = bands.vertices.size();
    // Corners 0 and 1 stand on the perpendicular at the edge's start, 2 and 3 at its end.
    *vertex = joins(c[0], c[1]) ? i : joins(c[2], c[3]) ? (i + 1) % n : n;
    return *vertex < n && bands.radius[*vertex] > 0.0;
}

bool CutEndNotches(const PolygonBands& bands, Point centre, std::vector<Point>* ring) {
    RingIndex index(*ring);
    std::vector<Insertion> insertions;
    for (size_t i = 0; i < bands.vertices.size(); i++) {
        const Trapezoid& band = bands.trapezoids[i];
        for (size_t s = 0; s < band.sides.size(); s++) {
            const Trapezoid::Side& side = band.sides[s];
            Point a = band.corners[s], b = band.corners[(s + 1) % band.corners.size()];
            size_t vertex;
            bool faces = !(side.nx == 0.0 && side.ny == 0.0) && !(side.nx * centre.x + side.ny * centre.y > side.limit);
            if (faces && BandEndAt(bands, i, a, b, &vertex) &&
                !(CutNotch(bands, i, vertex, a, *ring, index, &insertions) &&
                  CutNotch(bands, i, vertex, b, *ring, index, &insertions)))
                return false;
        }
    }
    if (insertions.empty())
        return true;
    // Two notches cut into one step of the ring would stand within each other's reach, which the checks
    // above refuse; should they meet all the same, the walk gives way.
    std::sort(insertions.begin(), insertions.end(), [](const Insertion& x, const Insertion& y) { return x.at < y.at; });
    for (size_t k = 1; k < insertions.size(); k++)
        if (insertions[k].at == insertions[k - 1].at)
            return false;
    std::vector<Point> cut;
    cut.reserve(ring->size() + insertions.size());
    size_t next = 0;
    for (size_t k = 0; k <= ring->size(); k++) {
        if (next < insertions.size() && insertions[next].at == k)
            cut.push_back(insertions[next++].crossing);
        if (k < ring->size())
            cut.push_back((*ring)[k]);
    }
    *ring = std::move(cut);
    return true;
}

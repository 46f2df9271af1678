#include "engine/construction/convex_outline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/construction/seen_edges.h"
#include "engine/geometry/convex_shapes.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int32_t Steps = CirclePointCount - 1;  // the circle polygon's distinct points
// Centres farther apart than this share of r are not joined by their crossing: each disc's arc then runs
// one point past the support of the edge's normal, at most 0.0566 r along the edge (the widest step
// spans 3.2416 degrees), so it stays beside the edge, and outside the other disc.
constexpr double ApartShare = 0.15;
// A crossing of a ray down a band's end belongs to the boundary only beyond this share of the band's
// half-width: the circle polygon reaches 0.9996 r along every ray from its centre.
constexpr double HitDepth = 0.9;
// A corner whose mouth between the two bands' outer corners is narrower than two units of the clipper's
// grid is left closed: its notch rounds away there.
constexpr double LeastMouth = 2e-6;
// The least width of the footprint as a share of r: twice r sin(1.6208 degrees), with room. A circle of
// that radius round a vertex then meets the footprint's boundary in one run of vertices, which holds all
// the discs that reach past the inner circle of the vertex's own.
constexpr double NarrowestShare = 0.06;
constexpr int32_t LongestWalk = Steps / 4;  // along a circle polygon, from a support point
constexpr int NearWedges = 8;               // of the fan from the centre, stepped through before a search
constexpr size_t StopCheckEvery = size_t{1} << 16;

// Most indices lie within one turn already, and a division is dear.
int32_t Wrapped(int32_t k) {
    if (k >= 0 && k < Steps)
        return k;
    return ((k % Steps) + Steps) % Steps;
}

// The difference of two points' indices round the circle polygon, the shorter way.
int32_t IndexTurn(int32_t to, int32_t from) {
    int32_t turn = Wrapped(to - from);
    return turn > Steps / 2 ? turn - Steps : turn;
}

Point Plus(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}

// The point of the circle polygon of radius r farthest along the unit direction n: the one nearest it in
// angle, and so next to where the polygon's x steps past n's.
int32_t SupportIndex(Point n, double r) {
    int32_t i = UpperPointBefore(n.x);
    int32_t k = n.y >= 0.0 ? i : Steps - i;
    auto height = [&](int32_t j) { return DotOf(n, CirclePoint(0.0, 0.0, r, Wrapped(j))); };
    while (height(k + 1) > height(k))
        k++;
    while (height(k - 1) > height(k))
        k--;
    return Wrapped(k);
}

// Where the boundaries of two discs of radius r, the second's centre d from the first's, cross on the
// outer side (d turned clockwise): at p, relative to the first centre, on the first disc's edge from point
// after to the next, and so at p - d on the second disc's edge ending at point before. Indices are counted
// from the support point of the outer side and may run past either end of the polygon's numbering.
struct Crossing {
    Point p{0.0, 0.0};
    int32_t after = 1, before = -1;
    bool joined = false;  // false for centres too far apart, whose arcs then end a point past the support
};

// Seen along d, the first disc's boundary falls from the support point and the second's rises to its
// own, d further on; between the two support points they cross once. Sweeping down from the second
// support point, edge by edge, finds the pair of edges that cross.
bool FindOuterCrossing(double r, Point d, int32_t support, Crossing* crossing) {
    double length = Length(d);
    Point u{d.x / length, d.y / length}, n{u.y, -u.x};
    auto point = [&](int32_t k) { return CirclePoint(0.0, 0.0, r, Wrapped(k)); };
    double top = DotOf(u, point(support)) + length;
    int32_t a = support, b = support;
    while (DotOf(u, point(a + 1)) < top)
        if (++a - support > LongestWalk)
            return false;
    // The height over the line through the centre along d, at position t along it, of the edge p0 p1.
    auto heightAt = [&](Point p0, Point p1, double t) {
        double t0 = DotOf(u, p0), t1 = DotOf(u, p1);
        double h0 = DotOf(n, p0), h1 = DotOf(n, p1);
        return h0 + (h1 - h0) * (t - t0) / (t1 - t0);
    };
    for (;;) {
        Point a0 = point(a), a1 = point(a + 1), b0 = Plus(point(b - 1), d), b1 = Plus(point(b), d);
        double lowA = DotOf(u, a0), lowB = DotOf(u, b0);
        if (!(DotOf(u, a1) > lowA && DotOf(u, b1) > lowB))
            return false;
        double low = std::max(lowA, lowB);
        if (heightAt(a0, a1, low) >= heightAt(b0, b1, low))
            break;
        if (lowA >= lowB ? --a < support : support - --b > LongestWalk)
            return false;
    }
    Point a0 = point(a), e = Minus(point(a + 1), a0);
    Point b0 = Plus(point(b - 1), d), g = Minus(Plus(point(b), d), b0);
    double den = CrossOf(e, g);
    if (!(std::fabs(den) > 1e-6 * Length(e) * Length(g)))
        return false;
    double s = std::max(0.0, std::min(1.0, CrossOf(Minus(b0, a0), g) / den));
    *crossing = {{a0.x + s * e.x, a0.y + s * e.y}, a - support, b - support, true};
    return true;
}

class ConvexWalk {
  public:
    ConvexWalk(const PolygonBands& bands, const CalcRun& run) : bands(bands), calculation(run) {}
    bool build(std::vector<Point>* ring);
    Point inside() const { return centre; }

  private:
    bool takeCounterClockwise();
    bool takeCorners();
    bool crossDiscs();
    bool traceDiscs();
    // Whether p lies well inside the footprint, the search starting at the fan's triangle *wedge, which
    // then holds p's.
    bool holds(Point p, size_t* wedge) const;
    // The first crossing, from boundary segment from on, of the ray from origin along dir, deep enough to
    // be the boundary's; false when none comes before segment limit.
    bool rayCrossing(Point origin, Point dir, size_t from, size_t limit, size_t* at, Point* hit) const;

    const PolygonBands& bands;
    const CalcRun& calculation;
    size_t n = 0;
    double r = 0.0;
    std::vector<Point> vertices;                  // counter-clockwise
    Point centre{0.0, 0.0};                       // the mean of three corners, inside the footprint
    std::vector<Point> startCorner, endCorner;    // of the band of edge t, on its outer side
    std::vector<int32_t> support;                 // of the outward normal of edge t
    std::vector<Crossing> crossings;              // of the discs of edge t's ends
    std::vector<Point> boundary;                  // of the discs' union, once round
};

bool ConvexWalk::takeCounterClockwise() {
    n = bands.vertices.size();
    if (n < 3 || bands.convex.empty())
        return false;
    r = bands.radius[0];
    for (double radius : bands.radius)
        if (!(radius == r && r > 0.0))
            return false;
    vertices = bands.convex.points();  // the footprint's vertices, turned counter-clockwise
    double turned = 0.0;
    for (size_t t = 0; t < n; t++) {
        Point e0 = Minus(vertices[(t + 1) % n], vertices[t]), e1 = Minus(vertices[(t + 2) % n], vertices[(t + 1) % n]);
        double cross = CrossOf(e0, e1);
        if (!(cross > 0.0))
            return false;
        turned += std::atan2(cross, DotOf(e0, e1));
    }
    Point a = vertices[0], b = vertices[n / 3], c = vertices[2 * n / 3];
    centre = {(a.x + b.x + c.x) / 3.0, (a.y + b.y + c.y) / 3.0};
    return std::fabs(turned - 2.0 * Pi) < 1e-6;
}

// A band's corners at an end stand on the perpendicular there, the outer one right of the edge. Inwards, the
// footprint must reach Narrowest deep along both perpendiculars of every edge: then it is that wide
// everywhere, and a band's inner half, which leaves the footprint only where the footprint is shallower
// than the band is wide (least at an end of the edge), stays within the circle polygon's inner circle of
// it there, inside the union.
bool ConvexWalk::takeCorners() {
    double depth = std::max(NarrowestShare * r, r - (CircleInnerRadius * r - InsideMargin));
    startCorner.resize(n);
    endCorner.resize(n);
    size_t wedge = 0;
    for (size_t t = 0; t < n; t++) {
        if (t % StopCheckEvery == 0 && calculation.stopped())
            return false;
        bool forward = bands.orientation > 0;
        size_t edge = forward ? t : (2 * n - 2 - t) % n;
        size_t next = (edge + 1) % n;
        std::array<Point, 4> c = BandCorners(bands.vertices[edge], bands.vertices[next], r, r);
        Point a = vertices[t], along = Minus(vertices[(t + 1) % n], a);
        for (int end = 0; end < 2; end++) {
            Point first = c[(end == 0) == forward ? 0 : 2], second = c[(end == 0) == forward ? 1 : 3];
            bool firstOuter = CrossOf(along, Minus(first, a)) < 0.0, secondOuter = CrossOf(along, Minus(second, a)) < 0.0;
            Point at = end == 0 ? a : vertices[(t + 1) % n], inner = firstOuter ? second : first;
            if (firstOuter == secondOuter ||
                !holds({at.x + (inner.x - at.x) * depth / r, at.y + (inner.y - at.y) * depth / r}, &wedge))
                return false;
            (end == 0 ? startCorner : endCorner)[t] = firstOuter ? first : second;
        }
    }
    return true;
}

// The points tested lie near their vertices' wedges of the fan from the centre: a few steps from the last
// one's find theirs, and the footprint's own search is left for any farther.
bool ConvexWalk::holds(Point p, size_t* wedge) const {
    Point at = Minus(p, centre);
    auto before = [&](size_t k) { return CrossOf(Minus(vertices[k], centre), at) < 0.0; };
    size_t k = *wedge;
    for (int step = 0; step < NearWedges && (before(k) || !before((k + 1) % n)); step++)
        k = before(k) ? (k + n - 1) % n : (k + 1) % n;
    if (before(k) || !before((k + 1) % n))
        return bands.convex.contains(p);
    *wedge = k;
    return LeftOf(vertices[k], vertices[(k + 1) % n], p);
}

bool ConvexWalk::crossDiscs() {
    support.resize(n);
    crossings.resize(n);
    for (size_t t = 0; t < n; t++) {
        if (t % StopCheckEvery == 0 && calculation.stopped())
            return false;
        Point d = Minus(vertices[(t + 1) % n], vertices[t]);
        double length = Length(d);
        support[t] = SupportIndex({d.y / length, -d.x / length}, r);
        if (length < ApartShare * r && !FindOuterCrossing(r, d, support[t], &crossings[t]))
            return false;
    }
    return true;
}

// Each disc's arc runs from its crossing with the disc before to its crossing with the disc after, or a
// point past the support of the edge to a disc too far to cross; each crossing is written once.
bool ConvexWalk::traceDiscs() {
    boundary.reserve(3 * n);
    for (size_t j = 0; j < n; j++) {
        if (j % StopCheckEvery == 0 && calculation.stopped())
            return false;
        size_t before = (j + n - 1) % n;
        const Crossing &in = crossings[before], &out = crossings[j];
        int32_t first = support[before] + in.before;
        int32_t last = support[before] + IndexTurn(support[j], support[before]) + out.after;
        if (last < first - 1)
            return false;
        Point middle = vertices[j];
        if (last == first - 1) {
            // Both crossings lie on one edge: the one from the disc before must come first along it.
            Point from = Minus(in.p, Minus(vertices[j], vertices[before]));
            Point edge = Minus(CirclePoint(0.0, 0.0, r, Wrapped(first)), CirclePoint(0.0, 0.0, r, Wrapped(last)));
            if (!(in.joined && out.joined && DotOf(edge, Minus(out.p, from)) > 0.0))
                return false;
        }
        if (j == 0 && in.joined)
            boundary.push_back(Plus(vertices[before], in.p));
        for (int32_t k = first; k <= last; k++)
            boundary.push_back(CirclePoint(middle.x, middle.y, r, Wrapped(k)));
        if (out.joined && j + 1 < n)
            boundary.push_back(Plus(middle, out.p));
    }
    return boundary.size() >= 3;
}

bool ConvexWalk::rayCrossing(Point origin, Point dir, size_t from, size_t limit, size_t* at, Point* hit) const {
    size_t count = boundary.size(), i = from % count;  // k wrapped, without a division a step
    double depth = HitDepth * DotOf(dir, dir);
    for (size_t k = from; k < limit; k++) {
        size_t next = i + 1 == count ? 0 : i + 1;
        Point a = Minus(boundary[i], origin), b = Minus(boundary[next], origin);
        i = next;
        double sideA = CrossOf(dir, a), sideB = CrossOf(dir, b);
        if (!(sideA < 0.0 && sideB >= 0.0))
            continue;
        double s = sideA / (sideA - sideB);
        Point x{a.x + s * (b.x - a.x), a.y + s * (b.y - a.y)};
        if (DotOf(dir, x) > depth) {
            *at = k;
            *hit = Plus(x, origin);
            return true;
        }
    }
    return false;
}

// Round the corners from the first that opens, each band's outer side and, in each open corner, down the
// end of one band to the discs' boundary, along it, and up the start of the next.
bool ConvexWalk::build(std::vector<Point>* ring) {
    // Each step takes a few hundredths of a second on a polygon of a million vertices.
    if (!takeCounterClockwise() || !takeCorners() || calculation.stopped() || !crossDiscs() ||
        calculation.stopped() || !traceDiscs() || calculation.stopped())
        return false;
    auto opens = [&](size_t t) {
        Point from = endCorner[(t + n - 1) % n], to = startCorner[t];
        return CrossOf(Minus(from, vertices[t]), Minus(to, vertices[t])) > 0.0 && Distance(from, to) > LeastMouth;
    };
    size_t first = 0;
    while (first < n && !opens(first))
        first++;
    if (first == n)
        return false;
    size_t count = boundary.size(), at = 0, limit = count + 2;
    Point hit;
    if (!rayCrossing(vertices[first], Minus(endCorner[(first + n - 1) % n], vertices[first]), 0, count, &at, &hit))
        return false;
    limit += at;
    ring->clear();
    ring->reserve(2 * count + 2 * n);
    for (size_t step = 0; step < n; step++) {
        if (step % StopCheckEvery == 0 && calculation.stopped())
            return false;
        size_t t = (first + step) % n;
        Point v = vertices[t];
        if (opens(t)) {
            if (step > 0 && !rayCrossing(v, Minus(endCorner[(t + n - 1) % n], v), at, limit, &at, &hit))
                return false;
            ring->push_back(hit);
            size_t down = at;
            if (!rayCrossing(v, Minus(startCorner[t], v), down, limit, &at, &hit))
                return false;
            for (size_t k = down + 1; k <= at; k++)
                ring->push_back(boundary[k % count]);
            ring->push_back(hit);
        }
        ring->push_back(startCorner[t]);
        ring->push_back(endCorner[t]);
    }
    return true;
}

}  // namespace

// The walk's buffers are freed before the form, whose own then take their pages.
bool ConvexOutline(const PolygonBands& bands, const CalcRun& run, ClipContour* contour) {
    std::vector<Point> ring;
    Point inside;
    {
        ConvexWalk walk(bands, run);
        if (!walk.build(&ring) || run.stopped())
            return false;
        inside = walk.inside();
    }
    // The ring winds once round any point inside.
    return StarRingForm(std::move(ring), inside, contour, [&run] { return run.stopped(); });
}

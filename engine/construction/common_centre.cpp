#include "engine/construction/common_centre.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/construction/end_notches.h"
#include "engine/geometry/convex_shapes.h"

namespace {

// The centre must lie this deep in every disc, as a share of its radius. A ray from it then meets the
// circle polygon at most 0.0004 r short of the true circle and at most 72 degrees from its normal, which
// turns the hit by at most 0.022 degrees about the disc's centre, less than the polygon's least step of
// 0.14 degrees: the polygon's edge on the ray lies within one point of the true circle's hit.
constexpr double CentreDepth = 0.95;
constexpr double CentreClearance = 1e-3;  // m, the least depth of the centre inside every shape
// m, by which a band may miss a point of another band's side and still count as holding it: far below
// the clipper's micrometre, where a side of one band runs along a side of another.
constexpr double SideSlack = 1e-7;
// Above this, only the mean of the vertices is tried, and a band that does not hold it may turn only its
// ends to it: each candidate, and each other facing side, is tested against every shape.
constexpr size_t MostVerticesForCandidates = 64;

struct Span {
    double from, to;
};

bool DiscHolds(const PolygonBands& bands, size_t vertex, Point p) {
    double r = bands.radius[vertex], distance = Distance(bands.vertices[vertex], p);
    return r > 0.0 && distance <= CentreDepth * r && CircleInnerRadius * r - distance >= CentreClearance;
}

// Well inside: the band's sides moved in by the clearance still hold the point.
bool BandHolds(const PolygonBands& bands, size_t edge, Point p) {
    for (const Trapezoid::Side& side : bands.trapezoids[edge].sides)
        if (!(side.nx * p.x + side.ny * p.y > side.limit + CentreClearance))
            return false;
    return true;
}

// The radius within which the disc around vertex i holds a point well inside: the circle the polygon
// surely holds, less the clearance.
double HeldRadius(const PolygonBands& bands, size_t i) {
    return CircleInnerRadius * bands.radius[i] - CentreClearance;
}

// Where the segment from a to b lies well inside the disc around vertex i, as a share t of the way
// from a.
Span DiscSpan(const PolygonBands& bands, size_t i, Point a, Point b) {
    double r = HeldRadius(bands, i);
    Point d{b.x - a.x, b.y - a.y}, f{a.x - bands.vertices[i].x, a.y - bands.vertices[i].y};
    double dd = d.x * d.x + d.y * d.y, fd = f.x * d.x + f.y * d.y, ff = f.x * f.x + f.y * f.y - r * r;
    double root = fd * fd - dd * ff;
    if (!(r > 0.0 && dd > 0.0 && root > 0.0))
        return {1.0, 0.0};
    root = std::sqrt(root);
    return {(-fd - root) / dd, (-fd + root) / dd};
}

// Where the segment from a to b lies in band i, its sides taken where they are (a side's limit holds the
// margin that keeps points off it) and widened by the slack.
Span BandSpan(const PolygonBands& bands, size_t i, Point a, Point b) {
    Span span{0.0, 1.0};
    for (const Trapezoid::Side& side : bands.trapezoids[i].sides) {
        double at = side.nx * a.x + side.ny * a.y - side.limit + InsideMargin + SideSlack;
        double change = side.nx * (b.x - a.x) + side.ny * (b.y - a.y);
        if (change > 0.0)
            span.from = std::max(span.from, -at / change);
        else if (change < 0.0)
            span.to = std::min(span.to, -at / change);
        else if (!(at > 0.0))
            return {1.0, 0.0};
    }
    return span;
}

// Whether the spans, together, hold every t from 0 to 1.
bool SpansCover(std::vector<Span>* spans) {
    std::sort(spans->begin(), spans->end(), [](const Span& x, const Span& y) { return x.from < y.from; });
    double reached = 0.0;
    for (const Span& span : *spans) {
        if (span.from > reached)
            break;
        reached = std::max(reached, span.to);
    }
    return reached >= 1.0;
}

// Whether a disc or a band that holds the centre holds the point, as the spans above have it.
bool HeldByOne(const PolygonBands& bands, Point q, const std::vector<char>& holding) {
    for (size_t i = 0; i < bands.vertices.size(); i++) {
        double r = HeldRadius(bands, i);
        if (r > 0.0 && Distance(bands.vertices[i], q) < r)
            return true;
        if (holding[i] && BandSpan(bands, i, q, q).from == 0.0)
            return true;
    }
    return false;
}

// The sides of band i that face p: p lies outside the half-plane each bounds.
template <typename Visit>
bool EverySideFacing(const PolygonBands& bands, size_t i, Point p, Visit visit) {
    const Trapezoid& band = bands.trapezoids[i];
    for (size_t s = 0; s < band.sides.size(); s++) {
        const Trapezoid::Side& side = band.sides[s];
        if ((side.nx == 0.0 && side.ny == 0.0) || side.nx * p.x + side.ny * p.y > side.limit)
            continue;
        if (!visit(band.corners[s], band.corners[(s + 1) % band.corners.size()]))
            return false;
    }
    return true;
}

// Whether p holds every disc deep enough, and every band either holds it or is seen through others.
//
// A band that does not hold p, as the bands of an L-shaped footprint's notch do not, joins the walk all
// the same when each of its sides that faces p lies well inside the discs and the bands that hold p: a
// ray from p enters the band inside one of them, which holds the ray from p on, so that along the ray
// the union still reaches from p out to the farthest boundary.
bool HoldsAll(const PolygonBands& bands, Point p) {
    size_t n = bands.vertices.size();
    std::vector<char> holding(n);
    std::vector<size_t> seenThrough;
    for (size_t i = 0; i < n; i++) {
        if (!DiscHolds(bands, i, p))
            return false;
        holding[i] = BandHolds(bands, i, p);
        if (!holding[i])
            seenThrough.push_back(i);
    }
    // A band's end is a diameter of its vertex's true circle: the disc, which holds p, holds all of it
    // but the bits past the circle polygon at its corners, whose notches the walk cuts back
    // (end_notches.h). Where every facing side is such an end, as round a gear's teeth, nothing more is
    // asked, at any count of vertices.
    size_t vertex;
    auto inItsDisc = [&](size_t i, Point a, Point b) { return BandEndAt(bands, i, a, b, &vertex); };
    bool endsOnly = true;
    for (size_t i = 0; i < seenThrough.size() && endsOnly; i++)
        endsOnly = EverySideFacing(bands, seenThrough[i], p,
                                   [&](Point a, Point b) { return inItsDisc(seenThrough[i], a, b); });
    if (endsOnly)
        return true;
    if (n > MostVerticesForCandidates)
        return false;
    // The facing sides' corners first: most candidates fail there, at a corner on a true circle, and a
    // point costs less than a side.
    for (size_t i : seenThrough)
        if (!EverySideFacing(bands, i, p, [&](Point a, Point b) {
                return inItsDisc(i, a, b) || (HeldByOne(bands, a, holding) && HeldByOne(bands, b, holding));
            }))
            return false;
    std::vector<Span> spans;
    for (size_t i : seenThrough)
        if (!EverySideFacing(bands, i, p, [&](Point a, Point b) {
                if (inItsDisc(i, a, b))
                    return true;
                spans.clear();
                for (size_t k = 0; k < n; k++) {
                    spans.push_back(DiscSpan(bands, k, a, b));
                    if (holding[k])
                        spans.push_back(BandSpan(bands, k, a, b));
                }
                return SpansCover(&spans);
            }))
            return false;
    return true;
}

}  // namespace

// The mean of the vertices, then on a polygon of few vertices each edge's midpoint and points inside it, a
// quarter, a half and a whole of its length and half its smaller radius in: on a footprint drawn off
// centre, such as an obtuse triangle, one of them may lie in every band when the mean does not.
bool CommonCentre(const PolygonBands& bands, Point* centre) {
    const std::vector<Point>& v = bands.vertices;
    size_t n = v.size();
    if (n < 3)
        return false;
    Point mean = VertexMean(v);
    if (HoldsAll(bands, mean)) {
        *centre = mean;
        return true;
    }
    for (size_t i = 0; i < n && n <= MostVerticesForCandidates; i++) {
        Point a = v[i], b = v[(i + 1) % n];
        double length = Distance(a, b);
        if (!(length > 0.0))
            continue;
        Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
        // Left of the edge is inside for counter-clockwise vertices.
        Point inward{-(b.y - a.y) / length * bands.orientation, (b.x - a.x) / length * bands.orientation};
        double depths[] = {0.0, length / 4, length / 2, length, std::min(bands.radius[i], bands.radius[(i + 1) % n]) / 2};
        for (double depth : depths) {
            Point candidate{middle.x + inward.x * depth, middle.y + inward.y * depth};
            if (HoldsAll(bands, candidate)) {
                *centre = candidate;
                return true;
            }
        }
    }
    return false;
}


#include "engine/construction/band_shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double StripOverlap = 1e-3;  // of the rectangle's height
// A disc much larger than the widened footprint keeps a wide arc outside it, which the cut tests point by
// point: it cost a round building's Ad pass twice the time it saved.
constexpr double WorthWideningCut = 1.05;
// On a footprint of a few corners the polygon's own bands and those filed before take most of each disc:
// the widened footprint's cut cost a site of 250 blocks 6 % more than it saved.
constexpr size_t WideningCutCorners = 16;

// The unit normal of an edge pointing into the footprint.
Point InwardNormal(const PolygonBands& bands, size_t edge) {
    Point a = bands.vertices[edge], b = bands.vertices[(edge + 1) % bands.vertices.size()];
    double length = Distance(a, b);
    return {-(b.y - a.y) / length * bands.orientation, (b.x - a.x) / length * bands.orientation};
}

// The inner half of an edge's band lies inside a convex footprint up to where the footprint ends, which
// the footprint covers. Beyond, a point lies within the band's radius less the footprint's depth there
// of the far side, and so inside the far side's outer bands and discs when that is no more than the
// smallest radius of the footprint (less the circle polygon's shortfall). The depth along a line
// across a convex footprint is least at one of the edge's ends, so testing the ends suffices.
bool InnerHalfCovered(const PolygonBands& bands, size_t edge, Point innerA, Point innerB) {
    if (bands.convex.empty())
        return false;
    if (bands.convex.contains(innerA) && bands.convex.contains(innerB))
        return true;
    size_t next = (edge + 1) % bands.vertices.size();
    Point a = bands.vertices[edge], b = bands.vertices[next];
    double reach = std::max(bands.radius[edge], bands.radius[next]);
    double depth = reach - (CircleInnerRadius * bands.smallestRadius - InsideMargin);
    if (depth <= 0.0)
        return true;
    Point n = InwardNormal(bands, edge);
    return bands.convex.contains({a.x + depth * n.x, a.y + depth * n.y}) &&
           bands.convex.contains({b.x + depth * n.x, b.y + depth * n.y});
}

}  // namespace

PolygonBands PrepareBands(CalcPass pass, const CalcOptions& options, const CalcPolygon& polygon, bool whole) {
    size_t n = polygon.vertices.size();
    std::vector<Point> vertices(n);
    std::vector<double> radius(n);
    for (size_t i = 0; i < n; i++) {
        const CalcVertex& v = polygon.vertices[i];
        vertices[i] = {v.x, v.y};
        // A radius is a distance: a negative height read from a file widens like a positive one.
        radius[i] = std::fabs(pass == CalcPass::Ad ? v.height * options.heightProjection : options.distanceProjection);
    }
    double orientation = SignedArea(vertices.data(), static_cast<int32_t>(n)) >= 0 ? 1.0 : -1.0;
    ConvexShape convex(vertices);
    double smallest = *std::min_element(radius.begin(), radius.end());
    PolygonBands bands{std::move(vertices), std::move(radius), {},    orientation,
                       std::move(convex),   smallest,          WidenedFootprint(), ConvexShape()};
    if (whole) {
        AddTrapezoids(&bands);
        WidenBands(&bands);
    }
    return bands;
}

void AddTrapezoids(PolygonBands* bands) {
    const std::vector<Point>& v = bands->vertices;
    const std::vector<double>& r = bands->radius;
    size_t n = v.size();
    bands->trapezoids.reserve(n);
    for (size_t i = 0; i < n; i++)
        bands->trapezoids.emplace_back(BandCorners(v[i], v[(i + 1) % n], r[i], r[(i + 1) % n]));
}

void WidenBands(PolygonBands* bands) {
    bands->widened = WidenFootprint(bands->vertices, bands->convex, bands->orientation, bands->radius);
    if (bands->convex.empty())
        bands->widenedHull = WidenHull(bands->vertices, bands->orientation, bands->radius);
}

// The shapes filed before take most of a disc on a site of many buildings, so they cut first. The
// polygon's own shapes cut it only within its group of edges, which are united together: a piece cut
// away for a shape of another group would leave each group's union ragged, and the later unions slow.
// The trapezoids first: on a smooth outline they take all but a thin wedge outwards and one inwards, which the
// neighbours' discs and the footprint then mostly take. When the radius is large beside a convex
// footprint, the inward wedge reaches across it and out beyond its far side; there it lies within the
// smallest radius of the far side's edges and vertices (less the circle polygon's shortfall), which
// cover it, so it is dropped. That holds along every direction in which the footprint is at least deep
// enough, and farther from the centre than its neighbours' edges, so that the far side is never the
// neighbours or the vertex itself; divided by the circle polygon's inner radius, the depth also holds
// between two such directions a step of the circle apart, where the chords run.
DiscArc DiscPiece(const PolygonBands& bands, size_t i, size_t first, size_t last, const CoverGrid& filed) {
    const std::vector<Point>& v = bands.vertices;
    const std::vector<double>& r = bands.radius;
    size_t n = v.size(), previous = (i + n - 1) % n, next = (i + 1) % n;
    if (!(r[i] > 0.0))
        return DiscArc::Empty();
    bool whole = first == 0 && last == n;  // the neighbours wrap round within one group
    bool previousInGroup = whole || i > first, nextInGroup = whole || next < last;
    DiscArc disc(v[i], r[i]);
    disc.cutByGrid(filed);
    // Most of a large disc lies in the widened footprint; cut first, it leaves the other cuts a short arc.
    if (!bands.widened.shape.empty() && n >= WideningCutCorners && r[i] < WorthWideningCut * bands.widened.tallest) {
        // Along a direction between the two edges' outward normals the footprint reaches no farther than
        // the vertex, and the widened footprint no farther than that plus its tallest rectangle.
        Point in0 = InwardNormal(bands, previous), in1 = InwardNormal(bands, i);
        Point out{-(in0.x + in1.x), -(in0.y + in1.y)};
        double length = std::sqrt(out.x * out.x + out.y * out.y);
        DiscArc::HalfPlane within{{0.0, 0.0}, 0.0};
        if (length > 0.0) {
            out = {out.x / length, out.y / length};
            within = {out, out.x * v[i].x + out.y * v[i].y + bands.widened.tallest};
        }
        disc.cutByShape(bands.widened.shape, within);
    }
    disc.cutByTrapezoid(bands.trapezoids[i]);
    if (previousInGroup)
        disc.cutByTrapezoid(bands.trapezoids[previous]);
    if (r[next] > 0.0 && nextInGroup)
        disc.cutByCircle(v[next], r[next]);
    if (r[previous] > 0.0 && previousInGroup)
        disc.cutByCircle(v[previous], r[previous]);
    if (!bands.convex.empty()) {
        disc.cutByShape(bands.convex);
        double overreach = r[i] - (CircleInnerRadius * bands.smallestRadius - InsideMargin);
        double neighbours = std::max(Distance(v[i], v[next]), Distance(v[i], v[previous])) + InsideMargin;
        disc.cutByDepth(bands.convex, std::max(overreach, neighbours) / CircleInnerRadius,
                        {InwardNormal(bands, previous), InwardNormal(bands, i)});
    }
    return disc;
}

std::vector<Point> TrapezoidPiece(const PolygonBands& bands, size_t edge, const CoverGrid& filed) {
    size_t n = bands.vertices.size(), next = (edge + 1) % n;
    if (bands.radius[edge] == 0.0 && bands.radius[next] == 0.0)
        return {};
    Point a = bands.vertices[edge], b = bands.vertices[next];
    const std::array<Point, 4>& t = bands.trapezoids[edge].corners;
    // Corners 0 and 1 lie on either side of a, corners 3 and 2 on the same sides of b. Where a has no
    // radius, corners 0 and 1 are a itself, and the side shows at b.
    double side = Cross(a, b, t[0]);
    if (side == 0.0)
        side = Cross(a, b, t[3]);
    bool firstInner = side * bands.orientation > 0;
    Point innerA = firstInner ? t[0] : t[1], outerA = firstInner ? t[1] : t[0];
    Point innerB = firstInner ? t[3] : t[2], outerB = firstInner ? t[2] : t[3];
    // The inner half is convex and its edge lies in the footprint, so it lies in the widened footprint, or
    // in the widened hull of a footprint that is not convex, when its two far corners do. The hull stands
    // over no edge of its own here, so the outer half stays whole unless the hull holds that too.
    const ConvexShape& hull = bands.widenedHull;
    if (!hull.empty() && hull.contains(innerA) && hull.contains(innerB)) {
        if (hull.contains(outerA) && hull.contains(outerB))
            return {};
        return filed.cut({a, outerA, outerB, b});
    }
    const ConvexShape& widened = bands.widened.shape;
    bool innerHeld = !widened.empty() && widened.contains(innerA) && widened.contains(innerB);
    if (!innerHeld && !InnerHalfCovered(bands, edge, innerA, innerB))
        return filed.cut({t.begin(), t.end()});
    // The widened footprint holds the outer half up to its rectangle's height, so the piece starts a little
    // below that: the two overlap by more than the clipper's rounding, and the piece stays a thin strip
    // along the outline instead of crossing every piece between the footprint and the outline.
    double height = widened.empty() ? 0.0 : bands.widened.height[edge];
    double start = height - std::max(StripOverlap * height, InsideMargin);
    if (!(start > 0.0))
        return filed.cut({a, outerA, outerB, b});
    Point in = InwardNormal(bands, edge);
    return filed.cut(
        {{a.x - start * in.x, a.y - start * in.y}, outerA, outerB, {b.x - start * in.x, b.y - start * in.y}});
}

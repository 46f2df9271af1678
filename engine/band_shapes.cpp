#include "engine/band_shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Points are taken as inside a shape only this far from its boundary (ten clipper units), so that the
// rounding of coordinates to the clipper's grid can never open a gap where a cut-away piece was.
constexpr double InsideMargin = 1e-5;

double Cross(Point origin, Point a, Point b) {
    return (a.x - origin.x) * (b.y - origin.y) - (a.y - origin.y) * (b.x - origin.x);
}

// Whether p lies to the left of the line from a to b by at least the margin.
bool LeftOf(Point a, Point b, Point p) {
    double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    return Cross(a, b, p) > InsideMargin * length;
}

// Every step of the circle polygon spans at most 3.24 degrees, so all of it lies at least
// r cos(1.62 degrees) from the centre; only the thin ring outside that needs the chord test.
constexpr double CircleInnerRadius = 0.9996;

// The circle polygon's points step evenly in x, so the chord above or below p is found directly.
bool InsideCircle(Point centre, double r, Point p) {
    double dx = p.x - centre.x, dy = p.y - centre.y;
    double distanceSquared = dx * dx + dy * dy;
    if (!(r > 0.0) || distanceSquared >= r * r)
        return false;
    double sure = CircleInnerRadius * r - InsideMargin;
    if (sure > 0.0 && distanceSquared < sure * sure)
        return true;
    int k = std::min(1249, std::max(0, static_cast<int>((r - dx) / (r * 4.0 / 2500.0))));
    double x0 = r * (1 - k * 4.0 / 2500.0), x1 = r * (1 - (k + 1) * 4.0 / 2500.0);
    Point a{x0, std::sqrt(r * r - x0 * x0)}, b{x1, std::sqrt(r * r - x1 * x1)};
    return LeftOf(a, b, Point{dx, std::fabs(dy)});  // the upper half runs leftwards, the inside on its left
}

// Drops the inner points of every run of the closed point list that lies inside a convex shape, keeping
// each run's two ends: the chord between them lies in the shape, so the union loses nothing.
template <typename InsideShape>
std::vector<Point> ChordsThrough(const std::vector<Point>& points, InsideShape inside) {
    size_t n = points.size();
    std::vector<char> in(n);
    size_t outside = n;
    for (size_t i = 0; i < n; i++) {
        in[i] = inside(points[i]);
        if (!in[i])
            outside = i;
    }
    if (outside == n)
        return {};  // wholly inside: nothing of it shows
    std::vector<Point> kept;
    kept.reserve(n);
    for (size_t k = 1; k <= n; k++) {  // from just after an outside point, so no run wraps around
        size_t i = (outside + k) % n;
        if (!in[i] || !in[(i + n - 1) % n] || !in[(i + 1) % n])
            kept.push_back(points[i]);
    }
    return kept;
}

ClipPolygon Contour(std::vector<Point> points) {
    ClipPolygon polygon;
    polygon.contours.resize(1);
    polygon.contours[0].points = std::move(points);
    return polygon;
}

// The disc around vertex i less what a convex footprint, its two trapezoids and the discs of its two
// neighbours cover, as far as those belong to the same batch: a disc cut away for a neighbour in
// another batch would leave each batch's union ragged, and the later unions slow. On a smooth outline
// the neighbours' discs leave a thin wedge outwards and one inwards, and the footprint usually takes
// the inward one.
std::vector<Point> VisibleDisc(const PolygonBands& bands, size_t i, size_t first, size_t last) {
    const std::vector<Point>& v = bands.vertices;
    const std::vector<double>& r = bands.radius;
    size_t n = v.size(), previous = (i + n - 1) % n, next = (i + 1) % n;
    std::vector<Point> disc = CirclePolygon(v[i].x, v[i].y, r[i]);
    disc.pop_back();  // the closing repeat of the first point
    if (i > first)
        disc = ChordsThrough(disc, [&](Point p) { return InsideCircle(v[previous], r[previous], p); });
    if (next < last)
        disc = ChordsThrough(disc, [&](Point p) { return InsideCircle(v[next], r[next], p); });
    disc = ChordsThrough(disc, [&](Point p) { return bands.trapezoids[i].contains(p); });
    if (i > first)
        disc = ChordsThrough(disc, [&](Point p) { return bands.trapezoids[previous].contains(p); });
    return ChordsThrough(disc, [&](Point p) { return bands.convex.contains(p); });
}

}  // namespace

Trapezoid::Trapezoid(const std::array<Point, 4>& points) : corners(points) {
    bool counterClockwise = SignedArea(points.data(), 4) > 0;
    for (int i = 0; i < 4; i++) {
        Point a = points[i], b = points[(i + 1) % 4];
        if (!counterClockwise)
            std::swap(a, b);
        double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
        if (length == 0.0) {
            sides[i] = {0.0, 0.0, -1.0};  // a side of no length, where the radius is 0, bounds nothing
            continue;
        }
        double nx = -(b.y - a.y) / length, ny = (b.x - a.x) / length;  // inward unit normal
        sides[i] = {nx, ny, nx * a.x + ny * a.y + InsideMargin};
    }
}

bool Trapezoid::contains(Point p) const {
    for (const Side& side : sides)
        if (!(side.nx * p.x + side.ny * p.y > side.limit))
            return false;
    return true;
}

ConvexFootprint::ConvexFootprint(const std::vector<Point>& polygon) : corners(polygon) {
    size_t n = corners.size();
    if (SignedArea(corners.data(), static_cast<int32_t>(n)) < 0)
        std::reverse(corners.begin(), corners.end());
    for (size_t i = 0; i < n; i++)
        if (Cross(corners[i], corners[(i + 1) % n], corners[(i + 2) % n]) < 0) {
            corners.clear();
            return;
        }
}

// Binary search for the wedge of the fan from corner 0 that holds p, then one side test.
bool ConvexFootprint::contains(Point p) const {
    size_t n = corners.size();
    if (n < 3 || !LeftOf(corners[0], corners[1], p) || !LeftOf(corners[n - 1], corners[0], p))
        return false;
    size_t low = 1, high = n - 1;  // p lies left of the ray to corners[low], right of the ray to corners[high]
    while (high - low > 1) {
        size_t middle = (low + high) / 2;
        if (Cross(corners[0], corners[middle], p) >= 0)
            low = middle;
        else
            high = middle;
    }
    return LeftOf(corners[low], corners[high], p);
}

PolygonBands PrepareBands(CalcPass pass, const CalcOptions& options, const CalcPolygon& polygon) {
    size_t n = polygon.vertices.size();
    std::vector<Point> vertices(n);
    std::vector<double> radius(n);
    for (size_t i = 0; i < n; i++) {
        const CalcVertex& v = polygon.vertices[i];
        vertices[i] = {v.x, v.y};
        // A radius is a distance: a negative height read from a file widens like a positive one.
        radius[i] = std::fabs(pass == CalcPass::Ad ? v.height * options.heightProjection
                                                   : options.distanceProjection);
    }
    std::vector<Trapezoid> trapezoids;
    trapezoids.reserve(n);
    for (size_t i = 0; i < n; i++)
        trapezoids.emplace_back(BandCorners(vertices[i], vertices[(i + 1) % n], radius[i], radius[(i + 1) % n]));
    double orientation = SignedArea(vertices.data(), static_cast<int32_t>(n)) >= 0 ? 1.0 : -1.0;
    ConvexFootprint convex(vertices);
    return {std::move(vertices), std::move(radius), std::move(trapezoids), orientation, std::move(convex)};
}

void AppendBatchShapes(const PolygonBands& bands, size_t first, size_t last, std::vector<ClipPolygon>* shapes) {
    size_t n = bands.vertices.size();
    for (size_t edge = first; edge < last; edge++) {
        size_t next = (edge + 1) % n;
        if (bands.radius[edge] == 0.0 && bands.radius[next] == 0.0)
            continue;  // an edge of height 0 at both ends has no band
        Point a = bands.vertices[edge], b = bands.vertices[next];
        const std::array<Point, 4>& t = bands.trapezoids[edge].corners;
        // Corners 0 and 1 lie on either side of a, corners 3 and 2 on the same sides of b.
        bool firstInner = Cross(a, b, t[0]) * bands.orientation > 0;
        Point innerA = firstInner ? t[0] : t[1], outerA = firstInner ? t[1] : t[0];
        Point innerB = firstInner ? t[3] : t[2], outerB = firstInner ? t[2] : t[3];
        if (bands.convex.contains(innerA) && bands.convex.contains(innerB))
            shapes->push_back(Contour({a, outerA, outerB, b}));
        else
            shapes->push_back(Contour({t.begin(), t.end()}));
        if (bands.radius[edge] > 0.0)
            shapes->push_back(Contour(VisibleDisc(bands, edge, first, last)));
    }
}

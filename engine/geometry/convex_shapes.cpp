#include "engine/geometry/convex_shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

double Cross(Point origin, Point a, Point b) {
    return (a.x - origin.x) * (b.y - origin.y) - (a.y - origin.y) * (b.x - origin.x);
}

bool LeftOf(Point a, Point b, Point p) {
    double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    return Cross(a, b, p) > InsideMargin * length;
}

namespace {

// Below the depth of a chord by far more than the rounding of a point of a circle polygon of any radius.
constexpr double DepthShade = 1e-12;

// The upper half of the circle polygon of radius 1: the points step evenly in x, and each chord's length
// and depth below the circle's centre.
struct UnitHalfCircle {
    std::array<Point, 1251> points;
    std::array<double, 1250> chordLength;
    std::array<double, 1250> chordDepth;
    UnitHalfCircle() {
        for (int k = 0; k <= 1250; k++) {
            double x = 1 - k * 4.0 / 2500.0;
            points[k] = {x, std::sqrt(1 - x * x)};
        }
        for (int k = 0; k < 1250; k++) {
            double dx = points[k + 1].x - points[k].x, dy = points[k + 1].y - points[k].y;
            chordLength[k] = std::sqrt(dx * dx + dy * dy);
            chordDepth[k] = std::fabs(Cross({0, 0}, points[k], points[k + 1])) / chordLength[k] - DepthShade;
        }
    }
};

const UnitHalfCircle& HalfCircle() {
    static const UnitHalfCircle half;  // made once, safely from either pass's thread
    return half;
}

}  // namespace

// The lower half mirrors the upper: edge k below is edge 2499 - k above. Along each half the steps
// shrink towards the vertical diameter and grow after it, so the shallowest edge of a run that stays
// within a half is one of its two ends; a run over the horizontal diameter meets the widest steps.
double CircleDepthOver(int32_t first, int32_t last) {
    if (first < 0 || last >= 2500 || (first < 1250 && last >= 1250))
        return CircleInnerRadius;
    auto depth = [](int32_t k) { return HalfCircle().chordDepth[k < 1250 ? k : 2499 - k]; };
    return std::min(depth(first), depth(last));
}

// The circle polygon's points step evenly in x, so the chord above or below p is found directly; its
// ends and length, scaled from the unit circle's, save three square roots per point near the rim.
bool InsideCircle(Point centre, double r, Point p) {
    double dx = p.x - centre.x, dy = p.y - centre.y;
    double distanceSquared = dx * dx + dy * dy;
    if (!(r > 0.0) || distanceSquared >= r * r)
        return false;
    double sure = CircleInnerRadius * r - InsideMargin;
    if (sure > 0.0 && distanceSquared < sure * sure)
        return true;
    int k = std::min(1249, std::max(0, static_cast<int>((r - dx) / (r * 4.0 / 2500.0))));
    const UnitHalfCircle& half = HalfCircle();
    Point a{r * half.points[k].x, r * half.points[k].y}, b{r * half.points[k + 1].x, r * half.points[k + 1].y};
    // The upper half runs leftwards, the inside on its left.
    return Cross(a, b, Point{dx, std::fabs(dy)}) > InsideMargin * r * half.chordLength[k];
}

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

ConvexShape::ConvexShape(const std::vector<Point>& polygon) : corners(polygon) {
    size_t n = corners.size();
    if (SignedArea(corners.data(), static_cast<int32_t>(n)) < 0)
        std::reverse(corners.begin(), corners.end());
    for (size_t i = 0; i < n; i++)
        if (Cross(corners[i], corners[(i + 1) % n], corners[(i + 2) % n]) < 0) {
            corners.clear();
            return;
        }
    for (size_t i = 0; i < n; i++) {
        Point a = corners[i], b = corners[(i + 1) % n];
        sideLength.push_back(std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y)));
    }
    if (n > 0)
        boxLow = boxHigh = corners[0];
    for (const Point& c : corners) {
        boxLow = {std::min(boxLow.x, c.x), std::min(boxLow.y, c.y)};
        boxHigh = {std::max(boxHigh.x, c.x), std::max(boxHigh.y, c.y)};
    }
}

// The same test as LeftOf, with the side's length worked out once.
bool ConvexShape::leftOfSide(size_t i, size_t j, Point p) const {
    return Cross(corners[i], corners[j], p) > InsideMargin * sideLength[i];
}

// Binary search for the wedge of the fan from corner 0 that holds p, then one side test.
bool ConvexShape::contains(Point p) const {
    size_t n = corners.size();
    if (n < 3 || !leftOfSide(0, 1, p) || !leftOfSide(n - 1, 0, p))
        return false;
    size_t low = 1, high = n - 1;  // p lies left of the ray to corners[low], right of the ray to corners[high]
    while (high - low > 1) {
        size_t middle = (low + high) / 2;
        if (Cross(corners[0], corners[middle], p) >= 0)
            low = middle;
        else
            high = middle;
    }
    return leftOfSide(low, high, p);
}

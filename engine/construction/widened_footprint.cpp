#include "engine/construction/widened_footprint.h"

#include <algorithm>
#include <cmath>

namespace {

// Point i of the upper half of the circle polygon of radius 1.
Point UnitPoint(int32_t i) {
    double x = 1 - i * 4.0 / 2500.0;
    return {x, std::sqrt(1 - x * x)};
}

// How far the circle polygon of radius r around v surely reaches along the unit direction: the reach less
// twice the inside margin, so the point there passes the cuts' own test of lying inside; where it would
// not, the radius every chord clears.
double SureReach(Point v, double r, Point direction) {
    double reach = r * UnitCircleReach(direction) - 2 * InsideMargin;
    if (reach > 0.0 && InsideCircle(v, r, {v.x + reach * direction.x, v.y + reach * direction.y}))
        return reach;
    return std::max(0.0, CircleInnerRadius * r - 2 * InsideMargin);
}

// The polygon through the outer corners of the rectangles of the given heights over the edges of a convex
// polygon, each edge's outward normal given; every rectangle cut down to the lowest where that polygon is
// not convex, and empty where it still is not or the lowest has no height.
ConvexShape WidenedShape(const std::vector<Point>& vertices, const std::vector<Point>& outward,
                         std::vector<double>* height) {
    size_t n = vertices.size();
    auto corners = [&]() {
        std::vector<Point> points;
        points.reserve(2 * n);
        for (size_t i = 0; i < n; i++) {
            size_t before = (i + n - 1) % n;
            Point v = vertices[i];
            points.push_back(
                {v.x + (*height)[before] * outward[before].x, v.y + (*height)[before] * outward[before].y});
            points.push_back({v.x + (*height)[i] * outward[i].x, v.y + (*height)[i] * outward[i].y});
            if (points.back().x == points[points.size() - 2].x && points.back().y == points[points.size() - 2].y)
                points.pop_back();  // the edges run on in a straight line
        }
        return points;
    };
    ConvexShape shape(corners());
    if (shape.empty()) {
        double lowest = *std::min_element(height->begin(), height->end());
        std::fill(height->begin(), height->end(), lowest);
        shape = ConvexShape(corners());
    }
    if (!((*height)[0] > 0.0))
        return ConvexShape();
    return shape;
}

// The positions, in the counter-clockwise order of the vertices, of the corners of their convex hull, in
// that order; empty unless the hull meets them in that order, as it meets a simple polygon's.
std::vector<size_t> HullInOrder(const std::vector<Point>& ccw) {
    std::vector<size_t> sorted(ccw.size());
    for (size_t k = 0; k < sorted.size(); k++)
        sorted[k] = k;
    std::sort(sorted.begin(), sorted.end(),
              [&](size_t a, size_t b) { return ccw[a].x != ccw[b].x ? ccw[a].x < ccw[b].x : ccw[a].y < ccw[b].y; });
    std::vector<size_t> hull;  // the lower chain from the left, then the upper one back
    for (int pass = 0; pass < 2; pass++) {
        size_t floor = hull.size();
        for (size_t k : sorted) {
            while (hull.size() >= floor + 2 && Cross(ccw[hull[hull.size() - 2]], ccw[hull.back()], ccw[k]) <= 0.0)
                hull.pop_back();
            hull.push_back(k);
        }
        hull.pop_back();  // the last of each chain begins the other
        std::reverse(sorted.begin(), sorted.end());
    }
    if (hull.size() < 3)
        return {};
    std::rotate(hull.begin(), std::min_element(hull.begin(), hull.end()), hull.end());
    for (size_t j = 1; j < hull.size(); j++)
        if (hull[j] <= hull[j - 1])
            return {};
    return hull;
}

}  // namespace

// The ray leaves a convex polygon that holds the origin where it crosses the nearest of the lines of the
// edges it runs towards. The points step evenly in x, so the edge the direction meets is found from its x,
// give or take one; the lines of the edges around it are all tried, as a line the ray never reaches within
// the polygon is crossed farther out.
double UnitCircleReach(Point direction) {
    Point n{direction.x, std::fabs(direction.y)};  // the lower half mirrors the upper
    int32_t estimate = UpperPointBefore(n.x);
    double reach = 1.0;
    for (int32_t i = std::max(0, estimate - 2); i <= std::min(1249, estimate + 2); i++) {
        Point a = UnitPoint(i), b = UnitPoint(i + 1);
        double towards = n.x * (b.y - a.y) - n.y * (b.x - a.x);
        if (towards > 0.0)
            reach = std::min(reach, (a.x * b.y - a.y * b.x) / towards);
    }
    return reach;
}

WidenedFootprint WidenFootprint(const std::vector<Point>& vertices, const ConvexShape& footprint, double orientation,
                                const std::vector<double>& radius) {
    size_t n = vertices.size();
    WidenedFootprint widened;
    if (footprint.empty() || n < 3 || !(*std::min_element(radius.begin(), radius.end()) > 0.0))
        return widened;
    std::vector<Point> outward(n);  // of edge i
    for (size_t i = 0; i < n; i++) {
        Point a = vertices[i], b = vertices[(i + 1) % n];
        double length = Distance(a, b);
        if (!(length > 0.0))
            return widened;
        outward[i] = {(b.y - a.y) / length * orientation, -(b.x - a.x) / length * orientation};
    }
    widened.height.resize(n);
    for (size_t i = 0; i < n; i++) {
        size_t next = (i + 1) % n;
        widened.height[i] = std::min(SureReach(vertices[i], radius[i], outward[i]),
                                     SureReach(vertices[next], radius[next], outward[i]));
    }
    widened.shape = WidenedShape(vertices, outward, &widened.height);
    if (widened.shape.empty())
        return WidenedFootprint();
    widened.tallest = *std::max_element(widened.height.begin(), widened.height.end());
    return widened;
}

// Over an edge of the hull that the footprint also has, the rectangle lies in the edge's band as on a
// convex footprint. An edge of the hull that spans a notch has no band; the notch lies in the hull of the
// corners round it, and so in the inner circle of the disc at one end when every corner lies in it. Each
// half of a rectangle over the edge lies in the inner circle of the disc at its end when its far corner
// does. So the hull, the rectangles and the triangles at its corners lie in the polygon's region.
ConvexShape WidenHull(const std::vector<Point>& vertices, double orientation, const std::vector<double>& radius) {
    size_t n = vertices.size();
    if (n < 3 || !(*std::min_element(radius.begin(), radius.end()) > 0.0))
        return ConvexShape();
    std::vector<Point> ccw(n);
    std::vector<double> r(n), reach(n);  // the radius, and that of the inner circle less the margin
    for (size_t k = 0; k < n; k++) {
        size_t i = orientation > 0 ? k : n - 1 - k;
        ccw[k] = vertices[i];
        r[k] = radius[i];
        reach[k] = CircleInnerRadius * r[k] - 2 * InsideMargin;
    }
    std::vector<size_t> hull = HullInOrder(ccw);
    size_t m = hull.size();
    if (m == 0)
        return ConvexShape();
    std::vector<Point> corners(m), outward(m);
    std::vector<double> height(m);
    for (size_t j = 0; j < m; j++) {
        size_t first = hull[j], last = hull[(j + 1) % m], count = (last + n - first) % n;
        Point a = ccw[first], b = ccw[last];
        double length = Distance(a, b);
        if (!(length > 0.0))
            return ConvexShape();
        corners[j] = a;
        outward[j] = {(b.y - a.y) / length, -(b.x - a.x) / length};
        if (count == 1) {
            height[j] = std::min(SureReach(a, r[first], outward[j]), SureReach(b, r[last], outward[j]));
            continue;
        }
        auto heldBy = [&](size_t end) {
            for (size_t k = 0; k <= count; k++)
                if (!(Distance(ccw[(first + k) % n], ccw[end]) < reach[end]))
                    return false;
            return true;
        };
        double least = std::min(reach[first], reach[last]), half = length / 2;
        if (!(heldBy(first) || heldBy(last)) || !(least > half))
            return ConvexShape();
        height[j] = std::sqrt(least * least - half * half);
    }
    return WidenedShape(corners, outward, &height);
}

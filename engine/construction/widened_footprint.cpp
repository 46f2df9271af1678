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

}  // namespace

// The ray leaves a convex polygon that holds the origin where it crosses the nearest of the lines of the
// edges it runs towards. The points step evenly in x, so the edge the direction meets is found from its x,
// give or take one; the lines of the edges around it are all tried, as a line the ray never reaches within
// the polygon is crossed farther out.
double UnitCircleReach(Point direction) {
    Point n{direction.x, std::fabs(direction.y)};  // the lower half mirrors the upper
    int32_t estimate = static_cast<int32_t>(std::floor((1 - n.x) * 625));
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
    auto corners = [&]() {
        std::vector<Point> points;
        points.reserve(2 * n);
        for (size_t i = 0; i < n; i++) {
            size_t before = (i + n - 1) % n;
            Point v = vertices[i];
            points.push_back(
                {v.x + widened.height[before] * outward[before].x, v.y + widened.height[before] * outward[before].y});
            points.push_back({v.x + widened.height[i] * outward[i].x, v.y + widened.height[i] * outward[i].y});
            if (points.back().x == points[points.size() - 2].x && points.back().y == points[points.size() - 2].y)
                points.pop_back();  // the edges run on in a straight line
        }
        return points;
    };
    widened.shape = ConvexShape(corners());
    if (widened.shape.empty()) {
        double lowest = *std::min_element(widened.height.begin(), widened.height.end());
        std::fill(widened.height.begin(), widened.height.end(), lowest);
        widened.shape = ConvexShape(corners());
    }
    if (widened.shape.empty() || !(widened.height[0] > 0.0))
        return WidenedFootprint();
    widened.tallest = *std::max_element(widened.height.begin(), widened.height.end());
    return widened;
}

#include "tests/literal_region.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

CalcPolygon RoundPolygon(Point c, double r, int n, double height, double swell) {
    const double pi = 4 * std::atan(1.0);
    CalcPolygon round;
    for (int i = 0; i < n; i++) {
        double a = 2 * pi * i / n;
        round.vertices.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a), height + swell * std::sin(3 * a)});
    }
    return round;
}

ClipPolygon Contour(const std::vector<Point>& points) {
    return SingleContourPolygon(points.data(), static_cast<int32_t>(points.size()));
}

ClipPolygon LiteralRegion(const PolygonBands& b) {
    std::vector<ClipPolygon> parts = {Contour(b.vertices)};
    size_t n = b.vertices.size();
    for (size_t i = 0; i < n; i++) {
        size_t next = (i + 1) % n;
        if (b.radius[i] > 0.0) {
            std::vector<Point> circle = CirclePolygon(b.vertices[i].x, b.vertices[i].y, b.radius[i]);
            circle.pop_back();
            parts.push_back(Contour(circle));
        }
        if (b.radius[i] > 0.0 || b.radius[next] > 0.0) {
            std::array<Point, 4> band = BandCorners(b.vertices[i], b.vertices[next], b.radius[i], b.radius[next]);
            parts.push_back(Contour({band.begin(), band.end()}));
        }
    }
    ClipPolygon united;
    EXPECT_TRUE(ClipUnionAll(parts, &united));
    return united;
}


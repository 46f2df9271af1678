#include "engine/geometry/geometry.h"
#include "engine/geometry/convex_shapes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

// Which side of the line through a and b the point lies on: +1 left, -1 right, 0 on it.
int Side(Point a, Point b, Point p) {
    double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    return (cross > 0) - (cross < 0);
}

// The corners lie on the perpendiculars through a and b at their radii, the two corners of each end on
// opposite sides of the edge line, and the quadrilateral does not cross itself: its area is the
// trapezoid's (rA + rB) times the edge length, which a crossing corner order would not give.
void ExpectBand(Point a, Point b, double rA, double rB) {
    std::array<Point, 4> c = BandCorners(a, b, rA, rB);
    double length = Distance(a, b);
    double tolerance = 1e-9 * (rA + rB + length);
    EXPECT_NEAR(Distance(c[0], a), rA, tolerance);
    EXPECT_NEAR(Distance(c[1], a), rA, tolerance);
    EXPECT_NEAR(Distance(c[2], b), rB, tolerance);
    EXPECT_NEAR(Distance(c[3], b), rB, tolerance);
    double ex = (b.x - a.x) / length, ey = (b.y - a.y) / length;
    for (int i = 0; i < 4; i++) {
        Point base = i < 2 ? a : b;
        EXPECT_NEAR((c[i].x - base.x) * ex + (c[i].y - base.y) * ey, 0.0, tolerance) << "corner " << i;
    }
    EXPECT_EQ(Side(a, b, c[0]), -Side(a, b, c[1]));
    EXPECT_EQ(Side(a, b, c[0]), Side(a, b, c[3]));
    EXPECT_EQ(Side(a, b, c[1]), Side(a, b, c[2]));
    Point local[4];  // relative to a, so that map coordinates cost the area no precision
    for (int i = 0; i < 4; i++)
        local[i] = {c[i].x - a.x, c[i].y - a.y};
    EXPECT_NEAR(PolygonArea(local, 4), (rA + rB) * length, 1e-9 * (rA + rB) * length);
}

}  // namespace

TEST(PolygonArea, UnitSquareIsOneInBothWindings) {
    Point ccw[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    Point cw[] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    EXPECT_DOUBLE_EQ(PolygonArea(ccw, 4), 1.0);
    EXPECT_DOUBLE_EQ(PolygonArea(cw, 4), 1.0);
}

TEST(PolygonArea, RightTriangleAndEmptyList) {
    Point triangle[] = {{0, 0}, {4, 0}, {0, 3}};
    EXPECT_DOUBLE_EQ(PolygonArea(triangle, 3), 6.0);
    EXPECT_EQ(PolygonArea(nullptr, 0), 0.0);
}

// At map coordinates the products of raw coordinates are near 2.5e12, which cost a sum about the origin
// about 5e-4 of a 1 m square. Summed about a point of the contour, a moved shape keeps its area.
TEST(PolygonArea, MovedToMapCoordinatesKeepsItsArea) {
    const struct {
        const char* what;
        std::vector<Point> shape;
        double area;  // signed: counter-clockwise positive
    } cases[] = {
        {"1 m square", {{0.1, 0.1}, {1.1, 0.1}, {1.1, 1.1}, {0.1, 1.1}}, 1.0},
        {"clockwise L", {{0, 0}, {0, 20}, {8, 20}, {8, 8}, {20, 8}, {20, 0}}, -256.0},
        {"thin sliver", {{0, 0}, {200, 0}, {200, 0.0009765625}}, 0.09765625},  // a height exact at any offset
    };
    const Point offsets[] = {{0, 0}, {500000, 5000000}, {-712345.678, 4321987.654}};
    for (const auto& c : cases)
        for (Point offset : offsets) {
            std::vector<Point> moved = c.shape;
            for (Point& p : moved)
                p = {p.x + offset.x, p.y + offset.y};
            int32_t n = static_cast<int32_t>(moved.size());
            EXPECT_NEAR(SignedArea(moved.data(), n), c.area, 1e-9 * std::fabs(c.area)) << c.what << " at " << offset.x;
            EXPECT_NEAR(PolygonArea(moved.data(), n), std::fabs(c.area), 1e-9 * std::fabs(c.area)) << c.what;
        }
}

TEST(GeometryCirclePolygon, QuarterPointsAndClosure) {
    std::vector<Point> circle = CirclePolygon(10, 20, 1);
    ASSERT_EQ(circle.size(), 2501u);
    struct {
        int index;
        double x, y;
    } const expected[] = {{0, 11, 20}, {625, 10, 21}, {1250, 9, 20}, {1875, 10, 19}, {2500, 11, 20}};
    for (const auto& e : expected) {
        EXPECT_DOUBLE_EQ(circle[e.index].x, e.x) << "point " << e.index;
        EXPECT_DOUBLE_EQ(circle[e.index].y, e.y) << "point " << e.index;
    }
    for (int i = 0; i < 2501; i++)
        ASSERT_NEAR(Distance(circle[i], {10, 20}), 1.0, 1e-12) << "point " << i;
}

// Points stepping evenly in x leave coarse chords near (cx +- r, cy), so the area falls short of pi
// by a fixed, known fraction; the calculated areas depend on it.
TEST(GeometryCirclePolygon, AreaFallsShortOfPiByTheChordError) {
    const double pi = 4.0 * std::atan(1.0);
    std::vector<Point> circle = CirclePolygon(10, 20, 1);
    double shortfall = (pi - PolygonArea(circle.data(), 2501)) / pi;
    EXPECT_NEAR(shortfall, 2.3956e-5, 0.0005e-5);
}

// The depths the construction takes for granted: every edge of the circle polygon lies at least as deep
// as any run holding it is said to, which is never less than the inner radius, and the inner radius
// falls short of the widest steps' depth by next to nothing. At map coordinates the points' rounding
// is left to the margin the construction subtracts.
TEST(GeometryCirclePolygon, EdgesLieAsDeepAsTheirRunsAreSaidTo) {
    struct Case {
        Point centre;
        double r, allowance;
    } cases[] = {{{0, 0}, 1, 0}, {{0, 0}, 60, 0}, {{-20, 40}, 3000, 0}, {{512000.25, 5400000.75}, 500, InsideMargin}};
    std::vector<double> depth(2500);
    for (const Case& c : cases) {
        for (int32_t k = 0; k < 2500; k++) {
            Point a = CirclePoint(c.centre.x, c.centre.y, c.r, k), b = CirclePoint(c.centre.x, c.centre.y, c.r, (k + 1) % 2500);
            a = {a.x - c.centre.x, a.y - c.centre.y};
            b = {b.x - c.centre.x, b.y - c.centre.y};
            depth[k] = std::fabs(a.x * b.y - a.y * b.x) / std::hypot(b.x - a.x, b.y - a.y);
            ASSERT_GE(depth[k] + c.allowance, CircleDepthOver(k, k) * c.r) << "edge " << k << ", radius " << c.r;
        }
        // Runs within one half, over the horizontal diameter and wrapping round past either end.
        for (int32_t first : {-3, 0, 1, 17, 400, 624, 1240, 1249, 1250, 1800, 2490, 2499})
            for (int32_t length : {0, 1, 5, 40, 700}) {
                int32_t last = first + length;
                double said = CircleDepthOver(first, last) * c.r;
                EXPECT_GE(said, CircleInnerRadius * c.r) << first << " to " << last;
                for (int32_t k = first; k <= last; k++)
                    ASSERT_GE(depth[(k % 2500 + 2500) % 2500] + c.allowance, said) << first << " to " << last << ": " << k;
            }
    }
    EXPECT_LT(CircleDepthOver(0, 0) - CircleInnerRadius, 1e-7);
    EXPECT_LT(CircleDepthOver(1249, 1249) - CircleInnerRadius, 1e-7);
    EXPECT_GT(CircleDepthOver(624, 625), 1 - 1e-6);  // the finest steps, at the vertical diameter
}

TEST(GeometryCirclePolygon, ZeroRadiusIsTheCentreRepeated) {
    std::vector<Point> circle = CirclePolygon(3, -4, 0);
    ASSERT_EQ(circle.size(), 2501u);
    for (const Point& p : circle) {
        ASSERT_EQ(p.x, 3.0);
        ASSERT_EQ(p.y, -4.0);
    }
}

TEST(GeometryBandCorners, AxisParallelEdgesGiveExactCorners) {
    const struct {
        Point a, b;
        double rA, rB;
        Point corners[4];
    } cases[] = {
        {{0, 0}, {10, 0}, 2, 4, {{0, -2}, {0, 2}, {10, 4}, {10, -4}}},  // vertical perpendiculars
        {{0, 0}, {0, 10}, 1, 1, {{1, 0}, {-1, 0}, {-1, 10}, {1, 10}}},  // horizontal perpendiculars
    };
    for (const auto& c : cases) {
        std::array<Point, 4> corners = BandCorners(c.a, c.b, c.rA, c.rB);
        for (int i = 0; i < 4; i++) {
            EXPECT_DOUBLE_EQ(corners[i].x, c.corners[i].x) << "corner " << i;
            EXPECT_DOUBLE_EQ(corners[i].y, c.corners[i].y) << "corner " << i;
        }
    }
}

TEST(GeometryBandCorners, SlopedEdgesGiveAnUncrossedTrapezoid) {
    ExpectBand({0, 0}, {3, 4}, 5, 10);
    ExpectBand({1, 2}, {7, 3}, 2.5, 0.75);
    ExpectBand({7, 3}, {1, 2}, 2.5, 0.75);
    ExpectBand({-3, 8}, {2, -9}, 12, 4);
    ExpectBand({2, -9}, {-3, 8}, 12, 4);
}

// The perpendicular of a nearly horizontal edge is nearly vertical (slope about -5000); the quadratic
// formula cancels here at map coordinates, the unit-direction form does not.
TEST(GeometryBandCorners, SteepPerpendicularsAtMapCoordinatesKeepTheirRadius) {
    Point a{500000, 5000000}, b{500050, 5000000.01};
    ExpectBand(a, b, 30, 30);  // radii within 1.1e-7 m
    ExpectBand({500000, 5000000}, {500000.01, 5000050}, 30, 20);
}

TEST(GeometryBandCorners, ZeroRadiusGivesTheVertexNotNaN) {
    Point a{500000, 5000000}, b{500050, 5000000.01};
    std::array<Point, 4> c = BandCorners(a, b, 0, 0);
    for (int i = 0; i < 4; i++) {
        Point vertex = i < 2 ? a : b;
        EXPECT_EQ(c[i].x, vertex.x) << "corner " << i;
        EXPECT_EQ(c[i].y, vertex.y) << "corner " << i;
    }
}

TEST(GeometryPerpendicularPoints, LargerXFirstOrLowerPointFirstWhenVertical) {
    const double root5 = std::sqrt(5.0);
    const struct {
        bool vertical;
        double s, r;
        Point first, second;
    } cases[] = {
        {false, 2, root5, {11, 22}, {9, 18}},
        {false, -2, root5, {11, 18}, {9, 22}},
        {true, 123, 3, {10, 17}, {10, 23}},  // the slope is ignored
    };
    for (const auto& c : cases) {
        std::array<Point, 2> p = PerpendicularPoints(c.vertical, {10, 20}, c.s, c.r);
        EXPECT_DOUBLE_EQ(p[0].x, c.first.x);
        EXPECT_DOUBLE_EQ(p[0].y, c.first.y);
        EXPECT_DOUBLE_EQ(p[1].x, c.second.x);
        EXPECT_DOUBLE_EQ(p[1].y, c.second.y);
    }
}

// Both windings, since the even-odd rule must not depend on the direction of the outline; points on a
// side at the larger x belong to the ring, those on a side at the smaller x do not.
TEST(PointInRingRule, TriangleAndConcaveOutline) {
    struct Case {
        const char* what;
        double wx, wy;
        bool inside;
    };
    const std::vector<Point> triangle = {{0, 0}, {10, 0}, {5, 10}};
    const Case triangleCases[] = {
        {"centre", 5, 3, true},
        {"next to the sloped right edge", 9, 1, true},
        {"past it", 9.6, 1, false},
        {"above the base", 5, -1, false},
        {"on the right edge", 9, 2, true},
        {"on the left edge", 1, 2, false},
    };
    // A U opening towards larger y: the notch between x 10 and 20 reaches down to y 10.
    const std::vector<Point> u = {{0, 0}, {30, 0}, {30, 30}, {20, 30}, {20, 10}, {10, 10}, {10, 30}, {0, 30}};
    const Case uCases[] = {
        {"left arm", 5, 20, true},
        {"notch", 15, 20, false},
        {"right arm", 25, 20, true},
        {"base", 15, 5, true},
        {"floor of the notch", 15, 10, true},
        {"mouth of the notch", 15, 30, false},
        {"ray through both arms", 35, 20, false},
        {"left of everything", -1, 20, false},
    };
    auto check = [](std::vector<Point> points, const Case* cases, size_t count) {
        for (bool reversed : {false, true}) {
            std::vector<Point> ring(points);
            if (reversed)
                ring.assign(points.rbegin(), points.rend());
            for (size_t k = 0; k < count; k++)
                EXPECT_EQ(PointInRing(ring, {cases[k].wx, cases[k].wy}), cases[k].inside)
                    << cases[k].what << (reversed ? ", reversed" : "");
        }
    };
    check(triangle, triangleCases, std::size(triangleCases));
    check(u, uCases, std::size(uCases));
}

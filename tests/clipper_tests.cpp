#include "engine/clipper/clipper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// An axis-aligned rectangle as one contour, counter-clockwise unless asked otherwise.
ClipContour Box(double x0, double y0, double x1, double y1, bool clockwise = false, bool hole = false) {
    ClipContour contour;
    contour.hole = hole;
    contour.points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    if (clockwise)
        contour.points = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
    return contour;
}

ClipPolygon Region(std::vector<ClipContour> contours) {
    ClipPolygon polygon;
    polygon.contours = std::move(contours);
    return polygon;
}

int HoleCount(const ClipPolygon& polygon) {
    return static_cast<int>(polygon.contours.size()) - OuterContourCount(polygon);
}

// Four 2 m wide blocks around a 6 m by 6 m courtyard.
std::vector<ClipContour> Ring() {
    return {Box(0, 0, 10, 2), Box(0, 8, 10, 10), Box(0, 2, 2, 8), Box(8, 2, 10, 8)};
}

}  // namespace

TEST(Clipper, UnionOfOverlappingSquaresHasTheUnionArea) {
    ClipPolygon result;
    ASSERT_TRUE(ClipUnion(Region({Box(0, 0, 10, 10)}), Region({Box(5, 5, 15, 15)}), &result));
    EXPECT_EQ(OuterContourCount(result), 1);
    EXPECT_EQ(HoleCount(result), 0);
    EXPECT_NEAR(RegionArea(result), 175.0, 1e-9);
}

TEST(Clipper, NormalFormTurnsAClockwiseContourIntoOneOuter) {
    ClipPolygon result;
    ASSERT_TRUE(NormalForm(Region({Box(1, 2, 4, 7, true)}), &result));
    ASSERT_EQ(result.contours.size(), 1u);
    EXPECT_FALSE(result.contours[0].hole);
    EXPECT_NEAR(RegionArea(result), 15.0, 1e-9);
}

// Overlapping outer contours of one polygon fill their union, not an even-odd pattern.
TEST(Clipper, NormalFormUnitesOverlappingOuterContours) {
    ClipPolygon result;
    ASSERT_TRUE(NormalForm(Region({Box(0, 0, 10, 10), Box(5, 5, 15, 15, true)}), &result));
    EXPECT_EQ(OuterContourCount(result), 1);
    EXPECT_EQ(HoleCount(result), 0);
    EXPECT_NEAR(RegionArea(result), 175.0, 1e-9);
}

TEST(Clipper, DifferenceOfInnerSquareLeavesOuterAndHole) {
    ClipPolygon result;
    ASSERT_TRUE(ClipDifference(Region({Box(0, 0, 10, 10)}), Region({Box(3, 3, 6, 6)}), &result));
    ASSERT_EQ(result.contours.size(), 2u);
    EXPECT_EQ(OuterContourCount(result), 1);
    for (const ClipContour& c : result.contours) {
        double a = PolygonArea(c.points.data(), static_cast<int32_t>(c.points.size()));
        EXPECT_NEAR(a, c.hole ? 9.0 : 100.0, 1e-9);
    }
    EXPECT_NEAR(RegionArea(result), 91.0, 1e-9);
}

TEST(Clipper, SquaresOneMetreApartStayTwoOuterContours) {
    ClipPolygon result;
    ASSERT_TRUE(ClipUnion(Region({Box(0, 0, 10, 10)}), Region({Box(11, 0, 21, 10)}), &result));
    EXPECT_EQ(OuterContourCount(result), 2);
    EXPECT_EQ(HoleCount(result), 0);
    EXPECT_NEAR(RegionArea(result), 200.0, 1e-9);
}

TEST(Clipper, RingAroundCourtyardIsOneOuterAndOneHole) {
    std::vector<ClipContour> ring = Ring();
    ClipPolygon result;
    ASSERT_TRUE(ClipUnion(Region({ring[0], ring[1]}), Region({ring[2], ring[3]}), &result));
    EXPECT_EQ(OuterContourCount(result), 1);
    EXPECT_EQ(HoleCount(result), 1);
    EXPECT_NEAR(RegionArea(result), 64.0, 1e-9);
}

// NaN, infinities and anything beyond 1e18 micrometres never reach the clipper; the operation reports
// failure instead of rounding them into nonsense or throwing. 2e12 m would still fit the clipper's own
// range, so it shows the limit is ours.
// Coordinates go to the grid of micrometres rounded half away from zero, on either side of zero and far
// from it: a corner of a triangle at each coordinate must come back at the expected grid point.
TEST(Clipper, CoordinatesRoundHalfAwayFromZeroOntoTheGrid) {
    struct Case {
        double metres, micrometres;
        bool half;  // the metres scale to an exact half, in doubles
    };
    const Case cases[] = {
        {2.5e-6, 3, true},
        {-2.5e-6, -3, true},
        {0.5e-6, 1, true},
        {-0.5e-6, -1, true},
        {500000.0000035, 500000000004, true},
        {-500000.0000035, -500000000004, true},
        {2.4e-6, 2, false},
        {-2.4e-6, -2, false},
        {2.6e-6, 3, false},
        {0.4e-6, 0, false},
        {-0.4e-6, 0, false},
        {7e-6, 7, false},
        {500000.25, 500000250000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.metres << " m");
        double scaled = c.metres * 1e6;
        ASSERT_EQ(std::fabs(scaled - std::trunc(scaled)) == 0.5, c.half);
        ClipPolygon triangle = Region({{false, {{c.metres, 0.0}, {c.metres + 10.0, 0.0}, {c.metres, 10.0}}}});
        ClipPolygon result;
        ASSERT_TRUE(NormalForm(triangle, &result));
        ASSERT_EQ(result.contours.size(), 1u);
        const std::vector<Point>& points = result.contours[0].points;
        bool found = std::any_of(points.begin(), points.end(),
                                 [&](Point p) { return p.x == c.micrometres / 1e6 && p.y == 0.0; });
        EXPECT_TRUE(found) << "no corner at " << c.micrometres << " micrometres";
    }
}

TEST(Clipper, UnrepresentableCoordinateFailsInsteadOfThrowing) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const double bad[] = {nan, inf, -inf, 1e13, -1e13, 2e12};
    ClipPolygon square = Region({Box(0, 0, 10, 10)});
    for (double value : bad) {
        ClipPolygon broken = Region({Box(0, 0, 10, 10)});
        broken.contours[0].points[2].y = value;
        ClipPolygon result;
        EXPECT_FALSE(NormalForm(broken, &result)) << value;
        EXPECT_FALSE(ClipUnion(square, broken, &result)) << value;
        EXPECT_FALSE(ClipDifference(square, broken, &result)) << value;
        broken.contours[0].points[2] = {value, 10};
        EXPECT_FALSE(ClipUnion(broken, square, &result)) << value;
    }
}

TEST(Clipper, LargeButRepresentableCoordinatesStillWork) {
    ClipPolygon result;
    ASSERT_TRUE(NormalForm(Region({Box(9e11, 9e11, 9e11 + 1000, 9e11 + 1000)}), &result));
    EXPECT_EQ(OuterContourCount(result), 1);
}

TEST(Clipper, EmptyPolygonUnitedWithSquareIsTheSquare) {
    ClipPolygon square = Region({Box(0, 0, 10, 10)});
    for (const ClipPolygon& empty : {ClipPolygon(), SingleContourPolygon(nullptr, 0)}) {
        ClipPolygon result;
        ASSERT_TRUE(ClipUnion(empty, square, &result));
        EXPECT_EQ(OuterContourCount(result), 1);
        EXPECT_EQ(HoleCount(result), 0);
        EXPECT_NEAR(RegionArea(result), 100.0, 1e-9);
        ASSERT_TRUE(ClipUnion(square, empty, &result));
        EXPECT_NEAR(RegionArea(result), 100.0, 1e-9);
    }
}

// The hole flag, not the order of the points, decides what a contour is.
TEST(Clipper, ResultsDoNotDependOnInputWinding) {
    for (int windings = 0; windings < 8; windings++) {
        bool subjectCw = windings & 1, clipCw = windings & 2, holeCw = windings & 4;
        ClipPolygon subject = Region({Box(0, 0, 10, 10, subjectCw), Box(2, 2, 4, 4, holeCw, true)});
        ClipPolygon clip = Region({Box(5, 5, 15, 15, clipCw)});
        ClipPolygon united, difference;
        ASSERT_TRUE(ClipUnion(subject, clip, &united));
        ASSERT_TRUE(ClipDifference(subject, clip, &difference));
        EXPECT_EQ(OuterContourCount(united), 1) << windings;
        EXPECT_EQ(HoleCount(united), 1) << windings;
        EXPECT_NEAR(RegionArea(united), 171.0, 1e-9) << windings;
        EXPECT_EQ(OuterContourCount(difference), 1) << windings;
        EXPECT_NEAR(RegionArea(difference), 71.0, 1e-9) << windings;
    }
}

// The plain union joins contours that touch at a point into one contour passing twice through it; the
// strictly simple form must give every outer contour, hole and island a contour of its own, in either
// winding of the input.
TEST(Clipper, StrictlySimpleFormSeparatesContoursTouchingAtAPoint) {
    const struct {
        const char* what;
        std::vector<ClipContour> contours;
        int outer, holes;
        double area;
    } cases[] = {
        // The west wing's corner closes the courtyard at the north wing's edge.
        {"courtyard closed at a corner",
         {Box(0, 0, 30, 5), Box(25, 5, 30, 25), Box(0, 25, 30, 30), Box(0, 5, 5, 25)},
         1,
         1,
         500},
        {"courtyard closed by a T",
         {Box(0, 0, 30, 5), Box(25, 5, 30, 30), Box(5, 25, 25, 30), Box(0, 5, 5, 25)},
         1,
         1,
         475},
        {"squares touching at a corner", {Box(0, 0, 10, 10), Box(10, 10, 20, 20, true)}, 2, 0, 200},
        {"three squares around one point",
         {Box(0, 0, 10, 10), Box(10, 10, 20, 20), Box(-10, 10, 0, 20, true)},
         3,
         0,
         300},
        {"hole touching the outer corner", {Box(0, 0, 10, 10), ClipContour{true, {{0, 0}, {4, 2}, {2, 4}}}}, 1, 1, 94},
    };
    for (const auto& c : cases) {
        ClipPolygon result;
        ASSERT_TRUE(StrictlySimpleForm(Region(c.contours), &result)) << c.what;
        EXPECT_EQ(OuterContourCount(result), c.outer) << c.what;
        EXPECT_EQ(HoleCount(result), c.holes) << c.what;
        EXPECT_NEAR(RegionArea(result), c.area, 1e-9) << c.what;
        for (const ClipContour& contour : result.contours) {
            std::vector<Point> points = contour.points;
            std::sort(points.begin(), points.end(),
                      [](Point a, Point b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
            auto same = [](Point a, Point b) { return a.x == b.x && a.y == b.y; };
            EXPECT_EQ(std::adjacent_find(points.begin(), points.end(), same), points.end()) << c.what;
        }
    }
}

// The difference that leaves Am: the footprint of a closed courtyard is a hole, and the courtyard an
// island in it, touching the hole where the wings meet.
TEST(Clipper, StrictDifferenceLeavesTheCourtyardAsAnIsland) {
    ClipPolygon site = Region({Box(0, 0, 30, 5), Box(25, 5, 30, 25), Box(0, 25, 30, 30), Box(0, 5, 5, 25)});
    ClipPolygon result;
    ASSERT_TRUE(ClipDifference(Region({Box(-100, -100, 130, 130)}), site, &result, true));
    EXPECT_EQ(OuterContourCount(result), 2);
    EXPECT_EQ(HoleCount(result), 1);
    EXPECT_NEAR(RegionArea(result), 230.0 * 230.0 - 500.0, 1e-6);
}

// A ring walked round a point is put in the sweep's own form without a sweep, and every ring the shortcut
// cannot vouch for is left to the sweep.
TEST(Clipper, StarRingFormIsTheSweepsFormOrRefuses) {
    const double pi = 4 * std::atan(1.0);
    auto round = [&](Point c, double r, int n) {
        std::vector<Point> ring;
        for (int i = 0; i < n; i++)
            ring.push_back({c.x + r * std::cos(2 * pi * i / n), c.y + r * std::sin(2 * pi * i / n)});
        return ring;
    };
    const Point utm{500000.0, 5000000.0};
    std::vector<Point> notched = round({0, 0}, 100, 400);
    for (size_t i = 10; i < notched.size(); i += 25)  // a drop of a few micrometres, nearly along the ray
        notched[i] = {notched[i].x * (1 - 3e-8) + 1.4e-6, notched[i].y * (1 - 3e-8)};
    std::vector<Point> repeats = {{0, -1}, {1, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0.5}, {-1, -1}};
    // Out along the ray to (2, 0) and back: a spike of no area.
    std::vector<Point> spike = {{0, -1}, {1, -1}, {1, 0}, {2, 0}, {1, 0}, {1, 1}, {-1, 1}, {-1, -1}};
    std::vector<Point> twice = round({0, 0}, 10, 7);
    std::vector<Point> heptagram;
    for (int i = 0; i < 7; i++)
        heptagram.push_back(twice[(2 * i) % 7]);
    // The top folded into a bow: its two slanting edges cross, and the loop between them turns back.
    std::vector<Point> crossed = {{-1, -1}, {1, -1}, {1, 1}, {-0.5, 0.2}, {0.5, 0.2}, {-1, 1}};
    std::vector<Point> clockwise = round(utm, 25, 60);
    std::reverse(clockwise.begin(), clockwise.end());
    struct Case {
        const char* name;
        std::vector<Point> ring;
        Point centre;
        bool formed;
    };
    const Case cases[] = {
        {"round ring", round({3, 4}, 50, 500), {3, 4}, true},
        {"round ring at map coordinates", round(utm, 40, 300), utm, true},
        {"steps the grid turns back about the centre", notched, {0, 0}, true},
        {"repeated points and points on a side", repeats, {0, 0}, true},
        {"a spike along a ray", spike, {0, 0}, true},
        {"a footprint drawn clockwise", clockwise, utm, true},
        {"a ring round a point outside it", round({0, 0}, 1, 40), {5, 0}, false},
        {"a ring that winds twice round", heptagram, {0, 0}, false},
        {"two edges that cross", crossed, {0, -0.5}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipContour formed;
        ASSERT_EQ(StarRingForm(c.ring, c.centre, &formed), c.formed);
        if (!c.formed)
            continue;
        ClipPolygon swept;
        ASSERT_TRUE(StrictlySimpleForm(Region({ClipContour{false, c.ring}}), &swept));
        ASSERT_EQ(swept.contours.size(), 1u);
        EXPECT_FALSE(formed.hole);
        ASSERT_EQ(formed.points.size(), swept.contours[0].points.size());
        for (size_t i = 0; i < formed.points.size(); i++) {
            EXPECT_EQ(formed.points[i].x, swept.contours[0].points[i].x);
            EXPECT_EQ(formed.points[i].y, swept.contours[0].points[i].y);
        }
        EXPECT_FALSE(StarRingForm(c.ring, c.centre, &formed, [] { return true; })) << "a stopped run";
    }
}

// A sweep builds a ring with a notch at every vertex out of a piece for each notch, joined one by one to
// the long ring; which piece gives the joined ring its hole state follows the pieces' lowest points, which
// the clipper keeps across the joins. Notched rings of every kind: an outer one, a hole in it, an island
// in the hole, and one apart, wound either way.
TEST(Clipper, RingsJoinedFromManyNotchesKeepTheirHoleStates) {
    // A star of n points round (cx, cy), its tips at radius r and its notches 1 % in.
    auto star = [](double cx, double cy, double r, int n, bool hole) {
        ClipContour contour;
        contour.hole = hole;
        for (int k = 0; k < 2 * n; k++) {
            double angle = 3.14159265358979 * k / n * (hole ? -1 : 1), reach = k % 2 ? 0.99 * r : r;
            contour.points.push_back({cx + reach * std::cos(angle), cy + reach * std::sin(angle)});
        }
        return contour;
    };
    for (int n : {3, 50, 2000}) {
        std::vector<ClipContour> contours = {star(0, 0, 1000, n, false), star(0, 0, 800, n, true),
                                             star(0, 0, 600, n, false), star(3000, 0, 1000, n, false)};
        double area = 0.0;
        for (const ClipContour& contour : contours)
            area += (contour.hole ? -1 : 1) * std::fabs(RegionArea(Region({ClipContour{false, contour.points}})));
        ClipPolygon result;
        ASSERT_TRUE(ClipUnionAll({Region({contours[0], contours[1], contours[2]}), Region({contours[3]})}, &result))
            << n;
        EXPECT_EQ(OuterContourCount(result), 3) << n;
        EXPECT_EQ(HoleCount(result), 1) << n;
        EXPECT_NEAR(RegionArea(result), area, 1e-9 * area) << n;  // points rounded to micrometres
    }
}

// Tests of the outline traced round a lone convex polygon of one radius: where it is traced it must be the
// literal region, nothing more and nothing less, with one contour; where its rule does not hold the
// polygon is left to the other constructions.
#include "engine/construction/convex_outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "bench/random_source.h"
#include "engine/construction/ad_am_outlines.h"
#include "tests/literal_region.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

CalcPolygon Polygon(std::vector<CalcVertex> vertices) {
    CalcPolygon polygon;
    polygon.vertices = std::move(vertices);
    return polygon;
}

// n corners on an ellipse of half-axes a and b turned by turn, at angles spread evenly or at random.
CalcPolygon Ellipse(Point c, double a, double b, double turn, int n, double height, RandomSource* random) {
    std::vector<double> angles;
    for (int i = 0; i < n; i++)
        angles.push_back(random ? random->uniform(0.0, 2 * Pi) : 2 * Pi * i / n);
    std::sort(angles.begin(), angles.end());
    CalcPolygon polygon;
    for (double t : angles) {
        double x = a * std::cos(t), y = b * std::sin(t);
        polygon.vertices.push_back(
            {c.x + x * std::cos(turn) - y * std::sin(turn), c.y + x * std::sin(turn) + y * std::cos(turn), height});
    }
    return polygon;
}

PolygonBands Bands(const CalcPolygon& polygon, CalcPass pass) {
    return PrepareBands(pass, CalcOptions(), polygon);
}

// The traced contour against the literal region: both differences empty to 1e-9 of the area, or on a
// small region to a micrometre of the clipper's grid along its outline, where the two round their
// crossings to the grid each their own way.
void ExpectLiteralRegion(const PolygonBands& bands) {
    ClipContour contour;
    ASSERT_TRUE(ConvexOutline(bands, CalcRun(), &contour));
    EXPECT_FALSE(contour.hole);
    ClipPolygon traced, literal = LiteralRegion(bands), missing, extra;
    traced.contours = {contour};
    ASSERT_TRUE(ClipDifference(literal, traced, &missing));
    ASSERT_TRUE(ClipDifference(traced, literal, &extra));
    double area = RegionArea(literal), length = 0.0;
    const std::vector<Point>& ring = contour.points;
    for (size_t i = 0; i < ring.size(); i++)
        length += Distance(ring[i], ring[(i + 1) % ring.size()]);
    double tolerance = std::max(1e-9 * area, 1e-6 * length);
    EXPECT_NEAR(RegionArea(traced), area, tolerance);
    EXPECT_LT(RegionArea(missing), tolerance);
    EXPECT_LT(RegionArea(extra), tolerance);
    EXPECT_EQ(literal.contours.size(), 1u);
}

TEST(ConvexOutline, IsTheLiteralRegionOfConvexPolygonsOfOneRadius) {
    const Point utm{500000.0, 5000000.0};
    struct Case {
        const char* name;
        CalcPolygon polygon;
        CalcPass pass;
    };
    const Case cases[] = {
        // Discs far apart: each corner's notch lies under one disc alone.
        {"octagon with axis-parallel sides, where a circle polygon's point stands on a band's corner",
         Polygon({{10, 0, 8}, {30, 0, 8}, {40, 10, 8}, {40, 30, 8}, {30, 40, 8}, {10, 40, 8}, {0, 30, 8}, {0, 10, 8}}),
         CalcPass::Ad},
        {"hexagon drawn clockwise at map coordinates, Ad",
         Polygon({{utm.x + 30, utm.y, 9}, {utm.x + 15, utm.y - 26, 9}, {utm.x - 15, utm.y - 26, 9},
                  {utm.x - 30, utm.y, 9}, {utm.x - 15, utm.y + 26, 9}, {utm.x + 15, utm.y + 26, 9}}),
         CalcPass::Ad},
        {"long oval of 30 corners, Am", Ellipse({0, 0}, 1500, 600, 0.3, 30, 10, nullptr), CalcPass::Am},
        // Discs a few metres apart, crossing each other in every corner.
        {"round tank of 60 corners, Ad", Ellipse({0, 0}, 40, 40, 0, 60, 20, nullptr), CalcPass::Ad},
        // The bands' inner halves reach across the footprint and out beyond its far side.
        {"round building beside its Am distance", Ellipse({0, 0}, 40, 40, 0, 32, 20, nullptr), CalcPass::Am},
        {"oval 50 m wide, a tenth of its Am distance, drawn clockwise",
         [] {
             CalcPolygon oval = Ellipse({0, 0}, 60, 25, 1.0, 30, 20, nullptr);
             std::reverse(oval.vertices.begin(), oval.vertices.end());
             return oval;
         }(),
         CalcPass::Am},
        // Discs centimetres apart, crossing within each corner's reach.
        {"round tank of 100 corners at map coordinates, Ad", Ellipse(utm, 2.5, 2.5, 0, 100, 1.2, nullptr),
         CalcPass::Ad},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLiteralRegion(Bands(c.polygon, c.pass));
        // A run traces bands prepared without their trapezoids, building the corners itself: the outline
        // must be the same to the last bit.
        ClipContour whole, bare;
        ASSERT_TRUE(ConvexOutline(Bands(c.polygon, c.pass), CalcRun(), &whole));
        PolygonBands withoutTrapezoids = PrepareBands(c.pass, CalcOptions(), c.polygon, false);
        ASSERT_TRUE(withoutTrapezoids.trapezoids.empty());
        ASSERT_TRUE(ConvexOutline(withoutTrapezoids, CalcRun(), &bare));
        ASSERT_EQ(bare.points.size(), whole.points.size());
        for (size_t k = 0; k < whole.points.size(); k++)
            ASSERT_TRUE(bare.points[k].x == whole.points[k].x && bare.points[k].y == whole.points[k].y) << k;
    }
}

// Random convex polygons of 3 to 70 corners at random spacing, from a little wider than their bands to
// far wider, and far narrower than their Am distance.
TEST(ConvexOutline, IsTheLiteralRegionOfRandomConvexPolygons) {
    RandomSource random(20261208);
    int traced = 0;
    for (int trial = 0; trial < 18; trial++) {
        bool am = trial % 3 == 2;
        int n = trial % 3 == 0 ? 3 + random.below(8) : 20 + random.below(am ? 30 : 50);
        double height = random.uniform(2.0, 30.0), a = random.uniform(3.2 * height, 400.0);
        double b = random.uniform(std::max(0.25 * a, 3.2 * height), a);
        CalcPolygon polygon = Ellipse({random.uniform(-1e5, 1e5), random.uniform(-1e5, 1e5)}, a, b,
                                      random.uniform(0.0, Pi), n, height, &random);
        SCOPED_TRACE(testing::Message() << "trial " << trial << ", " << n << " corners, " << a << " by " << b
                                        << " m, height " << height);
        PolygonBands bands = Bands(polygon, am ? CalcPass::Am : CalcPass::Ad);
        ClipContour contour;
        if (ConvexOutline(bands, CalcRun(), &contour)) {
            traced++;
            ExpectLiteralRegion(bands);
        }
    }
    EXPECT_GE(traced, 9);
}

// Round sites whose discs stand decimetres apart, so that several cross within each corner's reach: traced
// alone they must give what the pieces give beside a block far away, less the block's own.
TEST(ConvexOutline, DenseRoundSitesAreWhatThePiecesFind) {
    const Point utm{500000.0, 5000000.0};
    CalcPolygon block = Polygon({{utm.x + 9000, utm.y, 10}, {utm.x + 9012, utm.y, 10}, {utm.x + 9012, utm.y + 15, 10}});
    auto areas = [](std::vector<CalcPolygon> polygons) {
        CalcInput input{std::move(polygons)};
        CalcRun run;
        EXPECT_TRUE(ComputeAdAm(&input, CalcOptions(), &run));
        return std::make_pair(run.result.ad, run.result.am);
    };
    for (int n : {1500, 4000}) {
        SCOPED_TRACE(testing::Message() << n << " corners");
        CalcPolygon round = Ellipse(utm, 400, 400, 0, n, 12, nullptr);
        ClipContour contour;
        ASSERT_TRUE(ConvexOutline(Bands(round, CalcPass::Ad), CalcRun(), &contour));
        ASSERT_TRUE(ConvexOutline(Bands(round, CalcPass::Am), CalcRun(), &contour));
        auto traced = areas({round}), alone = areas({block}), pieces = areas({round, block});
        EXPECT_NEAR(traced.first + alone.first, pieces.first, 1e-9 * pieces.first);
        EXPECT_NEAR(traced.second + alone.second, pieces.second, 1e-9 * pieces.second);
    }
}

TEST(ConvexOutline, LeavesOtherPolygonsToTheOtherConstructions) {
    struct Case {
        const char* name;
        CalcPolygon polygon;
        CalcPass pass;
    };
    const Case cases[] = {
        // At a corner of 90 degrees or less the footprint has no depth along a band's end.
        {"square tank", Polygon({{0, 0, 10}, {40, 0, 10}, {40, 40, 10}, {0, 40, 10}}), CalcPass::Ad},
        {"triangle", Polygon({{0, 0, 9}, {20, 60, 9}, {70, 10, 9}}), CalcPass::Ad},
        {"heights that differ", Polygon({{0, 0, 10}, {40, 0, 12}, {40, 40, 10}, {0, 40, 10}}), CalcPass::Ad},
        {"a corner of height 0", Polygon({{0, 0, 0}, {40, 0, 0}, {40, 40, 0}, {0, 40, 0}}), CalcPass::Ad},
        {"L-shaped house", Polygon({{0, 0, 6}, {12, 0, 6}, {12, 5, 6}, {5, 5, 6}, {5, 10, 6}, {0, 10, 6}}),
         CalcPass::Ad},
        {"a corner on a straight edge", Polygon({{0, 0, 10}, {20, 0, 10}, {40, 0, 10}, {40, 40, 10}, {0, 40, 10}}),
         CalcPass::Ad},
        {"ellipse a metre wide", Ellipse({0, 0}, 50, 0.5, 0, 100, 10, nullptr), CalcPass::Ad},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipContour contour;
        EXPECT_FALSE(ConvexOutline(Bands(c.polygon, c.pass), CalcRun(), &contour));
    }
}

TEST(ConvexOutline, StopsWhenTheRunIsStopped) {
    CalcRun run;
    run.requestStop();
    ClipContour contour;
    EXPECT_FALSE(ConvexOutline(Bands(Ellipse({0, 0}, 600, 600, 0, 400, 20, nullptr), CalcPass::Am), run, &contour));
}

}  // namespace

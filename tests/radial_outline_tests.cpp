// Tests of the outline walked round a point from which a polygon's union is star-shaped: where there is
// such a point the walked ring must be the literal region, with nothing more and nothing less; where there
// is none the polygon is left to the pieces.
#include "engine/construction/radial_outline.h"

#include "engine/construction/common_centre.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/clipper/clipper.h"
#include "engine/construction/ad_am_outlines.h"
#include "engine/construction/seen_edges.h"
#include "tests/literal_region.h"

namespace {

struct Case {
    const char* name;
    CalcPolygon polygon;
    CalcPass pass;
    double k, d;
    bool walked;
};

CalcPolygon Polygon(std::vector<CalcVertex> vertices) {
    CalcPolygon polygon;
    polygon.vertices = std::move(vertices);
    return polygon;
}

CalcPolygon TurnedL() {
    return Polygon({{0, 0, 6}, {10.392, 6, 6}, {7.892, 10.330, 6}, {1.830, 6.830, 6}, {-0.670, 11.160, 6}, {-5, 8.660, 6}});
}

// A round footprint of the given count of teeth, each a tip on the outer circle and a root on the inner
// one, turned by a tenth of a radian so that no edge runs along an axis.
CalcPolygon Gear(Point c, double outer, double inner, int teeth, double tipHeight, double rootHeight) {
    std::vector<CalcVertex> vertices;
    for (int i = 0; i < 2 * teeth; i++) {
        double a = 0.1 + 3.14159265358979 * i / teeth, r = i % 2 ? inner : outer;
        vertices.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a), i % 2 ? rootHeight : tipHeight});
    }
    return Polygon(vertices);
}

PolygonBands Bands(const Case& c) {
    CalcOptions options;
    options.heightProjection = c.k;
    options.distanceProjection = c.d;
    return PrepareBands(c.pass, options, c.polygon);
}

TEST(RadialOutline, IsTheLiteralRegionWhereEveryShapeHoldsOnePoint) {
    const Point utm{500000.0, 5000000.0};
    const Case cases[] = {
        {"round tower whose height swells, Ad", RoundPolygon({0, 0}, 40, 40, 20, 5), CalcPass::Ad, 3, 500, true},
        {"round tower of 60 corners, Am", RoundPolygon({3, -2}, 40, 60, 20, 5), CalcPass::Am, 3, 500, true},
        {"round building of 100 corners, Am", RoundPolygon({0, 0}, 40, 100, 20, 5), CalcPass::Am, 3, 500, true},
        {"round tower at map coordinates", RoundPolygon(utm, 8, 24, 12, 4), CalcPass::Ad, 3, 500, true},
        {"block, Ad", Polygon({{0, 0, 8}, {10, 0, 8}, {10, 15, 10}, {0, 15, 10}}), CalcPass::Ad, 3, 500, true},
        {"block, Am at its least distance", Polygon({{0, 0, 8}, {10, 0, 8}, {10, 15, 10}, {0, 15, 10}}),
         CalcPass::Am, 3, 20, true},
        {"triangle with one tall corner", Polygon({{0, 0, 5}, {10, 0, 5}, {5, 8, 30}}), CalcPass::Ad, 3, 500, true},
        {"turned square, clockwise", Polygon({{0, 0, 9}, {-6, 8, 9}, {2, 14, 9}, {8, 6, 9}}), CalcPass::Ad, 2, 500,
         true},
        {"hexagon at map coordinates, Am",
         Polygon({{utm.x + 6, utm.y, 7}, {utm.x + 3, utm.y + 5, 7}, {utm.x - 3, utm.y + 5, 7},
                  {utm.x - 6, utm.y, 7}, {utm.x - 3, utm.y - 5, 7}, {utm.x + 3, utm.y - 5, 7}}),
         CalcPass::Am, 3, 350.0 / 1.5, true},
        // The mean of the corners lies beyond the perpendicular at the obtuse corner, outside the band of
        // the short edge; a point a little inside that edge lies in every band.
        {"obtuse triangle", Polygon({{0, 0, 10}, {20, 0, 10}, {2, 3, 10}}), CalcPass::Ad, 3, 500, true},
        // No point lies in the bands of both edges of the notch and of the walls beside them, but the
        // sides the notch's bands turn to one lie in the other discs and bands, which hold it: seen from
        // there the union is still one piece along every ray.
        {"L-shaped house, Ad", Polygon({{0, 0, 6}, {12, 0, 6}, {12, 5, 6}, {5, 5, 6}, {5, 10, 6}, {0, 10, 6}}),
         CalcPass::Ad, 3, 500, true},
        // The notch's band reaches down exactly to the wall band's outer side: its corner lies on that
        // side's line and counts as held by it.
        {"L-shaped house whose notch's band ends on a wall band's side, Ad",
         Polygon({{0, 0, 7}, {11, 0, 7}, {11, 6, 9}, {6, 6, 9}, {6, 10, 8}, {0, 10, 8}}), CalcPass::Ad, 3, 500, true},
        {"T-shaped house, Am",
         Polygon({{6, 0, 9}, {12, 0, 9}, {12, 8, 9}, {18, 8, 9}, {18, 14, 9}, {0, 14, 9}, {0, 8, 9}, {6, 8, 9}}),
         CalcPass::Am, 3, 500, true},
        // The ends of the bands that no candidate lies in run between the extreme points of their
        // vertices' circle polygons, the edges being parallel to the axes: each disc holds its band's end.
        {"L-shaped house, Am", Polygon({{0, 0, 6}, {12, 0, 6}, {12, 5, 6}, {5, 5, 6}, {5, 10, 6}, {0, 10, 6}}),
         CalcPass::Am, 3, 500, true},
        {"U-shaped house, Am",
         Polygon({{0, 0, 8}, {20, 0, 8}, {20, 15, 8}, {14, 15, 8}, {14, 6, 8}, {6, 6, 8}, {6, 15, 8}, {0, 15, 8}}),
         CalcPass::Am, 3, 500, true},
        {"U-shaped house at map coordinates, Am",
         Polygon({{utm.x, utm.y, 8}, {utm.x + 20, utm.y, 8}, {utm.x + 20, utm.y + 15, 8}, {utm.x + 14, utm.y + 15, 8},
                  {utm.x + 14, utm.y + 6, 8}, {utm.x + 6, utm.y + 6, 8}, {utm.x + 6, utm.y + 15, 8},
                  {utm.x, utm.y + 15, 8}}),
         CalcPass::Am, 3, 500, true},
        // Turned, such an end reaches its disc's true circle between two points of the circle polygon,
        // past it and every other shape: the walk cuts the notch there back (below).
        {"L-shaped house turned by 30 degrees, Am", TurnedL(), CalcPass::Am, 3, 500, true},
        // The bands of a gear's flanks hold no point in common, but each turns to the centre only its end
        // at the root, whose notches the walk cuts back: so at any count of teeth.
        {"gear of 36 teeth, Ad", Gear({0, 0}, 20, 19.5, 36, 30, 30), CalcPass::Ad, 3, 500, true},
        {"gear of 36 deep teeth at map coordinates, Ad", Gear(utm, 20, 14, 36, 30, 30), CalcPass::Ad, 3, 500, true},
        // Where the tips stand taller than the roots, a flank's band turns a long side to the centre too;
        // beyond 64 corners such a side is not searched, and the gear is left to the pieces.
        {"gear of 36 deep teeth, taller at the tips, Ad", Gear({0, 0}, 20, 14, 36, 30, 8), CalcPass::Ad, 3, 500,
         false},
        {"thin bar longer than its discs reach", Polygon({{0, 0, 3}, {100, 0, 3}, {100, 2, 3}, {0, 2, 3}}),
         CalcPass::Ad, 3, 500, false},
        {"a corner of height 0", Polygon({{0, 0, 0}, {10, 0, 8}, {10, 10, 8}, {0, 10, 8}}), CalcPass::Ad, 3, 500,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PolygonBands bands = Bands(c);
        Point centre;
        ASSERT_EQ(CommonCentre(bands, &centre), c.walked);
        if (!c.walked)
            continue;
        std::vector<Point> ring;
        ASSERT_TRUE(WalkRound(bands, centre, CalcRun(), &ring));
        EXPECT_GT(SignedArea(ring.data(), static_cast<int32_t>(ring.size())), 0.0);
        ClipPolygon walked, literal = LiteralRegion(bands), missing, extra;
        ASSERT_TRUE(NormalForm(Contour(ring), &walked));
        ASSERT_TRUE(ClipDifference(literal, walked, &missing));
        ASSERT_TRUE(ClipDifference(walked, literal, &extra));
        double area = RegionArea(literal);
        EXPECT_NEAR(RegionArea(walked), area, 1e-9 * area);
        EXPECT_LT(RegionArea(missing), 1e-9 * area);
        EXPECT_LT(RegionArea(extra), 1e-9 * area);
        EXPECT_EQ(walked.contours.size(), literal.contours.size());
    }
}

// Where a band that does not hold the centre turns an end to it, and a corner of that end lies on the
// outline, the union has a notch between the end, the circle polygon's edge it pokes past and the ray
// from the centre through the corner. Found here by brute force over the polygon's edges, the notch
// must lie outside the walked ring, and outside the literal region where it is wide enough for the grid.
TEST(RadialOutline, CutsTheNotchWhereATurnedEndPokesPastItsDisc) {
    const Point utm{500000.0, 5000000.0};
    struct NotchCase {
        const char* name;
        CalcPolygon polygon;
        int leastNotches;
    };
    const NotchCase cases[] = {
        {"L-shaped house turned by 30 degrees", TurnedL(), 1},
        {"office with two corners cut at 45 degrees",
         Polygon({{0, 0, 12},  {30, 0, 12},  {30, -6, 12}, {48, -6, 12}, {48, 12, 12}, {56, 12, 12}, {56, 30, 12},
                  {44, 42, 12}, {30, 42, 12}, {30, 36, 12}, {18, 36, 12}, {18, 44, 12}, {4, 44, 12},  {4, 30, 12},
                  {-6, 30, 12}, {-6, 18, 12}, {0, 18, 12},  {0, 12, 12},  {-4, 12, 12}, {-4, 4, 12}}),
         1},
        {"wide U-shaped hall turned by 20 degrees at map coordinates", [&] {
             std::vector<CalcVertex> u = {{0, 0, 9},     {200, 0, 9},  {200, 150, 9}, {140, 150, 9},
                                          {140, 60, 9},  {60, 60, 9},  {60, 150, 9},  {0, 150, 9}};
             double c = std::cos(0.349), s = std::sin(0.349);
             for (CalcVertex& v : u)
                 v = {utm.x + v.x * c - v.y * s, utm.y + v.x * s + v.y * c, v.height};
             return Polygon(u);
         }(),
         1},
    };
    for (const NotchCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalcOptions options;
        PolygonBands bands = PrepareBands(CalcPass::Am, options, c.polygon);
        Point centre;
        ASSERT_TRUE(CommonCentre(bands, &centre));
        std::vector<Point> ring;
        ASSERT_TRUE(WalkRound(bands, centre, CalcRun(), &ring));
        ClipPolygon literal = LiteralRegion(bands);
        size_t n = bands.vertices.size();
        int notches = 0;
        for (size_t i = 0; i < n; i++) {
            for (size_t end = 0; end < 2; end++) {
                Point v = bands.vertices[(i + end) % n], other = bands.vertices[(i + 1 - end) % n];
                double r = bands.radius[(i + end) % n];
                // The end faces the centre when the centre lies beyond it, away from the edge.
                if (DotOf(Minus(other, v), Minus(centre, v)) >= 0.0)
                    continue;
                Point along = Minus(other, v);
                Point normal{-along.y / Length(along), along.x / Length(along)};
                for (double side : {-1.0, 1.0}) {
                    Point tip{v.x + side * r * normal.x, v.y + side * r * normal.y};
                    bool onRing = std::any_of(ring.begin(), ring.end(), [&](Point p) { return Distance(p, tip) < 1e-6; });
                    std::vector<Point> circle = CirclePolygon(v.x, v.y, r);
                    for (size_t k = 0; k + 1 < circle.size() && onRing; k++) {
                        Point a = circle[k], e = Minus(circle[k + 1], a);
                        auto hit = [&](Point from, Point towards, Point* at) {
                            Point d = Minus(towards, from);
                            double den = CrossOf(e, d);
                            double t = den != 0.0 ? CrossOf(Minus(from, a), d) / den : -1.0;
                            *at = {a.x + t * e.x, a.y + t * e.y};
                            return t > 0.0 && t < 1.0 && DotOf(Minus(*at, from), d) > 0.0;
                        };
                        Point down, ray;  // where the end and the ray from the centre meet the edge
                        if (!hit(v, tip, &down) || !hit(centre, tip, &ray) || Distance(down, tip) < 1e-9)
                            continue;
                        notches++;
                        Point inside{(tip.x + down.x + ray.x) / 3, (tip.y + down.y + ray.y) / 3};
                        EXPECT_FALSE(PointInRing(ring, inside)) << "edge " << i << ", end " << end;
                        if (Distance(down, ray) > 4e-6) {
                            EXPECT_FALSE(PointInRing(literal.contours[0].points, inside)) << "edge " << i;
                        }
                    }
                }
            }
        }
        EXPECT_GE(notches, c.leastNotches);
        ClipPolygon walked, missing, extra;
        ASSERT_TRUE(NormalForm(Contour(ring), &walked));
        ASSERT_TRUE(ClipDifference(literal, walked, &missing));
        ASSERT_TRUE(ClipDifference(walked, literal, &extra));
        double area = RegionArea(literal);
        EXPECT_LT(RegionArea(missing), 1e-9 * area);
        EXPECT_LT(RegionArea(extra), 1e-9 * area);
        EXPECT_EQ(walked.contours.size(), literal.contours.size());
    }
}

// A stop comes through between buckets, and the pass then ends as the pieces' own loop ends it.
TEST(RadialOutline, StopsWhenTheRunIsStopped) {
    CalcOptions options;
    PolygonBands bands = PrepareBands(CalcPass::Am, options, RoundPolygon({0, 0}, 40, 40, 20, 5));
    Point centre;
    ASSERT_TRUE(CommonCentre(bands, &centre));
    CalcRun run;
    run.requestStop();
    std::vector<Point> ring;
    EXPECT_FALSE(WalkRound(bands, centre, run, &ring));
    EXPECT_TRUE(ring.empty());
}

// A round building of 1000 corners files enough discs that two threads share its walk, run by run of
// buckets. Its Ad and Am, walked alone, must be what the pieces find for it beside a block far away,
// less the block's own.
TEST(RadialOutline, SharedWalkOfALargeBuildingIsWhatThePiecesFind) {
    CalcPolygon round = RoundPolygon({0, 0}, 40, 1000, 20, 5);
    CalcPolygon block = Polygon({{5000, 0, 10}, {5012, 0, 10}, {5012, 15, 10}, {5000, 15, 10}});
    auto areas = [](std::vector<CalcPolygon> polygons) {
        CalcInput input{std::move(polygons)};
        CalcRun run;
        EXPECT_TRUE(ComputeAdAm(&input, CalcOptions(), &run));
        return std::make_pair(run.result.ad, run.result.am);
    };
    auto walked = areas({round}), alone = areas({block}), pieces = areas({round, block});
    EXPECT_NEAR(walked.first + alone.first, pieces.first, 1e-9 * pieces.first);
    EXPECT_NEAR(walked.second + alone.second, pieces.second, 1e-9 * pieces.second);
}

}  // namespace

// Tests of the outline walked round a point from which a polygon's union is star-shaped: where there is
// such a point the walked ring must be the literal region, with nothing more and nothing less; where there
// is none the polygon is left to the pieces.
#include "engine/construction/radial_outline.h"

#include "engine/construction/common_centre.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/clipper/clipper.h"
#include "engine/construction/ad_am_outlines.h"
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
        // past it and every other shape.
        {"L-shaped house turned by 30 degrees, Am",
         Polygon({{0, 0, 6}, {10.392, 6, 6}, {7.892, 10.330, 6}, {1.830, 6.830, 6}, {-0.670, 11.160, 6},
                  {-5, 8.660, 6}}),
         CalcPass::Am, 3, 500, false},
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

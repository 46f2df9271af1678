// Tests of the outline walked round from the polygon's centre: where every disc and band holds the centre
// it must be the literal region, with nothing more and nothing less; where one does not, the walk must
// leave the polygon to the pieces and write nothing.
#include "engine/construction/radial_outline.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/clipper/clipper.h"
#include "tests/literal_region.h"

namespace {

struct Case {
    const char* name;
    CalcPolygon polygon;
    CalcPass pass;
    double k, d;
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

TEST(RadialOutline, IsTheLiteralRegionWhereEveryShapeHoldsTheCentre) {
    const Point utm{500000.0, 5000000.0};
    const Case cases[] = {
        {"round tower whose height swells, Ad", RoundPolygon({0, 0}, 40, 40, 20, 5), CalcPass::Ad, 3, 500},
        {"round tower of 60 corners, Am", RoundPolygon({3, -2}, 40, 60, 20, 5), CalcPass::Am, 3, 500},
        {"round tower at map coordinates", RoundPolygon(utm, 8, 24, 12, 4), CalcPass::Ad, 3, 500},
        {"block, Ad", Polygon({{0, 0, 8}, {10, 0, 8}, {10, 15, 10}, {0, 15, 10}}), CalcPass::Ad, 3, 500},
        {"block, Am at its least distance", Polygon({{0, 0, 8}, {10, 0, 8}, {10, 15, 10}, {0, 15, 10}}),
         CalcPass::Am, 3, 20},
        {"triangle with one tall corner", Polygon({{0, 0, 5}, {10, 0, 5}, {5, 8, 30}}), CalcPass::Ad, 3, 500},
        {"turned square, clockwise", Polygon({{0, 0, 9}, {-6, 8, 9}, {2, 14, 9}, {8, 6, 9}}), CalcPass::Ad, 2, 500},
        {"hexagon at map coordinates, Am",
         Polygon({{utm.x + 6, utm.y, 7}, {utm.x + 3, utm.y + 5, 7}, {utm.x - 3, utm.y + 5, 7},
                  {utm.x - 6, utm.y, 7}, {utm.x - 3, utm.y - 5, 7}, {utm.x + 3, utm.y - 5, 7}}),
         CalcPass::Am, 3, 350.0 / 1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PolygonBands bands = Bands(c);
        std::vector<Point> ring;
        Point centre;
        ASSERT_TRUE(RadialOutline(bands, CalcRun(), &ring, &centre));
        ClipPolygon walked, literal = LiteralRegion(bands), missing, extra;
        ASSERT_TRUE(NormalForm(Contour(ring), &walked));
        ASSERT_TRUE(ClipDifference(literal, walked, &missing));
        ASSERT_TRUE(ClipDifference(walked, literal, &extra));
        double area = RegionArea(literal);
        EXPECT_NEAR(RegionArea(walked), area, 1e-9 * area);
        EXPECT_LT(RegionArea(missing), 1e-9 * area);
        EXPECT_LT(RegionArea(extra), 1e-9 * area);
        EXPECT_EQ(walked.contours.size(), literal.contours.size());
        EXPECT_GT(SignedArea(ring.data(), static_cast<int32_t>(ring.size())), 0.0);
    }
}

TEST(RadialOutline, LeavesToThePiecesWhatDoesNotHoldTheCentre) {
    const Case cases[] = {
        // The band of an edge of the notch lies beside the centre, not round it.
        {"L-shaped house", Polygon({{0, 0, 6}, {12, 0, 6}, {12, 5, 6}, {5, 5, 6}, {5, 10, 6}, {0, 10, 6}}),
         CalcPass::Ad, 3, 500},
        {"thin bar longer than its discs reach", Polygon({{0, 0, 3}, {100, 0, 3}, {100, 2, 3}, {0, 2, 3}}),
         CalcPass::Ad, 3, 500},
        {"a corner of height 0", Polygon({{0, 0, 0}, {10, 0, 8}, {10, 10, 8}, {0, 10, 8}}), CalcPass::Ad, 3, 500},
        // The centre lies inside every disc, but too near the rim of the small one.
        {"centre near a disc's rim", Polygon({{0, 0, 40}, {10, 0, 40}, {10, 10, 40}, {0, 10, 2.4}}),
         CalcPass::Ad, 3, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Point> ring = {{1, 2}};
        Point centre;
        EXPECT_FALSE(RadialOutline(Bands(c), CalcRun(), &ring, &centre));
        EXPECT_EQ(ring.size(), 1u);
    }
}

// A stop comes through between buckets, and the pass then ends as the pieces' own loop ends it.
TEST(RadialOutline, StopsWhenTheRunIsStopped) {
    Case round{"round tower", RoundPolygon({0, 0}, 40, 40, 20, 5), CalcPass::Am, 3, 500};
    CalcRun run;
    run.requestStop();
    std::vector<Point> ring;
    Point centre;
    EXPECT_FALSE(RadialOutline(Bands(round), run, &ring, &centre));
    EXPECT_TRUE(ring.empty());
}

}  // namespace

// Tests of the widened footprint: the polygon through the outer corners of the rectangles over a convex
// footprint's edges must lie in the literal union of the polygon's discs and bands, reach nearly as far as
// the smaller radius of each edge, and let the outer half of each band shrink to a strip that, with it,
// still covers the whole half.
#include "engine/construction/widened_footprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/clipper/clipper.h"
#include "engine/construction/band_shapes.h"
#include "tests/literal_region.h"

namespace {

const double Pi = 4 * std::atan(1.0);

double AreaBeyond(const ClipPolygon& piece, const ClipPolygon& region) {
    ClipPolygon beyond;
    EXPECT_TRUE(ClipDifference(piece, region, &beyond));
    return RegionArea(beyond);
}

struct Case {
    const char* what;
    CalcPolygon polygon;
    double heightProjection, distanceProjection;
};

std::vector<Case> ConvexCases() {
    const Point utm{512345.25, 5432100.5};
    return {
        {"square, even heights", {{{0, 0, 10}, {20, 0, 10}, {20, 20, 10}, {0, 20, 10}}}, 3, 500},
        {"square with one tall corner", {{{0, 0, 10}, {20, 0, 40}, {20, 20, 10}, {0, 20, 10}}}, 3, 100},
        {"thin bar at map coordinates",
         {{{utm.x, utm.y, 2},
           {utm.x + 30, utm.y + 1, 25},
           {utm.x + 29.9, utm.y + 1.5, 25},
           {utm.x - 0.1, utm.y + 0.5, 2}}},
         3,
         0.5},
        {"acute triangle", {{{0, 0, 2}, {40, 3, 30}, {40, 6, 1}}}, 3, 2000},
        {"round tower of 40 corners, D 500", RoundPolygon({0, 0}, 40, 40, 20, 0), 3, 500},
        // The heights change faster along the outline than the outline turns: every rectangle is cut down
        // to the lowest.
        {"round tower whose height swells", RoundPolygon({5, -5}, 40, 40, 20, 5), 3, 50},
        {"round tower at map coordinates", RoundPolygon(utm, 8, 24, 12, 0), 3, 0.01},
    };
}

}  // namespace

// The widened footprint of either pass must add nothing to the literal region, hold the footprint, and stand
// at least the circle polygon's sure radius of the smallest radius above each edge.
TEST(WidenedFootprint, LiesInTheLiteralRegionAndReachesItsBands) {
    CalcOptions options;
    for (const Case& c : ConvexCases()) {
        for (CalcPass pass : {CalcPass::Ad, CalcPass::Am}) {
            SCOPED_TRACE(testing::Message() << c.what << (pass == CalcPass::Ad ? ", Ad" : ", Am"));
            options.heightProjection = c.heightProjection;
            options.distanceProjection = c.distanceProjection;
            PolygonBands b = PrepareBands(pass, options, c.polygon);
            ASSERT_FALSE(b.widened.shape.empty());
            ClipPolygon widened = Contour(b.widened.shape.points());
            ClipPolygon region = LiteralRegion(b);
            EXPECT_LT(AreaBeyond(widened, region), 1e-10 * RegionArea(region));
            EXPECT_LT(AreaBeyond(Contour(b.vertices), widened), 1e-10 * RegionArea(region));
            size_t n = b.vertices.size();
            double lowest = *std::min_element(b.radius.begin(), b.radius.end());
            for (size_t i = 0; i < n; i++) {
                double smaller = std::min(b.radius[i], b.radius[(i + 1) % n]);
                EXPECT_LE(b.widened.height[i], smaller) << "edge " << i;
                EXPECT_GE(b.widened.height[i], CircleInnerRadius * lowest - 3 * InsideMargin) << "edge " << i;
            }
        }
    }
}

// Only a convex footprint whose every corner has a band is widened.
TEST(WidenedFootprint, NoneWhereTheRuleDoesNotHold) {
    const Case cases[] = {
        {"L-shaped block", {{{0, 0, 9}, {20, 0, 9}, {20, 8, 9}, {8, 8, 9}, {8, 20, 9}, {0, 20, 9}}}, 3, 500},
        {"square with a corner of height 0", {{{0, 0, 0}, {20, 0, 10}, {20, 20, 10}, {0, 20, 10}}}, 3, 500},
    };
    CalcOptions options;
    for (const Case& c : cases) {
        options.heightProjection = c.heightProjection;
        options.distanceProjection = c.distanceProjection;
        EXPECT_TRUE(PrepareBands(CalcPass::Ad, options, c.polygon).widened.shape.empty()) << c.what;
    }
}

// Just short of the reach a point lies inside the circle polygon, just beyond it outside: along the axes,
// at a corner of the polygon, in the middle of its longest chords near the horizontal, and steeply.
TEST(UnitCircleReach, EndsAtTheCirclePolygon) {
    std::vector<Point> circle = CirclePolygon(0, 0, 1);
    circle.pop_back();
    Point corner = CirclePoint(0, 0, 1, 7);
    Point middle{(CirclePoint(0, 0, 1, 1).x + CirclePoint(0, 0, 1, 2).x) / 2,
                 (CirclePoint(0, 0, 1, 1).y + CirclePoint(0, 0, 1, 2).y) / 2};
    std::vector<Point> directions;
    for (double degrees : {0.0, 0.5, 1.62, 45.0, 89.9, 90.0, 135.0, 179.5, 180.0, 200.0, 270.0, 359.9})
        directions.push_back({std::cos(degrees * Pi / 180), std::sin(degrees * Pi / 180)});
    for (Point p : {corner, middle, Point{middle.x, -middle.y}}) {
        double length = std::sqrt(p.x * p.x + p.y * p.y);
        directions.push_back({p.x / length, p.y / length});
    }
    for (Point d : directions) {
        double reach = UnitCircleReach(d);
        EXPECT_TRUE(PointInRing(circle, {(reach - 1e-9) * d.x, (reach - 1e-9) * d.y})) << d.x << ", " << d.y;
        EXPECT_FALSE(PointInRing(circle, {(reach + 1e-9) * d.x, (reach + 1e-9) * d.y})) << d.x << ", " << d.y;
    }
}

// The outer half of each band becomes a strip from just under the widened footprint's edge: the strip and
// the widened footprint cover the whole half, and on a large radius the strip is a small part of it. Where
// the widened footprint holds the inner half, that is left out too.
TEST(WidenedFootprint, BandStripsWithItCoverTheOuterHalves) {
    CalcOptions options;
    for (const Case& c : ConvexCases()) {
        options.heightProjection = c.heightProjection;
        options.distanceProjection = c.distanceProjection;
        PolygonBands b = PrepareBands(CalcPass::Am, options, c.polygon);
        CoverGrid nothingFiled(b.vertices[0], {b.vertices[0].x + 1, b.vertices[0].y + 1}, 1);
        ClipPolygon widened = Contour(b.widened.shape.points());
        size_t n = b.vertices.size();
        for (size_t i = 0; i < n; i++) {
            SCOPED_TRACE(testing::Message() << c.what << ", edge " << i);
            std::vector<Point> strip = TrapezoidPiece(b, i, nothingFiled);
            ASSERT_GE(strip.size(), 3u);
            ClipPolygon withStrip = widened, covered;
            withStrip.contours.push_back({false, strip});
            ASSERT_TRUE(NormalForm(withStrip, &covered));
            Point a = b.vertices[i], next = b.vertices[(i + 1) % n];
            std::array<Point, 4> band = BandCorners(a, next, b.radius[i], b.radius[(i + 1) % n]);
            // Corners 0 and 1 lie on either side of the edge's first end, 3 and 2 on the same sides of its last.
            bool firstOuter = Cross(a, next, band[0]) * b.orientation < 0;
            ClipPolygon outerHalf = Contour({a, band[firstOuter ? 0 : 1], band[firstOuter ? 3 : 2], next});
            EXPECT_LT(AreaBeyond(outerHalf, covered), 1e-12 * RegionArea(outerHalf) + 1e-12);
            bool outward = std::all_of(strip.begin(), strip.end(),
                                       [&](Point p) { return Cross(a, next, p) * b.orientation <= 1e-9; });
            if (outward && b.radius[i] > 100) {
                EXPECT_LT(RegionArea(Contour(strip)), 0.01 * RegionArea(outerHalf));
            }
        }
    }
}

namespace {

// n corners round c, every second one `notch` nearer its centre.
CalcPolygon Notched(Point c, double r, int n, double notch, double height) {
    CalcPolygon polygon;
    for (int i = 0; i < n; i++) {
        double a = 2 * Pi * i / n, reach = i % 2 ? r - notch : r;
        polygon.vertices.push_back({c.x + reach * std::cos(a), c.y + reach * std::sin(a), height});
    }
    return polygon;
}

}  // namespace

// A footprint that is not convex gets its hull widened where each notch lies in the inner circle of a disc
// at its mouth: that shape must add nothing to the literal region and hold the footprint, and each band
// less what the shape holds must still be covered by the band's piece. Where a notch reaches beyond, or a
// corner has no disc, there is none.
TEST(WidenedHull, LiesInTheLiteralRegionAndLeavesEachBandWhatItMisses) {
    const Point utm{512345.25, 5432100.5};
    const struct {
        Case c;
        CalcPass pass;
        bool widened;
    } cases[] = {
        {{"L-shaped block, Am", {{{0, 0, 9}, {20, 0, 9}, {20, 8, 9}, {8, 8, 9}, {8, 20, 9}, {0, 20, 9}}}, 3, 500},
         CalcPass::Am,
         true},
        {{"L-shaped block drawn clockwise, Ad",
          {{{0, 20, 9}, {8, 20, 9}, {8, 8, 9}, {20, 8, 9}, {20, 0, 9}, {0, 0, 9}}},
          3,
          500},
         CalcPass::Ad,
         true},
        {{"U-shaped house at map coordinates, Am",
          {{{utm.x, utm.y, 8},
            {utm.x + 20, utm.y, 8},
            {utm.x + 20, utm.y + 15, 8},
            {utm.x + 14, utm.y + 15, 8},
            {utm.x + 14, utm.y + 6, 8},
            {utm.x + 6, utm.y + 6, 8},
            {utm.x + 6, utm.y + 15, 8},
            {utm.x, utm.y + 15, 8}}},
          3,
          350.0 / 1.5},
         CalcPass::Am,
         true},
        {{"round tower with shallow notches, Ad", Notched({3, 4}, 40, 120, 0.5, 12), 3, 500}, CalcPass::Ad, true},
        {{"star of deep notches, Ad", Notched({0, 0}, 40, 12, 25, 3), 3, 500}, CalcPass::Ad, false},
        // The notch's mouth is narrower than the discs, but the notch reaches far deeper.
        {{"U-shaped house with a notch deeper than its discs, Ad",
          {{{0, 0, 2}, {30, 0, 2}, {30, 30, 2}, {17, 31, 2}, {17, 5, 2}, {13, 5, 2}, {13, 31, 2}, {0, 30, 2}}},
          3,
          500},
         CalcPass::Ad,
         false},
        {{"L-shaped block with a corner of height 0, Ad",
          {{{0, 0, 0}, {20, 0, 9}, {20, 8, 9}, {8, 8, 9}, {8, 20, 9}, {0, 20, 9}}},
          3,
          500},
         CalcPass::Ad,
         false},
    };
    CalcOptions options;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.c.what);
        options.heightProjection = k.c.heightProjection;
        options.distanceProjection = k.c.distanceProjection;
        PolygonBands b = PrepareBands(k.pass, options, k.c.polygon);
        ASSERT_TRUE(b.convex.empty());
        ASSERT_EQ(!b.widenedHull.empty(), k.widened);
        if (!k.widened)
            continue;
        ClipPolygon hull = Contour(b.widenedHull.points()), region = LiteralRegion(b);
        EXPECT_LT(AreaBeyond(hull, region), 1e-10 * RegionArea(region));
        EXPECT_LT(AreaBeyond(Contour(b.vertices), hull), 1e-10 * RegionArea(region));
        CoverGrid nothingFiled(b.vertices[0], {b.vertices[0].x + 1, b.vertices[0].y + 1}, 1);
        size_t n = b.vertices.size();
        for (size_t i = 0; i < n; i++) {
            std::vector<Point> piece = TrapezoidPiece(b, i, nothingFiled);
            ClipPolygon withPiece = hull, covered;
            if (!piece.empty())
                withPiece.contours.push_back({false, piece});
            ASSERT_TRUE(NormalForm(withPiece, &covered));
            const std::array<Point, 4>& band = b.trapezoids[i].corners;
            EXPECT_LT(AreaBeyond(Contour({band.begin(), band.end()}), covered), 1e-9) << "edge " << i;
        }
    }
}

// The engine against the literal construction where its shortcuts act: inner halves of bands and the
// inward parts of discs dropped beside convex footprints with large radii, discs and bands cut by the
// widened footprint, polygons cut by the whole shapes of those before them, a non-convex polygon's
// shapes cut by its own kept pieces, and polygons and shapes left out where the shapes before them hold
// every cell they reach.
#include "engine/construction/ad_am_outlines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bench/reference_ad_am.h"

namespace {

const double Pi = 4 * std::atan(1.0);

using Outline = std::vector<CalcVertex>;

Outline Box(double x0, double y0, double x1, double y1, double low, double high) {
    return {{x0, y0, low}, {x1, y0, low}, {x1, y1, high}, {x0, y1, high}};
}

Outline Round(double cx, double cy, double r, int n, double height) {
    Outline round;
    for (int i = 0; i < n; i++)
        round.push_back({cx + r * std::cos(2 * Pi * i / n), cy + r * std::sin(2 * Pi * i / n), height + (i % 3)});
    return round;
}

// Blocks of 10 m by 14 m, 3 m apart, with heights running from 4 to 22 m.
std::vector<Outline> BlockGrid(int columns, int rows) {
    std::vector<Outline> blocks;
    for (int row = 0; row < rows; row++)
        for (int column = 0; column < columns; column++) {
            double x = column * 13.0, y = row * 17.0, h = 4 + (column * 5 + row * 7) % 19;
            blocks.push_back(Box(x, y, x + 10, y + 14, h, h + 1.5));
        }
    return blocks;
}

Outline Comb(int teeth, double height) {
    Outline comb = {{0, 0, height}, {2.0 * teeth, 0, height}, {2.0 * teeth, 10, height + 2}};
    for (int i = teeth - 1; i >= 0; i--) {
        comb.push_back({2.0 * i + 1, 12, height + 4});
        comb.push_back({2.0 * i, 10, height});
    }
    return comb;
}

struct Case {
    const char* what;
    std::vector<Outline> outlines;
    double heightProjection, distanceProjection;
};

}  // namespace

TEST(AdAmCutRules, ShortcutsMatchTheLiteralConstruction) {
    const Case cases[] = {
        {"round tower of 16 vertices, D 500", {Round(0, 0, 20, 16, 12)}, 3, 500},
        {"convex sliver thinner than the circle's shortfall",
         {{{0, 0, 5}, {30, 0, 5}, {30, 0.1, 6}, {0, 0.1, 6}}},
         3,
         500},
        {"acute triangle, D 2000", {{{0, 0, 2}, {40, 3, 30}, {40, 6, 1}}}, 3, 2000},
        {"square of 30 cm, D 500", {Box(0, 0, 0.3, 0.3, 1, 1)}, 3, 500},
        // The south side's band reaches 15 m north, 5 m past the north side, whose band reaches only 4 m.
        {"square with one tall side", {{{0, 0, 5}, {10, 0, 5}, {10, 10, 4.0 / 3}, {0, 10, 4.0 / 3}}}, 3, 100},
        // The south-west disc alone reaches past the north-east corner: nothing else is widened.
        {"square of height 0 but at one corner", {{{0, 0, 5}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}}, 3, 100},
        {"round tower, high K", {Round(5, 5, 8, 16, 20)}, 8, 50},
        {"grid of 6 blocks", BlockGrid(3, 2), 3, 500},
        {"grid of 6 blocks, small D", BlockGrid(3, 2), 1.2, 2},
        {"blocks overlapping and touching at corners",
         {Box(0, 0, 10, 10, 4, 9), Box(6, 6, 16, 16, 12, 12), Box(16, 16, 26, 26, 3, 3), Box(-10, 10, 0, 20, 7, 1)},
         3,
         80},
        {"comb of 15 vertices, D 500", {Comb(6, 6)}, 3, 500},
        {"comb beside round towers", {Comb(4, 9), Round(-30, 5, 6, 10, 15), Round(60, 20, 4, 6, 25)}, 3, 120},
        // The shed's Ad lies in the towers' discs, no one of which holds it all; nor does one hold its Am.
        {"shed between four towers",
         {Box(40, 40, 70, 70, 20, 20), Box(-70, 40, -40, 70, 20, 20), Box(-70, -70, -40, -40, 20, 20),
          Box(40, -70, 70, -40, 20, 20), Box(-15, -15, 15, 15, 2, 2)},
         3,
         60},
        // The kiosk's Ad lies in the hole the blocks' Ad leaves round it.
        {"kiosk in a court of blocks",
         {Box(-60, -60, 60, -40, 5, 5), Box(40, -40, 60, 40, 5, 5), Box(-60, 40, 60, 60, 5, 5),
          Box(-60, -40, -40, 40, 5, 5), Box(-3, -3, 3, 3, 3, 3)},
         3,
         30},
        // Widened by nearly the whole radius: most of every disc and the inner half of every band lie in it.
        {"round tower of 24 vertices beside a block, D 300",
         {Round(0, 0, 15, 24, 8), Box(20, -5, 30, 5, 6, 6)},
         3,
         300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CalcOptions options;
        options.heightProjection = c.heightProjection;
        options.distanceProjection = c.distanceProjection;
        CalcInput input;
        for (const Outline& outline : c.outlines)
            input.polygons.push_back(CalcPolygon{outline});
        CalcInput checked = input;
        ASSERT_TRUE(CheckPolygons(&checked));
        ReferenceResult reference = ReferenceAdAm(checked, options);
        ASSERT_TRUE(reference.ok);
        CalcRun run;
        ASSERT_TRUE(ComputeAdAm(&input, options, &run));
        const CalcResult& result = run.result;
        EXPECT_NEAR(result.ad, reference.ad, 1e-9 * reference.ad + 1e-11);
        EXPECT_NEAR(result.am, reference.am, 1e-9 * reference.am + 1e-11);
    }
}

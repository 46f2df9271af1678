// The buffer the benchmark times must compute the regions the engine does, or its ratio compares
// unlike work. With constant heights the two agree to the difference of their circles' points.
#include <gtest/gtest.h>

#include <vector>

#include "bench/bench_drawings.h"
#include "bench/geos_buffer.h"
#include "engine/construction/ad_am_outlines.h"

namespace {

// Both circles fall short of the true one by parts in 1e5; the region of a missed or extra footprint
// or band differs by far more.
constexpr double CircleTolerance = 1e-4;  // relative

using Outline = std::vector<CalcVertex>;

Outline Box(double x0, double y0, double x1, double y1, double height) {
    return {{x0, y0, height}, {x1, y0, height}, {x1, y1, height}, {x0, y1, height}};
}

struct Case {
    const char* what;
    std::vector<Outline> outlines;
    double heightProjection, distanceProjection;
};

}  // namespace

TEST(BufferAgreement, BufferGivesTheEngineRegionsOnConstantHeights) {
    const Case cases[] = {
        {"single block", {Box(0, 0, 20, 10, 8)}, 3, 500},
        {"two blocks of different heights apart", {Box(0, 0, 10, 10, 5), Box(100, 0, 110, 12, 20)}, 3, 30},
        {"blocks sharing a wall", {Box(0, 0, 10, 10, 5), Box(10, 0, 22, 10, 9)}, 3, 500},
        // The courtyard stays a hole of Ad for low wings and is a piece of Am for any D.
        {"ring of wings round a courtyard",
         {Box(0, 0, 40, 6, 2), Box(34, 6, 40, 34, 2), Box(0, 34, 40, 40, 2), Box(0, 6, 6, 34, 2)},
         3,
         100},
        {"house of 6 vertices", {SmallBuilding().polygons[0].vertices}, 3, 500},
        {"office of 20 vertices, small D", {OfficeOutline().polygons[0].vertices}, 2, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CalcOptions options;
        options.heightProjection = c.heightProjection;
        options.distanceProjection = c.distanceProjection;
        CalcInput input;
        for (const Outline& outline : c.outlines)
            input.polygons.push_back(CalcPolygon{outline});
        input = ConstantHeights(input);
        BufferResult buffer = BufferAdAm(input, options, 625);
        ASSERT_TRUE(buffer.ok);
        CalcRun run;
        ASSERT_TRUE(ComputeAdAm(&input, options, &run));
        EXPECT_NEAR(run.result.ad, buffer.ad, CircleTolerance * buffer.ad);
        EXPECT_NEAR(run.result.am, buffer.am, CircleTolerance * buffer.am);
    }
}

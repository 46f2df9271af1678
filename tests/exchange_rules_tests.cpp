#include <gtest/gtest.h>

#include <cmath>

#include "engine/clipper/clipper.h"
#include "engine/construction/ad_am_outlines.h"
#include "exchange/arc_tessellation.h"
#include "exchange/courtyard_split.h"
#include "exchange/footprint_checks.h"
#include "exchange/height_text.h"
#include "tests/exchange_test_support.h"

TEST(HeightText, ReadsTheWaysGisDataWritesHeights) {
    struct Case {
        const char* text;
        bool readable;
        double metres;
    };
    const Case cases[] = {
        {"12", true, 12.0},   {"12 m", true, 12.0}, {"12.5m", true, 12.5}, {"12,5 m", true, 12.5},
        {" 7 m ", true, 7.0}, {"0.25", true, 0.25}, {"tall", false, 0},    {"12 ft", false, 0},
        {"", false, 0},       {"1.2.3", false, 0},  {"m", false, 0},       {"12 m high", false, 0},
    };
    for (const Case& c : cases) {
        double metres = -1.0;
        EXPECT_EQ(ReadHeightText(c.text, &metres), c.readable) << c.text;
        if (c.readable) {
            EXPECT_DOUBLE_EQ(metres, c.metres) << c.text;
        }
    }
}

// The arc's radius from the bulge b and chord c: r = c (1 + b^2) / (4 |b|), the sagitta's relation.
TEST(ArcTessellation, EdgesStayWithinFiveCentimetresOfTheArcOnItsSide) {
    struct Case {
        double chord, bulge;
    };
    const Case cases[] = {{1.0, 0.2}, {20.0, 0.5}, {20.0, 1.0}, {100.0, -1.0}, {40.0, 2.5}, {300.0, 0.05}};
    for (const Case& c : cases) {
        Point from{3.0, 4.0}, to{3.0 + c.chord, 4.0};
        std::vector<Point> arc;
        AppendArcPoints(from, to, c.bulge, MaxChordError, &arc);
        double radius = c.chord * (1 + c.bulge * c.bulge) / (4 * std::fabs(c.bulge));
        double sagitta = std::fabs(c.bulge) * c.chord / 2;
        ASSERT_FALSE(arc.empty()) << c.chord << " " << c.bulge;
        // A positive bulge turns counter-clockwise, so the arc lies right of from -> to: below here.
        double deepest = 0.0;
        std::vector<Point> chain = {from};
        chain.insert(chain.end(), arc.begin(), arc.end());
        chain.push_back(to);
        for (size_t i = 0; i + 1 < chain.size(); i++) {
            double half = std::hypot(chain[i + 1].x - chain[i].x, chain[i + 1].y - chain[i].y) / 2;
            EXPECT_LT(radius - std::sqrt(radius * radius - half * half), MaxChordError) << c.chord << " " << c.bulge;
            deepest = std::max(deepest, std::fabs(chain[i].y - 4.0));
            EXPECT_LE((chain[i].y - 4.0) * (c.bulge > 0 ? 1 : -1), 1e-9) << c.chord << " " << c.bulge;
        }
        EXPECT_NEAR(deepest, sagitta, MaxChordError) << c.chord << " " << c.bulge;
    }
    std::vector<Point> none;
    AppendArcPoints({0, 0}, {10, 0}, 0.0, MaxChordError, &none);
    AppendArcPoints({0, 0}, {10, 0}, NAN, MaxChordError, &none);
    AppendArcPoints({0, 0}, {10, 0}, 1e-300, MaxChordError, &none);  // an arc as straight as its chord
    AppendArcPoints({0, 0}, {10, 0}, 0.009, MaxChordError, &none);   // 4.5 cm from its chord at most
    EXPECT_TRUE(none.empty());
    // Found by fuzzing: a radius so large against the allowed error that the step vanishes.
    std::vector<Point> capped;
    AppendArcPoints({0, 0}, {1e300, 0}, 0.5, MaxChordError, &capped);
    AppendArcPoints({0, 0}, {10, 0}, 0.5, 1e-300, &capped);
    EXPECT_EQ(capped.size(), 2u * (MaxArcSegments - 1));
}

TEST(FootprintChecks, NameTheFault) {
    struct Case {
        const char* what;
        std::vector<CalcVertex> vertices;
        const char* fault;
    };
    const Case cases[] = {
        {"square", {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}}, ""},
        {"bow tie", {{0, 0, 5}, {10, 10, 5}, {10, 0, 5}, {0, 10, 5}}, "edges 1 and 3 cross or overlap"},
        {"two vertices", {{0, 0, 5}, {10, 0, 5}}, "it has fewer than 3 distinct vertices"},
        {"figure eight",
         {{0, 0, 5}, {10, 0, 5}, {5, 5, 5}, {10, 10, 5}, {0, 10, 5}, {5, 5, 5}},
         "it passes twice through the same vertex"},
        {"not finite", {{0, 0, 5}, {INFINITY, 0, 5}, {10, 10, 5}}, "a coordinate or height is not a finite number"},
        {"flat", {{0, 0, 5}, {10, 0, 0.001}, {10, 10, 5}}, "a height is below 0.01 m"},
        {"spike back", {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {10, 5, 5}}, "edges 2 and 3 cross or overlap"},
        {"two crossings, the first by number named although the other lies further left",
         {{20, 0, 5}, {30, 10, 5}, {30, 0, 5}, {20, 10, 5}, {0, 0, 5}, {0, 10, 5}, {10, 0, 5}},
         "edges 1 and 3 cross or overlap"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FootprintFault(c.vertices), c.fault) << c.what;
}

TEST(FootprintChecks, MergesVerticesCloserThanAMillimetre) {
    std::vector<CalcVertex> v = {{0, 0, 5}, {0.0004, 0.0003, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}, {0, 0.0009, 5}};
    MergeCloseVertices(&v);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(FootprintFault(v), "");
    std::vector<CalcVertex> apart = {{0, 0, 5}, {0.002, 0, 5}, {10, 0, 5}};
    MergeCloseVertices(&apart);
    EXPECT_EQ(apart.size(), 3u);
}

namespace {

double TotalArea(const std::vector<std::vector<Point>>& pieces) {
    double sum = 0.0;
    for (const std::vector<Point>& piece : pieces)
        sum += PolygonArea(piece.data(), static_cast<int32_t>(piece.size()));
    return sum;
}

}  // namespace

TEST(CourtyardSplit, PiecesAreSimpleAndCoverTheFootprintExactly) {
    struct Case {
        const char* what;
        std::vector<std::vector<Point>> rings;
        double area;
    };
    const Case cases[] = {
        {"one courtyard", {{{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {{15, 15}, {25, 15}, {25, 25}, {15, 25}}}, 1500},
        {"two courtyards side by side",
         {{{0, 0}, {60, 0}, {60, 20}, {0, 20}},
          {{5, 5}, {15, 5}, {15, 15}, {5, 15}},
          {{30, 5}, {50, 5}, {50, 15}, {30, 15}}},
         1200 - 100 - 200},
        {"courtyards one above the other",
         {{{0, 0}, {20, 0}, {20, 60}, {0, 60}},
          {{5, 5}, {15, 5}, {15, 15}, {5, 15}},
          {{5, 30}, {15, 30}, {15, 50}, {5, 50}}},
         1200 - 100 - 200},
        {"triangular courtyard", {{{0, 0}, {30, 0}, {30, 30}, {0, 30}}, {{10, 10}, {20, 10}, {15, 20}}}, 900 - 50},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<Point>> pieces;
        ASSERT_EQ(SplitCourtyards(c.rings, &pieces), "") << c.what;
        EXPECT_NEAR(TotalArea(pieces), c.area, 1e-6) << c.what;
        for (const std::vector<Point>& piece : pieces) {
            std::vector<CalcVertex> vertices;
            for (const Point& p : piece)
                vertices.push_back({p.x, p.y, 5});
            EXPECT_EQ(FootprintFault(vertices), "") << c.what;
        }
        ClipPolygon united;  // the pieces cover the footprint with no overlap: union area equals the sum
        std::vector<ClipPolygon> parts;
        for (const std::vector<Point>& piece : pieces)
            parts.push_back(SingleContourPolygon(piece.data(), static_cast<int32_t>(piece.size())));
        ASSERT_TRUE(ClipUnionAll(parts, &united));
        EXPECT_NEAR(RegionArea(united), c.area, 1e-6) << c.what;
    }
}

TEST(CourtyardSplit, RefusesCourtyardsOutsideOrOverlapping) {
    std::vector<Point> outer = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
    std::vector<std::vector<Point>> pieces;
    EXPECT_NE(SplitCourtyards({outer, {{30, 10}, {50, 10}, {50, 20}, {30, 20}}}, &pieces), "");
    EXPECT_NE(SplitCourtyards(
                  {outer, {{10, 10}, {20, 10}, {20, 20}, {10, 20}}, {{15, 15}, {25, 15}, {25, 25}, {15, 25}}}, &pieces),
              "");
}

// The same building with a courtyard, imported from GeoJSON and drawn as four blocks around the yard,
// gives the same Ad and Am.
TEST(CourtyardSplit, ImportedCourtyardMatchesFourBlocks) {
    std::string text = FeatureCollection(
        {PolygonFeature({{{0, 0}, {80, 0}, {80, 80}, {0, 80}}, {{15, 15}, {65, 15}, {65, 65}, {15, 65}}},
                        R"({"height": 12})")},
        R"(,"crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::25832"}})");
    ImportResult imported = ImportText(text, SourceFormat::GeoJson);
    ASSERT_TRUE(imported.refusal.empty() && imported.failures.empty());
    EXPECT_GE(imported.polygons.size(), 2u);
    Drawing courtyard, blocks;
    ASSERT_EQ(ApplyImport(imported, false, &courtyard), ApplyOutcome::Applied);
    // The blocks in drawing coordinates: y turned over and shifted as the import placed the footprint.
    double sx = courtyard.georeference.shiftX, sy = courtyard.georeference.shiftY;
    auto block = [&](double x0, double y0, double x1, double y1) {
        return MakeBlock(x0 + sx, sy - y1, x1 + sx, sy - y0, 12);
    };
    for (PolygonRecord polygon :
         {block(0, 0, 80, 15), block(0, 65, 80, 80), block(0, 15, 15, 65), block(65, 15, 80, 65)})
        blocks.polygons.appendPolygon(polygon);
    CalcRun fromImport, fromBlocks;
    CalcInput a = MakeCalcInput(courtyard), b = MakeCalcInput(blocks);
    ASSERT_TRUE(ComputeAdAm(&a, CalcOptions(), &fromImport));
    ASSERT_TRUE(ComputeAdAm(&b, CalcOptions(), &fromBlocks));
    EXPECT_NEAR(fromImport.result.ad, fromBlocks.result.ad, 1e-9 * fromBlocks.result.ad);
    EXPECT_NEAR(fromImport.result.am, fromBlocks.result.am, 1e-9 * fromBlocks.result.am);
}

// Structures found from the polygons, the location factor their surroundings suggest, and each
// structure assessed alone.
#include <gtest/gtest.h>

#include <cmath>

#include "assessment/assessment_output.h"
#include "assessment/assessment_table.h"
#include "assessment/cd_surroundings.h"
#include "assessment/structure_runs.h"
#include "assessment/structures.h"
#include "engine/checks/polygon_checks.h"
#include "engine/construction/ad_am_outlines.h"
#include "tests/drawing_builders.h"

namespace {

const double Pi = 4 * std::atan(1.0);

PolygonRecord Box(const char* name, double x0, double y0, double x1, double y1, double height) {
    return MakePolygon(name, 0, {{x0, y0, height}, {x1, y0, height}, {x1, y1, height}, {x0, y1, height}});
}

Drawing DrawingOf(const std::vector<PolygonRecord>& polygons) {
    Drawing drawing;
    for (const PolygonRecord& polygon : polygons)
        drawing.polygons.appendPolygon(polygon);
    return drawing;
}

std::vector<std::vector<int32_t>> Groups(const std::vector<PolygonRecord>& polygons) {
    std::vector<std::vector<int32_t>> groups;
    for (const Structure& structure : FindStructures(DrawingOf(polygons).polygons))
        groups.push_back(structure.polygons);
    return groups;
}

using GroupList = std::vector<std::vector<int32_t>>;

TEST(Structures, GroupByOverlapAndTouch) {
    struct Case {
        const char* what;
        std::vector<PolygonRecord> polygons;
        GroupList groups;
    } cases[] = {
        {"separate", {Box("a", 0, 0, 10, 10, 5), Box("b", 20, 0, 30, 10, 5)}, {{0}, {1}}},
        {"sharing a wall", {Box("a", 0, 0, 10, 10, 5), Box("b", 10, 0, 20, 10, 5)}, {{0, 1}}},
        {"touching at one corner", {Box("a", 0, 0, 10, 10, 5), Box("b", 10, 10, 20, 20, 5)}, {{0, 1}}},
        {"a corner on a wall",
         {Box("a", 0, 0, 10, 10, 5), MakePolygon("t", 0, {{10, 5, 3}, {20, 0, 3}, {20, 10, 3}})},
         {{0, 1}}},
        {"overlapping", {Box("a", 0, 0, 10, 10, 5), Box("b", 5, 5, 15, 15, 5)}, {{0, 1}}},
        {"one inside another", {Box("a", 0, 0, 30, 30, 5), Box("b", 10, 10, 20, 20, 9)}, {{0, 1}}},
        {"a gap of a millimetre", {Box("a", 0, 0, 10, 10, 5), Box("b", 10.001, 0, 20, 10, 5)}, {{0}, {1}}},
        // A chain joins its ends through the middle, whatever order the polygons were drawn in.
        {"chain out of order",
         {Box("c", 20, 0, 30, 10, 5), Box("x", 100, 0, 110, 10, 5), Box("a", 0, 0, 10, 10, 5),
          Box("b", 10, 0, 20, 10, 5)},
         {{0, 2, 3}, {1}}},
        // Two groups whose boxes interleave in x, one above the other.
        {"interleaved rows",
         {Box("r1", 0, 0, 10, 10, 5), Box("s1", 5, 20, 15, 30, 5), Box("r2", 10, 0, 20, 10, 5),
          Box("s2", 15, 20, 25, 30, 5)},
         {{0, 2}, {1, 3}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Groups(c.polygons), c.groups) << c.what;
}

TEST(Structures, ShareAPointAtMapCoordinates) {
    // At UTM-sized coordinates a corner on a sloped wall still touches, and a 1 mm gap still parts.
    double x = 500000.0, y = 5000000.0;
    PolygonRecord wall = MakePolygon("w", 0, {{x, y, 5}, {x + 30, y + 10, 5}, {x + 30, y + 20, 5}, {x, y + 20, 5}});
    PolygonRecord onWall = Box("t", x + 15, y + 5 - 10, x + 25, y + 5, 5);  // corner (x+15, y+5) lies on the wall
    EXPECT_TRUE(PolygonsShareAPoint(wall, onWall));
    PolygonRecord apart = Box("g", x + 15, y + 4.999 - 10, x + 25, y + 4.999, 5);
    EXPECT_FALSE(PolygonsShareAPoint(wall, apart));
}

// A structure's areas are those of a drawing holding only its polygons: the same engine, the same
// input, bit for bit.
TEST(StructureRuns, AreasEqualCalcOnTheStructureAlone) {
    std::vector<PolygonRecord> site = {Box("Hall", 0, 0, 40, 20, 12), Box("Shed", 60, 0, 70, 8, 4),
                                       Box("Annex", 40, 5, 50, 15, 6), Box("Tower", 100, 100, 106, 106, 30),
                                       Box("Wing", 35, 20, 45, 35, 9)};
    Drawing drawing = DrawingOf(site);
    AssessmentResult result = AssessDrawing(drawing, AssessOverrides());
    ASSERT_EQ(result.structures.size(), 3u);
    const std::vector<std::vector<int32_t>> expected = {{0, 2, 4}, {1}, {3}};
    for (size_t s = 0; s < 3; s++) {
        const StructureResult& structure = result.structures[s];
        ASSERT_EQ(structure.structure.polygons, expected[s]);
        Drawing alone;
        for (int32_t index : structure.structure.polygons)
            alone.polygons.appendPolygon(site[index]);
        CalcInput input = MakeCalcInput(alone);
        CalcRun run;
        ASSERT_TRUE(ComputeAdAm(&input, alone.calcOptions, &run));
        const CalcResult& calc = run.result;
        EXPECT_TRUE(structure.calculated);
        EXPECT_EQ(structure.ad, calc.ad * 1e6) << s;
        EXPECT_EQ(structure.am, calc.am * 1e6) << s;
        EXPECT_EQ(structure.amDistance, 500.0);
    }
    EXPECT_EQ(result.structures[0].name, "Hall");
    EXPECT_EQ(result.structures[0].height, 12.0);
    EXPECT_EQ(result.structures[0].vertices, 12);
    EXPECT_NEAR(result.structures[0].footprint, 800.0 + 100.0 + 150.0, 1e-6);
}

// Structures run on several threads at once give what one thread gives, to the last bit.
TEST(StructureRuns, ResultDoesNotDependOnTheThreadCount) {
    std::vector<PolygonRecord> site;
    for (int i = 0; i < 24; i++)  // pairs sharing a wall, and single blocks, of varied heights
        site.push_back(Box("B", 40.0 * i, (i % 3) * 7.0, 40.0 * i + 12 + i % 5, 20.0 + (i % 3) * 7.0, 4 + i % 7));
    for (int i = 0; i < 24; i += 2)
        site.push_back(Box("P", 40.0 * i + 12 + i % 5, 0, 40.0 * i + 20 + i % 5, 9, 6));
    Drawing drawing = DrawingOf(site);
    AssessOverrides overrides;
    overrides.ng = 2.5;
    std::string one = AssessmentJson(AssessDrawing(drawing, overrides, 1));
    for (int32_t threads : {2, 3, 8})
        EXPECT_EQ(AssessmentJson(AssessDrawing(drawing, overrides, threads)), one) << threads;
}

TEST(StructureRuns, AWatchCountsStructuresAndStops) {
    Drawing drawing = DrawingOf({Box("A", 0, 0, 10, 10, 5), Box("B", 50, 0, 60, 10, 5), Box("C", 100, 0, 110, 10, 5)});
    CalcRun watch;
    AssessmentResult result = AssessDrawing(drawing, AssessOverrides(), 2, &watch);
    EXPECT_EQ(watch.progress.total(), 3);
    EXPECT_EQ(watch.progress.position(), 3);
    CalcRun stopped;
    stopped.requestStop();
    result = AssessDrawing(drawing, AssessOverrides(), 2, &stopped);
    EXPECT_FALSE(result.allCalculated());
    EXPECT_EQ(result.structures[0].error, "the assessment was stopped");
    EXPECT_EQ(stopped.progress.position(), 0);
}

// The drawn rectangle's AD against the closed form that the adjacent structure's ADJ uses: equal within
// the circles' 2501-point approximation.
TEST(StructureRuns, RectangleAdMatchesTheRectangleFormula) {
    struct Case {
        double length, width, height;
    } cases[] = {{40, 20, 10}, {12, 8, 6}, {100, 5, 25}};
    for (const Case& c : cases) {
        Drawing drawing = DrawingOf({Box("R", 0, 0, c.length, c.width, c.height)});
        AssessmentResult result = AssessDrawing(drawing, AssessOverrides());
        LineSettings line;
        line.adjacent = {1, c.length, c.width, c.height, 1.0};
        double adj = ComputeLineEvents(result.density, line, 3.0).adj;
        double closed = c.length * c.width + 6 * c.height * (c.length + c.width) + Pi * 9 * c.height * c.height;
        EXPECT_NEAR(adj, closed, closed * 1e-12);
        EXPECT_NEAR(result.structures[0].ad, adj, adj * 1e-4) << c.length << "x" << c.width;
    }
}

TEST(StructureRuns, EditionThreeBuildsAmWithRmFromUw) {
    Drawing drawing = DrawingOf({Box("A", 0, 0, 10, 10, 5)});
    drawing.assessment.present = 1;
    drawing.assessment.edition = 3;
    drawing.assessment.uw = 1.0;
    drawing.assessment.ng = 2.0;
    AssessmentResult result = AssessDrawing(drawing, AssessOverrides());
    const StructureResult& s = result.structures[0];
    EXPECT_EQ(s.amDistance, 350.0);
    // Am of a 10 m square widened by 350 m, less the square: 4 * 10 * 350 + pi 350^2, less nothing more.
    double closed = 4 * 10 * 350.0 + Pi * 350.0 * 350.0;
    EXPECT_NEAR(s.am, closed, closed * 1e-4);
    ASSERT_TRUE(s.events.nm.has_value());
    EXPECT_NEAR(*s.events.nm, 4.0 * s.am * 1e-6 / 2.0, 1e-15);
    // A structure's own lower UW gives its own, larger rM.
    StructureSettings* own = EditStructureSettings(&drawing.assessment, 0);
    own->uw = 0.5;
    EXPECT_EQ(AssessDrawing(drawing, AssessOverrides()).structures[0].amDistance, 700.0);
}

TEST(StructureRuns, SettingsBelongToTheFirstPolygonAndOverridesWin) {
    Drawing drawing = DrawingOf({Box("A", 0, 0, 10, 10, 5), Box("B", 10, 0, 20, 10, 5), Box("C", 50, 0, 60, 10, 5)});
    drawing.assessment.present = 1;
    drawing.assessment.ng = 3.0;
    EditStructureSettings(&drawing.assessment, 0)->cd = 2.0;
    EditStructureSettings(&drawing.assessment, 1)->cd = 0.25;  // not a first polygon: no effect
    AssessmentResult result = AssessDrawing(drawing, AssessOverrides());
    ASSERT_EQ(result.structures.size(), 2u);
    EXPECT_EQ(result.structures[0].cd, 2.0);
    EXPECT_TRUE(result.structures[0].cdSet);
    EXPECT_FALSE(result.structures[1].cdSet);
    EXPECT_EQ(result.structures[1].cd, result.structures[1].cdSuggested);

    AssessOverrides overrides;
    overrides.cd = 0.5;
    overrides.nsg = 6.0;
    overrides.edition = 3;
    result = AssessDrawing(drawing, overrides);
    EXPECT_EQ(result.structures[0].cd, 0.5);
    EXPECT_EQ(*result.density.nsg, 6.0);
    EXPECT_FALSE(result.density.ng.has_value());  // a density given for the run replaces both stored
}

TEST(StructureRuns, AStructureThatCannotBeCalculatedLeavesTheOthers) {
    PolygonRecord bowtie = MakePolygon("Bowtie", 0, {{100, 0, 5}, {110, 10, 5}, {110, 0, 5}, {100, 10, 5}});
    Drawing drawing = DrawingOf({Box("A", 0, 0, 10, 10, 5), bowtie});
    AssessmentResult result = AssessDrawing(drawing, AssessOverrides());
    ASSERT_EQ(result.structures.size(), 2u);
    EXPECT_TRUE(result.structures[0].calculated);
    EXPECT_FALSE(result.structures[1].calculated);
    EXPECT_FALSE(result.structures[1].error.empty());
    EXPECT_FALSE(result.allCalculated());
}

// Cells as a table shows them: absent events and failed structures blank, never 0.
TEST(AssessmentTable, CellsOfRows) {
    StructureResult row;
    row.number = 7;
    row.name = "Hall";
    row.height = 12.345;
    row.calculated = true;
    row.ad = 22309.4;
    row.am = 861182.6;
    row.cd = 1.0;
    row.cdSet = true;
    row.cdSuggested = 0.5;
    row.events.nd = 0.0892376;
    row.events.nm = 3.4447304;
    row.events.nl = 0.0;
    struct Case {
        AssessColumn column;
        const char* text;
    } cases[] = {{AssessColumn::Number, "7"},  {AssessColumn::Name, "Hall"}, {AssessColumn::Height, "12.35"},
                 {AssessColumn::Ad, "22309"},  {AssessColumn::Am, "861183"}, {AssessColumn::Cd, "1 set (0.5)"},
                 {AssessColumn::Nd, "0.0892"}, {AssessColumn::Nm, "3.44"},   {AssessColumn::Nl, "0"},
                 {AssessColumn::Ni, ""},       {AssessColumn::Ndj, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(StructureCell(row, c.column), c.text) << ColumnHeading(c.column);
    row.cdSet = false;
    row.cd = 0.5;
    EXPECT_EQ(StructureCell(row, AssessColumn::Cd), "0.5 auto");
    row.calculated = false;
    EXPECT_EQ(StructureCell(row, AssessColumn::Ad), "");
    EXPECT_EQ(StructureCell(row, AssessColumn::Nd), "");
    EXPECT_EQ(StructureCell(row, AssessColumn::Name), "Hall");
    EXPECT_EQ(ExactNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(ExactNumber(4.0), "4");
}

// Sectors count counter-clockwise from the +x axis in 45 degree steps; the boundary belongs to the
// sector it opens.
TEST(CdSurroundings, SectorsOfDirections) {
    struct Case {
        double dx, dy;
        int32_t sector;
    } cases[] = {{1, 0, 0},  {1, 0.5, 0},   {1, 1, 1},   {0.5, 1, 1}, {0, 1, 2},  {-0.5, 1, 2}, {-1, 1, 3},
                 {-1, 0, 4}, {-1, -0.5, 4}, {-1, -1, 5}, {0, -1, 6},  {1, -1, 7}, {1, -0.5, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(SectorOf(c.dx, c.dy), c.sector) << c.dx << "," << c.dy;
}

double SuggestedCd(const std::vector<PolygonRecord>& polygons, CdSuggestion* first = nullptr) {
    Drawing drawing = DrawingOf(polygons);
    std::vector<Structure> structures = FindStructures(drawing.polygons);
    std::vector<double> heights;
    for (const Structure& structure : structures) {
        double h = 0;
        for (int32_t index : structure.polygons)
            for (double v : drawing.polygons.polygon(index).height)
                h = std::max(h, v);
        heights.push_back(h);
    }
    std::vector<CdSuggestion> suggestions = SuggestCd(drawing.polygons, structures, heights, 3.0);
    if (first)
        *first = suggestions[0];
    return suggestions[0].cd;
}

// The building under test is a 10 m square, 10 m high: its vicinity reaches 30 m out.
TEST(CdSurroundings, SuggestionsFromNeighbours) {
    PolygonRecord self = Box("Self", 0, 0, 10, 10, 10);
    std::vector<PolygonRecord> ring, equalRing;  // eight blocks around it, 5 m away, higher or as high
    for (int i = -1; i <= 1; i++)
        for (int j = -1; j <= 1; j++)
            if (i || j) {
                ring.push_back(Box("R", 15 * i, 15 * j, 15 * i + 10, 15 * j + 10, 20));
                equalRing.push_back(Box("E", 15 * i, 15 * j, 15 * i + 10, 15 * j + 10, 10));
            }
    struct Case {
        const char* what;
        std::vector<PolygonRecord> others;
        double cd;
        int32_t nearby;
    } cases[] = {
        {"isolated", {}, 1.0, 0},
        {"a neighbour beyond the vicinity", {Box("Far", 41, 0, 50, 10, 40)}, 1.0, 0},
        {"a neighbour just inside the vicinity", {Box("Near", 39.9, 0, 50, 10, 4)}, 0.5, 1},
        {"a lower neighbour", {Box("Low", 15, 0, 25, 10, 5)}, 0.5, 1},
        {"a higher one on one side", {Box("High", 15, -5, 25, 15, 30)}, 0.5, 1},
        {"ringed by higher ones", ring, 0.25, 8},
        {"ringed by ones as high", equalRing, 0.5, 8},
    };
    for (const Case& c : cases) {
        std::vector<PolygonRecord> polygons = {self};
        polygons.insert(polygons.end(), c.others.begin(), c.others.end());
        CdSuggestion suggestion;
        EXPECT_EQ(SuggestedCd(polygons, &suggestion), c.cd) << c.what;
        EXPECT_EQ(suggestion.nearby, c.nearby) << c.what;
        EXPECT_EQ(suggestion.vicinity, 30.0);
    }
}

TEST(CdSurroundings, SixHigherSectorsMakeASurroundedStructure) {
    // Higher blocks placed so that each takes exactly one sector around the centroid (5, 5): east (0),
    // north (2), west (4), south (6), then north-north-east (1) and west-north-west (3).
    std::vector<PolygonRecord> blocks = {Box("E", 15, 5, 25, 8, 30),  Box("N", 2, 15, 5, 25, 30),
                                         Box("W", -15, 2, -5, 5, 30), Box("S", 5, -15, 8, -5, 30),
                                         Box("NE", 6, 15, 8, 25, 30), Box("NW", -25, 6, -15, 8, 30)};
    for (size_t count = 1; count <= blocks.size(); count++) {
        std::vector<PolygonRecord> polygons = {Box("Self", 0, 0, 10, 10, 10)};
        polygons.insert(polygons.end(), blocks.begin(), blocks.begin() + count);
        CdSuggestion suggestion;
        double cd = SuggestedCd(polygons, &suggestion);
        EXPECT_EQ(suggestion.higherSectors, static_cast<int32_t>(count));
        EXPECT_EQ(cd, count >= 6 ? 0.25 : 0.5) << count;
    }
}

}  // namespace

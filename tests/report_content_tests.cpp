// Tests of the report's content: formulas written with their values, and the site plan's scale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_formulas.h"
#include "report/report_run.h"
#include "report/site_plan.h"
#include "tests/drawing_builders.h"

namespace {

const std::string nb = "\xC2\xA0";  // the thousands separator

bool Inside(PagePoint p, double left, double top, double width, double height) {
    return p.x >= left - 1e-9 && p.x <= left + width + 1e-9 && p.y >= top - 1e-9 && p.y <= top + height + 1e-9;
}

}  // namespace

// Each line shows the formula, then the same with the values put in, then the result: areas in
// whole square metres, events to three significant digits, factors as given.
TEST(ReportFormulas, LinesShowTheFormulaTheValuesAndTheResult) {
    // One call per case: a table of uses, each holding a vector, trips a false "may be used
    // uninitialized" in the optimised build.
    const auto check = [](const FormulaUse& use, const std::string& line) {
        EXPECT_EQ(FormulaLine(use), line) << use.symbol;
    };
    check({"ND", "{0} · {1} · {2} · 10^-6", {{"NG", 4}, {"AD", 22309.2}, {"CD", 1}}, 0.0892368},
          "ND = NG · AD · CD · 10^-6 = 4 · 22" + nb + "309 · 1 · 10^-6 = 0.0892");
    check({"NM", "{0} · {1} · 10^-6 / {2}", {{"NSG", 6}, {"AM", 186914.4}, {"k", 2}}, 0.5607432},
          "NM = NSG · AM · 10^-6 / k = 6 · 186" + nb + "914 · 10^-6 / 2 = 0.561");
    check({"AL", "40 · {0}", {{"LL", 1000}}, 40000}, "AL = 40 · LL = 40 · 1" + nb + "000 = 40" + nb + "000 m²");
    check({"rI", "2000 / {0}^1.8", {{"UW", 1.5}}, 963.9753}, "rI = 2000 / UW^1.8 = 2000 / 1.5^1.8 = 963.975");
    check({"NDJ", "{0} · {1} · {2} · {3} · 10^-6", {{"NG", 4}, {"ADJ", 6427.4}, {"CDJ", 0.5}, {"CT", 0.2}}, 0.00257},
          "NDJ = NG · ADJ · CDJ · CT · 10^-6 = 4 · 6" + nb + "427 · 0.5 · 0.2 · 10^-6 = 0.00257");
}

TEST(SitePlan, ScaleBarsAreOneTwoOrFiveTimesAPowerOfTen) {
    const double cases[][2] = {{0.7, 0.5},   {1.0, 1.0},     {19.9, 10.0},     {20.0, 20.0}, {49.0, 20.0},
                               {50.0, 50.0}, {999.0, 500.0}, {1234.0, 1000.0}, {0.0, 1.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ScaleBarLength(c[0]), c[1]) << c[0];
}

// Whatever the shape of the site, the plan stays inside its box, keeps north up (a larger y in the map
// is lower on the page) and draws the arrow only for a georeferenced drawing.
TEST(SitePlan, FitsItsBoxWithTheScaleItStates) {
    struct Case {
        const char* what;
        std::vector<Point> footprint;
        bool northUp;
    };
    const Case cases[] = {
        {"wide", {{0, 0}, {400, 0}, {400, 10}, {0, 10}}, false},
        {"tall, at map coordinates",
         {{500000, 5000000}, {500010, 5000000}, {500010, 5000900}, {500000, 5000900}},
         true},
    };
    for (const Case& c : cases) {
        SitePlan plan;
        plan.footprints = {c.footprint};
        plan.labels = {{c.footprint[0], "1"}};
        plan.northUp = c.northUp;
        Page page;
        double denominator = DrawSitePlan(plan, 18, 40, 174, 150, &page);
        ASSERT_GT(denominator, 0.0) << c.what;
        const auto& drawn = page.paths.front().contours.front();
        for (const PagePoint& p : drawn)
            EXPECT_TRUE(Inside(p, 18, 40, 174, 150)) << c.what;
        // 1 : n means n mm of the map in one mm of the page
        double mapWidth = c.footprint[1].x - c.footprint[0].x;
        EXPECT_NEAR((drawn[1].x - drawn[0].x) * denominator / 1000.0, mapWidth, 1e-6 * mapWidth) << c.what;
        EXPECT_GT(drawn[2].y, drawn[1].y) << c.what << ": the map's y grows southwards, down the page";
        bool arrow = false;
        for (const PageText& t : page.texts)
            arrow |= t.text == "N";
        EXPECT_EQ(arrow, c.northUp) << c.what;
    }
}

// One structure shows the whole drawing's Ad and Am; several show each structure's own Ad outline, so
// that where two overlap both lines are seen, and the whole drawing's Ad is not drawn over them.
TEST(SitePlan, SeveralStructuresShowEachOnesAdOutline) {
    const PageColour adLine{200, 110, 30}, adFill{250, 214, 170}, amFill{214, 232, 247};
    auto same = [](PageColour a, PageColour b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; };
    const struct {
        const char* what;
        std::vector<double> lefts;  // one 10 m square of 8 m height at each
        int outlines, amRegions;
    } cases[] = {
        {"one structure", {0}, 0, 1},
        {"two apart", {0, 300}, 2, 0},
        {"three whose Ad overlap", {0, 40, 80}, 3, 0},
    };
    PdfTypesetter typesetter;
    ASSERT_TRUE(typesetter.Ready());
    for (const auto& c : cases) {
        Drawing drawing;
        for (double left : c.lefts)
            drawing.polygons.appendPolygon(Square(left, 0, 10, 8));
        ReportCalculation calculation = CalculateReport(drawing, AssessOverrides(), 1);
        PageDescription pages = ReportPages(drawing, calculation, ReportRequest(), typesetter);
        int outlines = 0, amRegions = 0, adFills = 0;
        for (const Page& page : pages.pages)
            for (const PagePath& path : page.paths) {
                outlines += path.stroked && !path.filled && same(path.stroke, adLine);
                amRegions += path.filled && same(path.fill, amFill);
                adFills += path.filled && same(path.fill, adFill);
            }
        EXPECT_EQ(outlines, c.outlines) << c.what;
        EXPECT_EQ(amRegions, c.amRegions) << c.what;
        EXPECT_EQ(adFills, c.outlines > 0 ? c.outlines : 1) << c.what;
    }
}

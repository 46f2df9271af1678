// Times the Ad/Am engine on five drawings and compares it, in speed and in the areas it finds, with the
// literal reference construction. Run with --quick for the three small drawings only, and with
// --no-reference to time the engine alone.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/reference_ad_am.h"
#include "engine/ad_am_outlines.h"
#include "engine/polygon_checks.h"

namespace {

const double Pi = 4.0 * std::atan(1.0);
constexpr int EngineRuns = 3;
constexpr double AreaTolerance = 1e-9;  // relative

struct BenchDrawing {
    std::string name;
    CalcInput input;
};

struct BenchRow {
    std::string name;
    size_t vertices = 0;
    bool engineOk = false;
    double engineSeconds = 0.0;  // best of EngineRuns
    CalcResult engine;
    bool referenceRun = false;
    bool referenceOk = false;
    double referenceSeconds = 0.0;
    ReferenceResult reference;
};

// A 20-vertex office with wings, notches and one cut corner, so that edges of many lengths and
// directions meet at both convex and reflex corners; heights from 8 to 20 m like a stepped roof.
CalcInput OfficeOutline() {
    const CalcVertex corners[] = {
        {0, 0, 12},   {30, 0, 12},  {30, -6, 8},  {48, -6, 8},  {48, 12, 15}, {56, 12, 15}, {56, 30, 20},
        {44, 42, 20}, {30, 42, 18}, {30, 36, 18}, {18, 36, 10}, {18, 44, 10}, {4, 44, 14},  {4, 30, 14},
        {-6, 30, 9},  {-6, 18, 9},  {0, 18, 16},  {0, 12, 16},  {-4, 12, 11}, {-4, 4, 11},
    };
    CalcPolygon office;
    office.vertices.assign(std::begin(corners), std::end(corners));
    return CalcInput{{office}};
}

// A round building of radius 40 m drawn with n vertices; the height swells and sinks three times
// around it, so that neighbouring bands differ a little, as on a real sloped roof.
CalcInput RoundBuilding(int n) {
    CalcPolygon round;
    for (int i = 0; i < n; i++) {
        double a = 2.0 * Pi * i / n;
        round.vertices.push_back({40.0 * std::cos(a), 40.0 * std::sin(a), 20.0 + 5.0 * std::sin(3.0 * a)});
    }
    return CalcInput{{round}};
}

// 250 blocks of 12 m x 15 m in 10 rows of 25: in each row the blocks stand in pairs sharing a wall,
// with 4 m between pairs and 3 m between rows. Heights run from 5 to 25 m with a 2 m roof slope, so
// that the bands of neighbouring blocks overlap in every way.
CalcInput BlockSite() {
    CalcInput site;
    for (int row = 0; row < 10; row++) {
        for (int column = 0; column < 25; column++) {
            double x = (column / 2) * 28.0 + (column % 2) * 12.0;
            double y = row * 18.0;
            double low = 5.0 + 18.0 * ((column * 7 + row * 13) % 10) / 9.0;
            CalcPolygon block;
            block.vertices = {{x, y, low}, {x + 12, y, low}, {x + 12, y + 15, low + 2}, {x, y + 15, low + 2}};
            site.polygons.push_back(block);
        }
    }
    return site;
}

size_t VertexCount(const CalcInput& input) {
    size_t count = 0;
    for (const CalcPolygon& polygon : input.polygons)
        count += polygon.vertices.size();
    return count;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best of several engine runs: the first may pay for cold caches and page faults, which a user who
// calculates again does not. Each run gets a fresh copy, because the check may change its input.
void TimeEngine(const CalcInput& input, const CalcOptions& options, BenchRow* row) {
    row->engineOk = true;
    for (int run = 0; run < EngineRuns; run++) {
        CalcInput copy = input;
        CalcResult result;
        auto start = std::chrono::steady_clock::now();
        bool ok = ComputeAdAm(&copy, options, &result);
        double seconds = SecondsSince(start);
        row->engineOk = row->engineOk && ok;
        if (run == 0 || seconds < row->engineSeconds) {
            row->engineSeconds = seconds;
            row->engine = result;
        }
    }
}

// One reference run, timed with its check included so that it pays the same as the engine does.
void TimeReference(const CalcInput& input, const CalcOptions& options, BenchRow* row) {
    CalcInput copy = input;
    auto start = std::chrono::steady_clock::now();
    row->referenceOk = CheckPolygons(&copy);
    if (row->referenceOk) {
        row->reference = ReferenceAdAm(copy, options);
        row->referenceOk = row->reference.ok;
    }
    row->referenceSeconds = SecondsSince(start);
    row->referenceRun = true;
}

double RelativeDiff(double value, double yardstick) {
    return yardstick == 0.0 ? std::fabs(value) : std::fabs(value - yardstick) / std::fabs(yardstick);
}

void PrintHeader() {
    std::printf("%-14s %8s %10s %12s %8s %17s %17s %11s %11s %9s\n", "drawing", "vertices", "engine s", "reference s",
                "ratio", "Ad km^2", "Am km^2", "rel diff Ad", "rel diff Am", "contours");
}

void PrintRow(const BenchRow& row) {
    std::printf("%-14s %8zu %10.4f ", row.name.c_str(), row.vertices, row.engineSeconds);
    if (row.referenceRun)
        std::printf("%12.4f %8.1f ", row.referenceSeconds, row.referenceSeconds / row.engineSeconds);
    else
        std::printf("%12s %8s ", "-", "-");
    std::printf("%17.10e %17.10e ", row.engine.ad, row.engine.am);
    if (row.referenceRun)
        std::printf("%11.2e %11.2e %4d/%d", RelativeDiff(row.engine.ad, row.reference.ad),
                    RelativeDiff(row.engine.am, row.reference.am), row.engine.contourCount,
                    row.reference.adContours + row.reference.amContours);
    else
        std::printf("%11s %11s %4d/-", "-", "-", row.engine.contourCount);
    if (!row.engineOk || (row.referenceRun && !row.referenceOk))
        std::printf("  FAILED");
    std::printf("\n");
}

void PrintTarget(const char* what, bool measured, bool met, const std::string& value) {
    std::printf("  %-52s %-28s %s\n", what, value.c_str(), !measured ? "not run" : met ? "PASS" : "MISS");
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The time limits hold for the engine alone; the speed-up and the area agreement need the reference.
void PrintTargets(const std::vector<BenchRow>& rows) {
    std::printf("\ntargets\n");
    const struct {
        const char* name;
        double limit;
    } limits[] = {{"office 20", 0.05}, {"round 1000", 1.0}, {"site 1000", 1.0}, {"round 5000", 5.0}};
    for (const auto& limit : limits) {
        std::string what = std::string(limit.name) + ": engine within " + Format("%g s", limit.limit);
        bool measured = false, met = false;
        std::string value;
        for (const BenchRow& row : rows) {
            if (row.name != limit.name)
                continue;
            measured = true;
            met = row.engineOk && row.engineSeconds <= limit.limit;
            value = Format("%.4f s", row.engineSeconds);
        }
        PrintTarget(what.c_str(), measured, met, value);
    }
    for (const BenchRow& row : rows) {
        if (row.vertices != 1000 || !row.referenceRun)
            continue;
        double ratio = row.referenceSeconds / row.engineSeconds;
        PrintTarget((row.name + ": at least 4x faster than the reference").c_str(), true, ratio >= 4.0,
                    Format("%.1fx", ratio));
    }
    bool compared = false, agree = true;
    double worst = 0.0;
    for (const BenchRow& row : rows) {
        if (!row.referenceRun)
            continue;
        compared = true;
        double diff =
            std::fmax(RelativeDiff(row.engine.ad, row.reference.ad), RelativeDiff(row.engine.am, row.reference.am));
        worst = std::fmax(worst, diff);
        agree = agree && row.engineOk && row.referenceOk && diff <= AreaTolerance;
    }
    PrintTarget("areas within 1e-9 relative of the reference", compared, agree, "worst " + Format("%.2e", worst));
}

}  // namespace

// Exits with 1 when a calculation fails; a missed target is reported, not fatal, since the times
// depend on the machine.
int main(int argc, char** argv) {
    bool quick = false, withReference = true;
    const char* only = nullptr;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--no-reference") == 0)
            withReference = false;
        else {
            std::fprintf(stderr, "usage: ad_am_bench [--quick] [--no-reference] [--only DRAWING]\n");
            return 2;
        }
    }
    std::vector<BenchDrawing> drawings = {
        {"office 20", OfficeOutline()}, {"round 100", RoundBuilding(100)}, {"round 1000", RoundBuilding(1000)}};
    if (!quick) {
        drawings.push_back({"site 1000", BlockSite()});
        drawings.push_back({"round 5000", RoundBuilding(5000)});
    }
    std::printf("cores: %u; engine: best of %d runs; reference: 1 run; both include the polygon check\n\n",
                std::thread::hardware_concurrency(), EngineRuns);
    PrintHeader();
    CalcOptions options;  // 3.0 and 500.0 m
    std::vector<BenchRow> rows;
    bool allOk = true;
    for (const BenchDrawing& drawing : drawings) {
        if (only && drawing.name != only)
            continue;
        BenchRow row;
        row.name = drawing.name;
        row.vertices = VertexCount(drawing.input);
        TimeEngine(drawing.input, options, &row);
        if (withReference)
            TimeReference(drawing.input, options, &row);
        PrintRow(row);
        std::fflush(stdout);  // the reference is slow: show each row as it comes
        allOk = allOk && row.engineOk && (!row.referenceRun || row.referenceOk);
        rows.push_back(row);
    }
    PrintTargets(rows);
    return allOk ? 0 : 1;
}

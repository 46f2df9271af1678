// Times the Ad/Am engine on seven drawings and compares it, in speed and in the areas it finds, with the
// literal reference construction. Run with --quick for the small drawings only, with
// --no-reference to time the engine alone, and with --only DRAWING for one drawing (to profile it).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_drawings.h"
#include "bench/peak_memory.h"
#include "bench/reference_ad_am.h"
#include "engine/checks/polygon_checks.h"
#include "engine/construction/ad_am_outlines.h"

namespace {

constexpr int EngineRuns = 3;
constexpr double AreaTolerance = 1e-9;  // relative

struct BenchRow {
    std::string name;
    size_t vertices = 0;
    bool engineOk = false;
    double engineSeconds = 0.0;   // best of EngineRuns
    double peakMegabytes = -1.0;  // the process's peak resident size after the engine runs, if known
    CalcResult engine;
    bool referenceRun = false;
    bool referenceOk = false;
    double referenceSeconds = 0.0;
    ReferenceResult reference;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best of several engine runs: the first may pay for cold caches and page faults, which a user who
// calculates again does not. Each run gets a fresh copy, because the check may change its input.
void TimeEngine(const CalcInput& input, const CalcOptions& options, BenchRow* row) {
    row->engineOk = true;
    for (int run = 0; run < EngineRuns; run++) {
        CalcInput copy = input;
        CalcRun calculation;
        auto start = std::chrono::steady_clock::now();
        bool ok = ComputeAdAm(&copy, options, &calculation);
        double seconds = SecondsSince(start);
        row->engineOk = row->engineOk && ok;
        if (run == 0 || seconds < row->engineSeconds) {
            row->engineSeconds = seconds;
            row->engine = std::move(calculation.result);
        }
    }
    // The drawings run from small to large and the engine before the reference, so the process's peak
    // after a drawing's engine runs is that drawing's.
    row->peakMegabytes = PeakMegabytes();
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
    std::printf("%-14s %8s %10s %8s %12s %8s %17s %17s %11s %11s %9s\n", "drawing", "vertices", "engine s", "peak MB",
                "reference s", "ratio", "Ad km^2", "Am km^2", "rel diff Ad", "rel diff Am", "contours");
}

void PrintRow(const BenchRow& row) {
    std::printf("%-14s %8zu %10.4f ", row.name.c_str(), row.vertices, row.engineSeconds);
    if (row.peakMegabytes >= 0)
        std::printf("%8.0f ", row.peakMegabytes);
    else
        std::printf("%8s ", "-");
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

// The time limits hold for the engine alone; the area agreement needs the reference.
void PrintTargets(const std::vector<BenchRow>& rows) {
    std::printf("\ntargets\n");
    const struct {
        const char* name;
        double seconds;
    } limits[] = {{"small 6", 0.0005}, {"office 20", 0.001}, {"round 1000", 0.01},
                  {"site 1000", 0.15}, {"round 5000", 0.05}, {"imported 20000", 0.3}};
    for (const auto& limit : limits) {
        std::string what = std::string(limit.name) + ": engine within " + Format("%g s", limit.seconds);
        bool measured = false, met = false;
        std::string value;
        for (const BenchRow& row : rows) {
            if (row.name != limit.name)
                continue;
            measured = true;
            met = row.engineOk && row.engineSeconds <= limit.seconds;
            value = Format("%.4f s", row.engineSeconds);
        }
        PrintTarget(what.c_str(), measured, met, value);
    }
    for (const BenchRow& row : rows)
        if (row.name == "imported 20000" && row.peakMegabytes >= 0)
            PrintTarget("imported 20000: peak memory within 300 MB", true, row.peakMegabytes <= 300.0,
                        Format("%.0f MB", row.peakMegabytes));
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
    std::vector<BenchDrawing> drawings = BenchDrawings(quick);
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

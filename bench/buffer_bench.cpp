// Times the Ad/Am engine beside a GIS buffer-and-union (GEOS) on the benchmark's drawings with constant
// heights, where both compute the same regions, and prints the engine's time as a ratio of the buffer's.
// Run with --quick for the small drawings only.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "bench/bench_drawings.h"
#include "bench/geos_buffer.h"
#include "engine/construction/ad_am_outlines.h"

namespace {

constexpr int Runs = 3;  // best of, for both
// About the density of the engine's circles: 2500 segments around, 625 per quarter.
constexpr int QuadrantSegments = 625;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best of the runs; each gets a fresh copy, because the check may change its input.
double TimeEngine(const CalcInput& input, const CalcOptions& options, CalcResult* result, bool* ok) {
    double best = 0.0;
    *ok = true;
    for (int run = 0; run < Runs; run++) {
        CalcInput copy = input;
        CalcRun calculation;
        auto start = std::chrono::steady_clock::now();
        *ok = ComputeAdAm(&copy, options, &calculation) && *ok;
        double seconds = SecondsSince(start);
        if (run == 0 || seconds < best)
            best = seconds;
        *result = calculation.result;
    }
    return best;
}

double TimeBuffer(const CalcInput& input, const CalcOptions& options, BufferResult* result) {
    double best = 0.0;
    for (int run = 0; run < Runs; run++) {
        auto start = std::chrono::steady_clock::now();
        *result = BufferAdAm(input, options, QuadrantSegments);
        double seconds = SecondsSince(start);
        if (run == 0 || seconds < best)
            best = seconds;
    }
    return best;
}

double RelativeDiff(double value, double yardstick) {
    return yardstick == 0.0 ? std::fabs(value) : std::fabs(value - yardstick) / std::fabs(yardstick);
}

}  // namespace

// Exits with 1 when either side fails on a drawing; a ratio above 1 is reported, not fatal.
int main(int argc, char** argv) {
    bool quick = argc == 2 && std::strcmp(argv[1], "--quick") == 0;
    if (argc > 2 || (argc == 2 && !quick)) {
        std::fprintf(stderr, "usage: buffer_bench [--quick]\n");
        return 2;
    }
    std::printf("cores: %u; constant heights; best of %d runs each; buffer: %d segments per quarter circle\n\n",
                std::thread::hardware_concurrency(), Runs, QuadrantSegments);
    std::printf("%-14s %8s %10s %10s %8s %11s %11s\n", "drawing", "vertices", "engine s", "buffer s", "ratio",
                "diff Ad", "diff Am");
    CalcOptions options;
    bool allOk = true, allWithin = true;
    double worst = 0.0;
    for (const BenchDrawing& drawing : BenchDrawings(quick)) {
        CalcInput input = ConstantHeights(drawing.input);
        CalcResult engine;
        BufferResult buffer;
        bool engineOk = false;
        double engineSeconds = TimeEngine(input, options, &engine, &engineOk);
        double bufferSeconds = TimeBuffer(input, options, &buffer);
        double ratio = engineSeconds / bufferSeconds;
        // The circles differ in their points, so the areas agree only to about 1e-5.
        std::printf("%-14s %8zu %10.4f %10.4f %8.2f %11.2e %11.2e%s\n", drawing.name.c_str(), VertexCount(input),
                    engineSeconds, bufferSeconds, ratio, RelativeDiff(engine.ad, buffer.ad),
                    RelativeDiff(engine.am, buffer.am), engineOk && buffer.ok ? "" : "  FAILED");
        std::fflush(stdout);
        allOk = allOk && engineOk && buffer.ok;
        allWithin = allWithin && ratio <= 1.0;
        worst = std::fmax(worst, ratio);
    }
    char value[64];
    std::snprintf(value, sizeof value, "worst ratio %.2f", worst);
    std::printf("\ntargets\n  %-52s %-28s %s\n", "engine within the buffer's time on every drawing", value,
                allWithin ? "PASS" : "MISS");
    return allOk ? 0 : 1;
}

#include "cli/cli_calculation.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/construction/ad_am_outlines.h"
#include "engine/run/memory_estimate.h"
#include "engine/run/out_of_memory.h"
#include "model/height_limit.h"
#include "options/calc_limits.h"

namespace {

bool ParseNumber(const char* flag, const char* text, double* value) {
    char* end = nullptr;
    *value = text ? strtod(text, &end) : 0.0;
    if (!text || end == text || *end != 0 || !std::isfinite(*value)) {
        fprintf(stderr, "zelvora-cli: %s needs a number\n", flag);
        return false;
    }
    return true;
}

// Redraws the bar only when the percentage changes, so a long run writes a few hundred bytes at most.
// The run's sink calls it one position at a time.
void DrawProgress(int32_t position, int32_t total, int* shownPercent) {
    int percent = total > 0 ? static_cast<int>(100.0 * position / total) : 0;
    if (percent == *shownPercent)
        return;
    *shownPercent = percent;
    char bar[41];
    memset(bar, '.', 40);
    memset(bar, '#', percent * 40 / 100);
    bar[40] = 0;
    fprintf(stderr, "\r[%s] %3d%%", bar, percent);
    fflush(stderr);
}

// The run that Ctrl+C stops: a signal handler reaches nothing but what a global names.
std::atomic<CalcRun*> interruptedRun{nullptr};

// Ctrl+C asks the run to stop as the window's Stop does; the calculation ends at its next checkpoint.
void RequestStop(int) {
    if (CalcRun* run = interruptedRun.load())
        run->requestStop();
}

}  // namespace

StopOnInterrupt::StopOnInterrupt(CalcRun* run) {
    interruptedRun = run;
    previous = signal(SIGINT, RequestStop);
}

StopOnInterrupt::~StopOnInterrupt() {
    signal(SIGINT, previous);
    interruptedRun = nullptr;
}

ProgressCallback ProgressBar(bool quiet, int* shownPercent) {
    *shownPercent = -1;
    if (quiet || !isatty(fileno(stderr)))
        return ProgressCallback();
    return [shownPercent](int32_t position, int32_t total) { DrawProgress(position, total, shownPercent); };
}

void ClearProgressBar(bool quiet) {
    if (!quiet && isatty(fileno(stderr)))
        fprintf(stderr, "\r%50s\r", "");
}

bool ParseCalcFlags(int argc, char** argv, CalcFlags* flags, std::vector<const char*>* arguments) {
    for (int i = 0; i < argc; i++) {
        const char* word = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!strcmp(word, "--json")) {
            flags->json = true;
        } else if (!strcmp(word, "--require-neighbours")) {
            flags->requireNeighbours = true;
        } else if (!strcmp(word, "--quiet")) {
            flags->quiet = true;
        } else if (!strcmp(word, "--height-projection")) {
            if (!ParseNumber(word, value, &flags->heightProjection))
                return false;
            flags->hasHeightProjection = true;
            i++;
        } else if (!strcmp(word, "--distance-projection")) {
            if (!ParseNumber(word, value, &flags->distanceProjection))
                return false;
            flags->hasDistanceProjection = true;
            i++;
        } else if (!strcmp(word, "--view")) {
            if (!value || (strcmp(value, "ad") && strcmp(value, "am"))) {
                fprintf(stderr, "zelvora-cli: --view needs ad or am\n");
                return false;
            }
            flags->adView = !strcmp(value, "ad");
            i++;
        } else if (word[0] == '-' && word[1] == '-') {
            fprintf(stderr, "zelvora-cli: unknown option %s\n", word);
            return false;
        } else {
            arguments->push_back(word);
        }
    }
    return true;
}

CalcOptions RunOptions(const CalcOptions& stored, const CalcFlags& flags) {
    CalcOptions options = stored;
    if (flags.hasHeightProjection)
        options.heightProjection = LimitHeightProjection(flags.heightProjection);
    if (flags.hasDistanceProjection)
        options.distanceProjection = LimitDistanceProjection(flags.distanceProjection);
    return options;
}

bool FitsInMemory(const Drawing& source) {
    MemoryNeed need;
    if (!BeyondMemory(source, AvailableMemoryBytes(), &need))
        return true;
    fprintf(stderr, "Error to calculate Ad and Am\nzelvora-cli: %s\n", BeyondMemoryText(need).c_str());
    return false;
}

bool CalculateDrawing(const Drawing& source, const CalcOptions& options, bool quiet, CalcResult* result,
                      double* seconds) {
    if (!FitsInMemory(source))
        return false;
    int shownPercent;
    CalcRun run(ProgressBar(quiet, &shownPercent));
    CalcInput input;
    if (!WithinMemory([&] { input = MakeCalcInput(source); })) {
        fprintf(stderr, "Error to calculate Ad and Am\nzelvora-cli: the calculation ran out of memory\n");
        return false;
    }
    size_t polygon, vertex;
    if (FirstHeightAboveLimit(input, &polygon, &vertex)) {
        fprintf(stderr,
                "Error to calculate Ad and Am\nzelvora-cli: polygon %d (%s), vertex %d: height %.6g m is above %.0f m, "
                "the most a vertex can have\n",
                static_cast<int>(polygon + 1), source.polygons.polygon(static_cast<int32_t>(polygon)).name,
                static_cast<int>(vertex + 1), input.polygons[polygon].vertices[vertex].height, MaxVertexHeight);
        return false;
    }
    auto start = std::chrono::steady_clock::now();
    bool ok;
    {
        StopOnInterrupt interrupt(&run);
        ok = ComputeAdAm(&input, options, &run);
    }
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    *result = std::move(run.result);
    ClearProgressBar(quiet);
    if (!ok && run.outOfMemory)
        fprintf(stderr, "Error to calculate Ad and Am\nzelvora-cli: the calculation ran out of memory\n");
    else if (!ok && run.stopped())
        fprintf(stderr, "stopped\n");
    else if (!ok)
        fprintf(stderr, "Error to calculate Ad and Am\n");
    return ok;
}

ContourCounts CountContours(const CalcResult& result) {
    ContourCounts counts;
    for (int32_t c = 0; c < result.contourCount; c++) {
        bool hole = result.holeFlags[c] != 0;
        if (result.adFlags[c]) {
            counts.ad++;
            counts.adHoles += hole;
        } else {
            counts.am++;
            counts.amHoles += hole;
        }
    }
    return counts;
}

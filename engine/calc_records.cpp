#include "engine/calc_records.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "engine/polygon_checks.h"

CalcResult calcResult;
uint8_t resultsValid = 0;
std::atomic<uint8_t> stopRequested{0};
std::atomic<int32_t> progressPosition{0};
int32_t progressTotal = 0;

namespace {

ProgressSink progressSink = nullptr;
std::mutex progressLock;  // the passes run on two threads; the sink sees one position at a time, rising

}  // namespace

void DiscardResults() {
    calcResult.contourCount = 0;
}

void ClearResult(CalcResult* result) {
    result->contourCount = 0;
    result->ad = 0.0;
    result->am = 0.0;
}

void SetProgressSink(ProgressSink sink) {
    progressSink = sink;
}

// The range is two steps more than a full run takes, so the bar ends just short of full. The stop flag
// is left as it is: the caller clears it before the run, and a Close pressed while the polygons were
// still being checked must not be forgotten here.
void InitProgress(const CalcInput& input) {
    resultsValid = 0;
    progressPosition = 0;
    int64_t total = static_cast<int64_t>(input.polygons.size());
    for (const CalcPolygon& polygon : input.polygons)
        total += 2 * static_cast<int64_t>(polygon.vertices.size()) + 3;
    total = 2 * total;
    progressTotal = static_cast<int32_t>(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
    if (progressSink)
        progressSink(0, progressTotal);
}

void AdvanceProgress() {
    std::lock_guard<std::mutex> hold(progressLock);
    if (stopRequested)
        return;
    int32_t position = ++progressPosition;
    if (progressSink)
        progressSink(position, progressTotal);
}

void ProgressShare::reach(double fraction) {
    int64_t target = static_cast<int64_t>(std::floor(std::min(1.0, std::max(0.0, fraction)) * steps));
    if (fraction >= 1.0)
        target = steps;
    for (; given < target; given++)
        AdvanceProgress();
}

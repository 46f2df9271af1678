#include "engine/run/calc_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

void ProgressSink::start(int64_t steps) {
    std::lock_guard<std::mutex> hold(lock);
    reached = 0;
    range = static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(steps, 0), std::numeric_limits<int32_t>::max()));
    if (callback)
        callback(0, range);
}

void ProgressSink::advance(const std::atomic<uint8_t>& stopRequested, int64_t steps) {
    std::lock_guard<std::mutex> hold(lock);
    for (int64_t k = 0; k < steps && !stopRequested; k++) {
        int32_t position = ++reached;
        if (callback)
            callback(position, range);
    }
}

void ProgressShare::reach(double fraction) {
    int64_t target = static_cast<int64_t>(std::floor(std::min(1.0, std::max(0.0, fraction)) * steps));
    if (fraction >= 1.0)
        target = steps;
    if (target > given) {
        run->advance(target - given);
        given = target;
    }
}

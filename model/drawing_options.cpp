#include "model/drawing_options.h"

#include <cmath>

const SnapStep SnapSteps[SnapStepCount] = {
    {0.0, "Snap Off"}, {0.1, "0.1 m"}, {0.2, "0.2 m"}, {0.5, "0.5 m"},
    {1.0, "1.0 m"},    {2.0, "2.0 m"}, {5.0, "5.0 m"}, {10.0, "10 m"},
};

const ZoomStep ZoomSteps[ZoomStepCount] = {
    {0.1, "x 10"}, {0.2, "x 5"}, {0.5, "x 2"}, {1.0, "x 1.0"}, {2.0, "x 0.5"}, {5.0, "x 0.2"}, {10.0, "x 0.1"},
};

// A polygon stores the position in this list, so index 0 is shown as "1" and is the front-most.
const int32_t PriorityValues[PriorityCount] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

bool SnapIndexValid(int32_t index) {
    return index >= 0 && index < SnapStepCount;
}

bool ZoomIndexValid(int32_t index) {
    return index >= 0 && index < ZoomStepCount;
}

bool PriorityIndexValid(int32_t index) {
    return index >= 0 && index < PriorityCount;
}

namespace {

bool AtLeast(double value, double least) {
    return std::isfinite(value) && value >= least;
}

}  // namespace

bool DrawOptionsValid(const DrawOptions& options) {
    return SnapIndexValid(options.snapIndex) && ZoomIndexValid(options.zoomIndex) &&
           AtLeast(options.mapSize, MinMapSize);
}

bool CalcOptionsValid(const CalcOptions& options) {
    return AtLeast(options.heightProjection, MinHeightProjection) &&
           AtLeast(options.distanceProjection, MinDistanceProjection);
}

#include "options/calc_limits.h"

#include <cmath>

#include "engine/run/calc_records.h"
#include "model/drawing_options.h"

double LimitHeightProjection(double value) {
    return std::fmax(std::fabs(value), MinHeightProjection);
}

double LimitDistanceProjection(double value) {
    return std::fmax(std::fabs(value), MinDistanceProjection);
}

namespace {

bool Store(Drawing* target, double* option, double value) {
    bool changed = value != *option;
    if (changed && target->isOpen)
        MarkDrawingChanged(target);
    *option = value;
    return changed;
}

}  // namespace

SaveOutcome StoreCalcOptionTexts(Drawing* target, char* heightText, char* distanceText) {
    double height = 0.0, distance = 0.0;
    if (!ReadNumberField(heightText, HeightProjectionRange, &height) ||
        !ReadNumberField(distanceText, DistanceProjectionRange, &distance))
        return SaveOutcome::Refused;
    CalcOptions& options = target->calcOptions;
    bool changed = Store(target, &options.heightProjection, height);
    changed = Store(target, &options.distanceProjection, distance) || changed;
    return changed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

#include "options/calc_limits.h"

#include <cmath>

#include "engine/run/calc_records.h"
#include "model/drawing_options.h"
#include "text/decimal_text.h"

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

std::string CalcOptionText(double value) {
    return DecimalText(value, 3);
}

SaveOutcome StoreCalcOptionTexts(Drawing* target, const char* heightText, const char* distanceText, Refusal* refusal) {
    CalcOptions& options = target->calcOptions;
    double height = 0.0, distance = 0.0;
    Refusal why;
    if (!ReadShownNumber(heightText, CalcOptionText(options.heightProjection), options.heightProjection,
                         HeightProjectionRange, &height))
        why = RefuseRange(HeightProjectionField, HeightProjectionRange);
    else if (!ReadShownNumber(distanceText, CalcOptionText(options.distanceProjection), options.distanceProjection,
                              DistanceProjectionRange, &distance))
        why = RefuseRange(DistanceProjectionField, DistanceProjectionRange);
    if (why) {
        if (refusal)
            *refusal = why;
        return SaveOutcome::Refused;
    }
    bool changed = Store(target, &options.heightProjection, height);
    changed = Store(target, &options.distanceProjection, distance) || changed;
    return changed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

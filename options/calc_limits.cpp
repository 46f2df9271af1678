#include "options/calc_limits.h"

#include <cmath>

#include "engine/calc_records.h"
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
        target->modified = 1;
    *option = value;
    return changed;
}

}  // namespace

SaveOutcome StoreCalcOptionTexts(Drawing* target, char* heightText, char* distanceText) {
    if (!CheckDecimalText(heightText) || !CheckDecimalText(distanceText))
        return SaveOutcome::Refused;
    CalcOptions& options = target->calcOptions;
    bool changed = Store(target, &options.heightProjection, LimitHeightProjection(ReadDecimal(heightText)));
    changed = Store(target, &options.distanceProjection, LimitDistanceProjection(ReadDecimal(distanceText))) || changed;
    return changed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

#include "options/calc_limits.h"

#include <cmath>

#include "model/drawing_options.h"

double LimitHeightProjection(double value) {
    return std::fmax(std::fabs(value), MinHeightProjection);
}

double LimitDistanceProjection(double value) {
    return std::fmax(std::fabs(value), MinDistanceProjection);
}

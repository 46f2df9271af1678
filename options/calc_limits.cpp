#include "options/calc_limits.h"

#include <cmath>

double LimitHeightProjection(double value) {
    return std::fmax(std::fabs(value), 1.0);
}

double LimitDistanceProjection(double value) {
    return std::fmax(std::fabs(value), 0.01);
}

#include "options/simplified_areas.h"

#include <cmath>

#include "model/height_limit.h"

// The products are formed in a fixed order so that the last digits never depend on the compiler.
SimplifiedResult SimplifiedAreas(double length, double width, double minHeight, double maxHeight, double k, double d) {
    const double pi = 4 * std::atan(1.0);
    double rectangle = length * width + 2 * k * minHeight * (length + width) + ((k * pi) * k) * minHeight * minHeight;
    double protrusion = (k * k * pi) * maxHeight * maxHeight;
    double ad = (protrusion >= rectangle ? protrusion : rectangle) * 1e-6;
    double am = (2 * d * (length + width) + (pi * d) * d) * 1e-6;
    return {ad, am};
}

namespace {

constexpr NumberRange Ranges[SimplifiedFieldCount] = {
    {"Width base [m]", 0.01, 100000.0},
    {"Length base [m]", 0.01, 100000.0},
    {"Minimum height [m]", 0.01, MaxVertexHeight},
    {"Maximum height [m]", 0.0, MaxVertexHeight},
};

}  // namespace

const NumberRange& SimplifiedFieldRange(int field) {
    return Ranges[field];
}

bool ReadSimplifiedFields(const char* const texts[SimplifiedFieldCount], SimplifiedInput* input, Refusal* refusal) {
    SimplifiedInput read;
    double* values[SimplifiedFieldCount] = {&read.width, &read.length, &read.minHeight, &read.maxHeight};
    for (int field = 0; field < SimplifiedFieldCount; field++) {
        if (!ReadNumberField(texts[field], Ranges[field], values[field])) {
            *refusal = RefuseRange(field, Ranges[field]);
            return false;
        }
    }
    *input = read;
    return true;
}

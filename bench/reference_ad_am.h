// A literal construction of the Ad and Am outlines: every band built alone from two full circles and
// its trapezoid, every shape brought to normal form, and the unions made one by one in the order the
// method describes. Slow, and kept as the yardstick the engine is measured and checked against.
#pragma once

#include <cstdint>

#include "engine/checks/polygon_checks.h"
#include "model/drawing_options.h"

struct ReferenceResult {
    bool ok = false;
    double ad = 0.0;  // km^2
    double am = 0.0;  // km^2
    int32_t adContours = 0;
    int32_t amContours = 0;
};

// The input must have passed CheckPolygons.
ReferenceResult ReferenceAdAm(const CalcInput& input, const CalcOptions& options);

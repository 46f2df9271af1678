// The Ad and Am regions of a drawing of constant heights as a GIS computes them: each footprint
// buffered by its radius, the buffers united, and for Am the united footprints taken away. The yardstick
// for speed, never for areas: its circles are drawn with other points than the engine's.
#pragma once

#include "engine/checks/polygon_checks.h"
#include "model/drawing_options.h"

struct BufferResult {
    bool ok = false;
    double ad = 0.0;  // km^2
    double am = 0.0;  // km^2
};

// Each polygon is buffered by the radius of its first vertex; quadrantSegments is the buffer's count of
// segments per quarter circle.
BufferResult BufferAdAm(const CalcInput& input, const CalcOptions& options, int quadrantSegments);

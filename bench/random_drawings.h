// Random valid drawings for the differential test of the engine against the literal construction:
// overlaps at different heights, courtyards, polygons touching at a vertex, collinear edges, acute
// corners with unequal heights, zero heights, figure eights, round towers with a tall corner, thin bars,
// notches of short edges, map coordinates, and K and D across their ranges. The same seed gives the same
// drawing, up to the last bits of the platform's sine and cosine.
#pragma once

#include <cstdint>
#include <string>

#include "engine/checks/polygon_checks.h"
#include "model/drawing_options.h"

struct RandomDrawing {
    CalcInput input;  // passes CheckPolygons
    CalcOptions options;
    std::string description;  // what was put in it, for a failure message
};

RandomDrawing MakeRandomDrawing(uint64_t seed);
// One lone polygon, compact round a point, a house of square corners or a convex tank at one height,
// which the engine mostly walks round a point all its shapes hold or traces from its discs' crossings.
RandomDrawing MakeRandomCompactDrawing(uint64_t seed);

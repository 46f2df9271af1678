// The records of an Ad/Am calculation: its input, a copy of the drawing's polygons, and its result.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/geometry/geometry.h"

struct CalcVertex {
    double x;
    double y;
    double height;
};

struct CalcPolygon {
    std::vector<CalcVertex> vertices;  // the vertex count is the size; the checks may drop a closing repeat
};

// The polygon list of the checks and the calculation: a copy, so that neither ever changes the drawing.
struct CalcInput {
    std::vector<CalcPolygon> polygons;
};

struct CalcResult {
    int32_t contourCount = 0;        // 0 means no result
    std::vector<int32_t> holeFlags;  // 1: the contour is a hole and its area counts negative
    std::vector<uint8_t> adFlags;    // 1: Ad outline, 0: Am outline; Ad contours come first
    std::vector<std::vector<Point>> contours;
    double ad = 0.0;  // km^2
    double am = 0.0;  // km^2
};

// No contour and zero areas, as a failed or stopped run leaves the result.
void ClearResult(CalcResult* result);

// The one result of the last Ad/Am calculation, shared by the view, the export and the editing tools.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/geometry.h"

struct CalcResult {
    int32_t contourCount = 0;         // 0 means no result
    std::vector<int32_t> holeFlags;   // 1: the contour is a hole and its area counts negative
    std::vector<uint8_t> adFlags;     // 1: Ad outline, 0: Am outline; Ad contours come first
    std::vector<std::vector<Point>> contours;
    double ad = 0.0;  // km^2
    double am = 0.0;  // km^2
};

extern CalcResult calcResult;

// Marks the result stale so that the next View calculates again; the arrays wait for the next run.
void DiscardResults();

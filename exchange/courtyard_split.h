// A footprint with courtyards (an outer ring with holes) as simple polygons that together cover exactly
// that footprint, since a polygon of the drawing cannot have a hole.
#pragma once

#include <string>
#include <vector>

#include "engine/geometry/geometry.h"

// rings[0] is the outer ring, the others its holes; each ring must already be simple. Fills pieces and
// returns an empty text, or returns why the rings do not make one footprint with courtyards.
std::string SplitCourtyards(const std::vector<std::vector<Point>>& rings, std::vector<std::vector<Point>>* pieces);

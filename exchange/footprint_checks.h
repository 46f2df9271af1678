// The checks an imported footprint passes before it is kept, with a reason the user can act on.
#pragma once

#include <string>
#include <vector>

#include "engine/checks/polygon_checks.h"

constexpr double MergeDistance = 0.001;  // metres: closer vertices are one vertex
constexpr double MinHeight = 0.01;       // metres, as the height dialogs allow

// Drops each vertex closer than MergeDistance to the last one kept, and a last vertex that close to
// the first, so that CAD rounding and closing repeats do not count as faults.
void MergeCloseVertices(std::vector<CalcVertex>* vertices);

// Empty when the polygon is simple and every height usable; otherwise why not, e.g. "edges 2 and 5
// cross" (edges counted from 1, edge k runs from vertex k to the next).
std::string FootprintFault(const std::vector<CalcVertex>& vertices);

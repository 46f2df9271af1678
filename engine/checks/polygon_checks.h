// Validity of polygons for the offset construction, and whether they form one footprint.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/geometry/geometry.h"
#include "engine/run/calc_records.h"
#include "model/drawing.h"

CalcInput MakeCalcInput(const Drawing& source);

// True when the two edges neither cross nor overlap; sharing only an end point is allowed.
bool EdgesCompatible(Edge first, Edge second);

// The first pair of a closed polygon's edges, in the order of the first edge and then the second, that
// cross or overlap (edge i runs from vertex i to the next); false when there is none.
bool FirstCrossingEdges(const std::vector<CalcVertex>& vertices, size_t* first, size_t* second);

// True when two vertices, adjacent or not, lie at the same point: a figure eight or a pinched footprint.
bool PassesTwiceThroughAVertex(const std::vector<CalcVertex>& vertices);

// True when the list is not empty and every polygon is simple: at least three vertices, no two
// consecutive vertices equal, no two edges crossing or overlapping. Drops a last vertex that repeats
// the first.
bool CheckPolygons(CalcInput* input);

// The first vertex whose height is above MaxVertexHeight (or not a number), counted from 0; false when
// every height is within the limit.
bool FirstHeightAboveLimit(const CalcInput& input, size_t* polygon, size_t* vertex);

// CheckPolygons on every polygon of the drawing; false for an empty drawing.
bool CheckDrawing(const Drawing& source);

constexpr int32_t OuterCountUnknown = -1;  // the clipper failed

// True when the union of the polygons has exactly one outer contour (holes do not count).
bool PolygonsAreNeighbours(const CalcInput& input, int32_t* outerContours);

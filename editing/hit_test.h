// Which polygon, and which of its vertices, lie under a click on the canvas.
#pragma once

#include <cstdint>
#include <vector>

#include "model/polygon_store.h"
#include "view/view_transform.h"

// The lines of the edges of a polygon, each edge running from the previous vertex to vertex i and held
// as x = x0 + m y.
struct EdgeCrossing {
    double x0;
    double m;
};
std::vector<EdgeCrossing> EdgeCrossings(int32_t n, const double* x, const double* y);

// Even-odd rule with a ray towards smaller x. Half-open: for a rectangle the sides at the larger x and
// the larger y belong to it, the other two do not.
bool PointInPolygon(int32_t n, const EdgeCrossing* lines, const double* y, double wx, double wy);

// The polygon drawn on top among those that hold the click or have a vertex whose mark it falls on, and
// the vertex picked (-1 when the click is only inside). True when any polygon was hit, even one whose
// priority is out of range and therefore never chosen.
bool HitTest(const ViewTransform& view, const PolygonStore& store, PixelPoint click, int32_t* polygonIndex,
             int32_t* vertexIndex);

// The rules of the three editing tools, apart from the dialogs and messages they lead to.
#pragma once

#include <cstdint>

#include "engine/geometry/geometry.h"
#include "model/polygon_store.h"

// A new polygon with its first vertex at p, height 1.0, priority "1" and the name "Polygon <count>".
PolygonRecord NewPendingPolygon(int32_t polygonCount, Point p);

// Whether the edge from the last vertex to p neither crosses nor overlaps an edge already placed.
bool NextEdgeFits(const PolygonRecord& pending, Point p);

// Whether p can close the polygon: the edge to p and the closing edge from p to the first vertex both
// fit. Needs at least two vertices placed.
bool ClosingEdgesFit(const PolygonRecord& pending, Point p);

// Adds p as a vertex with the previous vertex's height.
void AppendPendingVertex(PolygonRecord* pending, Point p);

// Moves vertex k of polygon index to w, or the whole polygon by (dx, dy), when the polygon then still
// passes the polygon checks; false, changing nothing, otherwise or for an index out of range.
bool MoveVertexTo(PolygonStore* store, int32_t index, int32_t k, Point w);
bool MovePolygonBy(PolygonStore* store, int32_t index, double dx, double dy);

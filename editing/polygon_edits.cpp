#include "editing/polygon_edits.h"

#include <cstdio>

#include "engine/checks/polygon_checks.h"

namespace {

Point VertexOf(const PolygonRecord& polygon, int32_t i) {
    return {polygon.x[i], polygon.y[i]};
}

// Tests e against every placed edge from vertex f to f + 1.
bool FitsPlacedEdges(const PolygonRecord& pending, Edge e) {
    for (int32_t f = 0; f + 1 < pending.vertexCount; f++)
        if (!EdgesCompatible({VertexOf(pending, f), VertexOf(pending, f + 1)}, e))
            return false;
    return true;
}

// The polygon as the checks see it, with each vertex placed by move.
template <typename Move>
bool StillValid(const PolygonRecord& polygon, Move move) {
    CalcInput input;
    input.polygons.resize(1);
    for (int32_t i = 0; i < polygon.vertexCount; i++) {
        Point p = move(i);
        input.polygons[0].vertices.push_back({p.x, p.y, polygon.height[i]});
    }
    return CheckPolygons(&input);
}

}  // namespace

PolygonRecord NewPendingPolygon(int32_t polygonCount, Point p) {
    PolygonRecord pending;
    char name[PolygonNameSize];
    snprintf(name, sizeof name, "Polygon %d", static_cast<int>(polygonCount));
    SetPolygonName(&pending, name);
    double height = 1.0;
    SetPolygonVertices(&pending, &p.x, &p.y, &height, 1);
    return pending;
}

bool NextEdgeFits(const PolygonRecord& pending, Point p) {
    if (pending.vertexCount < 2)
        return true;
    return FitsPlacedEdges(pending, {VertexOf(pending, pending.vertexCount - 1), p});
}

// The two new edges are tested against the placed ones, and the closed polygon must also pass the
// checks a file is opened with: the new edges meet each other at p, and a closing edge folded back
// along the last one would be stored into a drawing that could not be read back.
bool ClosingEdgesFit(const PolygonRecord& pending, Point p) {
    if (pending.vertexCount < 2)
        return false;
    if (!FitsPlacedEdges(pending, {VertexOf(pending, pending.vertexCount - 1), p}) ||
        !FitsPlacedEdges(pending, {p, VertexOf(pending, 0)}))
        return false;
    PolygonRecord closed = pending;
    AppendPendingVertex(&closed, p);
    return StillValid(closed, [&](int32_t i) { return VertexOf(closed, i); });
}

void AppendPendingVertex(PolygonRecord* pending, Point p) {
    pending->x.push_back(p.x);
    pending->y.push_back(p.y);
    pending->height.push_back(pending->height.back());
    pending->vertexCount++;
}

bool MoveVertexTo(PolygonStore* store, int32_t index, int32_t k, Point w) {
    if (index < 0 || index >= store->count())
        return false;
    const PolygonRecord& polygon = store->polygon(index);
    if (k < 0 || k >= polygon.vertexCount)
        return false;
    if (!StillValid(polygon, [&](int32_t i) { return i == k ? w : VertexOf(polygon, i); }))
        return false;
    return store->moveVertex(index, k, w.x, w.y);
}

bool MovePolygonBy(PolygonStore* store, int32_t index, double dx, double dy) {
    if (index < 0 || index >= store->count() || store->polygon(index).vertexCount == 0)
        return false;
    const PolygonRecord& polygon = store->polygon(index);
    if (!StillValid(polygon, [&](int32_t i) { return Point{polygon.x[i] + dx, polygon.y[i] + dy}; }))
        return false;
    return store->movePolygon(index, dx, dy);
}

#include "editing/hit_test.h"

#include <algorithm>

#include "engine/geometry/geometry.h"
#include "model/drawing_options.h"

bool HitTest(const ViewTransform& view, const PolygonStore& store, PixelPoint click, int32_t* polygonIndex,
             int32_t* vertexIndex) {
    *polygonIndex = -1;
    *vertexIndex = -1;
    Point w = ToWorld(view, click.x, click.y);
    std::vector<char> inside(store.count());
    std::vector<int32_t> near(store.count(), -1);
    bool hit = false;
    for (int32_t i = 0; i < store.count(); i++) {
        const PolygonRecord& polygon = store.polygon(i);
        std::vector<Point> ring(polygon.vertexCount);
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            ring[k] = {polygon.x[k], polygon.y[k]};
        inside[i] = PointInRing(ring, w);
        // The pick square is the drawn mark itself, found where the renderer puts it.
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            if (VertexMarkBox(ToPixel(view, polygon.x[k], polygon.y[k]), view.dpi).contains(click)) {
                inside[i] = 1;
                near[i] = k;  // a later vertex wins
            }
        hit = hit || inside[i];
    }
    // The winner is the polygon painted last: the smallest priority index, then the highest store index.
    for (int32_t priority = PriorityCount - 1; priority >= 0; priority--)
        for (int32_t j = 0; j < store.count(); j++)
            if (store.priorities()[j] == priority && inside[j]) {
                *polygonIndex = j;
                *vertexIndex = near[j];
            }
    return hit;
}

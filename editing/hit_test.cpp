#include "editing/hit_test.h"

#include <algorithm>

#include "model/drawing_options.h"

std::vector<EdgeCrossing> EdgeCrossings(int32_t n, const double* x, const double* y) {
    std::vector<EdgeCrossing> lines(n);
    for (int32_t i = 0; i < n; i++) {
        int32_t p = i == 0 ? n - 1 : i - 1;
        if (y[i] == y[p])
            lines[i] = {x[i], 0.0};
        else
            lines[i] = {x[i] + (x[i] - x[p]) * y[i] / (y[p] - y[i]), (x[p] - x[i]) / (y[p] - y[i])};
    }
    return lines;
}

bool PointInPolygon(int32_t n, const EdgeCrossing* lines, const double* y, double wx, double wy) {
    bool inside = false;
    for (int32_t i = 0; i < n; i++) {
        int32_t p = i == 0 ? n - 1 : i - 1;
        double low = std::min(y[i], y[p]), high = std::max(y[i], y[p]);
        if (low < wy && wy <= high && lines[i].m * wy + lines[i].x0 < wx)
            inside = !inside;
    }
    return inside;
}

bool HitTest(const ViewTransform& view, const PolygonStore& store, PixelPoint click, int32_t* polygonIndex,
             int32_t* vertexIndex) {
    *polygonIndex = -1;
    *vertexIndex = -1;
    double span = ZoomPixels(view.dpi);
    Point w = {click.x * view.z / span + view.scrollX, click.y * view.z / span + view.scrollY};
    std::vector<char> inside(store.count());
    std::vector<int32_t> near(store.count(), -1);
    bool hit = false;
    for (int32_t i = 0; i < store.count(); i++) {
        const struct Polygon& polygon = store.polygon(i);
        std::vector<EdgeCrossing> lines = EdgeCrossings(polygon.vertexCount, polygon.x.data(), polygon.y.data());
        inside[i] = PointInPolygon(polygon.vertexCount, lines.data(), polygon.y.data(), w.x, w.y);
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

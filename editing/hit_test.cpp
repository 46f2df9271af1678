#include "editing/hit_test.h"

#include <algorithm>

#include "model/drawing.h"
#include "view/canvas_state.h"

std::vector<EdgeLine> EdgeLines(int32_t n, const double* x, const double* y) {
    std::vector<EdgeLine> lines(n);
    for (int32_t i = 0; i < n; i++) {
        int32_t p = i == 0 ? n - 1 : i - 1;
        if (y[i] == y[p])
            lines[i] = {x[i], 0.0};
        else
            lines[i] = {x[i] + (x[i] - x[p]) * y[i] / (y[p] - y[i]), (x[p] - x[i]) / (y[p] - y[i])};
    }
    return lines;
}

bool PointInPolygon(int32_t n, const EdgeLine* lines, const double* y, double wx, double wy) {
    bool inside = false;
    for (int32_t i = 0; i < n; i++) {
        int32_t p = i == 0 ? n - 1 : i - 1;
        double low = std::min(y[i], y[p]), high = std::max(y[i], y[p]);
        if (low < wy && wy <= high && lines[i].m * wy + lines[i].x0 < wx)
            inside = !inside;
    }
    return inside;
}

double PickTolerance(double z) {
    return z * 3 / 10;
}

namespace {

// The square around a vertex, tested with the polygon rule, so it too is half-open.
bool NearVertex(double vx, double vy, double t, double wx, double wy) {
    double x[4] = {vx - t, vx + t, vx + t, vx - t};
    double y[4] = {vy - t, vy - t, vy + t, vy + t};
    std::vector<EdgeLine> lines = EdgeLines(4, x, y);
    return PointInPolygon(4, lines.data(), y, wx, wy);
}

}  // namespace

bool HitTest(int32_t px, int32_t py, int32_t* polygonIndex, int32_t* vertexIndex) {
    *polygonIndex = -1;
    *vertexIndex = -1;
    ViewTransform view = CurrentView();
    double wx = px * view.z / 10 + view.scrollX, wy = py * view.z / 10 + view.scrollY;
    double t = PickTolerance(view.z);
    const PolygonStore& store = drawing.polygons;
    std::vector<char> inside(store.count());
    std::vector<int32_t> near(store.count(), -1);
    bool hit = false;
    for (int32_t i = 0; i < store.count(); i++) {
        const struct Polygon& polygon = store.polygon(i);
        std::vector<EdgeLine> lines = EdgeLines(polygon.vertexCount, polygon.x.data(), polygon.y.data());
        inside[i] = PointInPolygon(polygon.vertexCount, lines.data(), polygon.y.data(), wx, wy);
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            if (NearVertex(polygon.x[k], polygon.y[k], t, wx, wy)) {
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

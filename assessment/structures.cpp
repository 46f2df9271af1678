#include "assessment/structures.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/geometry/geometry.h"

namespace {

using Vec = Point;

Vec Sub(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}

double Cross(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}

double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}

double PointSegmentDistance(Vec p, Vec a, Vec b) {
    Vec ab = Sub(b, a), ap = Sub(p, a);
    double length2 = Dot(ab, ab);
    double t = length2 > 0.0 ? std::clamp(Dot(ap, ab) / length2, 0.0, 1.0) : 0.0;
    Vec nearest = {a.x + t * ab.x - p.x, a.y + t * ab.y - p.y};
    return std::sqrt(Dot(nearest, nearest));
}

// Segments closer than the tolerance, or crossing. Points are relative to a common origin near them,
// so that map coordinates keep their precision.
bool SegmentsMeet(Vec a, Vec b, Vec c, Vec d) {
    double d1 = Cross(Sub(b, a), Sub(c, a)), d2 = Cross(Sub(b, a), Sub(d, a));
    double d3 = Cross(Sub(d, c), Sub(a, c)), d4 = Cross(Sub(d, c), Sub(b, c));
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    return std::min({PointSegmentDistance(c, a, b), PointSegmentDistance(d, a, b), PointSegmentDistance(a, c, d),
                     PointSegmentDistance(b, c, d)}) <= TouchTolerance;
}

std::vector<Vec> Ring(const PolygonRecord& polygon, Vec origin) {
    std::vector<Vec> ring(polygon.vertexCount);
    for (int32_t k = 0; k < polygon.vertexCount; k++)
        ring[k] = {polygon.x[k] - origin.x, polygon.y[k] - origin.y};
    return ring;
}

struct Box {
    double minX, minY, maxX, maxY;
};

Box BoxOf(const PolygonRecord& polygon) {
    Box box = {INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (int32_t k = 0; k < polygon.vertexCount; k++) {
        box.minX = std::min(box.minX, polygon.x[k]);
        box.maxX = std::max(box.maxX, polygon.x[k]);
        box.minY = std::min(box.minY, polygon.y[k]);
        box.maxY = std::max(box.maxY, polygon.y[k]);
    }
    return box;
}

int32_t Root(std::vector<int32_t>* parent, int32_t i) {
    while ((*parent)[i] != i)
        i = (*parent)[i] = (*parent)[(*parent)[i]];
    return i;
}

}  // namespace

bool PolygonsShareAPoint(const PolygonRecord& first, const PolygonRecord& second) {
    if (first.vertexCount < 1 || second.vertexCount < 1)
        return false;
    Vec origin = {first.x[0], first.y[0]};
    std::vector<Vec> a = Ring(first, origin), b = Ring(second, origin);
    for (size_t i = 0; i < a.size(); i++)
        for (size_t j = 0; j < b.size(); j++)
            if (SegmentsMeet(a[i], a[(i + 1) % a.size()], b[j], b[(j + 1) % b.size()]))
                return true;
    // No edges meet: either one lies wholly inside the other, or they are apart.
    return PointInRing(b, a[0]) || PointInRing(a, b[0]);
}

std::vector<Structure> FindStructures(const PolygonStore& polygons) {
    int32_t count = polygons.count();
    std::vector<Box> boxes(count);
    for (int32_t i = 0; i < count; i++)
        boxes[i] = BoxOf(polygons.polygon(i));
    std::vector<int32_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return boxes[a].minX < boxes[b].minX; });

    std::vector<int32_t> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<int32_t> active;  // polygons whose box may still reach the next one in x
    for (int32_t i : order) {
        const Box& box = boxes[i];
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [&](int32_t j) { return boxes[j].maxX < box.minX - TouchTolerance; }),
                     active.end());
        for (int32_t j : active) {
            const Box& other = boxes[j];
            if (other.minY > box.maxY + TouchTolerance || other.maxY < box.minY - TouchTolerance)
                continue;
            int32_t a = Root(&parent, i), b = Root(&parent, j);
            if (a != b && PolygonsShareAPoint(polygons.polygon(i), polygons.polygon(j)))
                parent[std::max(a, b)] = std::min(a, b);
        }
        active.push_back(i);
    }

    // The root of each group is its lowest index, so groups come out in the order of their first polygon.
    std::vector<int32_t> groupOf(count, -1);
    std::vector<Structure> structures;
    for (int32_t i = 0; i < count; i++) {
        int32_t root = Root(&parent, i);
        if (groupOf[root] < 0) {
            groupOf[root] = static_cast<int32_t>(structures.size());
            structures.emplace_back();
        }
        structures[groupOf[root]].polygons.push_back(i);
    }
    return structures;
}

void DropDetachedSettings(const PolygonStore& polygons, AssessmentSettings* settings) {
    std::vector<StructureSettings>& list = settings->structures;
    if (list.empty())
        return;
    std::vector<uint8_t> isFirst(polygons.count(), 0);
    for (const Structure& structure : FindStructures(polygons))
        isFirst[structure.polygons.front()] = 1;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const StructureSettings& s) {
                                  return s.firstPolygon >= polygons.count() || !isFirst[s.firstPolygon];
                              }),
               list.end());
}

#include "assessment/cd_surroundings.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/clipper/clipper.h"

namespace {

struct Segment {
    Point a;
    Point b;
};

struct Outline {
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    std::vector<Segment> edges;
};

Outline OutlineOf(const PolygonStore& polygons, const Structure& structure) {
    Outline outline;
    for (int32_t index : structure.polygons) {
        const PolygonRecord& polygon = polygons.polygon(index);
        for (int32_t k = 0; k < polygon.vertexCount; k++) {
            int32_t next = (k + 1) % polygon.vertexCount;
            outline.edges.push_back({{polygon.x[k], polygon.y[k]}, {polygon.x[next], polygon.y[next]}});
            outline.minX = std::min(outline.minX, polygon.x[k]);
            outline.maxX = std::max(outline.maxX, polygon.x[k]);
            outline.minY = std::min(outline.minY, polygon.y[k]);
            outline.maxY = std::max(outline.maxY, polygon.y[k]);
        }
    }
    return outline;
}

// Area-weighted centroid of rings, each taken about its own first point so that map coordinates keep
// their precision; holes count negative.
struct Moments {
    double area = 0.0, x = 0.0, y = 0.0;
    void addRing(const std::vector<Point>& ring, bool hole) {
        if (ring.size() < 3)
            return;
        Point o = ring[0];
        double a = 0.0, cx = 0.0, cy = 0.0;
        for (size_t i = 1; i + 1 < ring.size(); i++) {
            double x1 = ring[i].x - o.x, y1 = ring[i].y - o.y, x2 = ring[i + 1].x - o.x, y2 = ring[i + 1].y - o.y;
            double cross = x1 * y2 - x2 * y1;
            a += cross;
            cx += (x1 + x2) * cross;
            cy += (y1 + y2) * cross;
        }
        if (a == 0.0)
            return;
        double sign = (a > 0) == !hole ? 1.0 : -1.0;  // rings count by their role, whatever their sense
        double area = std::fabs(a) / 2.0 * sign;
        this->area += area;
        x += area * (o.x + cx / (3.0 * a));
        y += area * (o.y + cy / (3.0 * a));
    }
};

// The centroid of the union of the structure's polygons; overlapping parts count once.
Point Centroid(const PolygonStore& polygons, const Structure& structure) {
    std::vector<ClipPolygon> parts;
    std::vector<Point> first;
    for (int32_t index : structure.polygons) {
        const PolygonRecord& polygon = polygons.polygon(index);
        std::vector<Point> ring;
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            ring.push_back({polygon.x[k], polygon.y[k]});
        if (first.empty())
            first = ring;
        parts.push_back(SingleContourPolygon(ring.data(), static_cast<int32_t>(ring.size())));
    }
    Moments moments;
    ClipPolygon united;
    if (parts.size() > 1 && ClipUnionAll(parts, &united)) {
        for (const ClipContour& contour : united.contours)
            moments.addRing(contour.points, contour.hole);
    } else {
        moments.addRing(first, false);
    }
    if (moments.area == 0.0)
        return first.empty() ? Point{0.0, 0.0} : first[0];
    return {moments.x / moments.area, moments.y / moments.area};
}

// Squared, so that the many comparisons against the reach need no square root.
double PointSegmentDistance2(Point p, const Segment& s, Point* nearest) {
    double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? std::clamp(((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    *nearest = {s.a.x + t * dx, s.a.y + t * dy};
    double dx2 = nearest->x - p.x, dy2 = nearest->y - p.y;
    return dx2 * dx2 + dy2 * dy2;
}

// Whether p lies within reach of the outline; stops at the first edge close enough.
bool WithinReach(Point p, const Outline& outline, double reach) {
    Point nearest;
    for (const Segment& edge : outline.edges)
        if (PointSegmentDistance2(p, edge, &nearest) <= reach * reach)
            return true;
    return false;
}

// The point of edge nearest to other, and its squared distance: for segments that do not cross, the nearest
// pair has an end of one of them in it.
double NearestOnEdge(const Segment& edge, const Segment& other, Point* nearest) {
    Point candidate = edge.a;
    double best = INFINITY;
    for (Point end : {other.a, other.b}) {
        double d = PointSegmentDistance2(end, edge, &candidate);
        if (d < best) {
            best = d;
            *nearest = candidate;
        }
    }
    for (Point end : {edge.a, edge.b}) {
        double d = PointSegmentDistance2(end, other, &candidate);
        if (d < best) {
            best = d;
            *nearest = end;
        }
    }
    return best;
}

// The sectors that the part of another structure's outline within reach of this one takes: its edges
// sampled a quarter of the reach apart, and on each edge the point nearest to this structure, so that a
// neighbour just inside the reach is never missed between two samples.
uint32_t SectorsTaken(const Outline& other, const Outline& self, Point centre, double reach) {
    uint32_t sectors = 0;
    auto mark = [&](Point p) { sectors |= 1u << SectorOf(p.x - centre.x, p.y - centre.y); };
    for (const Segment& edge : other.edges) {
        Point closest = edge.a, candidate = edge.a;
        double nearest = INFINITY;
        for (const Segment& mine : self.edges) {
            double d = NearestOnEdge(edge, mine, &candidate);
            if (d < nearest) {
                nearest = d;
                closest = candidate;
            }
        }
        if (nearest > reach * reach)
            continue;  // no point of this edge is within reach
        mark(closest);
        double length = std::hypot(edge.b.x - edge.a.x, edge.b.y - edge.a.y);
        int steps = static_cast<int>(std::min(32.0, std::ceil(length / (reach / 4.0))));
        for (int i = 0; i <= steps; i++) {
            double t = static_cast<double>(i) / std::max(steps, 1);
            Point p = {edge.a.x + t * (edge.b.x - edge.a.x), edge.a.y + t * (edge.b.y - edge.a.y)};
            if (WithinReach(p, self, reach))
                mark(p);
        }
    }
    return sectors;
}

}  // namespace

int32_t SectorOf(double dx, double dy) {
    if (dy < 0.0 || (dy == 0.0 && dx < 0.0))
        return 4 + SectorOf(-dx, -dy);  // the lower half is the upper half turned half round
    if (dx > 0.0)
        return dy < dx ? 0 : 1;
    return dy > -dx ? 2 : 3;
}

std::vector<CdSuggestion> SuggestCd(const PolygonStore& polygons, const std::vector<Structure>& structures,
                                    const std::vector<double>& heights, double heightProjection) {
    size_t count = structures.size();
    std::vector<Outline> outlines(count);
    double widest = 0.0;
    for (size_t i = 0; i < count; i++) {
        outlines[i] = OutlineOf(polygons, structures[i]);
        widest = std::max(widest, outlines[i].maxX - outlines[i].minX);
    }
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return outlines[a].minX < outlines[b].minX; });
    std::vector<double> sortedMinX(count);
    for (size_t i = 0; i < count; i++)
        sortedMinX[i] = outlines[order[i]].minX;

    std::vector<CdSuggestion> suggestions(count);
    for (size_t s = 0; s < count; s++) {
        const Outline& self = outlines[s];
        CdSuggestion& suggestion = suggestions[s];
        double vicinity = heightProjection * heights[s];
        suggestion.vicinity = vicinity;
        if (!(vicinity > 0.0))
            continue;  // no height: the vicinity is the footprint, which no other structure enters
        Point centre = Centroid(polygons, structures[s]);
        uint32_t higher = 0;
        auto from = std::lower_bound(sortedMinX.begin(), sortedMinX.end(), self.minX - vicinity - widest);
        for (size_t at = from - sortedMinX.begin(); at < count && sortedMinX[at] <= self.maxX + vicinity; at++) {
            size_t t = order[at];
            const Outline& other = outlines[t];
            if (t == s || other.maxX < self.minX - vicinity || other.minY > self.maxY + vicinity ||
                other.maxY < self.minY - vicinity)
                continue;
            uint32_t sectors = SectorsTaken(other, self, centre, vicinity);
            if (sectors == 0)
                continue;
            suggestion.nearby++;
            if (heights[t] > heights[s])
                higher |= sectors;
        }
        for (int32_t k = 0; k < CdSectorCount; k++)
            suggestion.higherSectors += (higher >> k) & 1;
        if (suggestion.nearby == 0)
            suggestion.cd = 1.0;
        else
            suggestion.cd = suggestion.higherSectors >= CdSurroundedSectors ? 0.25 : 0.5;
    }
    return suggestions;
}

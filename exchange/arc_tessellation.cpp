#include "exchange/arc_tessellation.h"

#include <cmath>

// An arc of included angle theta and radius r, cut into n equal edges, strays from them by
// r (1 - cos(theta / 2n)) in the middle of each edge: n is the least count that keeps this under the
// limit, capped so that a huge arc cannot ask for millions of points.
void AppendArcPoints(Point from, Point to, double bulge, double maxError, std::vector<Point>* points) {
    double dx = to.x - from.x, dy = to.y - from.y;
    double chord = std::hypot(dx, dy);
    if (bulge == 0.0 || !std::isfinite(bulge) || !(chord > 0.0) || !std::isfinite(chord))
        return;
    if (std::fabs(bulge) * chord / 2.0 <= maxError)
        return;                             // the arc strays from its chord by no more than the error allowed
    double theta = 4.0 * std::atan(bulge);  // signed, |theta| < 2 pi
    double radius = chord / (2.0 * std::sin(std::fabs(theta) / 2.0));
    double step = 2.0 * std::acos(1.0 - maxError / radius < -1.0 ? -1.0 : 1.0 - maxError / radius);
    // A step that vanishes against a huge radius asks for more points than the cap, or for infinitely many.
    double wanted = std::ceil(std::fabs(theta) / step);
    int32_t count = wanted < MaxArcSegments ? static_cast<int32_t>(wanted) : MaxArcSegments;
    if (count < 2)
        return;
    // The centre lies on the chord's perpendicular bisector, on the left of from -> to for a
    // counter-clockwise arc of less than half a turn.
    double midX = (from.x + to.x) / 2.0, midY = (from.y + to.y) / 2.0;
    double toCentre = radius * std::cos(std::fabs(theta) / 2.0);  // negative beyond half a turn
    double side = theta > 0 ? 1.0 : -1.0;
    double cx = midX - side * dy / chord * toCentre;
    double cy = midY + side * dx / chord * toCentre;
    double start = std::atan2(from.y - cy, from.x - cx);
    for (int32_t i = 1; i < count; i++) {
        double angle = start + theta * i / count;
        points->push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
    }
}

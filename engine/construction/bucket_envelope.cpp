#include "engine/construction/bucket_envelope.h"

#include <cmath>

bool FollowDisc(Point e0, double width, const std::vector<Seen>& edges, std::vector<Point>* points, uint64_t* firstTop,
                uint64_t* lastTop) {
    if (edges.empty() || edges.front().ua > 0.0 || edges.back().ub < width)
        return false;
    size_t first = 0, last = edges.size() - 1;
    while (first < last && edges[first].ub <= 0.0)
        first++;
    while (last > first && edges[last].ua >= width)
        last--;
    Point start = Ray(e0, 0.0), end = Ray(e0, width);
    double from = Reach(edges[first], start), to = Reach(edges[last], end);
    points->push_back({from * start.x, from * start.y});
    for (size_t k = first; k < last; k++)
        points->push_back(edges[k].b);
    points->push_back({to * end.x, to * end.y});
    *firstTop = edges[first].id;
    *lastTop = edges[last].id;
    return true;
}

bool WalkEnvelope(Point e0, double width, const std::vector<Seen>& edges, std::vector<Point>* points, uint64_t* firstTop,
                  uint64_t* lastTop) {
    auto ray = [&](double u) { return Ray(e0, u); };
    auto hit = [&](const Seen& s, double u) {
        Point e = ray(u);
        double t = Reach(s, e);
        return Point{t * e.x, t * e.y};
    };
    // A point may repeat the one before: the clipper's sweep drops it, and keeping it keeps the bucket's
    // first point, which the caller may drop, from standing for a corner.
    auto emit = [&](Point p) { points->push_back(p); };
    // The edge reaching farthest at u among those that go on past it.
    auto topAt = [&](double u, int exclude) {
        int best = -1;
        double bestReach = -1.0;
        Point e = ray(u);
        for (size_t k = 0; k < edges.size(); k++) {
            const Seen& s = edges[k];
            if (static_cast<int>(k) == exclude || s.ua > u + AngleTie || s.ub <= u + AngleTie)
                continue;
            double reach = Reach(s, e);
            if (reach > bestReach + Tie || (reach > bestReach - Tie && best >= 0 && s.ub > edges[best].ub)) {
                best = static_cast<int>(k);
                bestReach = std::max(reach, bestReach);
            }
        }
        return best;
    };
    // The rays at the edges' ends within the bucket, which the steps below look at again and again.
    std::vector<Point> startRay(edges.size()), endRay(edges.size());
    for (size_t k = 0; k < edges.size(); k++) {
        if (edges[k].ua > 0.0 && edges[k].ua < width)
            startRay[k] = ray(edges[k].ua);
        if (edges[k].ub > 0.0 && edges[k].ub < width)
            endRay[k] = ray(edges[k].ub);
    }
    double u = 0.0;
    int top = topAt(u, -1);
    if (top < 0)
        return false;
    *firstTop = edges[top].id;
    emit(hit(edges[top], u));
    for (size_t step = 0; step < 8 * edges.size() + 64; step++) {
        const Seen& t = edges[top];
        double high = std::min(t.ub, width);
        double nextU = high;
        int next = -1;
        bool starts = false;
        Point crossing{0, 0};
        Point eU = ray(u), eTop = ray(high);
        double reachTopAtU = Reach(t, eU);
        for (size_t k = 0; k < edges.size(); k++) {
            const Seen& s = edges[k];
            if (static_cast<int>(k) == top)
                continue;
            double low = std::max(u, s.ua), sHigh = std::min(s.ub, high);
            if (sHigh <= low || low >= nextU)
                continue;
            bool later = s.ua > u;
            Point eLow = later ? startRay[k] : eU;
            double reachS = Reach(s, eLow), reachT = later ? Reach(t, eLow) : reachTopAtU;
            if (reachS > reachT + Tie) {  // starts above, or was found above only now
                nextU = low;
                next = static_cast<int>(k);
                starts = true;
                continue;
            }
            Point eHigh = s.ub < high ? endRay[k] : eTop;
            if (!(Reach(s, eHigh) > Reach(t, eHigh) + Tie))
                continue;
            // The lines cross once between low and sHigh.
            Point dt = t.d, ds = s.d;
            double den = CrossOf(dt, ds);
            double uX = sHigh;
            Point x{0, 0};
            bool found = false;
            if (std::fabs(den) > 0.0) {
                double along = CrossOf(Minus(s.a, t.a), ds) / den;
                x = {t.a.x + dt.x * along, t.a.y + dt.y * along};
                uX = Tangent(e0, x);
                found = uX > low && uX <= sHigh;
            }
            // Lines nearly along the ray cross where rounding hides: halve the range instead.
            if (!found) {
                double below = low;
                uX = sHigh;
                for (int halving = 0; halving < 64 && below < uX; halving++) {
                    double middle = below + (uX - below) / 2;
                    if (middle <= below || middle >= uX)
                        break;
                    Point e = ray(middle);
                    (Reach(s, e) > Reach(t, e) + Tie ? uX : below) = middle;
                }
                x = hit(s, uX);
            }
            if (uX < nextU) {
                nextU = uX;
                next = static_cast<int>(k);
                starts = false;
                crossing = x;
            }
        }
        if (next < 0) {
            if (high >= width - AngleTie) {
                *lastTop = t.id;
                points->push_back(hit(t, width));
                return true;
            }
            emit(t.b);
            u = high;
            int after = topAt(u, top);
            if (after < 0)
                return false;
            // The next edge goes on from this one's end, or the outline drops or rises to it along the ray.
            Point onNext = hit(edges[after], u);
            if (std::fabs(onNext.x - t.b.x) + std::fabs(onNext.y - t.b.y) > Tie)
                emit(onNext);
            top = after;
        } else if (starts) {
            const Seen& s = edges[next];
            emit(hit(t, nextU));
            emit(nextU == s.ua ? s.a : hit(s, nextU));
            top = next;
            u = nextU;
        } else {
            emit(crossing);
            top = next;
            u = nextU;
        }
    }
    return false;
}

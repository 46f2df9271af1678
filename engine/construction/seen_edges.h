// Edges and circles seen along rays from a centre, for the walk round it (radial_outline.h). Points are
// relative to the centre, which is the origin here.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/geometry/geometry.h"

inline double CrossOf(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}
inline double DotOf(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
inline double Length(Point p) {
    return std::sqrt(p.x * p.x + p.y * p.y);
}
inline Point Minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}

constexpr double Tie = 1e-9;  // m: nearer than this, two edges reach equally far
constexpr double AngleTie = 1e-13;

// Directions within a bucket are told apart by the tangent of their angle from the bucket's start: it
// grows with the angle and costs no arc tangent. A point a quarter turn or more away counts as infinitely
// far round, which keeps the order of every edge that can reach into the bucket.
constexpr double Beyond = 1e300;

inline double Tangent(Point e0, Point p) {
    double along = DotOf(e0, p), side = CrossOf(e0, p);
    if (along > 0.0)
        return side / along;
    return side >= 0.0 ? Beyond : -Beyond;
}

// The unit ray at tangent tau from e0.
inline Point Ray(Point e0, double tau) {
    double scale = 1.0 / std::sqrt(1.0 + tau * tau);
    return {(e0.x - tau * e0.y) * scale, (e0.y + tau * e0.x) * scale};
}

// An edge seen from the centre (the origin here): from a to b, at tangents ua <= ub within a bucket.
struct Seen {
    Point a, b;
    Point d;      // b - a
    double lever;  // a x d: the edge's line lies at lever / (e x d) along the unit ray e
    double far;    // the farther end's distance
    double ua, ub;
    uint64_t id;  // the same edge has the same id in every bucket
};

inline Seen EdgeSeen(Point a, Point b, uint64_t id) {
    Point d = Minus(b, a);
    return {a, b, d, CrossOf(a, d), std::sqrt(std::max(DotOf(a, a), DotOf(b, b))), 0.0, 0.0, id};
}

// Whether the edge lies wholly a quarter turn or more from e0, where no ray of the bucket meets it.
inline bool Behind(Point e0, const Seen& edge) {
    return DotOf(e0, edge.a) <= 0.0 && DotOf(e0, edge.b) <= 0.0;
}

// How far along the unit ray e the edge's line lies; for an edge along the ray, its far end.
inline double Reach(const Seen& s, Point e) {
    double den = CrossOf(e, s.d);
    if (std::fabs(den) <= 1e-300)
        return s.far;
    return std::min(s.far, std::max(0.0, s.lever / den));
}

// A disc of the polygon, its centre relative to the outline's centre.
struct Disc {
    Point centre;  // relative
    Point absolute;
    double r;
    int32_t bucket;  // the one its centre's direction falls in
};

// How far along the unit ray e a circle of radius r around c reaches (c lies inside it).
inline double CircleReach(Point c, double r, Point e) {
    double side = CrossOf(e, c);
    return DotOf(e, c) + std::sqrt(std::max(0.0, r * r - side * side));
}

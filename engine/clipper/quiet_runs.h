// Runs of points of a convex contour that no other contour comes near, set aside from a sweep of the
// clipper and put back into its result. The arcs of the circle polygons make up most points of an
// outline, and most of an arc touches nothing: the sweep then costs what the places where contours meet
// cost, not what every point of every arc costs.
#pragma once

#include <clipper.hpp>

#include <cstddef>
#include <vector>

class QuietRuns {
  public:
    // Replaces each quiet run of a subject path by its chord. A run is quiet when it turns by less than a
    // right angle along a strictly convex, counter-clockwise path and no edge of any other path, subject
    // or clip, comes near the rectangle over its chord that holds it: the cap between run and chord then
    // lies wholly inside or wholly outside every other path, so the sweep of the shortened paths has the
    // chord in its result exactly where the sweep of the whole paths has the run. Paths too small to
    // gain anything are left as they are. False when no run was set aside.
    bool setAside(const ClipperLib::Paths& subject, const ClipperLib::Paths& clip, ClipperLib::Paths* shortened);

    // Puts each run back in place of its chord. False when a chord does not show in the result as it
    // should (an end of it missing or followed by another point), which the rule above rules out but
    // the clipper's removal of points in line could still bring about: the caller then sweeps the whole
    // paths instead.
    bool restore(ClipperLib::Paths* solution) const;

  private:
    struct Run {
        ClipperLib::IntPoint a, b;                // the chord, as the path runs
        std::vector<ClipperLib::IntPoint> inner;  // the points between, in order
    };
    std::vector<Run> runs;
};

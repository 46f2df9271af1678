#include "engine/clipper/quiet_runs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

constexpr size_t PointsWorthSettingAside = 256;  // fewer cost the sweep less than looking for runs
constexpr size_t LongestRun = 128;
// A run no longer than this is not halved again: shorter runs gained less than trying them cost.
constexpr size_t ShortestHalved = 16;
constexpr int64_t WideChunkCells = 64;  // a chunk over more cells is tried against every run instead
// Clipper units (micrometres) by which an edge may miss a run's rectangle and still count as near it:
// far more than the rounding of the frame's doubles.
constexpr double Margin = 4.0;

__int128 Turn(IntPoint o, IntPoint a, IntPoint b) {
    return static_cast<__int128>(a.X - o.X) * (b.Y - o.Y) - static_cast<__int128>(a.Y - o.Y) * (b.X - o.X);
}

// Whether the direction from c to d lies less than a right angle to the left of the one from a to b.
bool WithinRightAngleLeft(IntPoint a, IntPoint b, IntPoint c, IntPoint d) {
    __int128 ax = b.X - a.X, ay = b.Y - a.Y, cx = d.X - c.X, cy = d.Y - c.Y;
    return ax * cx + ay * cy > 0 && ax * cy - ay * cx >= 0;
}

struct PointHash {
    size_t operator()(const IntPoint& p) const {
        return static_cast<size_t>((static_cast<uint64_t>(p.X) * 0x9E3779B97F4A7C15ull) ^
                                   (static_cast<uint64_t>(p.Y) * 0xC2B2AE3D27D4EB4Full));
    }
};

using Quad = std::array<std::pair<double, double>, 4>;

// The x range of the convex quadrilateral within the band of y from y0 to y1 (empty, low above high,
// when it misses the band).
void SpanInBand(const Quad& quad, double y0, double y1, double* xLow, double* xHigh) {
    *xLow = HUGE_VAL;
    *xHigh = -HUGE_VAL;
    for (size_t i = 0; i < quad.size(); i++) {
        auto [ax, ay] = quad[i];
        auto [bx, by] = quad[(i + 1) % quad.size()];
        double from = 0.0, to = 1.0;
        if (ay == by) {
            if (ay < y0 || ay > y1)
                continue;
        } else {
            double t0 = (y0 - ay) / (by - ay), t1 = (y1 - ay) / (by - ay);
            from = std::max(from, std::min(t0, t1));
            to = std::min(to, std::max(t0, t1));
            if (from > to)
                continue;
        }
        for (double t : {from, to}) {
            double x = ax + t * (bx - ax);
            *xLow = std::min(*xLow, x);
            *xHigh = std::max(*xHigh, x);
        }
    }
}

constexpr uint32_t ChunkEdges = 8;

// Consecutive edges of one path with their box.
struct Chunk {
    uint32_t path, first, last;  // the edges from point first to point last - 1, each to the next
    double xLow, yLow, xHigh, yHigh;
};

// The edges of all paths in chunks of a few dozen, filed by the cells of a grid their boxes cross, so
// that a run's rectangle is tried against the edges of the few chunks near it.
class EdgeChunks {
  public:
    explicit EdgeChunks(const std::vector<const Path*>& paths) : paths(paths) {
        double xLow = HUGE_VAL, yLow = HUGE_VAL, xHigh = -HUGE_VAL, yHigh = -HUGE_VAL;
        for (uint32_t p = 0; p < paths.size(); p++) {
            const Path& path = *paths[p];
            uint32_t n = static_cast<uint32_t>(path.size());
            for (uint32_t first = 0; first < n; first += ChunkEdges) {
                Chunk chunk{p, first, std::min(n, first + ChunkEdges), HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
                for (uint32_t k = first; k <= chunk.last; k++) {
                    const IntPoint& point = path[k % n];
                    chunk.xLow = std::min(chunk.xLow, static_cast<double>(point.X));
                    chunk.xHigh = std::max(chunk.xHigh, static_cast<double>(point.X));
                    chunk.yLow = std::min(chunk.yLow, static_cast<double>(point.Y));
                    chunk.yHigh = std::max(chunk.yHigh, static_cast<double>(point.Y));
                }
                xLow = std::min(xLow, chunk.xLow);
                xHigh = std::max(xHigh, chunk.xHigh);
                yLow = std::min(yLow, chunk.yLow);
                yHigh = std::max(yHigh, chunk.yHigh);
                chunks.push_back(chunk);
            }
        }
        origin = {xLow, yLow};
        double width = xHigh - xLow, height = yHigh - yLow, count = static_cast<double>(chunks.size());
        size = std::max({std::sqrt(width * height / count), std::max(width, height) / 1024.0, 1.0});
        columns = static_cast<int64_t>(width / size) + 1;
        rows = static_cast<int64_t>(height / size) + 1;
        std::vector<uint32_t> counts(static_cast<size_t>(columns * rows) + 1, 0);
        forEachCell([&](uint32_t, size_t cell) { counts[cell + 1]++; });
        for (size_t k = 1; k < counts.size(); k++)
            counts[k] += counts[k - 1];
        firstEntry = counts;
        entries.resize(counts.back());
        forEachCell([&](uint32_t chunk, size_t cell) { entries[counts[cell]++] = chunk; });
    }

    // Whether near(chunk) holds for a chunk filed in a cell the convex quadrilateral meets: row by row,
    // only the columns its span over the row covers. A chunk may be offered more than once.
    template <typename Near>
    bool any(const Quad& quad, Near near) const {
        for (uint32_t chunk : wide)
            if (near(chunks[chunk]))
                return true;
        double yLow = HUGE_VAL, yHigh = -HUGE_VAL;
        for (const auto& corner : quad) {
            yLow = std::min(yLow, corner.second);
            yHigh = std::max(yHigh, corner.second);
        }
        int64_t r0 = std::max<int64_t>(0, row(yLow)), r1 = std::min(rows - 1, row(yHigh));
        for (int64_t r = r0; r <= r1; r++) {
            double y0 = origin.second + static_cast<double>(r) * size, y1 = y0 + size, xLow, xHigh;
            SpanInBand(quad, y0, y1, &xLow, &xHigh);
            int64_t c0 = std::max<int64_t>(0, column(xLow) - 1), c1 = std::min(columns - 1, column(xHigh) + 1);
            for (int64_t c = c0; c <= c1; c++) {
                size_t cell = static_cast<size_t>(r * columns + c);
                for (uint32_t k = firstEntry[cell]; k < firstEntry[cell + 1]; k++)
                    if (near(chunks[entries[k]]))
                        return true;
            }
        }
        return false;
    }

    const Path& path(const Chunk& chunk) const { return *paths[chunk.path]; }

  private:
    int64_t column(double x) const { return static_cast<int64_t>(std::floor((x - origin.first) / size)); }
    int64_t row(double y) const { return static_cast<int64_t>(std::floor((y - origin.second) / size)); }

    // Calls file(chunk, cell) for each cell a chunk's box crosses; a chunk over many cells is kept as
    // wide instead and offered to every query.
    template <typename File>
    void forEachCell(File file) {
        bool listWide = wide.empty();
        for (uint32_t k = 0; k < chunks.size(); k++) {
            const Chunk& chunk = chunks[k];
            int64_t c0 = column(chunk.xLow), c1 = column(chunk.xHigh), r0 = row(chunk.yLow), r1 = row(chunk.yHigh);
            if ((c1 - c0 + 1) * (r1 - r0 + 1) > WideChunkCells) {
                if (listWide)
                    wide.push_back(k);
                continue;
            }
            for (int64_t r = std::max<int64_t>(0, r0); r <= std::min(rows - 1, r1); r++)
                for (int64_t c = std::max<int64_t>(0, c0); c <= std::min(columns - 1, c1); c++)
                    file(k, static_cast<size_t>(r * columns + c));
        }
    }

    const std::vector<const Path*>& paths;
    std::vector<Chunk> chunks;
    std::pair<double, double> origin;
    double size;
    int64_t columns, rows;
    std::vector<uint32_t> firstEntry;  // per cell, where its chunks begin in entries; one more at the end
    std::vector<uint32_t> entries;
    std::vector<uint32_t> wide;
};

// The rectangle over the chord from a to b, reaching depth to its right, in the frame of the chord:
// t along it from a, s to its right.
struct ChordFrame {
    IntPoint a;
    double ux, uy, length, depth;

    double along(IntPoint p) const { return static_cast<double>(p.X - a.X) * ux + static_cast<double>(p.Y - a.Y) * uy; }
    double right(IntPoint p) const { return static_cast<double>(p.X - a.X) * uy - static_cast<double>(p.Y - a.Y) * ux; }

    // Whether the box may meet the rectangle: its corners do not all lie beyond one of its sides.
    bool mayMeet(const Chunk& box) const {
        double tLow = HUGE_VAL, tHigh = -HUGE_VAL, sLow = HUGE_VAL, sHigh = -HUGE_VAL;
        for (double x : {box.xLow, box.xHigh})
            for (double y : {box.yLow, box.yHigh}) {
                double dx = x - static_cast<double>(a.X), dy = y - static_cast<double>(a.Y);
                double t = dx * ux + dy * uy, s = dx * uy - dy * ux;
                tLow = std::min(tLow, t);
                tHigh = std::max(tHigh, t);
                sLow = std::min(sLow, s);
                sHigh = std::max(sHigh, s);
            }
        return tHigh >= -Margin && tLow <= length + Margin && sHigh >= -Margin && sLow <= depth + Margin;
    }

    // Whether the segment from p to q comes within the margin of the rectangle: their boxes in the frame
    // overlap and the segment's line does not pass the rectangle by.
    bool meets(IntPoint p, IntPoint q) const {
        double pt = along(p), ps = right(p), qt = along(q), qs = right(q);
        double t0 = -Margin, t1 = length + Margin, s0 = -Margin, s1 = depth + Margin;
        if (std::max(pt, qt) < t0 || std::min(pt, qt) > t1 || std::max(ps, qs) < s0 || std::min(ps, qs) > s1)
            return false;
        double mt = -(qs - ps), ms = qt - pt;
        auto side = [&](double t, double s) { return mt * (t - pt) + ms * (s - ps); };
        double c[4] = {side(t0, s0), side(t1, s0), side(t1, s1), side(t0, s1)};
        bool allAbove = std::all_of(c, c + 4, [](double v) { return v > 0; });
        bool allBelow = std::all_of(c, c + 4, [](double v) { return v < 0; });
        return !allAbove && !allBelow;
    }
};

// Finds the quiet runs among points first to last of a path, halving a run that is not quiet until
// its halves are or are too short to gain anything.
class RunFinder {
  public:
    RunFinder(const EdgeChunks& grid, uint32_t pathIndex, const Path& path) : grid(grid), own(pathIndex), path(path) {}

    void find(size_t first, size_t last, std::vector<std::pair<size_t, size_t>>* found) const {
        if (last - first < 2)
            return;
        if (quiet(first, last)) {
            found->push_back({first, last});
            return;
        }
        if (last - first < ShortestHalved)
            return;
        size_t middle = (first + last) / 2;
        find(first, middle, found);
        find(middle, last, found);
    }

  private:
    bool quiet(size_t first, size_t last) const {
        IntPoint a = path[first], b = path[last];
        double dx = static_cast<double>(b.X - a.X), dy = static_cast<double>(b.Y - a.Y);
        double length = std::sqrt(dx * dx + dy * dy);
        if (!(length > 0.0))
            return false;
        ChordFrame frame{a, dx / length, dy / length, length, 0.0};
        // Along a convex run the distance from the chord rises to one point and falls after it: the
        // point after which the run turns back towards the chord.
        size_t low = first, high = last;
        while (high - low > 1) {
            size_t middle = (low + high) / 2;
            if (frame.right(path[middle + 1]) > frame.right(path[middle]))
                low = middle;
            else
                high = middle;
        }
        for (size_t k = std::max(first + 1, low); k <= std::min(last - 1, high); k++)
            frame.depth = std::max(frame.depth, frame.right(path[k]));
        Quad quad;
        const double ts[4] = {-Margin, length + Margin, length + Margin, -Margin};
        const double ss[4] = {-Margin, -Margin, frame.depth + Margin, frame.depth + Margin};
        for (int k = 0; k < 4; k++)
            quad[k] = {static_cast<double>(a.X) + ts[k] * frame.ux + ss[k] * frame.uy,
                       static_cast<double>(a.Y) + ts[k] * frame.uy - ss[k] * frame.ux};
        // The run's own edges bound the cap, and the edges on either side leave its ends outwards.
        size_t skipFirst = first - 1, skipLast = last;  // of the own path's edges
        return !grid.any(quad, [&](const Chunk& chunk) {
            bool ownEdges = chunk.path == own && chunk.last > skipFirst && chunk.first <= skipLast;
            if ((ownEdges && chunk.first >= skipFirst && chunk.last <= skipLast + 1) || !frame.mayMeet(chunk))
                return false;
            const Path& other = grid.path(chunk);
            for (uint32_t k = chunk.first; k < chunk.last; k++)
                if (!(ownEdges && k >= skipFirst && k <= skipLast) &&
                    frame.meets(other[k], other[(k + 1) % other.size()]))
                    return true;
            return false;
        });
    }

    const EdgeChunks& grid;
    uint32_t own;
    const Path& path;
};

// Whether the path winds counter-clockwise; holes and reversed lobes wind the other way.
bool Outer(const Path& path) {
    return ClipperLib::Orientation(path);
}

}  // namespace

bool QuietRuns::setAside(const Paths& subject, const Paths& clip, Paths* shortened) {
    runs.clear();
    size_t points = 0;
    std::vector<const Path*> paths;
    for (const Paths* group : {&subject, &clip})
        for (const Path& path : *group) {
            points += path.size();
            paths.push_back(&path);
        }
    if (points < PointsWorthSettingAside)
        return false;
    EdgeChunks grid(paths);
    std::unordered_map<IntPoint, size_t, PointHash> starts;
    shortened->clear();
    shortened->reserve(subject.size());
    for (uint32_t p = 0; p < subject.size(); p++) {
        const Path& path = subject[p];
        size_t n = path.size();
        std::vector<std::pair<size_t, size_t>> found;
        if (n >= 8 && Outer(path)) {
            RunFinder finder(grid, p, path);
            // A run begins and ends where the path turns left by less than a right angle, so that the
            // edges on either side leave the cap; it goes on while every point turns left and the whole
            // turns by less than a right angle.
            size_t first = 1;
            while (first + 2 < n) {
                IntPoint before = path[first - 1], a = path[first], next = path[first + 1];
                if (Turn(before, a, next) <= 0 || !WithinRightAngleLeft(before, a, a, next)) {
                    first++;
                    continue;
                }
                size_t last = first + 1;
                // Every point turning left, each turn is less than the whole.
                while (last + 1 < n && last - first < LongestRun &&
                       Turn(path[last - 1], path[last], path[last + 1]) > 0 &&
                       WithinRightAngleLeft(a, next, path[last], path[last + 1]))
                    last++;
                // The run ends where the path turns left by less than a right angle, as it begins.
                if (last + 1 == n || Turn(path[last - 1], path[last], path[last + 1]) <= 0 ||
                    !WithinRightAngleLeft(path[last - 1], path[last], path[last], path[last + 1]))
                    last--;
                if (last - first >= 2)
                    finder.find(first, last, &found);
                first = std::max(last, first + 1);
            }
        }
        std::vector<char> dropped(n, 0);
        for (const auto& run : found) {
            if (!starts.emplace(path[run.first], runs.size()).second)
                continue;  // two chords from one point could not be told apart in the result
            Run kept{path[run.first], path[run.second], {}};
            kept.inner.reserve(run.second - run.first - 1);
            for (size_t k = run.first + 1; k < run.second; k++) {
                kept.inner.push_back(path[k]);
                dropped[k] = 1;
            }
            runs.push_back(std::move(kept));
        }
        Path rest;
        rest.reserve(n);
        for (size_t k = 0; k < n; k++)
            if (!dropped[k])
                rest.push_back(path[k]);
        shortened->push_back(std::move(rest));
    }
    return !runs.empty();
}

bool QuietRuns::restore(Paths* solution) const {
    std::unordered_map<IntPoint, size_t, PointHash> starts, ends;
    for (size_t r = 0; r < runs.size(); r++) {
        starts.emplace(runs[r].a, r);
        ends.emplace(runs[r].b, r);
    }
    std::vector<char> placed(runs.size(), 0), endShown(runs.size(), 0);
    for (Path& path : *solution) {
        Path whole;
        whole.reserve(path.size());
        for (size_t k = 0; k < path.size(); k++) {
            whole.push_back(path[k]);
            auto end = ends.find(path[k]);
            if (end != ends.end())
                endShown[end->second] = 1;
            auto start = starts.find(path[k]);
            if (start == starts.end())
                continue;
            const Run& run = runs[start->second];
            if (!(path[(k + 1) % path.size()] == run.b))
                return false;
            whole.insert(whole.end(), run.inner.begin(), run.inner.end());
            placed[start->second] = 1;
        }
        path = std::move(whole);
    }
    // A run whose cap lies inside another path leaves both ends of its chord out of the result. The
    // points put back are never such an end: no other path comes near a quiet run.
    for (size_t r = 0; r < runs.size(); r++)
        if (endShown[r] && !placed[r])
            return false;
    return true;
}

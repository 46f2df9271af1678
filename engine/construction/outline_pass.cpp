#include "engine/construction/outline_pass.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/checks/polygon_checks.h"
#include "engine/construction/common_centre.h"
#include "engine/construction/convex_outline.h"
#include "engine/construction/radial_outline.h"
#include "engine/index/cover_grid.h"
#include "engine/run/calc_run.h"
#include "engine/run/parallel_for.h"

namespace {

// Measured on round buildings of 1000 and 5000 vertices: smaller and larger groups were both slower, the
// clipper's work growing faster than the count of shapes in one sweep.
constexpr size_t PointsPerUnion = 16384;  // a clipper call of this size takes a few milliseconds
// A batch ends with the group of edges that reaches this many shapes: a group of one polygon's edges, or
// one or two small buildings. Against 64, this took a fifth less time on the site of 250 blocks and the
// imported site, and a quarter less on a terrace of ten houses; 4 and 16 took about as long as 8.
constexpr size_t ShapesPerUnion = 8;
constexpr uint32_t EdgesPerGroup = 32;      // a polygon's edges whose shapes are united together
constexpr size_t ResultsPerUnion = 8;       // results of earlier unions united in one sweep
constexpr double CutShare = 0.55;           // of a pass's progress; the unions take the rest, as they take the time
constexpr double CellsPerRadius = 16;       // the cover grid's cells across a typical radius
constexpr size_t ShapesWorthAHelper = 512;  // below, a helper thread costs more than it saves
// Below, a helper thread for the unions costs more than it saves; the assessment of a district, whose
// structures already keep every core busy, also lost its time waiting for such helpers.
constexpr size_t PointsWorthAHelper = 2 * PointsPerUnion;
constexpr double MaxCells = 4e6;

// The polygons from the one reaching farthest from the drawing's centre to the nearest: the outer ones
// make the outline and cover most of the others. Ties keep the drawing's order, so the result never
// depends on the sort.
std::vector<uint32_t> PolygonOrder(const std::vector<PolygonBands>& bands, Point centre) {
    std::vector<std::pair<double, uint32_t>> reach;
    for (uint32_t p = 0; p < bands.size(); p++) {
        double farthest = 0.0;
        for (size_t i = 0; i < bands[p].vertices.size(); i++)
            farthest = std::max(farthest, Distance(bands[p].vertices[i], centre) + bands[p].radius[i]);
        reach.push_back({-farthest, p});
    }
    std::sort(reach.begin(), reach.end());
    std::vector<uint32_t> order;
    for (const auto& entry : reach)
        order.push_back(entry.second);
    return order;
}

// A disc or a trapezoid of one polygon's bands.
struct Shape {
    uint32_t index;
    bool disc;
};

// The shapes of a polygon from the one reaching farthest from the drawing's centre: once cut, each is
// filed and cuts the later ones, which on a building of many corners takes most of the inner corners.
std::vector<Shape> ShapeOrder(const PolygonBands& b, Point centre) {
    std::vector<std::pair<double, Shape>> reach;
    uint32_t n = static_cast<uint32_t>(b.vertices.size());
    for (uint32_t i = 0; i < n; i++) {
        reach.push_back({-(Distance(b.vertices[i], centre) + b.radius[i]), {i, true}});
        double farthest = 0.0;
        for (Point corner : b.trapezoids[i].corners)
            farthest = std::max(farthest, Distance(corner, centre));
        reach.push_back({-farthest, {i, false}});
    }
    std::stable_sort(reach.begin(), reach.end(), [](const auto& a, const auto& c) { return a.first < c.first; });
    std::vector<Shape> order;
    for (const auto& entry : reach)
        order.push_back(entry.second);
    return order;
}

struct Extent {
    Point low, high;
};

template <typename Points>
Extent BoxOf(const Points& points) {
    Extent box{points[0], points[0]};
    for (Point p : points) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y)};
    }
    return box;
}

Extent Widened(Extent box, double by) {
    return {{box.low.x - by, box.low.y - by}, {box.high.x + by, box.high.y + by}};
}

// The vertices' box widened by the largest radius, and a cell a sixteenth of the median radius, or
// larger when the grid would hold too many cells.
CoverGrid MakeGrid(const std::vector<PolygonBands>& bands, Extent* extent) {
    std::vector<double> radii;
    double largest = 0.0;
    extent->low = extent->high = bands[0].vertices[0];
    for (const PolygonBands& b : bands)
        for (size_t i = 0; i < b.vertices.size(); i++) {
            extent->low = {std::min(extent->low.x, b.vertices[i].x), std::min(extent->low.y, b.vertices[i].y)};
            extent->high = {std::max(extent->high.x, b.vertices[i].x), std::max(extent->high.y, b.vertices[i].y)};
            largest = std::max(largest, b.radius[i]);
            if (b.radius[i] > 0.0)
                radii.push_back(b.radius[i]);
        }
    double widen = largest + 1.0;
    extent->low = {extent->low.x - widen, extent->low.y - widen};
    extent->high = {extent->high.x + widen, extent->high.y + widen};
    double width = extent->high.x - extent->low.x, height = extent->high.y - extent->low.y;
    double cell = std::sqrt(width * height / MaxCells);
    if (!radii.empty()) {
        std::nth_element(radii.begin(), radii.begin() + radii.size() / 2, radii.end());
        cell = std::max(cell, radii[radii.size() / 2] / CellsPerRadius);
    }
    return CoverGrid(extent->low, extent->high, cell);
}

// Interleaves the bits of the cell indices, so that polygons near each other in the plane are near each
// other in the order.
uint64_t MortonKey(Point p, const Extent& extent) {
    auto scaled = [](double v, double low, double high) {
        double t = high > low ? (v - low) / (high - low) : 0.0;
        return static_cast<uint32_t>(std::min(65535.0, std::max(0.0, t * 65535.0)));
    };
    uint32_t x = scaled(p.x, extent.low.x, extent.high.x), y = scaled(p.y, extent.low.y, extent.high.y);
    uint64_t key = 0;
    for (int bit = 0; bit < 16; bit++)
        key |= (static_cast<uint64_t>((x >> bit) & 1) << (2 * bit)) |
               (static_cast<uint64_t>((y >> bit) & 1) << (2 * bit + 1));
    return key;
}

size_t PointCount(const ClipPolygon& part) {
    size_t count = 0;
    for (const ClipContour& contour : part.contours)
        count += contour.points.size();
    return count;
}

// A part for the union with its place in the order: polygons near each other together, and within a
// polygon its shapes in the order of its vertices.
struct OrderedPart {
    uint64_t polygonKey;
    uint32_t polygon, group, sequence;
    ClipPolygon part;
};

// Unites the parts in batches of neighbouring shapes, each in one sweep, then the results a few at a
// time. A batch holds few shapes: the long trapezoids of a large radius cross all their neighbours, so
// a sweep over many of them meets a number of crossings that grows with the square of their count.
RunOutcome UniteParts(std::vector<OrderedPart> parts, CalcRun* run, ProgressShare* progress, ClipPolygon* result) {
    std::sort(parts.begin(), parts.end(), [](const OrderedPart& a, const OrderedPart& b) {
        return a.polygonKey != b.polygonKey ? a.polygonKey < b.polygonKey
               : a.polygon != b.polygon     ? a.polygon < b.polygon
               : a.group != b.group         ? a.group < b.group
                                            : a.sequence < b.sequence;
    });
    std::vector<std::vector<ClipPolygon>> batches(1);
    size_t inBatch = 0;
    for (size_t k = 0; k < parts.size(); k++) {
        inBatch += PointCount(parts[k].part);
        batches.back().push_back(std::move(parts[k].part));
        bool groupEnds =
            k + 1 == parts.size() || parts[k + 1].polygon != parts[k].polygon || parts[k + 1].group != parts[k].group;
        if (groupEnds && (inBatch >= PointsPerUnion || batches.back().size() >= ShapesPerUnion) &&
            k + 1 < parts.size()) {
            batches.emplace_back();
            inBatch = 0;
        }
    }
    // A single batch goes on as it is: the caller's last sweep unites it anyway, and a sweep of the
    // united outline again cost as much as uniting the batch had (a 6-vertex house spent 40 % of its
    // time there).
    if (batches.size() == 1) {
        *result = ClipPolygon();
        for (ClipPolygon& part : batches[0])
            for (ClipContour& contour : part.contours)
                result->contours.push_back(std::move(contour));
        return run->stopped() ? RunOutcome::Stopped : RunOutcome::Completed;
    }
    // Each level unites groups of the results of the level before; the first unites the batches.
    size_t totalUnions = batches.size(), finishedBefore = 0;
    for (size_t count = batches.size(); count > ResultsPerUnion;
         count = (count + ResultsPerUnion - 1) / ResultsPerUnion)
        totalUnions += (count + ResultsPerUnion - 1) / ResultsPerUnion;
    while (true) {
        std::vector<ClipPolygon> results(batches.size());
        std::vector<char> failed(batches.size(), 0);
        size_t points = 0;
        for (const std::vector<ClipPolygon>& batch : batches)
            for (const ClipPolygon& part : batch)
                points += PointCount(part);
        auto unite = [&](size_t i) {
            if (run->stopped())
                return;
            failed[i] = batches[i].size() == 1 ? (results[i] = std::move(batches[i][0]), false)
                                               : !ClipUnionAll(batches[i], &results[i]);
        };
        auto reach = [&](size_t finished) {
            progress->reach(static_cast<double>(finishedBefore + finished) / totalUnions);
        };
        if (points >= PointsWorthAHelper) {
            ParallelFor(batches.size(), unite, reach);
        } else {
            for (size_t i = 0; i < batches.size(); i++) {
                unite(i);
                reach(i + 1);
            }
        }
        finishedBefore += batches.size();
        if (run->stopped())
            return RunOutcome::Stopped;
        for (char f : failed)
            if (f)
                return RunOutcome::Failed;
        if (results.size() <= ResultsPerUnion) {
            // The last few results are handed on side by side: the caller's own last sweep unites them.
            *result = ClipPolygon();
            for (ClipPolygon& r : results)
                for (ClipContour& contour : r.contours)
                    result->contours.push_back(std::move(contour));
            return RunOutcome::Completed;
        }
        batches.assign((results.size() + ResultsPerUnion - 1) / ResultsPerUnion, {});
        for (size_t i = 0; i < results.size(); i++)
            batches[i / ResultsPerUnion].push_back(std::move(results[i]));
    }
}

}  // namespace

bool FootprintParts(const CalcInput& input, std::vector<ClipPolygon>* parts) {
    parts->clear();
    for (const CalcPolygon& polygon : input.polygons) {
        std::vector<Point> points;
        for (const CalcVertex& v : polygon.vertices)
            points.push_back({v.x, v.y});
        ClipPolygon part = SingleContourPolygon(points.data(), static_cast<int32_t>(points.size()));
        if (PassesTwiceThroughAVertex(polygon.vertices) && !NormalForm(part, &part))
            return false;
        parts->push_back(std::move(part));
    }
    return true;
}

// Each polygon's trapezoids and discs are cut by its own neighbouring shapes and then by the whole shapes
// of the polygons before it, which it then files for the polygons after it.
RunOutcome BuildPassOutline(CalcPass pass, const CalcOptions& options, const CalcInput& input,
                            const std::vector<ClipPolygon>& footprints, int64_t progressSteps, CalcRun* run,
                            ClipPolygon* outline, bool* finished) {
    *finished = false;
    ProgressShare cutProgress(run, static_cast<int64_t>(CutShare * progressSteps));
    ProgressShare unionProgress(run, progressSteps - static_cast<int64_t>(CutShare * progressSteps));
    std::vector<PolygonBands> bands;
    size_t vertexCount = 0;
    bool lone = input.polygons.size() == 1;
    for (const CalcPolygon& polygon : input.polygons) {
        bands.push_back(PrepareBands(pass, options, polygon, !lone));
        vertexCount += polygon.vertices.size();
    }
    if (run->stopped())  // the bands of a polygon of a million vertices take a tenth of a second
        return RunOutcome::Stopped;
    // A lone convex polygon of one radius is traced round from its discs' crossings; another lone polygon
    // whose shapes all hold one point is walked round it. Either outline costs what it holds.
    std::vector<Point> walked;
    Point walkedRound;
    ClipContour contour;
    bool traced = lone && ConvexOutline(bands[0], *run, &contour);
    if (run->stopped())  // neither the walk nor the pieces start on a trace given up for a stop
        return RunOutcome::Stopped;
    if (lone && !traced)
        AddTrapezoids(&bands[0]);
    if (traced || (lone && CommonCentre(bands[0], &walkedRound) && WalkRound(bands[0], walkedRound, *run, &walked))) {
        *finished = traced || StarRingForm(walked, walkedRound, &contour, [run] { return run->stopped(); });
        if (*finished)
            *outline = SingleContourPolygon(std::move(contour));
        else
            *outline = SingleContourPolygon(walked.data(), static_cast<int32_t>(walked.size()));
        cutProgress.finish();
        unionProgress.finish();
        return run->stopped() ? RunOutcome::Stopped : RunOutcome::Completed;
    }
    if (run->stopped())
        return RunOutcome::Stopped;
    if (lone)
        WidenBands(&bands[0]);
    Extent extent;
    CoverGrid grid = MakeGrid(bands, &extent);
    Point centre{(extent.low.x + extent.high.x) / 2, (extent.low.y + extent.high.y) / 2};
    std::vector<uint32_t> order = PolygonOrder(bands, centre);

    std::vector<OrderedPart> parts;
    auto add = [&](uint32_t polygon, uint32_t i, uint32_t sequence, const std::vector<Point>& piece) {
        if (piece.size() >= 3)
            parts.push_back({MortonKey(bands[polygon].vertices[0], extent), polygon, i / EdgesPerGroup, sequence,
                             SingleContourPolygon(piece.data(), static_cast<int32_t>(piece.size()))});
    };
    size_t done = 0;
    for (size_t k = 0; k < order.size(); k++) {
        if (run->stopped())
            return RunOutcome::Stopped;
        uint32_t p = order[k];
        const PolygonBands& b = bands[p];
        uint32_t n = static_cast<uint32_t>(b.vertices.size());
        // A polygon, or a shape of it, within cells that filed shapes hold whole adds nothing to the union.
        Extent footprintBox = BoxOf(b.vertices);
        Extent reachBox = Widened(footprintBox, *std::max_element(b.radius.begin(), b.radius.end()));
        if (grid.fillsBox(reachBox.low, reachBox.high)) {
            done += 2 * n;
            continue;
        }
        if (!grid.fillsBox(footprintBox.low, footprintBox.high))
            parts.push_back({MortonKey(b.vertices[0], extent), p, (n - 1) / EdgesPerGroup, UINT32_MAX, footprints[p]});
        const ConvexShape& widenedShape = b.widened.shape.empty() ? b.widenedHull : b.widened.shape;
        const std::vector<Point>& widened = widenedShape.points();
        if (!widened.empty() && !grid.fillsBox(widenedShape.low(), widenedShape.high()))
            parts.push_back({MortonKey(b.vertices[0], extent), p, (n - 1) / EdgesPerGroup, UINT32_MAX - 1,
                             SingleContourPolygon(widened.data(), static_cast<int32_t>(widened.size()))});
        size_t partsBefore = parts.size();
        // On a convex footprint the polygon's own neighbours and footprint leave little of its shapes to
        // cut, and its shapes, cut only by what was filed before, can be cut side by side; on another,
        // the shapes kept first cut the later ones, taking most of the inner corners.
        std::vector<Shape> shapes = ShapeOrder(b, centre);
        auto cutShape = [&](const Shape& shape, bool fileKept) {
            uint32_t i = shape.index, first = i / EdgesPerGroup * EdgesPerGroup;
            uint32_t last = std::min(n, first + EdgesPerGroup);
            Extent box =
                shape.disc ? Widened({b.vertices[i], b.vertices[i]}, b.radius[i]) : BoxOf(b.trapezoids[i].corners);
            if (grid.fillsBox(box.low, box.high))
                return std::vector<Point>();
            if (shape.disc) {
                DiscArc disc = DiscPiece(b, i, first, last, grid);
                if (fileKept && !disc.empty())
                    grid.fileDisc(disc.middle(), disc.radius(), disc.chords());
                return disc.points();
            }
            std::vector<Point> piece = TrapezoidPiece(b, i, grid);
            if (fileKept)
                grid.fileConvex(ConvexShape(piece));
            return piece;
        };
        auto sequence = [](const Shape& shape) { return 2 * shape.index + (shape.disc ? 0 : 1); };
        if (b.convex.empty() || shapes.size() < ShapesWorthAHelper) {
            for (const Shape& shape : shapes) {
                if (run->stopped())
                    return RunOutcome::Stopped;
                cutProgress.reach(static_cast<double>(done++) / (2 * vertexCount));
                add(p, shape.index, sequence(shape), cutShape(shape, b.convex.empty()));
            }
        } else {
            std::vector<std::vector<Point>> pieces(shapes.size());
            ParallelFor(
                shapes.size(),
                [&](size_t k) {
                    if (!run->stopped())
                        pieces[k] = cutShape(shapes[k], false);
                },
                [&](size_t finished) { cutProgress.reach(static_cast<double>(done + finished) / (2 * vertexCount)); });
            if (run->stopped())
                return RunOutcome::Stopped;
            done += shapes.size();
            for (size_t k = 0; k < shapes.size(); k++)
                add(p, shapes[k].index, sequence(shapes[k]), pieces[k]);
        }
        // A polygon of which nothing shows lies in the shapes filed already; its own would add nothing.
        bool contributed = parts.size() > partsBefore;
        if (k + 1 < order.size() && contributed) {
            for (uint32_t i = 0; i < n; i++) {
                if (b.radius[i] > 0.0)
                    grid.fileDisc(b.vertices[i], b.radius[i]);
                if (b.radius[i] > 0.0 || b.radius[(i + 1) % n] > 0.0)
                    grid.fileTrapezoid(b.trapezoids[i]);
            }
            grid.fileConvex(widenedShape.empty() ? b.convex : widenedShape);
        }
    }
    cutProgress.finish();
    RunOutcome outcome = UniteParts(std::move(parts), run, &unionProgress, outline);
    if (outcome == RunOutcome::Completed)
        unionProgress.finish();
    return outcome;
}

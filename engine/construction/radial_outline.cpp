#include "engine/construction/radial_outline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "engine/construction/bucket_envelope.h"
#include "engine/construction/end_notches.h"
#include "engine/construction/seen_edges.h"
#include "engine/geometry/convex_shapes.h"
#include "engine/run/parallel_for.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
// The centre lies deep in every disc (common_centre.h): the circle polygon's edge on a ray from it lies
// within one point of the true circle's hit.
constexpr int32_t EdgeSlack = 1;
// Buckets for the square root of the count of shapes: the windows the discs are filed over grow with the
// buckets, the edges each bucket compares with the shapes in it. Measured on round buildings: 500 to 1200
// buckets took the same time on 1000 vertices, 800 to 1500 on 5000, where 2500 (a bucket for every four
// shapes) took 18 % more. Fewer vertices want more buckets for each: 128 on a house of 6, 256 on 20, 384
// on 50, 512 on 100 to 400, each 10 to 30 % faster than the next count either way.
constexpr double BucketsPerRootShape = 11;
constexpr double BucketsPerRootShapeOfFew = 40;
constexpr int32_t BucketsOfFew = 512;  // the most the rule for few vertices gives
constexpr int32_t LeastBuckets = 128;
constexpr int32_t MostBuckets = 1 << 22;
constexpr int32_t FloorReach = 3;  // buckets on each side of its own direction whose floor a disc raises
constexpr int32_t StopCheckBuckets = 256;  // a few milliseconds of the walk
constexpr uint32_t StopCheckDiscs = 1024;  // filing a thousand discs takes milliseconds
// Buckets whose least floor lets a disc pass them at once: a disc's window then costs a few looks per
// block where the floors stand above its circle, which is most of a window on a round building.
constexpr int32_t FloorBlock = 16;
// Discs and band edges filed in all the buckets from which a helper thread takes a share of the walk:
// below, starting it cost more than it saved.
constexpr size_t PairsWorthAHelper = 4096;
constexpr int32_t RunsToShare = 32;  // runs of buckets, so that both threads finish together
constexpr int32_t LeastRun = 16;

// Lists in each bucket the items of the (item, bucket) pairs that pairs(visit) hands to visit, in their
// order. The pairs are walked twice, to count and to fill.
template <typename Pairs>
void FileInBuckets(int32_t buckets, Pairs pairs, std::vector<uint32_t>* start, std::vector<uint32_t>* list) {
    start->assign(buckets + 1, 0);
    pairs([&](uint32_t, int32_t b) { (*start)[b + 1]++; });
    for (int32_t b = 0; b < buckets; b++)
        (*start)[b + 1] += (*start)[b];
    list->assign(start->back(), 0);
    std::vector<uint32_t> next(start->begin(), start->end() - 1);
    pairs([&](uint32_t item, int32_t b) { (*list)[next[b]++] = item; });
}

// The radius of the circle a disc's circle polygon surely holds.
double InnerRadius(const Disc& disc) {
    return CircleInnerRadius * disc.r - InsideMargin;
}

// Appends the points of the next bucket or run. Where the edge the points end on goes on into it, the
// point each has on their shared bound is no corner of the outline, and both are left out.
void AppendGoingOn(std::vector<Point>* points, const std::vector<Point>& next, bool goesOn) {
    if (goesOn)
        points->pop_back();
    points->insert(points->end(), next.begin() + (goesOn ? 1 : 0), next.end());
}

// The outline over a run of buckets, with the ids of the edges it starts and ends on.
struct BucketRun {
    std::vector<Point> points;
    uint64_t firstTop = 0, lastTop = 0;
    bool walked = false;
};

class RadialWalk {
  public:
    RadialWalk(const PolygonBands& bands, Point centre, const CalcRun& calculation)
        : bands(bands), centre(centre), calculation(calculation) {}
    bool run(std::vector<Point>* ring);

  private:
    Point direction(int32_t bucket) const { return directions[bucket]; }
    int32_t bucketOf(Point p) const {
        double t = (std::atan2(p.y, p.x) + Pi) / (2.0 * Pi) * buckets;
        int32_t b = static_cast<int32_t>(std::floor(t));
        return ((b % buckets) + buckets) % buckets;
    }
    // Calls visit(bucket) for each bucket from the one of band edge i's first end round to its last.
    template <typename Visit>
    void forEachBucketSpanned(size_t i, Visit visit) const {
        auto [from, to] = bandBuckets[i];
        for (int32_t b = from;; b = b + 1 == buckets ? 0 : b + 1) {
            visit(b);
            if (b == to)
                break;
        }
    }
    bool holdsDirection(int32_t bucket, Point p) const {
        return CrossOf(directions[bucket], p) >= 0.0 && CrossOf(p, directions[bucket + 1]) > 0.0;
    }
    // How far the circle of radius r round the disc's centre reaches at most over the bucket.
    double circleHigh(const Disc& disc, double r, int32_t bucket) const;
    double innerLow(const Disc& disc, int32_t bucket) const;
    // Raises the bucket's floor to what the disc surely reaches along its rays, its edges looked at.
    void raiseFloorClosely(const Disc& disc, int32_t bucket);
    // Calls visit(bucket, high) for the buckets where the circle of radius r round the disc's centre,
    // reaching high there, may come up to the floor, given each block's least floor when the floors were
    // no higher.
    template <typename Visit>
    void forEachReachable(const Disc& disc, double r, const std::vector<double>& blockLows, Visit visit) const;
    double blockLow(int32_t block) const;  // the least floor of a block of buckets
    std::vector<double> blockLows() const;
    double edgeLow(const Seen& edge, int32_t bucket) const;
    void addBandEdges();
    void raiseFloor();
    bool fileDiscs();  // false when the run is stopped
    // Where along the circle polygon's points, from 0 to 2500, the circle of radius r round the disc's
    // centre meets the unit ray e.
    double circlePosition(const Disc& disc, double r, Point e) const;
    // Whether one disc alone may reach the outline in the bucket, its edges then all there is.
    // Of each collected edge, for the pruning in collect: where it spans the bucket, the rays there, how
    // far it reaches at most, and the foot of the perpendicular from the centre.
    struct Span {
        double lo, hi;
        Point eLo, eHi;
        double high, footTangent, footReach;
        bool reaches;  // whether it may be the outline somewhere
    };
    bool collect(int32_t bucket, std::vector<Seen>* edges, std::vector<Span>* spans) const;
    // Walks the buckets from one to before another; false when a bucket cannot be settled or the run is
    // stopped.
    bool walkBuckets(int32_t from, int32_t to, BucketRun* walked) const;

    const PolygonBands& bands;
    Point centre;
    const CalcRun& calculation;
    int32_t buckets = 0;
    std::vector<Point> directions;  // of the buckets' bounds, counter-clockwise from -pi
    std::vector<Disc> discs;
    std::vector<Seen> bandEdges;  // absolute angles in ua and ub are not used; relative ones per bucket
    std::vector<std::pair<int32_t, int32_t>> bandBuckets;  // of each band edge's ends, counter-clockwise
    std::vector<double> floor;    // a lower bound of the outline's reach in each bucket
    std::vector<uint32_t> discStart, discList, bandStart, bandList;  // what may reach far in each bucket
};

double RadialWalk::circleHigh(const Disc& disc, double r, int32_t bucket) const {
    if (holdsDirection(bucket, disc.centre))
        return r + Length(disc.centre);
    return std::max(CircleReach(disc.centre, r, direction(bucket)), CircleReach(disc.centre, r, direction(bucket + 1)));
}

// The circle polygon holds its inner circle: that circle's least reach over the bucket.
double RadialWalk::innerLow(const Disc& disc, int32_t bucket) const {
    double inner = InnerRadius(disc);
    if (!(inner > 0.0))
        return 0.0;
    if (holdsDirection(bucket, Point{-disc.centre.x, -disc.centre.y}))
        return inner - Length(disc.centre);
    return std::min(CircleReach(disc.centre, inner, direction(bucket)),
                    CircleReach(disc.centre, inner, direction(bucket + 1)));
}

// Where its centre sees an edge, the circle polygon also holds the circle as deep as that edge: its steps,
// and so the depth its edges fall short of the circle, vary fifty-fold round it. Where the true circle
// stands above the floor, the edges are looked at: a ray meets the circles from the inner one to the true
// one between its hits on those two, and the bucket's rays meet each circle between the hits of its
// bounding rays, so four hits bound the edges that matter.
void RadialWalk::raiseFloorClosely(const Disc& disc, int32_t bucket) {
    floor[bucket] = std::max(floor[bucket], innerLow(disc, bucket));
    double inner = InnerRadius(disc);
    Point e0 = direction(bucket), e1 = direction(bucket + 1);
    if (!(inner > 0.0) || holdsDirection(bucket, Point{-disc.centre.x, -disc.centre.y}) ||
        !(std::min(CircleReach(disc.centre, disc.r, e0), CircleReach(disc.centre, disc.r, e1)) > floor[bucket]))
        return;
    double hits[4] = {circlePosition(disc, disc.r, e0), circlePosition(disc, disc.r, e1),
                      circlePosition(disc, inner, e0), circlePosition(disc, inner, e1)};
    double first = *std::min_element(hits, hits + 4), last = *std::max_element(hits, hits + 4);
    double depth = last - first > 1250.0 ? CircleInnerRadius
                                         : CircleDepthOver(static_cast<int32_t>(std::floor(first)) - EdgeSlack,
                                                           static_cast<int32_t>(std::floor(last)) + EdgeSlack);
    double r = depth * disc.r - InsideMargin;
    floor[bucket] = std::max(floor[bucket], std::min(CircleReach(disc.centre, r, e0), CircleReach(disc.centre, r, e1)));
}

// A disc's true circle reaches farthest along its centre's direction and less on either side, so its
// window is walked outwards from there both ways, to where the circle falls below the lowest floor.
template <typename Visit>
void RadialWalk::forEachReachable(const Disc& disc, double r, const std::vector<double>& lows, Visit visit) const {
    double lowest = *std::min_element(lows.begin(), lows.end()) - Tie;
    double d = Length(disc.centre);
    if (!(r > 0.0) || r + d < lowest)
        return;
    double halfAngle = Pi;
    if (d > 0.0 && r - d < lowest) {
        double c = (lowest * lowest + d * d - r * r) / (2.0 * lowest * d);
        halfAngle = std::acos(std::max(-1.0, std::min(1.0, c)));
    }
    int32_t own = disc.bucket, span = static_cast<int32_t>(std::ceil(halfAngle / (2.0 * Pi) * buckets)) + 1;
    int32_t ahead = std::min(span, buckets / 2), behind = std::min(span, buckets - 1 - ahead);
    visit(own, circleHigh(disc, r, own));
    for (int32_t way : {1, -1}) {
        int32_t b = own;
        for (int32_t k = 1; k <= (way > 0 ? ahead : behind); k++) {
            b = way > 0 ? (b + 1 == buckets ? 0 : b + 1) : (b == 0 ? buckets - 1 : b - 1);
            double high = circleHigh(disc, r, b);
            if (high < lowest)
                break;
            int32_t block = b / FloorBlock;
            if (high >= lows[block] - Tie) {
                visit(b, high);
                continue;
            }
            // The rest of the block lies farther out and reaches less: on to the block's far end.
            int32_t end = way > 0 ? std::min(buckets, (block + 1) * FloorBlock) - 1 : block * FloorBlock;
            k += way * (end - b);
            b = end;
        }
    }
}

double RadialWalk::blockLow(int32_t block) const {
    return *std::min_element(floor.begin() + block * FloorBlock,
                             floor.begin() + std::min(buckets, (block + 1) * FloorBlock));
}

std::vector<double> RadialWalk::blockLows() const {
    std::vector<double> lows((buckets + FloorBlock - 1) / FloorBlock);
    for (int32_t block = 0; block < static_cast<int32_t>(lows.size()); block++)
        lows[block] = blockLow(block);
    return lows;
}

// The least reach of an edge over a whole bucket, or 0 when it does not span the bucket.
double RadialWalk::edgeLow(const Seen& edge, int32_t bucket) const {
    Point e0 = direction(bucket), e1 = direction(bucket + 1);
    double ua = Tangent(e0, edge.a), ub = Tangent(e0, edge.b);
    if (ua > ub)
        std::swap(ua, ub);
    if (!(ua <= 0.0 && ub >= Tangent(e0, e1)) || Behind(e0, edge))
        return 0.0;
    Point d = edge.d;
    double low = std::min(Reach(edge, e0), Reach(edge, e1));
    double along = DotOf(edge.a, d) / DotOf(d, d);
    Point foot{edge.a.x - d.x * along, edge.a.y - d.y * along};  // of the perpendicular from the centre
    if (holdsDirection(bucket, foot))
        low = std::min(low, std::fabs(CrossOf(edge.a, d)) / Length(d));
    return low;
}

// The two long sides of each band whole, and of each end side the two bits outside the inner circle of
// the vertex's disc: the rest of the side lies well inside that disc.
void RadialWalk::addBandEdges() {
    size_t n = bands.vertices.size();
    bandEdges.reserve(6 * n);
    bandBuckets.reserve(6 * n);
    for (size_t i = 0; i < n; i++) {
        const std::array<Point, 4>& c = bands.trapezoids[i].corners;
        uint64_t id = (uint64_t{1} << 63) | (static_cast<uint64_t>(i) << 3);
        bandEdges.push_back(EdgeSeen(Minus(c[1], centre), Minus(c[2], centre), id));
        bandEdges.push_back(EdgeSeen(Minus(c[3], centre), Minus(c[0], centre), id + 1));
        // Corners 0 and 1 stand on the perpendicular at the edge's start, 2 and 3 at its end.
        for (int k = 0; k < 4; k++) {
            size_t end = k < 2 ? i : (i + 1) % n;
            Point at = Minus(bands.vertices[end], centre), corner = Minus(c[k], centre);
            double keep = std::max(0.0, (CircleInnerRadius * bands.radius[end] - 2 * InsideMargin) / bands.radius[end]);
            bandEdges.push_back(
                EdgeSeen(corner, {at.x + (corner.x - at.x) * keep, at.y + (corner.y - at.y) * keep}, id + 2 + k));
        }
    }
    for (const Seen& edge : bandEdges) {
        int32_t from = bucketOf(edge.a), to = bucketOf(edge.b);
        bandBuckets.push_back(CrossOf(edge.a, edge.b) < 0 ? std::make_pair(to, from) : std::make_pair(from, to));
    }
}

// Each disc raises the floor of the buckets around its own direction, each band's long side that of the
// buckets it spans whole.
void RadialWalk::raiseFloor() {
    floor.assign(buckets, 0.0);
    for (const Disc& disc : discs) {
        int32_t own = disc.bucket;
        for (int32_t k = -FloorReach; k <= FloorReach; k++)
            raiseFloorClosely(disc, ((own + k) % buckets + buckets) % buckets);
    }
    for (size_t i = 0; i < bandEdges.size(); i++)
        if ((bandEdges[i].id & 7) <= 1)
            forEachBucketSpanned(i, [&](int32_t b) { floor[b] = std::max(floor[b], edgeLow(bandEdges[i], b)); });
}

// Files each disc in the buckets where its true circle reaches past the floor, and each band edge in those
// it spans. A polygon of tens of thousands of vertices files millions of them: a stop is looked for as
// it goes.
bool RadialWalk::fileDiscs() {
    // Every disc raises the floor of the buckets in its window too, where its circle could reach above
    // it: a tall vertex's disc reaches far to either side. The farthest-reaching discs go first, and each
    // block's least floor follows the raises: the discs after them pass most of their windows by the block.
    std::vector<uint32_t> tallestFirst(discs.size());
    for (uint32_t i = 0; i < discs.size(); i++)
        tallestFirst[i] = i;
    std::stable_sort(tallestFirst.begin(), tallestFirst.end(), [&](uint32_t a, uint32_t b) {
        return discs[a].r + Length(discs[a].centre) > discs[b].r + Length(discs[b].centre);
    });
    std::vector<double> lows = blockLows();
    constexpr uint32_t None = UINT32_MAX;
    std::vector<uint32_t> holder(buckets, None);  // the disc that raised the bucket's floor last
    for (uint32_t k = 0; k < discs.size(); k++) {
        if (k % StopCheckDiscs == 0 && calculation.stopped())
            return false;
        const Disc& disc = discs[tallestFirst[k]];
        forEachReachable(disc, InnerRadius(disc), lows, [&](int32_t b, double innerHigh) {
            if (innerHigh < floor[b] - Tie)
                return;
            double before = floor[b];
            floor[b] = std::max(floor[b], innerLow(disc, b));
            if (floor[b] == before)
                return;
            holder[b] = tallestFirst[k];
            int32_t block = b / FloorBlock;
            if (before == lows[block])
                lows[block] = blockLow(block);
        });
    }
    // The disc that holds up a floor is looked at closely there too: its edges may stand well above its
    // inner circle, and the discs below them then need not be filed.
    for (int32_t b = 0; b < buckets; b++)
        if (holder[b] != None)
            raiseFloorClosely(discs[holder[b]], b);
    lows = blockLows();
    std::vector<std::pair<uint32_t, int32_t>> reaching;
    for (uint32_t i = 0; i < discs.size(); i++) {
        if (i % StopCheckDiscs == 0 && calculation.stopped())
            return false;
        forEachReachable(discs[i], discs[i].r, lows, [&](int32_t b, double high) {
            if (high >= floor[b] - Tie)
                reaching.push_back({i, b});
        });
    }
    FileInBuckets(
        buckets, [&](auto visit) { for (const auto& pair : reaching) visit(pair.first, pair.second); }, &discStart,
        &discList);
    auto spannedPairs = [&](auto visit) {
        for (uint32_t i = 0; i < bandEdges.size(); i++)
            forEachBucketSpanned(i, [&](int32_t b) { visit(i, b); });
    };
    FileInBuckets(buckets, spannedPairs, &bandStart, &bandList);
    return true;
}

double RadialWalk::circlePosition(const Disc& disc, double r, Point e) const {
    double t = CircleReach(disc.centre, r, e);
    Point local{t * e.x - disc.centre.x, t * e.y - disc.centre.y};
    double i = std::max(0.0, std::min(1250.0, (1.0 - local.x / r) * 625.0));
    return local.y >= 0 ? i : 2500.0 - i;
}

// The edges that may be the outline somewhere in the bucket, with their angles relative to its start.
bool RadialWalk::collect(int32_t bucket, std::vector<Seen>* edges, std::vector<Span>* edgeSpans) const {
    edges->clear();
    size_t discsTaken = 0;
    Point e0 = direction(bucket), e1 = direction(bucket + 1);
    double width = Tangent(e0, e1), least = floor[bucket] - Tie;
    // Turns the edge, its ends at tangents ua and ub, to run counter-clockwise, and keeps it when a ray of
    // the bucket may meet it.
    auto keepFacing = [&](Seen s, double ua, double ub) {
        s.ua = ua;
        s.ub = ub;
        if (s.ua > s.ub) {
            std::swap(s.a, s.b);
            std::swap(s.ua, s.ub);
            s.d = {-s.d.x, -s.d.y};
            s.lever = -s.lever;
        }
        if (s.ub > -AngleTie && s.ua < width + AngleTie)
            edges->push_back(s);
    };
    for (uint32_t k = discStart[bucket]; k < discStart[bucket + 1]; k++) {
        const Disc& disc = discs[discList[k]];
        discsTaken++;
        int32_t first = static_cast<int32_t>(std::floor(circlePosition(disc, disc.r, e0))) - EdgeSlack;
        int32_t last = static_cast<int32_t>(std::floor(circlePosition(disc, disc.r, e1))) + EdgeSlack;
        if (last < first)
            last += 2500;
        last = std::min(last, first + 2499);
        const int32_t points = CirclePointCount - 1;
        auto pointAt = [&](int32_t index) {
            return Minus(CirclePoint(disc.absolute.x, disc.absolute.y, disc.r, ((index % points) + points) % points),
                         centre);
        };
        // Each edge starts where the one before ended, whose tangent it takes over.
        Point previous = pointAt(first);
        double previousTangent = Tangent(e0, previous);
        for (int32_t index = first; index <= last; index++) {
            Point next = pointAt(index + 1);
            double nextTangent = Tangent(e0, next);
            uint64_t id = (static_cast<uint64_t>(discList[k]) << 12) | static_cast<uint64_t>((index % points + points) % points);
            if (DotOf(e0, previous) > 0.0 || DotOf(e0, next) > 0.0)  // else a quarter turn or more away
                keepFacing(EdgeSeen(previous, next, id), previousTangent, nextTangent);
            previous = next;
            previousTangent = nextTangent;
        }
    }
    bool bandsNear = false;
    for (uint32_t k = bandStart[bucket]; k < bandStart[bucket + 1]; k++) {
        const Seen& edge = bandEdges[bandList[k]];
        if (edge.far < least)
            continue;
        bandsNear = true;
        if (!Behind(e0, edge))
            keepFacing(edge, Tangent(e0, edge.a), Tangent(e0, edge.b));
    }
    bool alone = discsTaken == 1 && !bandsNear;
    size_t kept = edges->size();
    if (alone)
        return true;
    // The edges of each disc run on without a gap across the bucket, so the least reach of any of them is
    // a floor for the whole bucket; an edge that nowhere reaches the highest such floor is no outline.
    std::vector<Span>& spans = *edgeSpans;
    spans.resize(kept);
    double floorHere = floor[bucket];
    size_t group = 0, bestFrom = 0, bestTo = 0;
    double groupLow = 0.0, groupFrom = 0.0, groupTo = 0.0;
    double lastHi = NAN;
    Point lastRay{0, 0};
    for (size_t k = 0; k < kept; k++) {
        const Seen& s = (*edges)[k];
        Span& span = spans[k];
        span.lo = std::max(s.ua, 0.0);
        span.hi = std::min(s.ub, width);
        span.eLo = span.lo == 0.0 ? e0 : span.lo == lastHi ? lastRay : Ray(e0, span.lo);
        span.eHi = span.hi == width ? e1 : Ray(e0, span.hi);
        lastHi = span.hi;
        lastRay = span.eHi;
        double atLo = Reach(s, span.eLo), atHi = Reach(s, span.eHi);
        span.high = std::max(atLo, atHi);
        double low = std::min(atLo, atHi);
        Point d = s.d;
        double along = DotOf(s.a, d) / DotOf(d, d);
        span.footTangent = Tangent(e0, Point{s.a.x - d.x * along, s.a.y - d.y * along});
        span.footReach = std::fabs(CrossOf(s.a, d)) / Length(d);
        if (span.footTangent > span.lo && span.footTangent < span.hi)
            low = std::min(low, span.footReach);
        bool disc = (s.id >> 63) == 0;
        if (!disc) {
            if (s.ua <= 0.0 && s.ub >= width)
                floorHere = std::max(floorHere, low);
            continue;
        }
        if (k == 0 || (s.id >> 12) != ((*edges)[group].id >> 12)) {
            group = k;
            groupLow = low;
            groupFrom = s.ua;
            groupTo = s.ub;
        } else {
            groupLow = std::min(groupLow, low);
            groupFrom = std::min(groupFrom, s.ua);
            groupTo = std::max(groupTo, s.ub);
        }
        bool groupEnds = k + 1 == kept || ((*edges)[k + 1].id >> 12) != (s.id >> 12);
        if (groupEnds && groupFrom <= 0.0 && groupTo >= width && groupLow > floorHere) {
            floorHere = groupLow;
            bestFrom = group;
            bestTo = k + 1;
        }
    }
    // The disc that holds up the floor reaches at least as far as its own edges over any part of the
    // bucket: an edge of another shape that stays below them over its whole span is no outline either.
    auto bestLowOver = [&](const Span& range) {
        double least = HUGE_VAL;
        for (size_t j = bestFrom; j < bestTo; j++) {
            const Seen& t = (*edges)[j];
            const Span& own = spans[j];
            double from = std::max(range.lo, own.lo), to = std::min(range.hi, own.hi);
            if (from > to)
                continue;
            least = std::min(least, from == own.lo && own.lo > range.lo ? Length(t.a) : Reach(t, range.eLo));
            least = std::min(least, to == own.hi && own.hi < range.hi ? Length(t.b) : Reach(t, range.eHi));
            if (own.footTangent > from && own.footTangent < to)
                least = std::min(least, own.footReach);
        }
        return least == HUGE_VAL ? -HUGE_VAL : least;  // an edge that only touches the bucket's bound stays
    };
    for (size_t k = 0; k < kept; k++)
        spans[k].reaches = spans[k].high >= floorHere - Tie && ((k >= bestFrom && k < bestTo) || bestFrom == bestTo ||
                                                                spans[k].high >= bestLowOver(spans[k]) - Tie);
    size_t reaching = 0;
    for (size_t k = 0; k < kept; k++)
        if (spans[k].reaches)
            (*edges)[reaching++] = (*edges)[k];
    edges->resize(reaching);
    return false;
}

// Each bucket's walk starts and ends with a point on the rays that bound it.
bool RadialWalk::walkBuckets(int32_t from, int32_t to, BucketRun* walked) const {
    std::vector<Seen> edges;
    std::vector<Span> spans;
    std::vector<Point> bucketPoints;
    for (int32_t b = from; b < to; b++) {
        if ((b - from) % StopCheckBuckets == 0 && calculation.stopped())
            return false;
        bool alone = collect(b, &edges, &spans);
        bucketPoints.clear();
        uint64_t startTop = 0, lastTop = 0;
        Point e0 = direction(b);
        double width = Tangent(e0, direction(b + 1));
        if (!(alone ? FollowDisc(e0, width, edges, &bucketPoints, &startTop, &lastTop)
                    : WalkEnvelope(e0, width, edges, &bucketPoints, &startTop, &lastTop)))
            return false;
        AppendGoingOn(&walked->points, bucketPoints, b > from && startTop == walked->lastTop);
        if (b == from)
            walked->firstTop = startTop;
        walked->lastTop = lastTop;
    }
    return true;
}

bool RadialWalk::run(std::vector<Point>* ring) {
    size_t shapes = 2 * bands.vertices.size();
    double root = std::sqrt(static_cast<double>(shapes));
    double wanted = std::max({std::min(BucketsPerRootShapeOfFew * root, static_cast<double>(BucketsOfFew)),
                              BucketsPerRootShape * root, static_cast<double>(LeastBuckets)});
    buckets = static_cast<int32_t>(std::min(wanted, static_cast<double>(MostBuckets)));
    for (int32_t b = 0; b <= buckets; b++) {
        double a = -Pi + 2.0 * Pi * b / buckets;
        directions.push_back({std::cos(a), std::sin(a)});
    }
    discs.reserve(bands.vertices.size());
    for (size_t v = 0; v < bands.vertices.size(); v++) {
        Point relative = Minus(bands.vertices[v], centre);
        discs.push_back({relative, bands.vertices[v], bands.radius[v], bucketOf(relative)});
    }
    addBandEdges();
    raiseFloor();
    if (!fileDiscs())
        return false;
    // The buckets in runs, walked on this thread and a helper when there is enough to share, and joined
    // in order: the outline is the same whichever thread walks which run. The other pass is often done
    // first, and its core then helps with this one's runs.
    int32_t runLength =
        discList.size() + bandList.size() >= PairsWorthAHelper ? std::max(LeastRun, buckets / RunsToShare) : buckets;
    std::vector<BucketRun> runs((buckets + runLength - 1) / runLength);
    auto walkRun = [&](size_t r) {
        int32_t from = static_cast<int32_t>(r) * runLength;
        runs[r].walked = walkBuckets(from, std::min(buckets, from + runLength), &runs[r]);
    };
    if (runs.size() > 1)
        ParallelFor(runs.size(), walkRun);
    else
        walkRun(0);
    size_t total = 0;
    for (const BucketRun& walked : runs) {
        if (!walked.walked)
            return false;
        total += walked.points.size();
    }
    // The points relative to the centre, in place, then moved back to it; where the ring closes on the edge
    // it started on, its first and last points are no corners either.
    std::vector<Point>& points = *ring;
    points.clear();
    points.reserve(total);
    for (size_t r = 0; r < runs.size(); r++)
        AppendGoingOn(&points, runs[r].points, r > 0 && runs[r].firstTop == runs[r - 1].lastTop);
    size_t first = 0;
    if (runs.back().lastTop == runs.front().firstTop && points.size() > 4) {
        points.pop_back();
        first = 1;
    }
    for (size_t k = first; k < points.size(); k++)
        points[k - first] = {points[k].x + centre.x, points[k].y + centre.y};
    points.resize(points.size() - first);
    return points.size() >= 3;
}

}  // namespace

bool WalkRound(const PolygonBands& bands, Point centre, const CalcRun& run, std::vector<Point>* ring) {
    RadialWalk walk(bands, centre, run);
    std::vector<Point> points;
    if (!walk.run(&points) || !CutEndNotches(bands, centre, &points))
        return false;
    *ring = std::move(points);
    return true;
}

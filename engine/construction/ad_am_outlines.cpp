#include "engine/construction/ad_am_outlines.h"

#include <algorithm>
#include <thread>
#include <utility>
#include <vector>

#include "engine/clipper/clipper.h"
#include "engine/construction/outline_pass.h"
#include "engine/run/out_of_memory.h"
#include "engine/run/parallel_for.h"

namespace {

// Where a thread starts in microseconds, a run alone takes one on any drawing: an office of 20 vertices
// took 0.92 ms instead of 1.62, a house of 6 0.21 instead of 0.25. Under Wine a start took about 0.7 ms
// (a house 1.17 ms instead of 0.42), so there, and beside other runs that keep the cores busy, only a
// drawing of a few hundred vertices takes one: with one for every structure, the assessment of 10,000
// buildings took 3 to 9 % longer.
constexpr int64_t VerticesWorthAThreadBesideOthers = 256;
#ifdef _WIN32
constexpr int64_t VerticesWorthAThreadAlone = VerticesWorthAThreadBesideOthers;
#else
constexpr int64_t VerticesWorthAThreadAlone = 0;
#endif

// The last sweep of a pass takes about a tenth of its time.
int64_t FinalSteps(int64_t passSteps) {
    return passSteps / 10;
}

// A region that holds the footprints well inside, less them: each of their contours turned round, an
// outer one into a hole and a hole into an island, from its least point as a sweep gives it.
void AppendHolesOf(const ClipPolygon& footprints, ClipPolygon* region) {
    for (const ClipContour& contour : footprints.contours) {
        ClipContour turned{!contour.hole, {contour.points.rbegin(), contour.points.rend()}};
        std::rotate(turned.points.begin(), std::min_element(turned.points.begin(), turned.points.end(), [](Point a, Point b) {
                        return a.x != b.x ? a.x < b.x : a.y < b.y;
                    }),
                    turned.points.end());
        region->contours.push_back(std::move(turned));
    }
}

// A lone footprint that winds once round the mean of its corners, every step turning forward about it
// (a convex one does), in its strictly simple form without the two sweeps of a union: they took half a
// second on a polygon of a million vertices, and a stop could not end them.
bool StarFootprint(const std::vector<ClipPolygon>& footprints, const CalcRun& run, ClipPolygon* united) {
    if (footprints.size() != 1 || footprints[0].contours.size() != 1)
        return false;
    const std::vector<Point>& ring = footprints[0].contours[0].points;
    ClipContour contour;
    if (!StarRingForm(ring, VertexMean(ring), &contour, [&run] { return run.stopped(); }))
        return false;
    *united = SingleContourPolygon(std::move(contour));
    return true;
}

// Am is the widened region less the footprints, removed as their union: subtracting them in one go as
// separate contours would let a reversed lobe of one cancel another where they overlap, and walls two
// footprints share would split the hole they leave in two.
RunOutcome AmOutline(const CalcOptions& options, const CalcInput& input, const std::vector<ClipPolygon>& footprints,
                     int64_t passSteps, CalcRun* run, ClipPolygon* outline) {
    ProgressShare subtractProgress(run, 2 * static_cast<int64_t>(input.polygons.size()) + FinalSteps(passSteps));
    bool finished = false;
    RunOutcome outcome = BuildPassOutline(CalcPass::Am, options, input, footprints, passSteps - FinalSteps(passSteps),
                                          run, outline, &finished);
    if (outcome != RunOutcome::Completed)
        return outcome;
    ClipPolygon united;
    bool star = finished && StarFootprint(footprints, *run, &united);
    if (run->stopped())
        return RunOutcome::Stopped;
    if (!star && !ClipUnionAll(footprints, &united))
        return RunOutcome::Failed;
    if (run->stopped())  // each sweep of a footprint of a million vertices takes a few tenths of a second
        return RunOutcome::Stopped;
    // The holes split where the footprints touch at a point, as the difference splits them: a figure
    // eight leaves two holes, not one that passes twice through its middle.
    if (finished) {
        if (!star && !StrictlySimpleForm(united, &united))
            return RunOutcome::Failed;
        AppendHolesOf(united, outline);
    } else if (!ClipDifference(*outline, united, outline, true)) {
        return RunOutcome::Failed;
    }
    subtractProgress.finish();
    return RunOutcome::Completed;
}

// The two passes shared with a helper thread, Am first on this one; each pass is the same work in the
// same order whichever thread runs it, so the result does not depend on the threads. A helper that
// has not started by the time Am is done finds Ad taken: a scheduler that queues it behind this thread,
// as one that packs a machine's threads onto few cores does, costs no more than running the passes one
// after the other, which a drawing too small for a thread (above) and a machine without a second core do.
bool BuildOutlines(const CalcOptions& options, const CalcInput& input, CalcRun* run, ClipPolygon* ad, ClipPolygon* am) {
    std::vector<ClipPolygon> footprints;
    if (!FootprintParts(input, &footprints) || run->stopped())
        return false;
    int64_t vertices = 0, polygons = static_cast<int64_t>(input.polygons.size());
    for (const CalcPolygon& polygon : input.polygons)
        vertices += static_cast<int64_t>(polygon.vertices.size());
    int64_t passSteps = 2 * vertices + 3 * polygons - 1;  // as many as uniting the polygons one by one takes
    RunOutcome adOutcome = RunOutcome::Failed;
    // The pass hands back a few regions side by side; one last sweep unites them into strictly simple
    // contours, as the difference does for Am. A drawing small enough for one union thus gets its
    // finished outline swept once more, which fixes where its contours start and so the last bits of
    // the areas summed from there.
    auto adPass = [&]() {
        bool enough = WithinMemory([&] {
            ProgressShare finalProgress(run, FinalSteps(passSteps));
            bool finished = false;
            adOutcome = BuildPassOutline(CalcPass::Ad, options, input, footprints, passSteps - FinalSteps(passSteps),
                                         run, ad, &finished);
            if (adOutcome == RunOutcome::Completed && !finished && !StrictlySimpleForm(*ad, ad))
                adOutcome = RunOutcome::Failed;
            if (adOutcome == RunOutcome::Completed)
                finalProgress.finish();
        });
        if (!enough) {
            adOutcome = RunOutcome::Failed;
            run->markOutOfMemory();
        }
    };
    RunOutcome amOutcome = RunOutcome::Failed;
    auto amPass = [&]() {
        if (!WithinMemory([&] { amOutcome = AmOutline(options, input, footprints, passSteps, run, am); })) {
            amOutcome = RunOutcome::Failed;
            run->markOutOfMemory();
        }
    };
    // Neither pass throws: each turns running out of memory into its outcome.
    int64_t worthAThread = run->besideOthers ? VerticesWorthAThreadBesideOthers : VerticesWorthAThreadAlone;
    if (vertices >= worthAThread && std::thread::hardware_concurrency() != 1) {
        ParallelFor(2, [&](size_t pass) { pass == 0 ? amPass() : adPass(); });
    } else {
        adPass();
        amPass();
    }
    return adOutcome == RunOutcome::Completed && amOutcome == RunOutcome::Completed;
}

void AppendContours(ClipPolygon&& outline, uint8_t adFlag, CalcResult* result) {
    for (ClipContour& contour : outline.contours) {
        result->holeFlags.push_back(contour.hole ? 1 : 0);
        result->adFlags.push_back(adFlag);
        result->contours.push_back(std::move(contour.points));
    }
}

// The range is two steps more than a full run takes, so the bar ends just short of full.
int64_t RunSteps(const CalcInput& input) {
    int64_t total = static_cast<int64_t>(input.polygons.size());
    for (const CalcPolygon& polygon : input.polygons)
        total += 2 * static_cast<int64_t>(polygon.vertices.size()) + 3;
    return 2 * total;
}

// The whole run on input that may still fail its checks: both outlines, then the contours and areas.
bool Calculate(CalcInput* input, const CalcOptions& options, CalcRun* run) {
    CalcResult* result = &run->result;
    size_t polygon, vertex;
    if (!CheckPolygons(input) || FirstHeightAboveLimit(*input, &polygon, &vertex) || run->stopped())
        return false;
    run->progress.start(RunSteps(*input));

    ClipPolygon adOutline, amOutline;
    if (!BuildOutlines(options, *input, run, &adOutline, &amOutline) || run->stopped())
        return false;

    // Ad contours first, then Am, each in the clipper's order; holes count negative.
    result->holeFlags.clear();
    result->adFlags.clear();
    result->contours.clear();
    AppendContours(std::move(adOutline), 1, result);
    AppendContours(std::move(amOutline), 0, result);
    result->ad = 0.0;
    result->am = 0.0;
    for (size_t c = 0; c < result->contours.size(); c++) {
        const std::vector<Point>& points = result->contours[c];
        double area = PolygonArea(points.data(), static_cast<int32_t>(points.size())) * 1e-6;
        if (result->holeFlags[c])
            area = -area;
        (result->adFlags[c] ? result->ad : result->am) += area;
    }
    result->contourCount = static_cast<int32_t>(result->contours.size());
    return true;
}

}  // namespace

// The stop flag is left as it is: a stop requested while the polygons were still being checked must not
// be forgotten here.
bool ComputeAdAm(CalcInput* input, const CalcOptions& options, CalcRun* run) {
    WatchForOutOfMemory();
    ClearResult(&run->result);
    bool calculated = false;
    if (!WithinMemory([&] { calculated = Calculate(input, options, run); }))
        run->markOutOfMemory();
    if (!calculated || run->outOfMemory)
        ClearResult(&run->result);
    return calculated && !run->outOfMemory;
}

#include "engine/ad_am_outlines.h"

#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "engine/clipper.h"
#include "engine/out_of_memory.h"
#include "engine/outline_pass.h"

namespace {

constexpr int64_t VerticesWorthAThread = 256;

// The last sweep of a pass takes about a tenth of its time.
int64_t FinalSteps(int64_t passSteps) {
    return passSteps / 10;
}

// Am is the widened region less the footprints, removed as their union: subtracting them in one go as
// separate contours would let a reversed lobe of one cancel another where they overlap.
RunOutcome AmOutline(const CalcOptions& options, const CalcInput& input, const std::vector<ClipPolygon>& footprints,
                     int64_t passSteps, ClipPolygon* outline) {
    ProgressShare subtractProgress(2 * static_cast<int64_t>(input.polygons.size()) + FinalSteps(passSteps));
    RunOutcome outcome =
        BuildPassOutline(CalcPass::Am, options, input, footprints, passSteps - FinalSteps(passSteps), outline);
    if (outcome != RunOutcome::Completed)
        return outcome;
    ClipPolygon united;
    if (!ClipUnionAll(footprints, &united) || !ClipDifference(*outline, united, outline, true))
        return RunOutcome::Failed;
    subtractProgress.finish();
    return RunOutcome::Completed;
}

// The pass hands back a few regions side by side; one last sweep unites them into strictly simple
// contours, as the difference does for Am. A drawing small enough for one union thus gets its
// finished outline swept once more, which fixes where its contours start and so the last bits of
// the areas summed from there.
void AdPass(const CalcOptions& options, const CalcInput& input, const std::vector<ClipPolygon>& footprints,
            int64_t passSteps, ClipPolygon* ad, RunOutcome* outcome) {
    ProgressShare finalProgress(FinalSteps(passSteps));
    *outcome = BuildPassOutline(CalcPass::Ad, options, input, footprints, passSteps - FinalSteps(passSteps), ad);
    if (*outcome == RunOutcome::Completed && !StrictlySimpleForm(*ad, ad))
        *outcome = RunOutcome::Failed;
    if (*outcome == RunOutcome::Completed)
        finalProgress.finish();
}

// The Ad pass on a thread of its own and the Am pass on this one; each pass is the same work in the
// same order whichever thread runs it, so the result does not depend on the threads. A small drawing
// and a machine without a second thread run the passes one after the other: below a few hundred
// vertices starting the thread cost more than it saved (an office of 20 vertices took 8 ms instead
// of 4.5).
bool BuildOutlines(const CalcOptions& options, const CalcInput& input, ClipPolygon* ad, ClipPolygon* am) {
    std::vector<ClipPolygon> footprints;
    if (!FootprintParts(input, &footprints))
        return false;
    int64_t vertices = 0, polygons = static_cast<int64_t>(input.polygons.size());
    for (const CalcPolygon& polygon : input.polygons)
        vertices += static_cast<int64_t>(polygon.vertices.size());
    int64_t passSteps = 2 * vertices + 3 * polygons - 1;  // as many as uniting the polygons one by one takes
    RunOutcome adOutcome = RunOutcome::Failed;
    auto adPass = [&]() { WithinMemory([&] { AdPass(options, input, footprints, passSteps, ad, &adOutcome); }); };
    std::thread adThread;
    if (vertices >= VerticesWorthAThread) {
        try {
            adThread = std::thread(adPass);
        } catch (const std::system_error&) {  // no thread to be had: the pass runs below
        }
    }
    if (!adThread.joinable())
        adPass();
    RunOutcome amOutcome = RunOutcome::Failed;
    WithinMemory([&] { amOutcome = AmOutline(options, input, footprints, passSteps, am); });  // before the join
    if (adThread.joinable())
        adThread.join();
    return adOutcome == RunOutcome::Completed && amOutcome == RunOutcome::Completed;
}

void AppendContours(const ClipPolygon& outline, uint8_t adFlag, CalcResult* result) {
    for (const ClipContour& contour : outline.contours) {
        result->holeFlags.push_back(contour.hole ? 1 : 0);
        result->adFlags.push_back(adFlag);
        result->contours.push_back(contour.points);
    }
}

// The whole run on valid input: both outlines, then the result in their contours and areas.
bool CalculateChecked(CalcInput* input, const CalcOptions& options, CalcResult* result) {
    result->contourCount = 0;
    size_t polygon, vertex;
    if (!CheckPolygons(input) || FirstHeightAboveLimit(*input, &polygon, &vertex))
        return false;
    InitProgress(*input);

    ClipPolygon adOutline, amOutline;
    if (!BuildOutlines(options, *input, &adOutline, &amOutline) || stopRequested)
        return false;

    // Ad contours first, then Am, each in the clipper's order; holes count negative.
    result->holeFlags.clear();
    result->adFlags.clear();
    result->contours.clear();
    AppendContours(adOutline, 1, result);
    AppendContours(amOutline, 0, result);
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

bool ComputeAdAm(CalcInput* input, const CalcOptions& options, CalcResult* result) {
    WatchForOutOfMemory();
    outOfMemory = 0;
    bool calculated = false;
    if (!WithinMemory([&] { calculated = CalculateChecked(input, options, result); }) || !calculated) {
        ClearResult(result);
        return false;
    }
    resultsValid = 1;
    return true;
}

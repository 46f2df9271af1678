#include "engine/ad_am_outlines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr size_t EdgesPerBatch = 32;  // edges whose shapes one clipper call unites; the stop flag is read between

// Unites neighbouring parts pairwise until one is left, so that every clipper call works on pieces
// of similar size; reads the stop flag between calls.
RunOutcome UniteInTree(std::vector<ClipPolygon> parts, ClipPolygon* result) {
    if (parts.empty()) {
        *result = ClipPolygon();
        return RunOutcome::Completed;
    }
    while (parts.size() > 1) {
        std::vector<ClipPolygon> next((parts.size() + 1) / 2);
        for (size_t i = 0; i < next.size(); i++) {
            if (stopRequested)
                return RunOutcome::Stopped;
            if (2 * i + 1 == parts.size())
                next[i] = std::move(parts[2 * i]);
            else if (!ClipUnion(parts[2 * i], parts[2 * i + 1], &next[i]))
                return RunOutcome::Failed;
        }
        parts = std::move(next);
    }
    *result = std::move(parts[0]);
    return RunOutcome::Completed;
}

void Advance(size_t times) {
    for (size_t i = 0; i < times; i++)
        AdvanceProgress();
}

}  // namespace

// The region of a polygon is the polygon and one band per edge: the disc around each end vertex and the
// trapezoid between them. A union does not care how it is grouped, so the shapes of consecutive edges
// are united in batches, and the batches and the footprint in a balanced tree.
RunOutcome PolygonOffsetRegion(CalcPass pass, const CalcOptions& options, const CalcPolygon& polygon,
                               ClipPolygon* region) {
    PolygonBands bands = PrepareBands(pass, options, polygon);
    size_t n = bands.vertices.size();
    AdvanceProgress();
    std::vector<ClipPolygon> batches;
    for (size_t first = 0; first < n; first += EdgesPerBatch) {
        if (stopRequested)
            return RunOutcome::Stopped;
        size_t last = std::min(n, first + EdgesPerBatch);
        std::vector<ClipPolygon> shapes;
        AppendBatchShapes(bands, first, last, &shapes);
        ClipPolygon batch;
        if (!ClipUnionAll(shapes, &batch))
            return RunOutcome::Failed;
        batches.push_back(std::move(batch));
        Advance(2 * (last - first));
    }
    batches.push_back(SingleContourPolygon(bands.vertices.data(), static_cast<int32_t>(n)));
    RunOutcome outcome = UniteInTree(std::move(batches), region);
    if (outcome == RunOutcome::Completed)
        AdvanceProgress();
    return outcome;
}

// Each footprint is brought to its normal form before the union: a polygon passing twice through a vertex
// winds -1 in one lobe, which would cancel another footprint's +1 there and leave the overlap in Am.
bool FootprintUnion(const CalcInput& input, ClipPolygon* footprints) {
    std::vector<ClipPolygon> parts(input.polygons.size());
    for (size_t i = 0; i < input.polygons.size(); i++) {
        std::vector<Point> points;
        for (const CalcVertex& v : input.polygons[i].vertices)
            points.push_back({v.x, v.y});
        if (!NormalForm(SingleContourPolygon(points.data(), static_cast<int32_t>(points.size())), &parts[i]))
            return false;
    }
    return ClipUnionAll(parts, footprints);
}

bool SubtractFootprints(ClipPolygon* outline, const CalcInput& input) {
    ClipPolygon footprints;
    if (input.polygons.empty() || !FootprintUnion(input, &footprints) ||
        !ClipDifference(*outline, footprints, outline, true))
        return false;
    Advance(2 * input.polygons.size());
    return true;
}

namespace {

// One pass: the regions of all polygons united. The merge of each polygon after the first counts one
// progress step, as if they were merged one by one.
RunOutcome BuildOutline(CalcPass pass, const CalcOptions& options, const CalcInput& input, ClipPolygon* outline) {
    std::vector<ClipPolygon> regions(input.polygons.size());
    for (size_t i = 0; i < input.polygons.size(); i++) {
        RunOutcome outcome = PolygonOffsetRegion(pass, options, input.polygons[i], &regions[i]);
        if (outcome != RunOutcome::Completed)
            return outcome;
        if (i > 0)
            AdvanceProgress();
        if (stopRequested)
            return RunOutcome::Stopped;
    }
    return UniteInTree(std::move(regions), outline);
}

void AppendContours(const ClipPolygon& outline, uint8_t adFlag, CalcResult* result) {
    for (const ClipContour& contour : outline.contours) {
        result->holeFlags.push_back(contour.hole ? 1 : 0);
        result->adFlags.push_back(adFlag);
        result->contours.push_back(contour.points);
    }
}

void ClearResult(CalcResult* result) {
    result->contourCount = 0;
    result->ad = 0.0;
    result->am = 0.0;
}

}  // namespace

bool ComputeAdAm(CalcInput* input, const CalcOptions& options, CalcResult* result) {
    result->contourCount = 0;
    if (!CheckPolygons(input))
        return false;
    InitProgress(*input);

    ClipPolygon adOutline, amOutline;
    RunOutcome outcome = BuildOutline(CalcPass::Ad, options, *input, &adOutline);
    if (outcome == RunOutcome::Completed)
        outcome = BuildOutline(CalcPass::Am, options, *input, &amOutline);
    if (outcome == RunOutcome::Completed &&
        (!SubtractFootprints(&amOutline, *input) || !StrictlySimpleForm(adOutline, &adOutline)))
        outcome = RunOutcome::Failed;
    if (outcome != RunOutcome::Completed || stopRequested) {
        ClearResult(result);
        return false;
    }

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
    resultsValid = 1;
    return true;
}

#include "assessment/structure_runs.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <system_error>
#include <thread>

#include "assessment/cd_surroundings.h"
#include "engine/checks/polygon_checks.h"
#include "engine/clipper/clipper.h"
#include "engine/construction/ad_am_outlines.h"

namespace {

double GreatestHeight(const PolygonStore& polygons, const Structure& structure) {
    double height = 0.0;
    for (int32_t index : structure.polygons)
        for (double h : polygons.polygon(index).height)
            height = std::max(height, h);
    return height;
}

// The union's area, so that overlapping polygons count once.
double FootprintArea(const CalcInput& input) {
    std::vector<ClipPolygon> parts;
    for (const CalcPolygon& polygon : input.polygons) {
        std::vector<Point> ring;
        for (const CalcVertex& v : polygon.vertices)
            ring.push_back({v.x, v.y});
        if (input.polygons.size() == 1)
            return PolygonArea(ring.data(), static_cast<int32_t>(ring.size()));
        parts.push_back(SingleContourPolygon(ring.data(), static_cast<int32_t>(ring.size())));
    }
    ClipPolygon united;
    return ClipUnionAll(parts, &united) ? RegionArea(united) : 0.0;
}

// Areas, location factor and events of one structure; the others' results are not touched, so
// structures can be assessed in any order, on any thread.
void AssessStructure(const Drawing& source, const AssessmentResult& run, const AssessOverrides& overrides,
                     const CdSuggestion& suggestion, const CalcRun* watch, bool besideOthers, StructureResult* out) {
    const AssessmentSettings& settings = run.settings;
    const PolygonRecord& first = source.polygons.polygon(out->structure.polygons.front());
    out->name = first.name;
    const StructureSettings* own = FindStructureSettings(source.assessment, out->structure.polygons.front());

    out->cdSuggested = suggestion.cd;
    double cd = overrides.cd ? *overrides.cd : own ? own->cd : CdFromSurroundings;
    out->cdSet = cd != CdFromSurroundings;
    out->cd = out->cdSet ? cd : suggestion.cd;
    out->lines = overrides.lines ? *overrides.lines : own ? own->lines : std::vector<LineSettings>();
    out->uw = own && own->uw > 0.0 && !overrides.uw ? own->uw : settings.uw;
    out->amDistance = AmDistance(settings.edition, run.calcOptions.distanceProjection, out->uw);

    CalcInput input = StructureCalcInput(source.polygons, out->structure);
    for (const CalcPolygon& polygon : input.polygons)
        out->vertices += static_cast<int32_t>(polygon.vertices.size());
    CalcOptions options = run.calcOptions;
    options.distanceProjection = out->amDistance;
    if (!CheckPolygons(&input)) {
        out->error = "a polygon has fewer than three vertices, repeats a vertex or crosses itself";
        return;
    }
    CalcRun calculation(watch);
    calculation.besideOthers = besideOthers;
    if (!ComputeAdAm(&input, options, &calculation)) {
        out->error = calculation.outOfMemory ? "the calculation ran out of memory"
                     : calculation.stopped() ? "the assessment was stopped"
                                             : "Ad and Am cannot be calculated";
        return;
    }
    const CalcResult& calc = calculation.result;
    out->calculated = true;
    for (int32_t c = 0; c < calc.contourCount; c++)
        if (calc.adFlags[c])
            out->adOutline.push_back(calc.contours[c]);
    out->footprint = FootprintArea(input);
    out->ad = calc.ad * 1e6;
    out->am = calc.am * 1e6;
    StructureAreas areas;
    areas.ad = out->ad;
    areas.am = out->am;
    areas.cd = out->cd;
    areas.heightProjection = options.heightProjection;
    out->events = ComputeStructureEvents(run.density, areas, out->lines);
}

// Calls work(i) for every i below count on up to threads threads (this one among them), each taking
// the next index when it is free. Every result goes to its own slot, so the order of the work does not
// show in the outcome.
void RunInParallel(size_t count, int32_t threads, const std::function<void(size_t)>& work) {
    std::atomic<size_t> next{0};
    auto take = [&]() {
        for (size_t i = next++; i < count; i = next++)
            work(i);
    };
    size_t helpers = std::min(count, static_cast<size_t>(std::max(threads, 1))) - (count > 0 ? 1 : 0);
    std::vector<std::thread> pool;
    for (size_t h = 0; h < helpers; h++) {
        try {
            pool.emplace_back(take);
        } catch (const std::system_error&) {  // no more threads to be had: those there are do the rest
            break;
        }
    }
    take();
    for (std::thread& helper : pool)
        helper.join();
}

}  // namespace

bool AssessmentResult::allCalculated() const {
    return std::all_of(structures.begin(), structures.end(), [](const StructureResult& s) { return s.calculated; });
}

AssessmentSettings SettingsInForce(const AssessmentSettings& stored, const AssessOverrides& overrides) {
    AssessmentSettings settings = stored;
    if (overrides.edition)
        settings.edition = *overrides.edition;
    // A density given for this run replaces both stored ones, so NSG never stays behind a new NG.
    if (overrides.ng || overrides.nsg) {
        settings.ng = overrides.ng ? *overrides.ng : 0.0;
        settings.nsg = overrides.nsg ? *overrides.nsg : 0.0;
    }
    if (overrides.k)
        settings.k = *overrides.k;
    if (overrides.uw)
        settings.uw = *overrides.uw;
    return settings;
}

CalcInput StructureCalcInput(const PolygonStore& polygons, const Structure& structure) {
    CalcInput input;
    for (int32_t index : structure.polygons) {
        const PolygonRecord& polygon = polygons.polygon(index);
        CalcPolygon calcPolygon;
        for (int32_t k = 0; k < polygon.vertexCount; k++)
            calcPolygon.vertices.push_back({polygon.x[k], polygon.y[k], polygon.height[k]});
        input.polygons.push_back(std::move(calcPolygon));
    }
    return input;
}

AssessmentResult AssessDrawing(const Drawing& source, const AssessOverrides& overrides, int32_t threads,
                               CalcRun* watch) {
    if (threads <= 0)
        threads = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
    AssessmentResult run;
    run.settings = SettingsInForce(source.assessment, overrides);
    run.settings.structures.clear();
    run.density = ResolveFlashDensity(run.settings);
    run.calcOptions = source.calcOptions;
    if (overrides.heightProjection)
        run.calcOptions.heightProjection = *overrides.heightProjection;
    if (overrides.distanceProjection)
        run.calcOptions.distanceProjection = *overrides.distanceProjection;

    std::vector<Structure> structures = FindStructures(source.polygons);
    std::vector<double> heights;
    for (const Structure& structure : structures)
        heights.push_back(GreatestHeight(source.polygons, structure));
    std::vector<CdSuggestion> suggestions =
        SuggestCd(source.polygons, structures, heights, run.calcOptions.heightProjection);

    run.structures.resize(structures.size());
    for (size_t i = 0; i < structures.size(); i++) {
        StructureResult& result = run.structures[i];
        result.number = static_cast<int32_t>(i + 1);
        result.structure = std::move(structures[i]);
        result.height = heights[i];
    }
    if (watch)
        watch->progress.start(static_cast<int64_t>(structures.size()));
    bool besideOthers = structures.size() > 1 && threads > 1;
    RunInParallel(structures.size(), threads, [&](size_t i) {
        StructureResult& result = run.structures[i];
        if (watch && watch->stopped()) {
            result.error = "the assessment was stopped";
            return;
        }
        AssessStructure(source, run, overrides, suggestions[i], watch, besideOthers, &result);
        if (watch)
            watch->advance();
    });
    return run;
}

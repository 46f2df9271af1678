// Times the assessment of 10,000 small buildings (about 60,000 vertices): half of them standing apart,
// half in terraces of ten that share their walls. The GeoJSON file is written into the folder given as
// the first argument, then read, imported, grouped into structures and assessed as `assess --json`
// does it, with the time of each step, the time per structure and the peak memory. A second argument
// gives the thread count (default: every core).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assessment/assessment_output.h"
#include "assessment/cd_surroundings.h"
#include "assessment/structure_runs.h"
#include "bench/district.h"
#include "bench/peak_memory.h"
#include "exchange/import_build.h"
#include "exchange/import_file.h"
#include "model/file_io.h"

namespace {

using Clock = std::chrono::steady_clock;
double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = std::string(argc > 1 ? argv[1] : ".") + "/bench_assess.geojson";
    int32_t threads = argc > 2 ? atoi(argv[2]) : 0;
    std::string text = DistrictGeoJson();
    if (!WriteFileAtomically(path.c_str(), std::vector<uint8_t>(text.begin(), text.end()))) {
        fprintf(stderr, "%s cannot be written\n", path.c_str());
        return 3;
    }

    Clock::time_point start = Clock::now();
    ImportSource source;
    std::string message;
    if (ReadImportFile(path.c_str(), &source, &message) != ImportFileError::None) {
        fprintf(stderr, "%s: %s\n", path.c_str(), message.c_str());
        return 2;
    }
    Drawing drawing;
    ImportResult imported = BuildImport(source, ImportSettings());
    if (ApplyImport(imported, false, &drawing) != ApplyOutcome::Applied) {
        fprintf(stderr, "the import failed\n");
        return 2;
    }
    double importSeconds = Since(start);

    // The steps of the assessment on their own, to show where its time goes...
    Clock::time_point step = Clock::now();
    std::vector<Structure> structures = FindStructures(drawing.polygons);
    double groupSeconds = Since(step);
    std::vector<double> heights;
    for (const Structure& structure : structures) {
        double height = 0.0;
        for (int32_t index : structure.polygons)
            for (double h : drawing.polygons.polygon(index).height)
                height = std::max(height, h);
        heights.push_back(height);
    }
    step = Clock::now();
    SuggestCd(drawing.polygons, structures, heights, drawing.calcOptions.heightProjection);
    double cdSeconds = Since(step);

    // ...then the whole, as the command runs it.
    AssessOverrides overrides;
    overrides.ng = 4.0;
    step = Clock::now();
    AssessmentResult result = AssessDrawing(drawing, overrides, threads);
    double assessSeconds = Since(step);
    step = Clock::now();
    std::string json = AssessmentJson(result);
    double jsonSeconds = Since(step);
    double total = importSeconds + assessSeconds + jsonSeconds;
    remove(path.c_str());

    int64_t vertices = 0;
    for (int32_t count : drawing.polygons.vertexCounts())
        vertices += count;
    size_t count = result.structures.size();
    double engineSeconds = assessSeconds - groupSeconds - cdSeconds;
    printf("polygons %d, vertices %lld, structures %zu, all calculated: %s\n", drawing.polygons.count(),
           static_cast<long long>(vertices), count, result.allCalculated() ? "yes" : "NO");
    printf("%-40s %9.3f s\n", "read and import the GeoJSON", importSeconds);
    printf("%-40s %9.3f s\n", "find the structures", groupSeconds);
    printf("%-40s %9.3f s\n", "suggest CD from the surroundings", cdSeconds);
    printf("%-40s %9.3f s\n", "Ad and Am of each structure, events", engineSeconds);
    printf("%-40s %9.3f s\n", "the JSON output", jsonSeconds);
    printf("%-40s %9.3f s  (target 10 s)\n", "total", total);
    printf("%-40s %9.3f ms\n", "per structure (assessment alone)", count ? 1000.0 * assessSeconds / count : 0.0);
    double peak = PeakMegabytes();
    if (peak >= 0)
        printf("%-40s %9.0f MB  (target 1024 MB)\n", "peak memory", peak);
    return result.allCalculated() ? 0 : 1;
}

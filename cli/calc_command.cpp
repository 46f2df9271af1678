#include <cstdio>

#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "engine/checks/polygon_checks.h"

namespace {

void PrintJson(const Drawing& source, const CalcResult& result, bool neighbours, int32_t outer, double seconds) {
    ContourCounts counts = CountContours(result);
    long long vertices = 0;
    for (int32_t count : source.polygons.vertexCounts())
        vertices += count;
    printf(
        "{\"ad\": %.17g, \"am\": %.17g, \"adContours\": %d, \"amContours\": %d, \"adHoles\": %d, "
        "\"amHoles\": %d, \"neighbours\": %s, \"outerContours\": %d, \"polygons\": %d, \"vertices\": %lld, "
        "\"seconds\": %.6f}\n",
        result.ad, result.am, counts.ad, counts.am, counts.adHoles, counts.amHoles, neighbours ? "true" : "false",
        static_cast<int>(outer), static_cast<int>(source.polygons.count()), vertices, seconds);
}

void PrintText(const CalcResult& result) {
    ContourCounts counts = CountContours(result);
    printf("Ad [km^2]: %.5e\n", result.ad);
    printf("Am [km^2]: %.5e\n", result.am);
    printf("Ad contours: %d (holes: %d)\n", counts.ad, counts.adHoles);
    printf("Am contours: %d (holes: %d)\n", counts.am, counts.amHoles);
}

}  // namespace

int CalcCommand(int argc, char** argv) {
    CalcFlags flags;
    std::vector<const char*> files;
    if (!ParseCalcFlags(argc, argv, &flags, &files) || files.size() != 1) {
        fprintf(stderr,
                "usage: zelvora-cli calc FILE.Zlv [--json] [--require-neighbours] [--quiet]\n"
                "                        [--height-projection K] [--distance-projection D]\n");
        return ExitUsage;
    }
    Drawing source;
    if (!LoadDrawing(files[0], &source))
        return ExitCannotRead;

    if (!FitsInMemory(source))
        return ExitFailure;
    // Polygons that are apart still calculate; only the caller that asks for one footprint is refused.
    int32_t outer = 0;
    bool neighbours = PolygonsAreNeighbours(MakeCalcInput(source), &outer);
    if (!neighbours && source.polygons.count() > 0) {
        fprintf(stderr, "Polygons are not neighbors.\n");
        if (flags.requireNeighbours)
            return ExitFailure;
    }
    CalcResult result;
    double seconds = 0.0;
    if (!CalculateDrawing(source, RunOptions(source.calcOptions, flags), flags.quiet, &result, &seconds))
        return ExitFailure;
    if (flags.json)
        PrintJson(source, result, neighbours, outer, seconds);
    else
        PrintText(result);
    return ExitSuccess;
}

#include <cstdio>
#include <cstring>

#include "cli/cli_commands.h"
#include "engine/checks/polygon_checks.h"
#include "model/drawing_file.h"

namespace {

void PrintOptions(const Drawing& source, uint8_t format) {
    const DrawOptions& draw = source.drawOptions;
    const CalcOptions& calc = source.calcOptions;
    char text[32];
    printf("format: %u\n", static_cast<unsigned>(format));
    printf("snap: %s\n", draw.snapOn ? "on" : "off");
    printf("snap step [m]: %s\n", ShortestText(SnapSteps[draw.snapIndex].step, text));
    printf("zoom: %s\n", ZoomSteps[draw.zoomIndex].label);
    printf("map size [m]: %s\n", ShortestText(draw.mapSize, text));
    printf("height projection: %s\n", ShortestText(calc.heightProjection, text));
    printf("distance projection [m]: %s\n", ShortestText(calc.distanceProjection, text));
}

void PrintPolygons(const PolygonStore& store) {
    int64_t vertices = 0;
    for (int32_t count : store.vertexCounts())
        vertices += count;
    printf("polygons: %d\n", static_cast<int>(store.count()));
    printf("vertices: %lld\n", static_cast<long long>(vertices));
}

void PrintChecks(const Drawing& source) {
    printf("valid: %s\n", CheckDrawing(source) ? "yes" : "no");
    int32_t outer = 0;
    bool neighbours = PolygonsAreNeighbours(MakeCalcInput(source), &outer);
    printf("neighbours: %s\n", neighbours ? "yes" : "no");
    if (outer == OuterCountUnknown)
        printf("outer contours: unknown\n");
    else
        printf("outer contours: %d\n", static_cast<int>(outer));
}

// One line a vertex under its polygon's line, each value in the shortest text that reads back exactly.
void PrintVertices(const PolygonRecord& polygon) {
    for (int32_t k = 0; k < polygon.vertexCount; k++) {
        char x[32], y[32], height[32];
        printf("\t\t%s\t%s\t%s\n", ShortestText(polygon.x[k], x), ShortestText(polygon.y[k], y),
               ShortestText(polygon.height[k], height));
    }
}

}  // namespace

int InfoCommand(int argc, char** argv) {
    bool vertices = argc == 2 && !strcmp(argv[1], "--vertices");
    if (argc != 1 && !vertices) {
        fprintf(stderr, "usage: zelvora-cli info FILE.Zlv [--vertices]\n");
        return ExitUsage;
    }
    Drawing source;
    uint8_t format = 0;
    if (!LoadDrawing(argv[0], &source, &format))
        return ExitCannotRead;
    PrintOptions(source, format);
    PrintPolygons(source.polygons);
    PrintChecks(source);
    for (int32_t i = 0; i < source.polygons.count(); i++) {
        const PolygonRecord& polygon = source.polygons.polygon(i);
        printf("%d\t%s\t%d\t%d\n", static_cast<int>(i), polygon.name,
               static_cast<int>(PriorityValues[polygon.priority]), static_cast<int>(polygon.vertexCount));
        if (vertices)
            PrintVertices(polygon);
    }
    return ExitSuccess;
}

// Measures the undo history on drawings of 600 to 600,000 vertices: the bytes one state keeps, how
// many steps fit within the bound, and the time of recording a change, of an undo and of a redo
// (best of a few runs, each a vertex moved and taken back).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/edit_history.h"

namespace {

constexpr int Runs = 20;

// Buildings of six corners in a square grid, 30 m apart, as an imported quarter of a town.
Drawing Town(int buildings) {
    Drawing town;
    town.isOpen = 1;
    int columns = static_cast<int>(std::ceil(std::sqrt(buildings)));
    for (int b = 0; b < buildings; b++) {
        double x = 30.0 * (b % columns), y = 30.0 * (b / columns);
        const double xs[] = {x, x + 16, x + 16, x + 8, x + 8, x};
        const double ys[] = {y, y, y + 6, y + 6, y + 12, y + 12};
        const double heights[] = {9, 9, 12, 12, 15, 15};
        PolygonRecord building;
        SetPolygonName(&building, ("Building " + std::to_string(b + 1)).c_str());
        SetPolygonVertices(&building, xs, ys, heights, 6);
        town.polygons.appendPolygon(building);
    }
    town.drawOptions.mapSize = 30.0 * columns + 100.0;
    return town;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    printf("%10s %12s %12s %12s %12s %12s\n", "vertices", "state bytes", "steps kept", "record ms", "undo ms",
           "redo ms");
    for (int buildings : {100, 1000, 10000, 100000}) {
        Drawing town = Town(buildings);
        EditHistory history;
        history.reset(town, true);
        double record = INFINITY, undo = INFINITY, redo = INFINITY;
        bool ok = true;
        for (int run = 0; run < Runs; run++) {
            town.polygons.moveVertex(run % buildings, 0, run * 0.5, 0.25);
            auto start = std::chrono::steady_clock::now();
            ok = history.recordChange(&town) && ok;
            record = std::min(record, Seconds(start));
            start = std::chrono::steady_clock::now();
            ok = history.undo(&town) && ok;
            undo = std::min(undo, Seconds(start));
            start = std::chrono::steady_clock::now();
            ok = history.redo(&town) && ok;
            redo = std::min(redo, Seconds(start));
        }
        size_t stateBytes = history.bytesKept() / (history.undoSteps() + 1);
        // Changes until the bound holds the count of steps steady.
        for (int n = 0; n <= HistoryStepLimit; n++) {
            town.calcOptions.distanceProjection = 500.0 + n;
            history.recordChange(&town);
        }
        printf("%10d %12zu %12d %12.2f %12.2f %12.2f%s\n", 6 * buildings, stateBytes, history.undoSteps(), record * 1e3,
               undo * 1e3, redo * 1e3, ok ? "" : "  FAILED");
    }
    return 0;
}

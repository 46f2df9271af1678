// Times the import of 10,000 small buildings (60,000 vertices) from GeoJSON and from DXF: reading the
// file from disk, parsing, projecting, checking and placing, best of a few runs. The files are written
// first, into the folder given as the argument (the current folder by default).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/import_build.h"
#include "exchange/import_file.h"
#include "model/file_io.h"

namespace {

constexpr int Columns = 100;
constexpr int Rows = 100;
constexpr int Runs = 3;
constexpr double Spacing = 30.0;  // metres between neighbouring buildings

// An L-shaped building of six corners at grid cell (column, row), 12 to 20 m across, in metres.
std::vector<std::pair<double, double>> Building(int column, int row) {
    double x = column * Spacing, y = row * Spacing;
    double w = 12.0 + (column * 7 + row * 3) % 9, d = 10.0 + (column * 5 + row * 11) % 8;
    return {{x, y}, {x + w, y}, {x + w, y + d / 2}, {x + w / 2, y + d / 2}, {x + w / 2, y + d}, {x, y + d}};
}

std::string GeoJsonText() {
    // Metres to degrees near 47 degrees north, so that the grid spans about 3 km.
    const double metresPerDegreeY = 111200.0, metresPerDegreeX = 75900.0;
    std::string text = R"({"type":"FeatureCollection","features":[)";
    char number[64];
    for (int row = 0; row < Rows; row++)
        for (int column = 0; column < Columns; column++) {
            text += row + column ? "," : "";
            text += R"({"type":"Feature","properties":{"height":)" + std::to_string(6 + (row + column) % 20) +
                    R"(},"geometry":{"type":"Polygon","coordinates":[[)";
            auto corners = Building(column, row);
            corners.push_back(corners.front());
            for (size_t k = 0; k < corners.size(); k++) {
                snprintf(number, sizeof number, "%s[%.8f,%.8f]", k ? "," : "",
                         8.5 + corners[k].first / metresPerDegreeX, 47.3 + corners[k].second / metresPerDegreeY);
                text += number;
            }
            text += "]]}}";
        }
    return text + "]}\n";
}

std::string DxfText() {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    char number[64];
    for (int row = 0; row < Rows; row++)
        for (int column = 0; column < Columns; column++) {
            text += "0\nLWPOLYLINE\n8\nBUILDINGS\n90\n6\n70\n1\n39\n" + std::to_string(6 + (row + column) % 20) + "\n";
            for (auto [x, y] : Building(column, row)) {
                snprintf(number, sizeof number, "10\n%.3f\n20\n%.3f\n", 2600000.0 + x, 1200000.0 + y);
                text += number;
            }
        }
    return text + "0\nENDSEC\n0\nEOF\n";
}

bool TimeImport(const std::string& path, double* best, ImportResult* result) {
    *best = INFINITY;
    for (int run = 0; run < Runs; run++) {
        auto start = std::chrono::steady_clock::now();
        ImportSource source;
        std::string message;
        if (ReadImportFile(path.c_str(), &source, &message) != ImportFileError::None) {
            fprintf(stderr, "%s: %s\n", path.c_str(), message.c_str());
            return false;
        }
        *result = BuildImport(source, ImportSettings());
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        *best = std::min(*best, seconds);
    }
    return result->refusal.empty() && result->failures.empty();
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    struct Input {
        const char* format;
        std::string path;
        std::string text;
    };
    const Input inputs[] = {{"GeoJSON", folder + "/bench_buildings.geojson", GeoJsonText()},
                            {"DXF", folder + "/bench_buildings.dxf", DxfText()}};
    printf("%-8s %10s %10s %10s %10s\n", "format", "MB", "polygons", "vertices", "seconds");
    bool ok = true;
    for (const Input& input : inputs) {
        if (!WriteFileAtomically(input.path.c_str(), std::vector<uint8_t>(input.text.begin(), input.text.end()))) {
            fprintf(stderr, "%s cannot be written\n", input.path.c_str());
            return 3;
        }
        double seconds;
        ImportResult result;
        bool imported = TimeImport(input.path, &seconds, &result);
        printf("%-8s %10.1f %10zu %10d %10.3f%s\n", input.format, input.text.size() / 1e6, result.polygons.size(),
               result.vertices, seconds, imported ? "" : "  FAILED");
        ok = ok && imported;
        remove(input.path.c_str());
    }
    return ok ? 0 : 1;
}

// Times the import of 10,000 small buildings (60,000 vertices) from GeoJSON and from DXF: reading the
// file from disk, parsing, projecting, checking and placing, best of a few runs; and the memory one
// import takes at its peak, in a process of its own, beside the file's size. The files are written
// first, into the folder given as the argument (the current folder by default); further arguments are
// files of one's own to measure the same way.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

bool ImportOnce(const char* path) {
    ImportSource source;
    std::string message;
    if (ReadImportFile(path, &source, &message) != ImportFileError::None)
        return false;
    return BuildImport(source, ImportSettings()).refusal.empty();
}

// The peak resident size of one import in a fresh process of this program, so that neither the
// benchmark's own texts nor the earlier runs count; negative where it cannot be told.
double ImportPeakMegabytes(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return -1.0;
#else
    pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", "import_bench", "--peak", path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
#endif
}

bool PrintRow(const std::string& format, const std::string& path, double megabytes) {
    double seconds;
    ImportResult result;
    bool imported = TimeImport(path, &seconds, &result);
    double peak = ImportPeakMegabytes(path);
    printf("%-8s %10.1f %10zu %10d %10.3f %10.0f %8.1f%s\n", format.c_str(), megabytes, result.polygons.size(),
           result.vertices, seconds, peak, peak / megabytes, imported ? "" : "  FAILED");
    return imported;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--peak")
        return ImportOnce(argv[2]) ? 0 : 1;
    std::string folder = argc > 1 ? argv[1] : ".";
    struct Input {
        const char* format;
        std::string path;
        std::string text;
    };
    const Input inputs[] = {{"GeoJSON", folder + "/bench_buildings.geojson", GeoJsonText()},
                            {"DXF", folder + "/bench_buildings.dxf", DxfText()}};
    printf("%-8s %10s %10s %10s %10s %10s %8s\n", "format", "MB", "polygons", "vertices", "seconds", "peak MB",
           "x file");
    bool ok = true;
    for (const Input& input : inputs) {
        if (!WriteFileAtomically(input.path.c_str(), std::vector<uint8_t>(input.text.begin(), input.text.end()))) {
            fprintf(stderr, "%s cannot be written\n", input.path.c_str());
            return 3;
        }
        ok = PrintRow(input.format, input.path, input.text.size() / 1e6) && ok;
        remove(input.path.c_str());
    }
    for (int i = 2; i < argc; i++) {
        FILE* file = fopen(argv[i], "rb");
        if (!file || fseek(file, 0, SEEK_END) != 0)
            return 2;
        double megabytes = ftell(file) / 1e6;
        fclose(file);
        ok = PrintRow(argv[i], argv[i], megabytes) && ok;
    }
    return ok ? 0 : 1;
}

#include "bench/district.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int Columns = 100;
constexpr int TerraceLength = 10;
constexpr double Spacing = 30.0;

using Corners = std::vector<std::pair<double, double>>;

// An L-shaped building of six corners, 12 to 20 m across.
Corners Detached(int column, int row) {
    double x = column * Spacing, y = row * Spacing;
    double w = 12.0 + (column * 7 + row * 3) % 9, d = 10.0 + (column * 5 + row * 11) % 8;
    return {{x, y}, {x + w, y}, {x + w, y + d / 2}, {x + w / 2, y + d / 2}, {x + w / 2, y + d}, {x, y + d}};
}

// A terraced house 10 m wide with a back extension, sharing its side walls with its neighbours; the
// terraces stand 10 m apart.
Corners Terraced(int column, int row) {
    int terrace = column / TerraceLength, house = column % TerraceLength;
    double x = terrace * (TerraceLength * 10.0 + 10.0) + house * 10.0, y = row * Spacing;
    double back = 8.0 + (column * 3 + row) % 4;
    return {{x, y}, {x + 10, y}, {x + 10, y + 8}, {x + 6, y + 8}, {x + 6, y + back}, {x, y + back}};
}

}  // namespace

std::string DistrictGeoJson(int rows) {
    const double metresPerDegreeY = 111200.0, metresPerDegreeX = 75900.0;  // near 47 degrees north
    std::string text = R"({"type":"FeatureCollection","features":[)";
    char number[64];
    for (int row = 0; row < rows; row++)
        for (int column = 0; column < Columns; column++) {
            text += row + column ? "," : "";
            text += R"({"type":"Feature","properties":{"name":"B)" + std::to_string(row * Columns + column) +
                    R"(","height":)" + std::to_string(6 + (row + column) % 20) +
                    R"(},"geometry":{"type":"Polygon","coordinates":[[)";
            Corners corners = row < rows / 2 ? Detached(column, row) : Terraced(column, row);
            corners.push_back(corners.front());
            for (size_t k = 0; k < corners.size(); k++) {
                snprintf(number, sizeof number, "%s[%.9f,%.9f]", k ? "," : "",
                         8.5 + corners[k].first / metresPerDegreeX, 47.3 + corners[k].second / metresPerDegreeY);
                text += number;
            }
            text += "]]}}";
        }
    return text + "]}\n";
}

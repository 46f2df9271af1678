#include "exchange/courtyard_split.h"

#include <algorithm>
#include <cmath>

#include "engine/clipper/clipper.h"

namespace {

// A rectangle from x = from to x = to, reaching well past the region in y.
ClipPolygon Slab(double from, double to, double low, double high) {
    Point corners[4] = {{from, low}, {to, low}, {to, high}, {from, high}};
    return SingleContourPolygon(corners, 4);
}

// Cuts the region along a vertical line through the middle of one of its holes, so that the hole
// opens into a bay on both sides, and goes on with each side until no hole is left. Each cut removes
// at least that hole from both sides, so the depth is at most the number of holes.
bool SplitRegion(const ClipPolygon& region, std::vector<std::vector<Point>>* pieces) {
    const ClipContour* hole = nullptr;
    double low = INFINITY, high = -INFINITY, left = INFINITY, right = -INFINITY;
    for (const ClipContour& contour : region.contours)
        for (const Point& p : contour.points) {
            low = std::min(low, p.y), high = std::max(high, p.y);
            left = std::min(left, p.x), right = std::max(right, p.x);
            if (contour.hole)
                hole = &contour;
        }
    if (!hole) {
        for (const ClipContour& contour : region.contours)
            pieces->push_back(contour.points);
        return true;
    }
    auto byX = [](Point a, Point b) { return a.x < b.x; };
    auto [west, east] = std::minmax_element(hole->points.begin(), hole->points.end(), byX);
    double cut = (west->x + east->x) / 2.0;
    double margin = 1.0 + (high - low) + (right - left);
    ClipPolygon westSide, eastSide;
    return ClipDifference(region, Slab(cut, right + margin, low - margin, high + margin), &westSide, true) &&
           ClipDifference(region, Slab(left - margin, cut, low - margin, high + margin), &eastSide, true) &&
           SplitRegion(westSide, pieces) && SplitRegion(eastSide, pieces);
}

}  // namespace

std::string SplitCourtyards(const std::vector<std::vector<Point>>& rings, std::vector<std::vector<Point>>* pieces) {
    ClipPolygon given;
    double expected = 0.0;
    for (size_t i = 0; i < rings.size(); i++) {
        given.contours.push_back({i > 0, rings[i]});
        double area = PolygonArea(rings[i].data(), static_cast<int32_t>(rings[i].size()));
        expected += i > 0 ? -area : area;
    }
    ClipPolygon region;
    if (!StrictlySimpleForm(given, &region))
        return "its rings cannot be combined";
    // Holes that stick out of the outer ring or overlap each other change the area that the rings
    // announce; the micrometre grid of the clipper accounts for far less than this tolerance.
    if (std::fabs(RegionArea(region) - expected) > 1e-6 * expected + 1e-3 || OuterContourCount(region) != 1)
        return "its courtyards overlap each other or reach outside its outer ring";
    std::vector<std::vector<Point>> found;
    if (!SplitRegion(region, &found))
        return "it cannot be split into polygons without courtyards";
    *pieces = std::move(found);
    return "";
}

#include "view/result_mapping.h"

#include <algorithm>
#include <utility>

ResultMapping::ResultMapping(const CalcResult& result, bool ad, int32_t width, int32_t height) {
    bool found = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int32_t c = 0; c < result.contourCount; c++) {
        if ((result.adFlags[c] != 0) != ad)
            continue;
        for (const Point& p : result.contours[c]) {
            if (!found) {
                minX = maxX = p.x;
                minY = maxY = p.y;
                found = true;
            }
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    shorterSide = std::min(width, height);
    size = std::max(maxX - minX, maxY - minY);
    if (!usable())
        return;
    halfWidth = width * 0.5 * size / shorterSide;
    halfHeight = height * 0.5 * size / shorterSide;
    centreX = (minX + maxX) * 0.5;
    centreY = (minY + maxY) * 0.5;
}

PixelPoint ResultMapping::map(double x, double y) const {
    return {static_cast<int32_t>((x - centreX + halfWidth) / size * shorterSide),
            static_cast<int32_t>((y - centreY + halfHeight) / size * shorterSide)};
}

// Largest area first; equal areas keep the clipper's contour order.
std::vector<int32_t> ResultPaintOrder(const CalcResult& result, bool ad) {
    std::vector<std::pair<double, int32_t>> byArea;
    for (int32_t c = 0; c < result.contourCount; c++) {
        if ((result.adFlags[c] != 0) != ad)
            continue;
        const std::vector<Point>& points = result.contours[c];
        byArea.emplace_back(PolygonArea(points.data(), static_cast<int32_t>(points.size())), c);
    }
    std::stable_sort(byArea.begin(), byArea.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int32_t> order;
    for (const auto& entry : byArea)
        order.push_back(entry.second);
    return order;
}

PixelPoint GhostVertex(PixelPoint pointer, Point vertex, Point dragOrigin, double z, int32_t dpi) {
    double span = ZoomPixels(dpi);
    return {PixelCoordinate(pointer.x + PixelCoordinate((vertex.x - dragOrigin.x) * span / z)),
            PixelCoordinate(pointer.y + PixelCoordinate((vertex.y - dragOrigin.y) * span / z))};
}

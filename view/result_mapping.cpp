#include "view/result_mapping.h"

#include <algorithm>

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

// A bubble sort that swaps neighbours only on a strictly larger area is stable, which keeps the
// painting of equal contours in the clipper's order.
std::vector<int32_t> ResultPaintOrder(const CalcResult& result, bool ad) {
    std::vector<int32_t> order;
    std::vector<double> areas;
    for (int32_t c = 0; c < result.contourCount; c++) {
        if ((result.adFlags[c] != 0) != ad)
            continue;
        order.push_back(c);
        const std::vector<Point>& points = result.contours[c];
        areas.push_back(PolygonArea(points.data(), static_cast<int32_t>(points.size())));
    }
    for (size_t pass = 0; pass + 1 < order.size(); pass++)
        for (size_t i = 0; i + 1 < order.size() - pass; i++)
            if (areas[i + 1] > areas[i]) {
                std::swap(areas[i], areas[i + 1]);
                std::swap(order[i], order[i + 1]);
            }
    return order;
}

PixelPoint GhostVertex(PixelPoint pointer, Point vertex, Point dragOrigin, double z, int32_t dpi) {
    double span = ZoomPixels(dpi);
    return {PixelCoordinate(pointer.x + PixelCoordinate((vertex.x - dragOrigin.x) * span / z)),
            PixelCoordinate(pointer.y + PixelCoordinate((vertex.y - dragOrigin.y) * span / z))};
}

#include "exchange/footprint_checks.h"

#include <algorithm>
#include <cmath>

#include "model/height_limit.h"

namespace {

bool Close(const CalcVertex& a, const CalcVertex& b) {
    return std::hypot(a.x - b.x, a.y - b.y) < MergeDistance;
}

}  // namespace

void MergeCloseVertices(std::vector<CalcVertex>* vertices) {
    std::vector<CalcVertex> kept;
    for (const CalcVertex& v : *vertices)
        if (kept.empty() || !Close(kept.back(), v))
            kept.push_back(v);
    while (kept.size() > 1 && Close(kept.back(), kept.front()))
        kept.pop_back();
    *vertices = std::move(kept);
}

std::string FootprintFault(const std::vector<CalcVertex>& vertices) {
    for (const CalcVertex& v : vertices)
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.height))
            return "a coordinate or height is not a finite number";
    if (vertices.size() < 3)
        return "it has fewer than 3 distinct vertices";
    for (const CalcVertex& v : vertices)
        if (v.height < MinHeight)
            return "a height is below 0.01 m";
    for (const CalcVertex& v : vertices)
        if (v.height > MaxVertexHeight)
            return "a height is above 1000 m";
    if (PassesTwiceThroughAVertex(vertices))
        return "it passes twice through the same vertex";
    size_t first, second;
    if (FirstCrossingEdges(vertices, &first, &second))
        return "edges " + std::to_string(first + 1) + " and " + std::to_string(second + 1) + " cross or overlap";
    return "";
}

#include "app/structure_highlight.h"

#include <algorithm>

void StructureHighlight::show(std::vector<int32_t> polygons) {
    std::sort(polygons.begin(), polygons.end());
    polygons.erase(std::unique(polygons.begin(), polygons.end()), polygons.end());
    marked = std::move(polygons);
}

bool StructureHighlight::has(int32_t polygon) const {
    return std::binary_search(marked.begin(), marked.end(), polygon);
}

bool StructureHighlight::pick(int32_t polygon) const {
    if (!pickListener)
        return false;
    pickListener(polygon);
    return true;
}

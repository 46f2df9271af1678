#include "model/polygon_store.h"

#include <cstring>
#include <utility>

#include "model/drawing_options.h"

void SetPolygonName(PolygonRecord* polygon, const char* text) {
    size_t length = strnlen(text, PolygonNameSize - 1);
    memcpy(polygon->name, text, length);
    memset(polygon->name + length, 0, PolygonNameSize - length);
}

void SetPolygonVertices(PolygonRecord* polygon, const double* x, const double* y, const double* height, int32_t count) {
    polygon->x.assign(x, x + count);
    polygon->y.assign(y, y + count);
    polygon->height.assign(height, height + count);
    polygon->vertexCount = count;
}

bool PolygonWellFormed(const PolygonRecord& polygon) {
    size_t n = static_cast<size_t>(polygon.vertexCount);
    return polygon.vertexCount >= 0 && polygon.x.size() == n && polygon.y.size() == n && polygon.height.size() == n &&
           PriorityIndexValid(polygon.priority) && memchr(polygon.name, 0, PolygonNameSize) != nullptr;
}

bool PolygonStore::appendPolygon(PolygonRecord polygon) {
    if (!PolygonWellFormed(polygon))
        return false;
    counts.push_back(polygon.vertexCount);
    priorityIndexes.push_back(polygon.priority);
    records.push_back(std::move(polygon));
    return true;
}

bool PolygonStore::removePolygon(int32_t index) {
    if (index < 0 || index >= count())
        return false;
    records.erase(records.begin() + index);
    counts.erase(counts.begin() + index);
    priorityIndexes.erase(priorityIndexes.begin() + index);
    return true;
}

// Either every polygon of the list is taken or, when one is malformed, none is.
bool PolygonStore::replacePolygons(std::vector<PolygonRecord> list) {
    for (const PolygonRecord& polygon : list)
        if (!PolygonWellFormed(polygon))
            return false;
    records = std::move(list);
    counts.clear();
    priorityIndexes.clear();
    for (const PolygonRecord& polygon : records) {
        counts.push_back(polygon.vertexCount);
        priorityIndexes.push_back(polygon.priority);
    }
    return true;
}

void PolygonStore::clearPolygons() {
    records.clear();
    counts.clear();
    priorityIndexes.clear();
}

bool PolygonStore::validVertex(int32_t index, int32_t vertex) const {
    return index >= 0 && index < count() && vertex >= 0 && vertex < records[index].vertexCount;
}

bool PolygonStore::moveVertex(int32_t index, int32_t vertex, double x, double y) {
    if (!validVertex(index, vertex))
        return false;
    records[index].x[vertex] = x;
    records[index].y[vertex] = y;
    return true;
}

bool PolygonStore::movePolygon(int32_t index, double dx, double dy) {
    if (index < 0 || index >= count())
        return false;
    PolygonRecord& polygon = records[index];
    for (int32_t i = 0; i < polygon.vertexCount; i++) {
        polygon.x[i] += dx;
        polygon.y[i] += dy;
    }
    return true;
}

bool PolygonStore::setVertexHeight(int32_t index, int32_t vertex, double height) {
    if (!validVertex(index, vertex))
        return false;
    records[index].height[vertex] = height;
    return true;
}

bool PolygonStore::setName(int32_t index, const char* name) {
    if (index < 0 || index >= count())
        return false;
    SetPolygonName(&records[index], name);
    return true;
}

bool PolygonStore::setPriority(int32_t index, int32_t priority) {
    if (index < 0 || index >= count() || !PriorityIndexValid(priority))
        return false;
    records[index].priority = priority;
    priorityIndexes[index] = priority;
    return true;
}

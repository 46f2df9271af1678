// The polygons of a drawing in creation order, with the vertex-count and priority arrays kept beside them.
#pragma once

#include <cstdint>
#include <vector>

constexpr int32_t PolygonNameSize = 100;  // bytes, including the terminating NUL

// One polygon of the drawing: its vertices, draw priority and name. (Not "Polygon": Windows declares a
// drawing function of that name.)
struct PolygonRecord {
    int32_t vertexCount = 0;
    int32_t priority = 0;  // index into PriorityValues; 0 is drawn on top
    char name[PolygonNameSize] = {};
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> height;  // metres, varying linearly along each edge
};

// Copies text into the name buffer, cutting it at 99 bytes so the NUL always fits.
void SetPolygonName(PolygonRecord* polygon, const char* text);

// Fills x, y and height from parallel arrays and sets vertexCount to match.
void SetPolygonVertices(PolygonRecord* polygon, const double* x, const double* y, const double* height, int32_t count);

// A record the store accepts: arrays of vertexCount elements, a priority index in range, a terminated name.
bool PolygonWellFormed(const PolygonRecord& polygon);

// The index of a polygon is its identity for selection, hit testing, deletion and its place in the file.
// The two parallel arrays duplicate each record's vertexCount and priority; every operation that changes
// the store or a priority writes both places, so readers may scan the arrays alone.
class PolygonStore {
  public:
    int32_t count() const { return static_cast<int32_t>(records.size()); }
    const PolygonRecord& polygon(int32_t index) const { return records[index]; }
    const std::vector<int32_t>& vertexCounts() const { return counts; }
    const std::vector<int32_t>& priorities() const { return priorityIndexes; }

    bool appendPolygon(PolygonRecord polygon);
    bool removePolygon(int32_t index);
    bool replacePolygons(std::vector<PolygonRecord> list);
    void clearPolygons();

    bool moveVertex(int32_t index, int32_t vertex, double x, double y);
    bool movePolygon(int32_t index, double dx, double dy);
    bool setVertexHeight(int32_t index, int32_t vertex, double height);
    bool setName(int32_t index, const char* name);
    bool setPriority(int32_t index, int32_t priority);

  private:
    bool validVertex(int32_t index, int32_t vertex) const;
    std::vector<PolygonRecord> records;
    std::vector<int32_t> counts;
    std::vector<int32_t> priorityIndexes;
};

#include "tests/drawing_builders.h"

#include <cmath>
#include <cstdio>

#include "model/drawing_file.h"
#include "model/file_io.h"

PolygonRecord MakePolygon(const char* name, int32_t priority, const std::vector<TestVertex>& vertices) {
    PolygonRecord polygon;
    SetPolygonName(&polygon, name);
    polygon.priority = priority;
    for (const TestVertex& v : vertices) {
        polygon.x.push_back(v.x);
        polygon.y.push_back(v.y);
        polygon.height.push_back(v.height);
    }
    polygon.vertexCount = static_cast<int32_t>(vertices.size());
    return polygon;
}

PolygonRecord Square(double left, double bottom, double side, double height) {
    return MakePolygon("Square", 0,
                       {{left, bottom, height},
                        {left + side, bottom, height},
                        {left + side, bottom + side, height},
                        {left, bottom + side, height}});
}

PolygonRecord Round(double radius, int vertices, double height, double notch) {
    std::vector<TestVertex> points;
    for (int i = 0; i < vertices; i++) {
        double angle = 2 * 3.14159265358979323846 * i / vertices, reach = i % 2 ? radius - notch : radius;
        points.push_back({reach * std::cos(angle), reach * std::sin(angle), height});
    }
    return MakePolygon("Round", 0, points);
}

bool WriteDrawing(const std::string& path, const std::vector<PolygonRecord>& polygons, double mapSize) {
    Drawing source;
    source.drawOptions.mapSize = mapSize;
    for (const PolygonRecord& polygon : polygons)
        source.polygons.appendPolygon(polygon);
    return WriteDrawingFile(path.c_str(), source) == FileError::None;
}

int PolygonsInFile(const std::string& path) {
    Drawing read;
    return ReadDrawingFile(path.c_str(), &read) == FileError::None ? read.polygons.count() : -1;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(path.c_str(), &bytes);
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (FILE* file = fopen(path.c_str(), "wb")) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
}

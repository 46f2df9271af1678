// Builders of polygons, drawings and drawing files, shared by the core tests, the window tests and the
// example generator, so that all of them make drawings the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/drawing.h"

struct TestVertex {
    double x, y, height;
};

PolygonRecord MakePolygon(const char* name, int32_t priority, const std::vector<TestVertex>& vertices);

// An axis-parallel square from (left, bottom), named "Square", and a regular polygon round the origin
// with its first vertex on the x axis, named "Round"; both at one height. With a notch, every second
// vertex of the round one stands that much nearer the centre: the calculation cannot then trace it and
// takes far longer.
PolygonRecord Square(double left, double bottom, double side, double height);
PolygonRecord Round(double radius, int vertices, double height, double notch = 0.0);

// The file bytes of a drawing of these polygons with default options but the map size.
bool WriteDrawing(const std::string& path, const std::vector<PolygonRecord>& polygons, double mapSize = 100.0);
int PolygonsInFile(const std::string& path);  // -1 when the file cannot be read

std::vector<uint8_t> FileBytes(const std::string& path);  // empty when it cannot be read
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

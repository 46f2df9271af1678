// Small builders shared by the core tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/drawing.h"

struct TestVertex {
    double x, y, height;
};

Polygon MakePolygon(const char* name, int32_t priority, const std::vector<TestVertex>& vertices);

// A path inside a fresh folder of this test process's own, so runs never see each other's files.
std::string TestPath(const char* name);

std::vector<uint8_t> FileBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::string& path);

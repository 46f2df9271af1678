#include "tests/test_support.h"

#include <cstdio>
#include <filesystem>
#include <random>

#include "model/file_io.h"

Polygon MakePolygon(const char* name, int32_t priority, const std::vector<TestVertex>& vertices) {
    Polygon polygon;
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

namespace {

// Made on first use and removed with everything in it when the test process ends.
struct TestFolder {
    TestFolder()
        : path(std::filesystem::temp_directory_path() / ("zelvora-tests-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(path);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

}  // namespace

std::string TestPath(const char* name) {
    static const TestFolder folder;
    return (folder.path / name).string();
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(path.c_str(), &bytes);
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

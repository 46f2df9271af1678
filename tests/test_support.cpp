#include "tests/test_support.h"

#include <filesystem>
#include <random>

#include "app/session.h"
#include "engine/checks/polygon_checks.h"

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

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

void ShowResultOfDrawing(Session& session, int32_t contours) {
    CalcResult result;
    result.contourCount = contours;
    session.shownResult.accept(MakeCalcInput(session.drawing), session.drawing.calcOptions, result);
}

int32_t ShownContours(const Session& session) {
    return session.shownResult.of(session.drawing).contourCount;
}

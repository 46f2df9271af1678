#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "cli/cli_calculation.h"
#include "engine/construction/ad_am_outlines.h"
#include "model/drawing_bytes.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "tests/test_support.h"

namespace {

Drawing TowerOf(double height) {
    Drawing source;
    source.polygons.appendPolygon(MakePolygon("Tower", 1, {{0, 0, 20}, {10, 0, height}, {10, 10, 20}, {0, 10, 20}}));
    return source;
}

std::vector<std::string> NamesBeside(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        names.push_back(entry.path().filename().string());
    return names;
}

bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

// The height limit where a drawing enters from a file, and where it is calculated: the file is refused,
// the calculation names the polygon and the vertex.
TEST(HeightLimit, FilesAndCalculationsRefuseHeightsAboveTheLimit) {
    struct Case {
        double height;
        FileError read;
    };
    const Case cases[] = {{1000.0, FileError::None},
                          {1000.001, FileError::HeightTooLarge},
                          {1e12, FileError::HeightTooLarge},
                          {1e300, FileError::HeightTooLarge}};
    for (const Case& c : cases) {
        std::string path = TestPath("tower.Zlv");
        ASSERT_EQ(WriteDrawingFile(path.c_str(), TowerOf(c.height)), FileError::None);
        Drawing read;
        EXPECT_EQ(ReadDrawingFile(path.c_str(), &read), c.read) << c.height;

        Drawing tower = TowerOf(c.height);
        CalcInput input = MakeCalcInput(tower);
        CalcRun run;
        EXPECT_EQ(ComputeAdAm(&input, CalcOptions(), &run), c.read == FileError::None) << c.height;
        CalcResult result;
        testing::internal::CaptureStderr();
        double seconds;
        bool calculated = CalculateDrawing(tower, CalcOptions(), true, &result, &seconds);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(calculated, c.read == FileError::None) << c.height;
        if (!calculated) {
            EXPECT_NE(said.find("polygon 1 (Tower), vertex 2: height"), std::string::npos) << said;
        }
    }
    EXPECT_STREQ(FileErrorText(FileError::HeightTooLarge),
                 "the file has a vertex height above 1000 m, the most a vertex can have");
}

// A drawing is read no further than its counts announce and a little room for its optional blocks.
TEST(DrawingFileSize, ReadsNoFurtherThanTheCountsAnnounce) {
    std::vector<uint8_t> good = EncodeDrawing(TowerOf(20));
    std::string path = TestPath("announced.Zlv");
    struct Case {
        const char* what;
        size_t extra;  // bytes after the last height
        FileError error;
    };
    const Case cases[] = {{"blocks within the room", 4096, FileError::None},
                          {"just the room", MaxTrailingBytes, FileError::None},
                          {"more than the room", MaxTrailingBytes + 1, FileError::TooLarge}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        bytes.resize(good.size() + c.extra);
        WriteBytes(path, bytes);
        std::vector<uint8_t> read;
        EXPECT_EQ(ReadDrawingBytes(path.c_str(), &read), c.error) << c.what;
        EXPECT_EQ(read.size(), c.error == FileError::None ? bytes.size() : 0u) << c.what;
    }
    // A short file is read whole for the decoder to call it truncated.
    good.resize(1302);
    WriteBytes(path, good);
    Drawing drawing;
    EXPECT_EQ(ReadDrawingFile(path.c_str(), &drawing), FileError::Truncated);
#ifndef _WIN32
    // A name that leads to an endless device is refused at once.
    std::string endless = TestPath("endless.Zlv");
    std::filesystem::create_symlink("/dev/zero", endless);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadDrawingFile(endless.c_str(), &drawing), FileError::TooLarge);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
#endif
}

// A save that was killed before its rename leaves its temporary file; the next save of the same target
// removes it, unless the process that wrote it still runs. Other files are never touched.
TEST(SaveLeftovers, TheNextSaveOfTheTargetRemovesThoseOfEndedSaves) {
    std::string path = TestPath("site.Zlv");
    std::string prefix = TemporaryPrefixBeside(path.c_str());
    std::string folder = path.substr(0, path.size() - 8);
    std::string own = TemporaryNameBeside(path.c_str());
    char ownId[9];
    snprintf(ownId, sizeof ownId, "%08x", static_cast<unsigned>(CurrentProcessId()));
    EXPECT_EQ(own.substr(0, prefix.size() + 8), prefix + ownId);
    EXPECT_NE(TemporaryPrefixBeside(TestPath("other.Zlv").c_str()), prefix) << "each target has its own names";
    EXPECT_EQ(prefix.substr(folder.size(), 4), "~zlv");

    struct Case {
        const char* what;
        std::string name;
        bool removed;
    };
    const Case cases[] = {
        {"a save whose process ended", prefix.substr(folder.size()) + "7ffffff1" + "0a1b.tmp", true},
        {"a save of this running process", own.substr(folder.size()), false},
        {"another target's save", TemporaryNameBeside(TestPath("other.Zlv").c_str()).substr(folder.size()), false},
        {"a user's file named alike", prefix.substr(folder.size()) + "7ffffff1" + "0a1b.tmp.bak", false},
        {"a user's file with letters", prefix.substr(folder.size()) + "7ffffff1" + "notx.tmp", false},
    };
    for (const Case& c : cases)
        WriteBytes(folder + c.name, std::vector<uint8_t>(1000, 7));
    ASSERT_EQ(WriteDrawingFile(path.c_str(), TowerOf(20)), FileError::None);
    std::vector<std::string> names = NamesBeside(path);
    for (const Case& c : cases)
        EXPECT_EQ(Has(names, c.name), !c.removed) << c.what;
    EXPECT_EQ(FileBytes(path), EncodeDrawing(TowerOf(20)));
    for (const Case& c : cases)
        std::filesystem::remove(folder + c.name);

#ifndef _WIN32
    // A real save killed part-way, in a child process that ends in the middle of its write.
    pid_t child = fork();
    if (child == 0) {
        fileWrite = [](const void* data, size_t, size_t count, FILE* file) -> size_t {
            fwrite(data, 1, count / 2, file);
            fflush(file);
            _exit(9);
        };
        WriteDrawingFile(path.c_str(), TowerOf(30));
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    size_t leftovers = 0;
    for (const std::string& name : NamesBeside(path))
        leftovers += name.rfind(prefix.substr(folder.size()), 0) == 0;
    EXPECT_EQ(leftovers, 1u) << "the killed save left its temporary file";
    EXPECT_EQ(FileBytes(path), EncodeDrawing(TowerOf(20))) << "and the target as it was";
    ASSERT_EQ(WriteDrawingFile(path.c_str(), TowerOf(40)), FileError::None);
    for (const std::string& name : NamesBeside(path))
        EXPECT_NE(name.rfind(prefix.substr(folder.size()), 0), 0u) << name;
#endif
}

#include <gtest/gtest.h>

#include <filesystem>

#include "model/drawing_file.h"
#include "model/file_io.h"
#include "tests/test_support.h"

namespace {

// Lets the first bytes through and then fails, as a disk that fills up part-way does.
size_t budget = 0;
size_t WriteUntilFull(const void* data, size_t size, size_t count, FILE* file) {
    size_t wanted = size * count;
    size_t granted = wanted < budget ? wanted : budget;
    budget -= granted;
    return fwrite(data, 1, granted, file) / (size ? size : 1);
}

struct FullDisk {
    explicit FullDisk(size_t bytesThatFit) {
        budget = bytesThatFit;
        fileWrite = WriteUntilFull;
    }
    ~FullDisk() { fileWrite = fwrite; }
};

Drawing SmallDrawing(const char* name) {
    Drawing source;
    source.polygons.appendPolygon(MakePolygon(name, 1, {{0, 0, 5}, {8, 0, 5}, {8, 6, 7}, {0, 6, 7}}));
    return source;
}

// The temporary files a write would leave: every name in the target's folder that starts like one.
bool LeftoversBeside(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string()[0] == '~')
            return true;
    return false;
}

}  // namespace

TEST(AtomicWrite, FullDiskLeavesTheOldFileIntact) {
    std::string path = TestPath("full.Zlv");
    ASSERT_EQ(WriteDrawingFile(path.c_str(), SmallDrawing("good")), FileError::None);
    std::vector<uint8_t> good = FileBytes(path);

    for (size_t fits : {size_t(0), size_t(1), size_t(1300), good.size() - 1}) {
        FullDisk disk(fits);
        EXPECT_EQ(WriteDrawingFile(path.c_str(), SmallDrawing("newer, longer name")), FileError::CannotWrite);
        EXPECT_EQ(FileBytes(path), good) << fits << " bytes fitted";
        EXPECT_FALSE(LeftoversBeside(path)) << "temporary file left after " << fits << " bytes";
    }
}

TEST(AtomicWrite, SuccessReplacesTheWholeFile) {
    std::string path = TestPath("replace.Zlv");
    WriteBytes(path, std::vector<uint8_t>(5000, 0xAB));  // longer than what replaces it
    ASSERT_EQ(WriteDrawingFile(path.c_str(), SmallDrawing("fresh")), FileError::None);
    EXPECT_EQ(FileBytes(path), EncodeDrawing(SmallDrawing("fresh")));
    EXPECT_FALSE(LeftoversBeside(path));
}

TEST(AtomicWrite, UnwritablePlacesFailWithoutCreatingAnything) {
    std::string missingFolder = TestPath("no-such-folder") + "/drawing.Zlv";
    EXPECT_EQ(WriteDrawingFile(missingFolder.c_str(), SmallDrawing("x")), FileError::CannotWrite);
    EXPECT_FALSE(FileExists(missingFolder));

    std::string folder = TestPath("a-folder");
    std::filesystem::create_directories(folder + "/inside");
    EXPECT_EQ(WriteDrawingFile(folder.c_str(), SmallDrawing("x")), FileError::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside")) << "a folder in the way stays as it was";
    EXPECT_FALSE(LeftoversBeside(folder));
}

TEST(WholeFileRead, ReadsLargeFilesCompletely) {
    std::string path = TestPath("large.bin");
    std::vector<uint8_t> bytes(200 * 1024 + 17);
    for (size_t i = 0; i < bytes.size(); i++)
        bytes[i] = static_cast<uint8_t>(i * 31);
    WriteBytes(path, bytes);
    std::vector<uint8_t> read;
    ASSERT_TRUE(ReadWholeFile(path.c_str(), &read));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(ReadWholeFile(TestPath("absent.bin").c_str(), &read));
}

// The temporary file never takes the name of a file the user has; its name is of one length, which
// names the program, the target and the writing process.
TEST(AtomicWrite, TemporaryFileNeverTouchesAnotherFile) {
    std::string path = TestPath("neighbour.Zlv");
    for (const char* other : {".saving", ".tmp", "~"}) {
        WriteBytes(path + other, {1, 2, 3});
        ASSERT_EQ(WriteDrawingFile(path.c_str(), SmallDrawing("kept apart")), FileError::None);
        EXPECT_EQ(FileBytes(path + other), (std::vector<uint8_t>{1, 2, 3})) << other;
        std::filesystem::remove(path + other);
    }
    EXPECT_FALSE(LeftoversBeside(path));

    struct Case {
        std::string target;
        size_t nameLength;
    };
    const Case cases[] = {
        {"a/b/drawing-with-a-long-name.Zlv", 28}, {"a/b/plan.Zlv", 28}, {"x.Zlv", 28}, {"c:\\plans\\site.Zlv", 28}};
    for (const Case& c : cases) {
        std::string temporary = TemporaryNameBeside(c.target.c_str());
        size_t folder = c.target.find_last_of("/\\") + 1;
        EXPECT_EQ(temporary.substr(0, folder), c.target.substr(0, folder)) << c.target;
        EXPECT_EQ(temporary.size() - folder, c.nameLength) << c.target;
        EXPECT_EQ(temporary[folder], '~') << c.target;
        EXPECT_NE(TemporaryNameBeside(c.target.c_str()), temporary) << "names are drawn at random";
    }
}

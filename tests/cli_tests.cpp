#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "model/drawing_file.h"
#include "tests/test_support.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunTool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "zelvora-cli");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int status = RunCli(static_cast<int>(arguments.size()), argv.data());
    fflush(stdout);
    fflush(stderr);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    return {status, out, err};
}

std::string Example(const char* name) {
    return std::string(ZELVORA_EXAMPLES) + "/" + name;
}

std::string WriteDrawing(const char* name, const std::vector<Polygon>& polygons) {
    Drawing source;
    for (const Polygon& polygon : polygons)
        source.polygons.appendPolygon(polygon);
    std::string path = TestPath(name);
    WriteDrawingFile(path.c_str(), source);
    return path;
}

}  // namespace

TEST(CliInfo, DescribesAValidDrawing) {
    CliRun run = RunTool({"info", Example("house.Zlv")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "format: 1\n"
              "snap: off\n"
              "snap step [m]: 1\n"
              "zoom: x 1.0\n"
              "map size [m]: 100\n"
              "height projection: 3\n"
              "distance projection [m]: 500\n"
              "polygons: 1\n"
              "vertices: 4\n"
              "valid: yes\n"
              "neighbours: yes\n"
              "outer contours: 1\n"
              "0\tHouse\t1\t4\n");
}

TEST(CliInfo, ReportsInvalidAndSeparatePolygons) {
    Polygon bowTie = MakePolygon("bow tie", 9, {{0, 0, 1}, {10, 10, 1}, {10, 0, 1}, {0, 10, 1}});
    Polygon apart = MakePolygon("apart", 4, {{50, 50, 1}, {60, 50, 1}, {60, 60, 1}});
    CliRun run = RunTool({"info", WriteDrawing("two.Zlv", {bowTie, apart})});
    EXPECT_EQ(run.status, 0);
    // The bow tie's two lobes meet in one point only, so they count as two outer contours.
    EXPECT_NE(run.out.find("valid: no\nneighbours: no\nouter contours: 3\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0\tbow tie\t10\t4\n1\tapart\t5\t3\n"), std::string::npos) << run.out;
}

TEST(CliInfo, EmptyDrawingIsNotValid) {
    CliRun run = RunTool({"info", WriteDrawing("empty.Zlv", {})});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("polygons: 0\nvertices: 0\nvalid: no\nneighbours: yes\nouter contours: 0\n"),
              std::string::npos)
        << run.out;
}

TEST(CliInfo, RefusedFilesExitTwo) {
    std::string truncated = TestPath("truncated.Zlv");
    std::vector<uint8_t> bytes = FileBytes(Example("house.Zlv"));
    bytes.resize(bytes.size() - 1);
    WriteBytes(truncated, bytes);
    for (const std::string& path : {truncated, TestPath("absent.Zlv")}) {
        CliRun run = RunTool({"info", path});
        EXPECT_EQ(run.status, 2) << path;
        EXPECT_EQ(run.err.rfind("Error to opening file\n", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliCopy, RoundTripIsByteForByte) {
    for (const char* name : {"house.Zlv", "l_building.Zlv", "industrial_site.Zlv"}) {
        std::string copy = TestPath(name);
        CliRun run = RunTool({"copy", Example(name), copy});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(FileBytes(copy), FileBytes(Example(name))) << name;
    }
}

TEST(CliCopy, UnwritableTargetExitsThree) {
    CliRun run = RunTool({"copy", Example("house.Zlv"), TestPath("no-folder") + "/out.Zlv"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err.rfind("Error to write file\n", 0), 0u) << run.err;
}

TEST(CliUsage, WrongCommandLinesExit64WithUsage) {
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"frobnicate"}, {"info"}, {"info", "a", "b"}, {"copy", "only-one"},
    };
    for (const auto& arguments : wrong) {
        CliRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 64) << (arguments.empty() ? "(none)" : arguments[0]);
        EXPECT_NE(run.err.find("usage"), std::string::npos) << run.err;
    }
}

TEST(CliUsage, HelpNamesEveryCommand) {
    CliRun run = RunTool({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* word : {"info FILE.Zlv", "copy IN.Zlv OUT.Zlv", "Exit status"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

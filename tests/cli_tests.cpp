#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "tests/cli_run.h"
#include "tests/test_support.h"

namespace {

std::string Example(const char* name) {
    return std::string(ZELVORA_EXAMPLES) + "/" + name;
}

// A drawing file of the polygons in the test folder, and its path.
std::string DrawingAt(const char* name, const std::vector<PolygonRecord>& polygons) {
    std::string path = TestPath(name);
    WriteDrawing(path, polygons);
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

// Each vertex in the shortest text that reads back as the same number, so that scripts lose nothing.
TEST(CliInfo, ListsVerticesOnRequest) {
    PolygonRecord odd = MakePolygon("odd", 0, {{0.1, 1e-7, 12.25}, {123456.75, -3, 0}, {5, 5000000.125, 1.0 / 3}});
    CliRun run = RunTool({"info", DrawingAt("vertices.Zlv", {odd}), "--vertices"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("0\todd\t1\t3\n"
                           "\t\t0.1\t1e-07\t12.25\n"
                           "\t\t123456.75\t-3\t0\n"
                           "\t\t5\t5000000.125\t0.3333333333333333\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(RunTool({"info", Example("house.Zlv"), "--points"}).status, 64);
}

TEST(CliInfo, ReportsInvalidAndSeparatePolygons) {
    PolygonRecord bowTie = MakePolygon("bow tie", 9, {{0, 0, 1}, {10, 10, 1}, {10, 0, 1}, {0, 10, 1}});
    PolygonRecord apart = MakePolygon("apart", 4, {{50, 50, 1}, {60, 50, 1}, {60, 60, 1}});
    CliRun run = RunTool({"info", DrawingAt("two.Zlv", {bowTie, apart})});
    EXPECT_EQ(run.status, 0);
    // The bow tie's two lobes meet in one point only, so they count as two outer contours.
    EXPECT_NE(run.out.find("valid: no\nneighbours: no\nouter contours: 3\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0\tbow tie\t10\t4\n1\tapart\t5\t3\n"), std::string::npos) << run.out;
}

TEST(CliInfo, EmptyDrawingIsNotValid) {
    CliRun run = RunTool({"info", DrawingAt("empty.Zlv", {})});
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

// A projection the options dialog could not have stored would give a wrong area reported as success.
TEST(CliCalc, OptionsBelowTheDialogsLimitsAreRefused) {
    struct Case {
        size_t offset;
        double value;
    };
    for (const Case& c : {Case{516, 0.0}, Case{516, -500.0}, Case{508, 0.5}, Case{500, 50.0}}) {
        std::vector<uint8_t> bytes = FileBytes(Example("house.Zlv"));
        memcpy(bytes.data() + c.offset, &c.value, sizeof c.value);  // little-endian, as the file is
        std::string path = TestPath("limits.Zlv");
        WriteBytes(path, bytes);
        CliRun run = RunTool({"calc", path, "--quiet"});
        EXPECT_EQ(run.status, 2) << c.offset << " = " << c.value;
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

// Scripts and bug reports tell releases apart by this line; its version is the project's.
TEST(CliUsage, VersionPrintsTheProjectVersionAlone) {
    CliRun run = RunTool({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "zelvora-cli " ZELVORA_PROJECT_VERSION "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(RunTool({"--version", "extra"}).status, 64);
}

TEST(CliUsage, HelpNamesEveryCommand) {
    CliRun run = RunTool({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* word :
         {"info FILE.Zlv", "copy IN.Zlv OUT.Zlv", "simple L W HMIN HMAX", "--version", "Exit status"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

namespace {

double JsonNumber(const std::string& json, const char* key) {
    size_t at = json.find(std::string("\"") + key + "\": ");
    return at == std::string::npos ? -1.0 : std::stod(json.substr(at + strlen(key) + 4));
}

}  // namespace

TEST(CliCalc, PrintsAreasAndContourCounts) {
    CliRun run = RunTool({"calc", Example("house.Zlv")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Ad [km^2]: 2.12156e-03\n"
              "Am [km^2]: 8.06379e-01\n"
              "Ad contours: 1 (holes: 0)\n"
              "Am contours: 2 (holes: 1)\n");
    EXPECT_EQ(run.err, "") << "no progress bar when standard error is not a terminal";
}

TEST(CliCalc, JsonCarriesEveryKeyAndFullPrecision) {
    CliRun run = RunTool({"calc", "--json", Example("industrial_site.Zlv")});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* key : {"ad", "am", "adContours", "amContours", "adHoles", "amHoles", "neighbours", "outerContours",
                            "polygons", "vertices", "seconds"})
        EXPECT_NE(run.out.find(std::string("\"") + key + "\": "), std::string::npos) << key;
    EXPECT_NE(run.out.find("\"neighbours\": true"), std::string::npos);
    EXPECT_EQ(JsonNumber(run.out, "polygons"), 6);
    EXPECT_EQ(JsonNumber(run.out, "vertices"), 25);
    EXPECT_EQ(JsonNumber(run.out, "amHoles"), 1) << "the courtyard is an island inside the footprint's hole";
    EXPECT_EQ(JsonNumber(run.out, "amContours"), 3);

    CliRun text = RunTool({"calc", Example("industrial_site.Zlv")});
    char printed[64];
    snprintf(printed, sizeof printed, "Ad [km^2]: %.5e\n", JsonNumber(run.out, "ad"));
    EXPECT_EQ(text.out.rfind(printed, 0), 0u) << "the 17 digits read back to the same area";
}

TEST(CliCalc, ProjectionOverridesAreLimitedLikeTheOptionsDialog) {
    std::string path = Example("house.Zlv");
    auto ad = [&](std::vector<std::string> extra) {
        extra.insert(extra.begin(), {"calc", "--json", path});
        return JsonNumber(RunTool(extra).out, "ad");
    };
    auto am = [&](std::vector<std::string> extra) {
        extra.insert(extra.begin(), {"calc", "--json", path});
        return JsonNumber(RunTool(extra).out, "am");
    };
    EXPECT_EQ(ad({"--height-projection", "0.5"}), ad({"--height-projection", "1"}));
    EXPECT_EQ(ad({"--height-projection", "-4"}), ad({"--height-projection", "4"}));
    EXPECT_LT(ad({"--height-projection", "2"}), ad({}));
    EXPECT_EQ(ad({"--distance-projection", "100"}), ad({})) << "Ad does not depend on the distance";
    EXPECT_EQ(am({"--distance-projection", "0"}), am({"--distance-projection", "0.01"}));
    EXPECT_LT(am({"--distance-projection", "100"}), am({}));
}

TEST(CliCalc, PolygonsApartAreCalculatedWithAWarningUnlessRefused) {
    std::string path = DrawingAt("apart.Zlv", {Square(0, 0, 10, 5), Square(30, 0, 10, 5)});
    CliRun run = RunTool({"calc", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Polygons are not neighbors.\n");
    EXPECT_EQ(run.out.rfind("Ad [km^2]: ", 0), 0u);

    CliRun refused = RunTool({"calc", "--require-neighbours", path});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Polygons are not neighbors.\n");
    EXPECT_EQ(refused.out, "");
}

TEST(CliCalc, DrawingsThatCannotBeCalculatedExitOne) {
    PolygonRecord bowTie = MakePolygon("bow tie", 0, {{0, 0, 1}, {10, 10, 1}, {10, 0, 1}, {0, 10, 1}});
    for (const std::string& path : {DrawingAt("bow.Zlv", {bowTie}), DrawingAt("none.Zlv", {})}) {
        CliRun run = RunTool({"calc", path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_NE(run.err.find("Error to calculate Ad and Am\n"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(RunTool({"calc", TestPath("absent.Zlv")}).status, 2);
}

TEST(CliCalc, BadFlagsAreUsageErrors) {
    const std::vector<std::vector<std::string>> wrong = {
        {"calc"},
        {"calc", Example("house.Zlv"), "--height-projection"},
        {"calc", Example("house.Zlv"), "--height-projection", "three"},
        {"calc", Example("house.Zlv"), "--distance-projection", "nan"},
        {"calc", Example("house.Zlv"), "--frobnicate"},
        {"svg", Example("house.Zlv"), "out.svg", "--view", "side"},
        {"svg", Example("house.Zlv")},
    };
    for (const auto& arguments : wrong)
        EXPECT_EQ(RunTool(arguments).status, 64) << arguments.back();
}

TEST(CliSvg, WritesTheChosenViewWithStructureAndLabel) {
    std::string adPath = TestPath("view-ad.svg"), amPath = TestPath("view-am.svg");
    ASSERT_EQ(RunTool({"svg", Example("house.Zlv"), adPath}).status, 0);
    ASSERT_EQ(RunTool({"svg", Example("house.Zlv"), amPath, "--view", "am"}).status, 0);
    std::vector<uint8_t> adBytes = FileBytes(adPath), amBytes = FileBytes(amPath);
    std::string ad(adBytes.begin(), adBytes.end()), am(amBytes.begin(), amBytes.end());
    EXPECT_NE(ad.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(ad.find("fill=\"#7c7cff\" fill-rule=\"evenodd\""), std::string::npos);
    EXPECT_NE(ad.find("<g fill=\"#7f7f7f\" stroke=\"#000000\""), std::string::npos);
    EXPECT_NE(ad.find("<polygon points=\"40.0000,40.0000 52.0000,40.0000 52.0000,49.0000 40.0000,49.0000\"/>"),
              std::string::npos);
    EXPECT_NE(ad.find(">2.12156e-03 km^2</text>"), std::string::npos);
    EXPECT_NE(am.find(">8.06379e-01 km^2</text>"), std::string::npos);
    // The Am outline has the footprint as a hole: two subpaths, against one for Ad.
    auto subpaths = [](const std::string& svg) {
        size_t start = svg.find(" d=\""), end = svg.find('"', start + 4), count = 0;
        for (size_t at = start; at < end; at++)
            count += svg[at] == 'M';
        return count;
    };
    EXPECT_EQ(subpaths(ad), 1u);
    EXPECT_EQ(subpaths(am), 2u);
}

TEST(CliSvg, UnwritableTargetExitsThreeAndUncalculableOne) {
    EXPECT_EQ(RunTool({"svg", Example("house.Zlv"), TestPath("nowhere") + "/x.svg"}).status, 3);
    PolygonRecord bowTie = MakePolygon("bow tie", 0, {{0, 0, 1}, {10, 10, 1}, {10, 0, 1}, {0, 10, 1}});
    std::string out = TestPath("bow.svg");
    EXPECT_EQ(RunTool({"svg", DrawingAt("bow2.Zlv", {bowTie}), out}).status, 1);
    EXPECT_FALSE(FileExists(out));
}

namespace {

CliRun Simple(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "simple");
    return RunTool(arguments);
}

std::string Areas(const char* ad, const char* am) {
    return std::string("Ad [km^2]: ") + ad + "\nAm [km^2]: " + am + "\n";
}

}  // namespace

// The rectangle with and without a protrusion above the rectangle's own Ad, and with a lower one.
TEST(CliSimple, PrintsBothAreasOfTheRectangle) {
    struct Case {
        std::vector<std::string> values;
        const char* ad;
        const char* am;
    };
    const Case cases[] = {
        {{"20", "10", "10", "10"}, "4.82743e-03", "8.15398e-01"},
        {{"20", "10", "10", "40"}, "4.52389e-02", "8.15398e-01"},
        {{"20", "10", "10", "0"}, "4.82743e-03", "8.15398e-01"},
        {{"12,5", "10", "10", "0"}, "4.30243e-03", "8.07898e-01"},
    };
    for (const Case& c : cases) {
        CliRun run = Simple(c.values);
        EXPECT_EQ(run.status, 0) << c.values[0] << " " << c.values[3];
        EXPECT_EQ(run.out, Areas(c.ad, c.am)) << c.values[0] << " " << c.values[3];
        EXPECT_EQ(run.err, "");
    }
}

// The options replace K and D wherever they stand, limited as the options dialog limits them.
TEST(CliSimple, ProjectionOptionsReplaceTheDefaults) {
    const std::string changed = Areas("2.65664e-03", "4.05845e-01");
    EXPECT_EQ(Simple({"20", "10", "10", "0", "--height-projection", "2", "--distance-projection", "350"}).out, changed);
    EXPECT_EQ(Simple({"--distance-projection", "-350", "20", "10", "--height-projection", "-2", "10", "0"}).out,
              changed);
    EXPECT_EQ(Simple({"20", "10", "10", "0", "--height-projection", "0.5", "--distance-projection", "0"}).out,
              Areas("1.11416e-03", "6.00314e-07"));
    EXPECT_EQ(Simple({"20", "10", "10", "0", "--height-projection", "4"}).out, Areas("7.62655e-03", "8.15398e-01"));
}

// Each value that cannot be taken is named with its range, as the dialog names it; a text that only
// begins with a number ("12-3") is refused rather than read as 12.
TEST(CliSimple, InvalidValuesSayInvalidDataAndExitOne) {
    const char* const Length = "Length base [m] takes a number from 0.01 to 100000.\n";
    const char* const Width = "Width base [m] takes a number from 0.01 to 100000.\n";
    const char* const MinHeight = "Minimum height [m] takes a number from 0.01 to 1000.\n";
    const char* const MaxHeight = "Maximum height [m] takes a number from 0 to 1000.\n";
    const struct {
        std::vector<std::string> values;
        const char* message;
    } invalid[] = {
        {{"0", "10", "10", "0"}, Length},       {{"20", "0", "10", "0"}, Width},
        {{"20", "10", "0", "0"}, MinHeight},    {{"20", "10", "10", "-1"}, MaxHeight},
        {{"-20", "10", "10", "0"}, Length},     {{"", "10", "10", "0"}, Length},
        {{"20", "1.2.3", "10", "0"}, Width},    {{"20", "10", "1,2.3", "0"}, MinHeight},
        {{"20", "10", "10", "abc"}, MaxHeight}, {{"20", "10", "1e1", "0"}, MinHeight},
        {{"12-3", "10", "10", "0"}, Length},    {{"0", "0", "10", "0"}, Width},
    };
    for (const auto& c : invalid) {
        const auto& values = c.values;
        CliRun run = Simple(values);
        EXPECT_EQ(run.status, 1) << values[0] << " " << values[1] << " " << values[2] << " " << values[3];
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliSimple, WrongCommandLinesAreUsageErrors) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"20", "10", "10"},
        {"20", "10", "10", "0", "5"},
        {"20", "10", "10", "0", "--height-projection"},
        {"20", "10", "10", "0", "--distance-projection", "far"},
        {"20", "10", "10", "0", "--frobnicate"},
    };
    for (const auto& arguments : wrong) {
        CliRun run = Simple(arguments);
        EXPECT_EQ(run.status, 64) << arguments.size() << " arguments";
        EXPECT_NE(run.err.find("usage: zelvora-cli simple L W HMIN HMAX"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

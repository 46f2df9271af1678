// zelvora-cli assess as a script runs it: refusals, exit statuses, the outputs and their agreement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "model/drawing_file.h"
#include "tests/cli_run.h"
#include "tests/exchange_test_support.h"
#include "tests/test_support.h"

namespace {

CliRun Assess(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "assess");
    return RunTool(arguments);
}

PolygonRecord Block(const char* name, double x0, double y0, double x1, double y1, double height) {
    return MakePolygon(name, 0, {{x0, y0, height}, {x1, y0, height}, {x1, y1, height}, {x0, y1, height}});
}

// Three structures: a hall with an annex sharing its wall, a shed 10 m from the annex, a tower far off.
std::string SiteFile(const char* name, const AssessmentSettings& settings = AssessmentSettings()) {
    Drawing drawing;
    drawing.drawOptions.mapSize = 1000.0;
    for (const PolygonRecord& p : {Block("Hall", 100, 100, 140, 120, 12), Block("Shed", 160, 100, 170, 108, 4),
                                   Block("Annex", 140, 105, 150, 115, 6), Block("Tower", 600, 600, 606, 606, 30)})
        drawing.polygons.appendPolygon(p);
    drawing.assessment = settings;
    std::string path = TestPath(name);
    EXPECT_EQ(WriteDrawingFile(path.c_str(), drawing), FileError::None);
    return path;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(AssessCli, RefusesWrongValuesNamingTheValueAndItsRange) {
    std::string site = SiteFile("refusals.Zlv");
    struct Case {
        std::vector<std::string> arguments;
        const char* said;
    } cases[] = {
        {{"--ng", "0"}, "--ng 0: flashes per km^2 per year, above 0"},
        {{"--ng", "-3"}, "--ng -3"},
        {{"--nsg", "x"}, "--nsg x"},
        {{"--k", "0"}, "--k 0: a factor above 0"},
        {{"--uw", "-1"}, "--uw -1: kV above 0"},
        {{"--edition", "4"}, "--edition 4: 2 or 3"},
        {{"--cd", "0.3"}, "--cd 0.3: auto, 0.25, 0.5, 1 or 2"},
        {{"--line", "power:aerial:0"}, "length '0': a number of metres above 0, or unknown"},
        {{"--line", "water:aerial:10"}, "line kind 'water'"},
        {{"--threads", "0"}, "--threads 0: a whole number from 1 to 1024"},
        {{"--json", "--csv"}, "give one of them"},
        {{"--ng", "2", "--nsg", "4"}, "--ng and --nsg"},
        {{"--edition", "2", "--nsg", "4"}, "edition 2 uses NG"},
        {{"--height", "5"}, "for DXF or GeoJSON input"},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--ng"}, "--ng (missing)"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {site};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        CliRun run = Assess(arguments);
        EXPECT_EQ(run.status, 64) << c.said;
        EXPECT_TRUE(Has(run.err, c.said)) << run.err;
        EXPECT_TRUE(run.out.empty()) << c.said;
    }
    std::vector<std::string> nine = {site};
    for (int i = 0; i < 9; i++)
        nine.insert(nine.end(), {"--line", "power:aerial:100"});
    EXPECT_EQ(Assess(nine).status, 64);
}

TEST(AssessCli, ExitStatuses) {
    EXPECT_EQ(Assess({TestPath("missing.Zlv")}).status, 2);
    EXPECT_EQ(Assess({}).status, 64);
    std::string site = SiteFile("statuses.Zlv");
    CliRun unwritable = Assess({site, "--geojson", TestPath("no/such/folder/out.geojson")});
    EXPECT_EQ(unwritable.status, 3);
    // A structure whose polygon crosses itself is reported; the others are still given.
    Drawing drawing;
    drawing.polygons.appendPolygon(Block("Good", 0, 0, 10, 10, 5));
    drawing.polygons.appendPolygon(MakePolygon("Bowtie", 0, {{50, 0, 5}, {60, 10, 5}, {60, 0, 5}, {50, 10, 5}}));
    std::string path = TestPath("bowtie.Zlv");
    ASSERT_EQ(WriteDrawingFile(path.c_str(), drawing), FileError::None);
    CliRun run = Assess({path, "--json", "--ng", "2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.out, "\"name\":\"Good\"")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"error\":\"a polygon has fewer than three vertices")) << run.out;
    EXPECT_TRUE(Has(run.err, "structure 2 (Bowtie) cannot be calculated")) << run.err;
}

TEST(AssessCli, JsonGivesEveryStructureAndNullEventsWithoutN) {
    std::string site = SiteFile("json.Zlv");
    CliRun run = Assess({site, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        Has(run.out, "{\"edition\":2,\"ng\":null,\"nsg\":null,\"k\":2.0,\"uw\":2.5,\"k_height\":3.0,\"d\":500.0,"))
        << run.out;
    EXPECT_TRUE(Has(run.out, "\"index\":1,\"name\":\"Hall\",\"polygons\":2,\"vertices\":8,\"height\":12.0")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"index\":2,\"name\":\"Shed\""));
    EXPECT_TRUE(Has(run.out, "\"index\":3,\"name\":\"Tower\""));
    EXPECT_TRUE(Has(run.out, "\"nd\":null,\"nm\":null,\"nl\":null,\"ni\":null,\"ndj\":null"));
    // The shed stands 10 m from the hall, well inside its 12 m-high neighbour's reach: 0.5 from the
    // surroundings; the tower stands alone.
    EXPECT_TRUE(Has(run.out, "\"cd\":0.5,\"cd_source\":\"surroundings\",\"cd_suggested\":0.5"));
    EXPECT_TRUE(Has(run.out, "\"cd\":1.0,\"cd_source\":\"surroundings\",\"cd_suggested\":1.0"));

    run = Assess({site, "--json", "--ng", "4", "--cd", "2", "--line", "power:aerial:1000"});
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "\"cd\":2.0,\"cd_source\":\"set\""));
    EXPECT_TRUE(Has(run.out, "\"nl\":0.16,\"ni\":16.0,\"ndj\":0.0"));  // 4 * 40000 * 1e-6, 4 * 4e6 * 1e-6
    EXPECT_TRUE(Has(run.out, "\"lines\":[{\"kind\":\"power\",\"installation\":\"aerial\",\"length_m\":1000.0"));
}

TEST(AssessCli, StoredSettingsApplyAndOptionsOverrideThem) {
    AssessmentSettings settings;
    settings.present = 1;
    settings.edition = 3;
    settings.ng = 3.0;
    settings.uw = 1.0;
    EditStructureSettings(&settings, 0)->cd = 0.25;
    std::string site = SiteFile("stored.Zlv", settings);
    CliRun run = Assess({site, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "{\"edition\":3,\"ng\":3.0,\"nsg\":6.0,\"k\":2.0,\"uw\":1.0")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"am_distance_m\":350.0,\"cd\":0.25,\"cd_source\":\"set\""));
    run = Assess({site, "--json", "--edition", "2", "--ng", "5", "--cd", "auto"});
    EXPECT_TRUE(Has(run.out, "{\"edition\":2,\"ng\":5.0,\"nsg\":null")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"am_distance_m\":500.0,\"cd\":0.5,\"cd_source\":\"surroundings\""));
    // copy keeps the block byte for byte.
    std::string copied = TestPath("stored-copy.Zlv");
    std::vector<std::string> words = {"zelvora-cli", "copy", site, copied};
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    ASSERT_EQ(RunCli(4, argv.data()), 0);
    EXPECT_EQ(FileBytes(copied), FileBytes(site));
}

TEST(AssessCli, OutputDoesNotDependOnTheThreadCount) {
    std::string site = SiteFile("threads.Zlv");
    std::string one = Assess({site, "--json", "--ng", "2", "--threads", "1"}).out;
    EXPECT_EQ(Assess({site, "--json", "--ng", "2", "--threads", "2"}).out, one);
    EXPECT_EQ(Assess({site, "--json", "--ng", "2", "--threads", "7"}).out, one);
    EXPECT_EQ(Assess({site, "--json", "--ng", "2"}).out, one);
}

TEST(AssessCli, TextCsvAndGeoJsonAgree) {
    std::string site = SiteFile("formats.Zlv");
    CliRun text = Assess({site, "--ng", "4"});
    ASSERT_EQ(text.status, 0);
    EXPECT_TRUE(Has(text.out, "No.  Name")) << text.out;
    EXPECT_TRUE(Has(text.out, "edition: 2 (EN 62305-2:2012)\nNG [1/km²/year]: 4\n")) << text.out;
    CliRun csv = Assess({site, "--csv", "--ng", "4"});
    EXPECT_TRUE(Has(csv.out, "number,name,polygons,vertices,height_m,footprint_m2,ad_m2,am_m2,"));
    EXPECT_TRUE(Has(csv.out, "\n1,Hall,2,8,12,900,")) << csv.out;
    std::string geojson = TestPath("formats.geojson");
    CliRun json = Assess({site, "--json", "--ng", "4", "--geojson", geojson});
    ASSERT_EQ(json.status, 0);
    std::vector<uint8_t> bytes = FileBytes(geojson);
    std::string features(bytes.begin(), bytes.end());
    EXPECT_TRUE(Has(features,
                    "{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\",\"properties\":"
                    "{\"index\":1,\"name\":\"Hall\""))
        << features;
    EXPECT_TRUE(Has(features, "\"geometry\":{\"type\":\"MultiPolygon\""));
    // The same ND in both outputs, at full precision.
    size_t at = json.out.find("\"nd\":");
    ASSERT_NE(at, std::string::npos);
    std::string nd = json.out.substr(at, json.out.find(',', at) - at);
    EXPECT_TRUE(Has(features, nd)) << nd;
}

TEST(AssessCli, ImportsGeoJsonInMemoryAndGivesLongitudeLatitudeBack) {
    std::string source = TestPath("site.geojson");
    const char text[] =
        "{\"type\":\"FeatureCollection\",\"features\":["
        "{\"type\":\"Feature\",\"properties\":{\"name\":\"A\",\"height\":10},\"geometry\":{\"type\":\"Polygon\","
        "\"coordinates\":[[[8.5,47.3],[8.5003,47.3],[8.5003,47.3002],[8.5,47.3002],[8.5,47.3]]]}},"
        "{\"type\":\"Feature\",\"properties\":{\"name\":\"B\"},\"geometry\":{\"type\":\"Polygon\","
        "\"coordinates\":[[[8.51,47.3],[8.5102,47.3],[8.5102,47.3001],[8.51,47.3001],[8.51,47.3]]]}}]}";
    WriteBytes(source, std::vector<uint8_t>(text, text + sizeof text - 1));
    EXPECT_EQ(Assess({source}).status, 2);  // B has no height
    std::string out = TestPath("site-out.geojson");
    CliRun run = Assess({source, "--height", "6", "--json", "--geojson", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\"name\":\"feature 1 (A)\",\"polygons\":1,\"vertices\":4,\"height\":10.0")) << run.out;
    EXPECT_TRUE(Has(run.out, "\"name\":\"feature 2 (B)\",\"polygons\":1,\"vertices\":4,\"height\":6.0"));
    std::vector<uint8_t> bytes = FileBytes(out);
    std::string features(bytes.begin(), bytes.end());
    EXPECT_TRUE(Has(features, "[8.5")) << features.substr(0, 400);
    EXPECT_TRUE(Has(features, ",47.3")) << features.substr(0, 400);
    EXPECT_FALSE(FileExists(TestPath("site.Zlv")));  // nothing written beside the source
}

// A DXF input gives the same assessment in memory as the drawing that import writes of it.
TEST(AssessCli, DxfInMemoryEqualsTheImportedDrawing) {
    std::string dxf = TestPath("plan.dxf");
    std::string text = DxfFile(LwPolyline("B", {{0, 0}, {20, 0}, {20, 10}, {0, 10}}, true, "39\n9\n") +
                               LwPolyline("B", {{20, 0}, {30, 0}, {30, 10}, {20, 10}}, true, "39\n5\n") +
                               LwPolyline("C", {{80, 0}, {90, 0}, {90, 10}, {80, 10}}, true, "39\n12\n"));
    WriteBytes(dxf, std::vector<uint8_t>(text.begin(), text.end()));
    CliRun direct = Assess({dxf, "--json", "--ng", "1.5", "--layer", "B"});
    ASSERT_EQ(direct.status, 0) << direct.err;
    EXPECT_TRUE(Has(direct.out, "\"index\":1,\"name\":\"B 1\",\"polygons\":2,")) << direct.out;
    EXPECT_FALSE(Has(direct.out, "\"index\":2"));  // layer C left out

    std::string drawing = TestPath("plan.Zlv");
    std::vector<std::string> words = {"zelvora-cli", "import", dxf, drawing, "--layer", "B"};
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    testing::internal::CaptureStdout();
    int imported = RunCli(static_cast<int>(argv.size()), argv.data());
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(imported, 0);
    EXPECT_EQ(Assess({drawing, "--json", "--ng", "1.5"}).out, direct.out);
}

}  // namespace

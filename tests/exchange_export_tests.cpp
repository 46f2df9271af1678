#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "app/session.h"
#include "engine/construction/ad_am_outlines.h"
#include "exchange/dxf_adapter.h"
#include "exchange/geojson_adapter.h"
#include "exchange/outline_export.h"
#include "model/drawing_file.h"
#include "tests/cli_run.h"
#include "tests/exchange_test_support.h"
#include "tests/test_support.h"

namespace {

std::string Text(const std::string& path) {
    std::vector<uint8_t> bytes = FileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void Save(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

Georeference SomeGeoreference() {
    Georeference g;
    g.present = 1;
    g.kind = GeoKind::LonLat;
    g.epsg = 0;
    g.unitScale = 1.0;
    g.shiftX = 123.0;
    g.shiftY = 456.5;
    g.originLongitude = 11.575;
    g.originLatitude = 48.137;
    return g;
}

const std::vector<XY> Utm = {{690010, 5335020}, {690050, 5335020}, {690050, 5335050}, {690010, 5335050}};
const char Etrs89Utm32[] = R"(,"crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::25832"}})";

}  // namespace

TEST(GeoreferenceBlock, WrittenAfterTheLastHeightAndReadBack) {
    Drawing source;
    source.polygons.appendPolygon(MakeBlock(10, 10, 20, 20, 5));
    std::vector<uint8_t> plain = EncodeDrawing(source);
    source.georeference = SomeGeoreference();
    std::vector<uint8_t> tagged = EncodeDrawing(source);
    ASSERT_EQ(tagged.size(), plain.size() + GeoreferenceBlockSize);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), tagged.begin()));  // the old layout is untouched
    EXPECT_EQ(std::string(tagged.begin() + plain.size(), tagged.begin() + plain.size() + 5), "ZGEO\x01");
    DrawingImage image;
    ASSERT_EQ(DecodeDrawing(tagged.data(), tagged.size(), &image), FileError::None);
    EXPECT_EQ(image.georeference.present, 1);
    EXPECT_EQ(image.georeference.shiftY, 456.5);
    EXPECT_EQ(image.georeference.originLongitude, 11.575);
    ASSERT_EQ(DecodeDrawing(plain.data(), plain.size(), &image), FileError::None);
    EXPECT_EQ(image.georeference.present, 0);
}

// The origin must lie on the globe: latitudes to 90 degrees either way and longitudes to 180 are kept,
// anything beyond reads as no georeference.
TEST(GeoreferenceBlock, OriginBeyondTheGlobeReadsAsNone) {
    const struct {
        double longitude, latitude;
        bool kept;
    } cases[] = {
        {11.575, 90.0, true},    {11.575, -90.0, true},  {180.0, 0.0, true},   {-180.0, 45.0, true},
        {11.575, 90.001, false}, {11.575, -90.5, false}, {180.01, 0.0, false}, {-181.0, 45.0, false},
    };
    for (const auto& c : cases) {
        Georeference g = SomeGeoreference();
        g.originLongitude = c.longitude;
        g.originLatitude = c.latitude;
        std::vector<uint8_t> bytes;
        AppendGeoreferenceBlock(g, &bytes);
        Georeference read = DecodeGeoreferenceBlock(bytes.data(), bytes.size());
        EXPECT_EQ(read.present, c.kept ? 1 : 0) << c.longitude << ", " << c.latitude;
        if (c.kept) {
            EXPECT_EQ(read.originLatitude, c.latitude);
        }
    }
}

// A damaged or unknown block never costs the drawing: it reads as no georeference.
TEST(GeoreferenceBlock, DamagedBlockIsIgnoredAndTheDrawingStillReads) {
    Drawing source;
    source.polygons.appendPolygon(MakeBlock(10, 10, 20, 20, 5));
    source.georeference = SomeGeoreference();
    std::vector<uint8_t> good = EncodeDrawing(source);
    size_t block = good.size() - GeoreferenceBlockSize;
    struct Case {
        const char* what;
        size_t offset;
        uint8_t value;
        size_t cut;
    };
    const Case cases[] = {
        {"tag", block, 'X', 0},         {"version", block + 4, 2, 0},       {"kind", block + 5, 7, 0},
        {"scale", block + 17, 0x80, 0}, {"shift NaN", block + 25, 0x7f, 0}, {"short", block, 'Z', 9},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        bytes[c.offset] = c.value;
        if (c.offset == block + 25)
            bytes[block + 24] = 0xff;  // with the 0x7f above: an exponent of all ones, a NaN
        bytes.resize(bytes.size() - c.cut);
        DrawingImage image;
        ASSERT_EQ(DecodeDrawing(bytes.data(), bytes.size(), &image), FileError::None) << c.what;
        EXPECT_EQ(image.georeference.present, 0) << c.what;
        EXPECT_EQ(image.polygons.size(), 1u) << c.what;
    }
}

TEST(GeoreferenceBlock, CopyKeepsItAndNewAndCloseClearIt) {
    Drawing source;
    source.polygons.appendPolygon(MakeBlock(10, 10, 20, 20, 5));
    source.georeference = SomeGeoreference();
    std::string in = TestPath("georef.Zlv"), out = TestPath("georef-copy.Zlv");
    ASSERT_EQ(WriteDrawingFile(in.c_str(), source), FileError::None);
    EXPECT_EQ(RunTool({"copy", in, out}).status, 0);
    EXPECT_EQ(FileBytes(in), FileBytes(out));
    Session session;
    const Drawing& drawing = session.drawing;
    ASSERT_EQ(OpenDrawing(session, in.c_str()), FileError::None);
    EXPECT_EQ(drawing.georeference.shiftX, 123.0);
    NewDrawing(session);
    EXPECT_EQ(drawing.georeference.present, 0);
    ASSERT_EQ(OpenDrawing(session, in.c_str()), FileError::None);
    CloseDrawing(session);
    EXPECT_EQ(drawing.georeference.present, 0);
}

// The exporter's DXF, read by the importer, gives back each contour on its layer in the source's
// coordinates.
TEST(OutlineExport, DxfWrittenByTheExporterReadsBack) {
    OutlineRegion ad{
        "ad", 0.5, {{{{0, 0}, {30, 0}, {30, 30}, {0, 30}}, {{{10, 10}, {10, 20}, {20.125, 20}, {20, 10}}}}}};
    OutlineRegion footprint{
        "footprint", 0.1, {{{{690010.5, 5335020.25}, {690050, 5335020.25}, {690050, 5335050}}, {}}}};
    std::string text = EncodeOutlinesDxf({ad, footprint});
    ImportSource source;
    std::string error;
    ASSERT_TRUE(ParseDxf(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &source, &error)) << error;
    ASSERT_EQ(source.footprints.size(), 3u);
    const char* names[] = {"AD 1", "AD 2", "FOOTPRINT 1"};
    const std::vector<PlanePoint>* rings[] = {&ad.polygons[0].outer, &ad.polygons[0].holes[0],
                                              &footprint.polygons[0].outer};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(source.footprints[i].name, names[i]);
        ASSERT_EQ(source.footprints[i].rings.at(0).size(), rings[i]->size()) << names[i];
        for (size_t k = 0; k < rings[i]->size(); k++) {
            EXPECT_EQ(source.footprints[i].rings[0][k].x, (*rings[i])[k].x) << names[i];
            EXPECT_EQ(source.footprints[i].rings[0][k].y, (*rings[i])[k].y) << names[i];
        }
    }
}

// The header names metres as the unit, once, so that CAD places the outlines at their true size.
TEST(OutlineExport, DxfHeaderSaysMetres) {
    OutlineRegion ad{"ad", 0.5, {{{{0, 0}, {30, 0}, {30, 30}}, {}}}};
    std::string text = EncodeOutlinesDxf({ad});
    size_t header = text.find("HEADER\n"), end = text.find("ENDSEC\n", header);
    ASSERT_NE(header, std::string::npos);
    size_t unit = text.find("$INSUNITS\n", header);
    ASSERT_LT(unit, end) << "no unit in the header";
    EXPECT_EQ(text.substr(unit, 19), "$INSUNITS\n 70\n6\n  0");
    EXPECT_EQ(text.find("$INSUNITS", unit + 1), std::string::npos);
}

// Am around a closed ring of buildings with one more building in its courtyard: the courtyard's own Am
// lies inside the ring's hole, and the island's hole belongs to it, the smallest outline around it, not to
// the big outline that also encloses it.
TEST(OutlineExport, EachHoleGoesToTheSmallestOutlineAroundIt) {
    Drawing target;
    target.isOpen = 1;
    auto block = [&](const char* name, double x0, double y0, double x1, double y1) {
        target.polygons.appendPolygon(MakePolygon(name, 0, {{x0, y0, 10}, {x1, y0, 10}, {x1, y1, 10}, {x0, y1, 10}}));
    };
    block("south", 0, 0, 80, 20);
    block("north", 0, 60, 80, 80);
    block("west", 0, 20, 20, 60);
    block("east", 60, 20, 80, 60);
    block("island", 35, 35, 45, 45);
    CalcRun run;
    CalcInput input = MakeCalcInput(target);
    ASSERT_TRUE(ComputeAdAm(&input, target.calcOptions, &run));
    std::vector<OutlineRegion> regions;
    ASSERT_TRUE(OutlineRegions(target, run.result, OutlineView::Am, &regions));
    ASSERT_FALSE(regions.empty());
    const OutlineRegion& am = regions[0];
    ASSERT_EQ(am.name, "am");
    ASSERT_EQ(am.polygons.size(), 2u);
    auto area = [](const std::vector<PlanePoint>& ring) {
        double twice = 0;
        for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
            twice += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
        return std::fabs(twice) / 2;
    };
    for (const OutlinePolygon& polygon : am.polygons) {
        ASSERT_EQ(polygon.holes.size(), 1u) << "outline of " << area(polygon.outer) << " m2";
        if (area(polygon.outer) < 2000) {
            EXPECT_NEAR(area(polygon.outer), 40 * 40, 1e-6) << "the courtyard";
            EXPECT_NEAR(area(polygon.holes[0]), 10 * 10, 1e-6) << "the island";
        } else {
            EXPECT_NEAR(area(polygon.holes[0]), 80 * 80, 1e-6) << "the ring's outside";
        }
    }
}

// A UTM footprint imported, calculated and exported comes back at its UTM coordinates with its crs;
// a longitude/latitude one comes back in longitude/latitude.
TEST(OutlineExport, GeoJsonGivesBackTheSourceCoordinates) {
    struct Case {
        const char* what;
        std::vector<XY> ring;
        std::string extra;
        double tolerance;
        const char* crs;
    };
    const Case cases[] = {
        {"UTM", Utm, Etrs89Utm32, 1e-6, "urn:ogc:def:crs:EPSG::25832"},
        {"lon/lat", {{11.575, 48.137}, {11.5755, 48.137}, {11.5755, 48.1373}, {11.575, 48.1373}}, "", 1e-9, nullptr},
    };
    for (const Case& c : cases) {
        ImportResult imported = ImportText(FeatureCollection({PolygonFeature({c.ring}, R"({"height": 10})")}, c.extra),
                                           SourceFormat::GeoJson);
        Drawing target;
        ASSERT_EQ(ApplyImport(imported, false, &target), ApplyOutcome::Applied) << c.what;
        CalcRun run;
        CalcInput input = MakeCalcInput(target);
        ASSERT_TRUE(ComputeAdAm(&input, target.calcOptions, &run));
        const CalcResult& result = run.result;
        std::string path = TestPath("outline.geojson");
        ASSERT_EQ(WriteOutlineFile(path.c_str(), target, result, OutlineView::Both), ExportError::None) << c.what;
        std::string text = Text(path);
        EXPECT_EQ(text.find("\"crs\"") != std::string::npos, c.crs != nullptr) << c.what;
        if (c.crs) {
            EXPECT_NE(text.find(c.crs), std::string::npos) << c.what;
        }
        ImportSource back;
        std::string error;
        ASSERT_TRUE(ParseGeoJson(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &back, &error));
        ASSERT_EQ(back.footprints.size(), 3u) << c.what;           // ad, am, footprint
        EXPECT_EQ(back.footprints[1].rings.size(), 2u) << c.what;  // Am has the footprint as its hole
        const std::vector<SourcePoint>& footprint = back.footprints[2].rings.at(0);
        ASSERT_EQ(footprint.size(), 4u) << c.what;
        for (const SourcePoint& p : footprint) {
            bool matched = false;
            for (const XY& corner : c.ring)
                matched =
                    matched || (std::fabs(p.x - corner.x) < c.tolerance && std::fabs(p.y - corner.y) < c.tolerance);
            EXPECT_TRUE(matched) << c.what << " " << p.x << " " << p.y;
        }
        for (const char* property : {"\"region\":\"ad\"", "\"region\":\"am\"", "\"region\":\"footprint\"", "area_km2"})
            EXPECT_NE(text.find(property), std::string::npos) << c.what;
    }
}

TEST(CliExchange, ExitStatusesAndNothingWrittenOnFailure) {
    std::string good = TestPath("good.geojson"), noHeight = TestPath("no-height.geojson");
    std::string bad = TestPath("bad.geojson"), dxf = TestPath("plan.dxf"), text = TestPath("plan.txt");
    Save(good, FeatureCollection({PolygonFeature({Utm}, R"({"height": "9 m"})")}, Etrs89Utm32));
    Save(noHeight, FeatureCollection({PolygonFeature({Utm})}, Etrs89Utm32));
    Save(bad, FeatureCollection(
                  {PolygonFeature({Utm}, R"({"height": 9})"),
                   PolygonFeature({{{690010, 5335020}, {690050, 5335050}, {690050, 5335020}, {690010, 5335050}}},
                                  R"({"height": 9})")},
                  Etrs89Utm32));
    Save(dxf, DxfFile(LwPolyline("walls", {{0, 0}, {20, 0}, {20, 10}, {0, 10}}, true, "39\n6\n")));
    Save(text, "hello");
    std::string zlv = TestPath("imported.Zlv"), nowhere = TestPath("missing-folder/out.Zlv");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        bool written;
    };
    const Case cases[] = {
        {{"import", good, zlv}, 0, true},
        {{"import", dxf, zlv, "--layer", "walls"}, 0, true},
        {{"import", dxf, zlv, "--layer", "doors"}, 2, false},
        {{"import", noHeight, zlv}, 2, false},
        {{"import", noHeight, zlv, "--height", "6"}, 0, true},
        {{"import", bad, zlv}, 2, false},
        {{"import", bad, zlv, "--skip-invalid"}, 0, true},
        {{"import", TestPath("absent.dxf"), zlv}, 2, false},
        {{"import", text, zlv}, 2, false},
        {{"import", good, nowhere}, 3, false},
        {{"import", good, zlv, "--height", "tall"}, 64, false},
        {{"import", good}, 64, false},
    };
    for (const Case& c : cases) {
        remove(zlv.c_str());
        EXPECT_EQ(RunTool(c.arguments).status, c.status) << c.arguments[1] << " " << c.arguments.size();
        EXPECT_EQ(FileExists(zlv), c.written) << c.arguments[1] << " " << c.arguments.size();
    }

    ASSERT_EQ(RunTool({"import", good, zlv}).status, 0);
    Drawing bowTie;
    bowTie.polygons.appendPolygon(MakePolygon("bow tie", 0, {{0, 0, 1}, {10, 10, 1}, {10, 0, 1}, {0, 10, 1}}));
    std::string invalid = TestPath("bow-tie.Zlv");
    WriteDrawingFile(invalid.c_str(), bowTie);
    std::string out = TestPath("outline.dxf");
    const Case outlines[] = {
        {{"outline", zlv, out, "--view", "ad", "--quiet"}, 0, true},
        {{"outline", zlv, TestPath("outline.svg")}, 64, false},
        {{"outline", zlv, out, "--view", "side"}, 64, false},
        {{"outline", invalid, out, "--quiet"}, 1, false},
        {{"outline", TestPath("absent.Zlv"), out}, 2, false},
        {{"outline", zlv, TestPath("missing-folder/out.dxf"), "--quiet"}, 3, false},
    };
    for (const Case& c : outlines) {
        remove(out.c_str());
        EXPECT_EQ(RunTool(c.arguments).status, c.status) << c.arguments[2] << " " << c.arguments.size();
        EXPECT_EQ(FileExists(out), c.written) << c.arguments[2] << " " << c.arguments.size();
    }
}

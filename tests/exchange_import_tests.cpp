#include <gtest/gtest.h>

#include <cmath>

#include "engine/checks/polygon_checks.h"
#include "engine/geometry/geometry.h"
#include "exchange/dxf_adapter.h"
#include "exchange/geodesy.h"
#include "exchange/geojson_adapter.h"
#include "tests/exchange_test_support.h"

namespace {

const std::vector<XY> Square = {{100, 200}, {110, 200}, {110, 210}, {100, 210}};

double HeightOf(const ImportResult& result, size_t polygon = 0) {
    return result.polygons.at(polygon).height.at(0);
}

std::string Refusal(const std::string& text, SourceFormat format) {
    ImportSource source;
    std::string error;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
    bool parsed = format == SourceFormat::Dxf ? ParseDxf(bytes, text.size(), &source, &error)
                                              : ParseGeoJson(bytes, text.size(), &source, &error);
    EXPECT_EQ(parsed, error.empty());
    return error;
}

}  // namespace

TEST(DxfImport, HeightComesFromZThenThicknessThenElevationThenTheDefault) {
    struct Case {
        const char* what;
        std::string entity;
        double height;
        HeightSource source;
    };
    std::string polyline3d = "0\nPOLYLINE\n8\nroof\n66\n1\n70\n9\n";
    for (XY p : Square)
        polyline3d +=
            "0\nVERTEX\n8\nroof\n10\n" + std::to_string(p.x) + "\n20\n" + std::to_string(p.y) + "\n30\n7.5\n70\n32\n";
    polyline3d += "0\nSEQEND\n";
    const Case cases[] = {
        {"3D polyline", polyline3d, 7.5, HeightSource::VertexZ},
        {"thickness over elevation", LwPolyline("a", Square, true, "38\n4\n39\n-9\n"), 9, HeightSource::Thickness},
        {"elevation", LwPolyline("a", Square, true, "38\n4\n"), 4, HeightSource::Elevation},
        {"2D POLYLINE elevation",
         "0\nPOLYLINE\n8\na\n66\n1\n10\n0\n20\n0\n30\n6\n70\n1\n0\nVERTEX\n8\na\n10\n0\n20\n0\n"
         "0\nVERTEX\n8\na\n10\n5\n20\n0\n0\nVERTEX\n8\na\n10\n5\n20\n5\n0\nSEQEND\n",
         6, HeightSource::Elevation},
        {"default", LwPolyline("a", Square, true), 3, HeightSource::Default},
    };
    ImportSettings settings;
    settings.defaultHeight = 3;
    for (const Case& c : cases) {
        ImportResult result = ImportText(DxfFile(c.entity), SourceFormat::Dxf, settings);
        ASSERT_EQ(result.polygons.size(), 1u) << c.what << result.refusal << ImportFailuresText(result);
        EXPECT_DOUBLE_EQ(HeightOf(result), c.height) << c.what;
        EXPECT_EQ(result.heightSources[static_cast<int>(c.source)], 1) << c.what;
    }
}

TEST(DxfImport, KeepsClosedModelSpacePolylinesAndCountsTheRest) {
    std::string entities = LwPolyline("walls", Square, true) + LwPolyline("walls", Square, false) +
                           LwPolyline("sheet", Square, true, "67\n1\n") + LwPolyline("annex", Square, true) +
                           "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n0\nCIRCLE\n8\n0\n10\n0\n20\n0\n40\n3\n"
                           "0\nTEXT\n8\n0\n1\nhello\n0\nINSERT\n8\n0\n2\nblock\n";
    ImportSettings settings;
    settings.defaultHeight = 5;
    ImportResult all = ImportText(DxfFile(entities), SourceFormat::Dxf, settings);
    ASSERT_EQ(all.polygons.size(), 2u);
    EXPECT_STREQ(all.polygons[0].name, "walls 1");
    EXPECT_STREQ(all.polygons[1].name, "annex 1");
    EXPECT_EQ(ImportSummary(all).find("skipped: 1 lines, 1 circles, 1 texts, 1 blocks, 1 open polylines, "
                                      "1 entities in paper space\n") != std::string::npos,
              true)
        << ImportSummary(all);
    settings.layers = {"annex"};
    ImportResult annex = ImportText(DxfFile(entities), SourceFormat::Dxf, settings);
    ASSERT_EQ(annex.polygons.size(), 1u);
    EXPECT_STREQ(annex.polygons[0].name, "annex 1");
}

TEST(DxfImport, ArcsAndUnitsBecomeMetres) {
    // A 10 by 10 unit square whose top edge is a half circle (bulge 1), drawn in millimetres.
    std::vector<XY> corners = {{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};
    std::string entity = "0\nLWPOLYLINE\n8\nm\n90\n4\n70\n1\n38\n8000\n";
    for (size_t i = 0; i < corners.size(); i++)
        entity += "10\n" + std::to_string(corners[i].x) + "\n20\n" + std::to_string(corners[i].y) + "\n" +
                  (i == 2 ? "42\n1\n" : "");
    ImportResult result = ImportText(DxfFile(entity, 4), SourceFormat::Dxf);
    ASSERT_EQ(result.polygons.size(), 1u) << ImportFailuresText(result);
    const PolygonRecord& p = result.polygons[0];
    std::vector<Point> points;
    for (int32_t k = 0; k < p.vertexCount; k++)
        points.push_back({p.x[k], p.y[k]});
    double expected = 100.0 + 4 * std::atan(1.0) * 25.0 / 2.0;  // the half disc of radius 5 m on top
    EXPECT_NEAR(PolygonArea(points.data(), p.vertexCount), expected, 0.02 * expected);
    EXPECT_GT(p.vertexCount, 10);
    EXPECT_DOUBLE_EQ(p.height[0], 8.0);  // elevation is in the drawing's units too
    EXPECT_NE(ImportSummary(result).find("units: millimetres"), std::string::npos);
}

// Every unit a drawing may name brings a 20 m square, 4 m high, drawn in that unit, to metres, and the
// summary names the unit taken; a drawing without a unit is taken as metres and the summary says so.
TEST(DxfImport, EveryInsunitsCodeScalesToMetres) {
    const struct {
        int code;
        double metres;     // per unit
        const char* name;  // in the summary
    } cases[] = {
        {0, 1.0, "none declared, taken as metres"},
        {1, 0.0254, "inches"},
        {2, 0.3048, "feet"},
        {4, 0.001, "millimetres"},
        {5, 0.01, "centimetres"},
        {6, 1.0, "metres"},
        {7, 1000.0, "kilometres"},
        {10, 0.9144, "yards"},
        {14, 0.1, "decimetres"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        double side = 20 / c.metres;
        std::string entities = LwPolyline("m", {{0, 0}, {side, 0}, {side, side}, {0, side}}, true,
                                          "38\n" + std::to_string(4 / c.metres) + "\n");
        ImportResult result = ImportText(DxfFile(entities, c.code), SourceFormat::Dxf);
        ASSERT_EQ(result.polygons.size(), 1u) << ImportFailuresText(result);
        const PolygonRecord& p = result.polygons[0];
        EXPECT_NEAR(std::fabs(p.x[1] - p.x[0]) + std::fabs(p.y[1] - p.y[0]), 20.0, 1e-6);
        EXPECT_NEAR(p.height[0], 4.0, 1e-6);
        std::string summary = ImportSummary(result);
        EXPECT_NE(summary.find(std::string("units: ") + c.name), std::string::npos) << summary;
    }
}

TEST(DxfImport, RefusesWhatIsNotAReadableDxf) {
    struct Case {
        const char* what;
        std::string text;
        const char* says;
    };
    std::string good = DxfFile(LwPolyline("a", Square, true));
    const Case cases[] = {
        {"empty", "", "empty"},
        {"binary", std::string("AutoCAD Binary DXF\r\n\x1a", 22) + std::string(40, 'x'), "binary DXF"},
        {"NUL bytes", std::string("0\nSECTION\n\0\n", 12), "NUL"},
        {"truncated", good.substr(0, good.size() / 2), "truncated"},
        {"no EOF", good.substr(0, good.size() - 6), "EOF"},
        {"bad group code", "0\nSECTION\nXY\nENTITIES\n0\nEOF\n", "'XY' is not a group code"},
        {"long line", "0\nSECTION\n2\n" + std::string(5000, 'E') + "\n0\nEOF\n", "longer than 1000"},
        {"huge vertex count", DxfFile("0\nLWPOLYLINE\n8\na\n90\n900000000\n70\n1\n10\n0\n20\n0\n"), "announces"},
        {"half a pair", "0\nSECTION\n2", "middle of a group"},
        {"empty coordinate", DxfFile("0\nLWPOLYLINE\n8\na\n90\n3\n70\n1\n10\n0\n20\n\n10\n5\n20\n0\n10\n5\n20\n5\n"),
         "line 26: '' is not a finite number"},
        {"huge elevation", DxfFile(LwPolyline("a", Square, true, "38\n1e999\n")), "'1e999' is not a finite number"},
    };
    for (const Case& c : cases)
        EXPECT_NE(Refusal(c.text, SourceFormat::Dxf).find(c.says), std::string::npos) << c.what;
    ImportResult nothing = ImportText(DxfFile("0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"), SourceFormat::Dxf);
    EXPECT_EQ(nothing.refusal, "the file has no closed LWPOLYLINE or POLYLINE in its model space (skipped: 1 lines)");
}

TEST(GeoJsonImport, HeightFromPropertyThenLevelsThenDefault) {
    struct Case {
        const char* properties;
        double height;
        int unreadable;
    };
    const Case cases[] = {
        {R"({"height": 12})", 12, 0},
        {R"({"height": "12,5 m", "building:levels": 9})", 12.5, 0},
        {R"({"height": "tall", "building:levels": 4})", 10, 1},
        {R"({"building:levels": "3"})", 7.5, 0},
        {R"({"height": null})", 2, 0},
        {R"({"height": -4, "building:levels": [1]})", 2, 2},
    };
    ImportSettings settings;
    settings.levelHeight = 2.5;
    settings.defaultHeight = 2;
    std::vector<XY> lonLat = {{7.0, 46.0}, {7.0002, 46.0}, {7.0002, 46.0002}, {7.0, 46.0002}};
    for (const Case& c : cases) {
        ImportResult result =
            ImportText(FeatureCollection({PolygonFeature({lonLat}, c.properties)}), SourceFormat::GeoJson, settings);
        ASSERT_EQ(result.polygons.size(), 1u) << c.properties;
        EXPECT_DOUBLE_EQ(HeightOf(result), c.height) << c.properties;
        EXPECT_EQ(result.unreadableHeights, c.unreadable) << c.properties;
    }
}

TEST(GeoJsonImport, RefusesWhatIsNotGeoJsonItCanTake) {
    struct Case {
        const char* what;
        std::string text;
        const char* says;
    };
    const Case cases[] = {
        {"not JSON", "{\"type\": ", "not valid JSON"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10), "not valid JSON"},
        {"an array", "[1, 2]", "not GeoJSON"},
        {"not finite",
         FeatureCollection({R"({"type":"Feature","properties":{},"geometry":{"type":"Polygon",)"
                            R"("coordinates":[[[7,46],[1e400,46],[7.1,46.1],[7,46]]]}})"}),
         "number overflow parsing '1e400'"},
        {"no features", R"({"type": "FeatureCollection"})", "no features array"},
        {"web Mercator", FeatureCollection({}, R"(,"crs":{"type":"name","properties":{"name":"EPSG:3857"}})"),
         "web Mercator"},
        {"unknown system", FeatureCollection({}, R"(,"crs":{"type":"name","properties":{"name":"EPSG:9999"}})"),
         "not a system this import knows"},
        {"crs name of digits alone", FeatureCollection({}, R"(,"crs":{"type":"name","properties":{"name":"5832"}})"),
         "its crs '5832' is not a system this import knows"},
        {"crs by link", FeatureCollection({}, R"(,"crs":{"type":"link","properties":{"href":"x"}})"), "does not name"},
    };
    for (const Case& c : cases)
        EXPECT_NE(Refusal(c.text, SourceFormat::GeoJson).find(c.says), std::string::npos) << c.what;
    ImportResult points = ImportText(
        R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,2]}},
            {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,3]}}]})",
        SourceFormat::GeoJson);
    EXPECT_EQ(points.refusal, "the file has no Polygon or MultiPolygon geometry (skipped: 2 Point)");
}

TEST(GeoJsonImport, BadFootprintsAreNamedAndKeptOutUnlessTheRestIsWanted) {
    std::vector<XY> good = {{7.0, 46.0}, {7.0002, 46.0}, {7.0002, 46.0002}, {7.0, 46.0002}};
    std::string text = FeatureCollection({
        PolygonFeature({good}, R"({"height": 10})"),
        PolygonFeature({{{7.0, 46.0}, {7.0001, 46.0}}}, R"({"height": 10, "name": "shed"})"),
        PolygonFeature({{{7.0, 46.0}, {7.0002, 46.0002}, {7.0002, 46.0}, {7.0, 46.0002}}}, R"({"height": 10})"),
        PolygonFeature({{{700000, 5100000}, {700010, 5100000}, {700010, 5100010}}}, R"({"height": 10})"),
        R"({"type":"Feature","properties":{"height":10},"geometry":{"type":"Polygon","coordinates":[[1,2]]}})",
    });
    ImportResult result = ImportText(text, SourceFormat::GeoJson);
    EXPECT_EQ(ImportFailuresText(result),
              "feature 2 (shed): it has fewer than 3 distinct vertices\n"
              "feature 3: edges 1 and 3 cross or overlap\n"
              "feature 4: position (700000, 5100000) is not a longitude/latitude\n"
              "feature 5: its coordinates are not rings of [x, y] positions\n");
    Drawing target;
    target.polygons.appendPolygon(MakeBlock(1, 1, 2, 2, 3));
    EXPECT_EQ(ApplyImport(result, false, &target), ApplyOutcome::HasFailures);
    EXPECT_EQ(target.polygons.count(), 1);
    EXPECT_EQ(target.georeference.present, 0);
    EXPECT_EQ(ApplyImport(result, true, &target), ApplyOutcome::Applied);
    EXPECT_EQ(target.polygons.count(), 1);
    EXPECT_STREQ(target.polygons.polygon(0).name, "feature 1");
    EXPECT_EQ(target.modified, 1);
    EXPECT_EQ(target.georeference.kind, GeoKind::LonLat);
}

// Edges of a block near 60 degrees north, projected and placed, against the geodesic distances
// between its corners.
TEST(GeoJsonImport, ProjectedEdgesMatchGeodesicDistances) {
    std::vector<XY> corners = {{24.9400, 60.1690}, {24.9425, 60.1690}, {24.9425, 60.1702}, {24.9400, 60.1702}};
    ImportResult result =
        ImportText(FeatureCollection({PolygonFeature({corners}, R"({"height": 20})")}), SourceFormat::GeoJson);
    ASSERT_EQ(result.polygons.size(), 1u);
    const PolygonRecord& p = result.polygons[0];
    ASSERT_EQ(p.vertexCount, 4);
    for (int k = 0; k < 4; k++) {
        int next = (k + 1) % 4;
        double planar = std::hypot(p.x[next] - p.x[k], p.y[next] - p.y[k]);
        double geodesic = GeodesicDistance(corners[k].x, corners[k].y, corners[next].x, corners[next].y);
        EXPECT_NEAR(planar, geodesic, 0.001) << "edge " << k + 1;
    }
    // North is up on the screen, where y grows downwards: the northern corners have the smaller y.
    EXPECT_LT(p.y[2], p.y[1]);
    EXPECT_GT(p.x[1], p.x[0]);
}

TEST(Placement, FootprintsSitInsideTheMapWithAMarginAndKeepTheirArea) {
    struct Case {
        const char* what;
        std::vector<XY> ring;
    };
    const Case cases[] = {
        {"UTM-sized", {{500123.25, 5400321.5}, {500163.25, 5400321.5}, {500163.25, 5400351.5}, {500123.25, 5400351.5}}},
        {"negative", {{-80, -60}, {-20, -60}, {-50, -10}}},
        {"wide", {{0, 0}, {3000, 0}, {3000, 20}, {0, 20}}},
    };
    for (const Case& c : cases) {
        ImportSettings settings;
        settings.defaultHeight = 10;
        ImportResult result = ImportText(DxfFile(LwPolyline("a", c.ring, true)), SourceFormat::Dxf, settings);
        ASSERT_EQ(result.polygons.size(), 1u) << c.what;
        const PolygonRecord& p = result.polygons[0];
        std::vector<Point> source, placed;
        for (int32_t k = 0; k < p.vertexCount; k++) {
            EXPECT_GE(p.x[k], 10.0) << c.what;
            EXPECT_GE(p.y[k], 10.0) << c.what;
            EXPECT_LE(p.x[k], result.mapSize - 10.0) << c.what;
            EXPECT_LE(p.y[k], result.mapSize - 10.0) << c.what;
            PlanePoint back = DrawingToSource(result.georeference, {p.x[k], p.y[k]});
            EXPECT_DOUBLE_EQ(back.x, c.ring[k].x) << c.what;
            EXPECT_DOUBLE_EQ(back.y, c.ring[k].y) << c.what;
            source.push_back({c.ring[k].x, c.ring[k].y});
            placed.push_back({p.x[k], p.y[k]});
        }
        EXPECT_NEAR(PolygonArea(placed.data(), p.vertexCount), PolygonArea(source.data(), p.vertexCount),
                    1e-9 * PolygonArea(source.data(), p.vertexCount))
            << c.what;
    }
    ImportSettings settings;
    settings.defaultHeight = 10;
    ImportResult far = ImportText(
        DxfFile(LwPolyline("a", Square, true) + LwPolyline("a", {{300000, 0}, {300010, 0}, {300010, 10}}, true)),
        SourceFormat::Dxf, settings);
    EXPECT_EQ(far.refusal, "the footprints spread over 300 km; at most 200 km can be one drawing");
}

// A sliver that passes its checks where it was drawn but lies on one line once shifted into the map
// (a y of 1e-300 rounds away against whole metres) is a failing footprint, not a polygon the
// calculation would refuse.
TEST(Placement, AFootprintThatCollapsesWhenShiftedFails) {
    std::string sliver =
        "0\nLWPOLYLINE\n8\nsliver\n90\n3\n70\n1\n10\n0\n20\n0\n10\n0.005\n20\n1e-300\n10\n0.001\n20\n0\n";
    ImportSettings settings;
    settings.defaultHeight = 10;
    ImportResult result = ImportText(DxfFile(LwPolyline("a", Square, true) + sliver), SourceFormat::Dxf, settings);
    EXPECT_EQ(ImportFailuresText(result), "sliver 1: edges 1 and 2 cross or overlap\n");
    ASSERT_EQ(result.polygons.size(), 1u);
    EXPECT_EQ(result.footprints, 1);
    EXPECT_EQ(result.vertices, 4);
    Drawing target;
    ASSERT_EQ(ApplyImport(result, true, &target), ApplyOutcome::Applied);
    EXPECT_TRUE(CheckDrawing(target));
}

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "exchange/dxf_adapter.h"
#include "exchange/dxf_units.h"
#include "exchange/geojson_adapter.h"
#include "exchange/import_file.h"
#include "tests/exchange_test_support.h"
#include "tests/test_support.h"

namespace {

const std::vector<XY> Plan = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

// A DXF whose header declares $INSUNITS as the given text.
std::string DxfDeclaring(const std::string& units, const std::string& entities) {
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n" + units + "\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities +
           "0\nENDSEC\n0\nEOF\n";
}

struct Parsed {
    bool ok;
    ImportSource source;
    std::string error;
};

Parsed ParseDxfText(const std::string& text, const DxfUnit* given = nullptr) {
    Parsed parsed;
    parsed.ok =
        ParseDxf(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &parsed.source, &parsed.error, given);
    return parsed;
}

// The only failure of an import that reads, or the refusal of one that does not.
std::string ImportFault(const std::string& text, SourceFormat format, double defaultHeight = 0.0) {
    ImportSettings settings;
    settings.defaultHeight = defaultHeight;
    ImportResult result = ImportText(text, format, settings);
    return result.refusal + ImportFailuresText(result);
}

}  // namespace

// Every code of the DXF reference against its length in metres, written here from the units'
// definitions (the inch is 25.4 mm, the US survey foot 1200/3937 m, the astronomical unit 149597870700 m).
TEST(DxfUnits, EveryCodeScalesByItsExactFactor) {
    struct Case {
        int code;
        double metres;
        const char* name;
    };
    const Case cases[] = {
        {1, 0.0254, "inches"},
        {2, 0.3048, "feet"},
        {3, 1609.344, "miles"},
        {4, 0.001, "millimetres"},
        {5, 0.01, "centimetres"},
        {6, 1.0, "metres"},
        {7, 1000.0, "kilometres"},
        {8, 2.54e-8, "microinches"},
        {9, 2.54e-5, "mils"},
        {10, 0.9144, "yards"},
        {11, 1e-10, "angstroms"},
        {12, 1e-9, "nanometres"},
        {13, 1e-6, "microns"},
        {14, 0.1, "decimetres"},
        {15, 10.0, "decametres"},
        {16, 100.0, "hectometres"},
        {17, 1e9, "gigametres"},
        {18, 149597870700.0, "astronomical units"},
        {19, 9.4607304725808e15, "light years"},
        {20, 3.0856775814913673e16, "parsecs"},
        {21, 0.30480060960121924, "US survey feet"},
        {22, 0.025400050800101603, "US survey inches"},
        {23, 0.9144018288036577, "US survey yards"},
        {24, 1609.3472186944373, "US survey miles"},
    };
    for (const Case& c : cases) {
        Parsed parsed = ParseDxfText(DxfDeclaring(std::to_string(c.code), LwPolyline("a", Plan, true)));
        ASSERT_TRUE(parsed.ok) << c.code << parsed.error;
        EXPECT_NEAR(parsed.source.unitScale, c.metres, 1e-15 * c.metres) << c.code;
        EXPECT_EQ(parsed.source.unitName.rfind(c.name, 0), 0u) << c.code << ": " << parsed.source.unitName;
    }
    // A plan in US survey feet lands where the same plan in metres does, to the survey foot's factor.
    ImportSettings settings;
    settings.defaultHeight = 5;
    ImportResult feet = ImportText(DxfDeclaring("21", LwPolyline("a", Plan, true)), SourceFormat::Dxf, settings);
    ASSERT_EQ(feet.polygons.size(), 1u) << feet.refusal;
    EXPECT_NEAR(feet.width, 10 * 1200.0 / 3937.0, 1e-12);
    EXPECT_NE(ImportSummary(feet).find("units: US survey feet, scaled to metres\n"), std::string::npos);
}

TEST(DxfUnits, UnknownOrMalformedCodesAreRefusedUnlessTheUnitIsGiven) {
    for (const char* declared : {"99", "25", "-1", "2147483648", "x", "1e9", "", "4.0"}) {
        Parsed parsed = ParseDxfText(DxfDeclaring(declared, LwPolyline("a", Plan, true)));
        EXPECT_FALSE(parsed.ok) << declared;
        EXPECT_TRUE(parsed.source.unitUnknown) << declared;
        EXPECT_NE(parsed.error.find(std::string("$INSUNITS '") + declared + "'"), std::string::npos) << parsed.error;
        EXPECT_TRUE(parsed.source.footprints.empty());

        Parsed given = ParseDxfText(DxfDeclaring(declared, LwPolyline("a", Plan, true)), DxfUnitNamed("ft"));
        ASSERT_TRUE(given.ok) << declared << given.error;
        EXPECT_EQ(given.source.unitScale, 0.3048);
        EXPECT_EQ(given.source.unitName, "feet (as given), scaled to metres");
    }
    // The import from disk tells this refusal from the others, so that the program can ask for the unit.
    std::string path = TestPath("unknown-unit.dxf");
    std::string text = DxfDeclaring("99", LwPolyline("a", Plan, true));
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    ImportSource source;
    std::string message;
    EXPECT_EQ(ReadImportFile(path.c_str(), &source, &message), ImportFileError::UnknownUnit);
    EXPECT_EQ(ReadImportFile(path.c_str(), &source, &message, DxfUnitNamed("mm")), ImportFileError::None);
    EXPECT_EQ(source.unitScale, 0.001);
}

TEST(DxfUnits, NoUnitIsMetresAndTheSummarySaysSo) {
    struct Case {
        const char* what;
        std::string text;
        const char* says;
    };
    const Case cases[] = {
        {"code 0", DxfDeclaring("0", LwPolyline("a", Plan, true)), "units: none ($INSUNITS 0), taken as metres\n"},
        {"not declared", DxfFile(LwPolyline("a", Plan, true)), "units: none declared, taken as metres\n"},
        {"metres", DxfDeclaring("6", LwPolyline("a", Plan, true)), "units: metres\n"},
        {"GeoJSON", FeatureCollection({PolygonFeature({{{8, 47}, {8.001, 47}, {8.001, 47.001}}}, "{}")}),
         "units: longitude/latitude, projected to metres\n"},
    };
    ImportSettings settings;
    settings.defaultHeight = 5;
    for (const Case& c : cases) {
        bool dxf = c.text[0] != '{';
        ImportResult result = ImportText(c.text, dxf ? SourceFormat::Dxf : SourceFormat::GeoJson, settings);
        EXPECT_NE(ImportSummary(result).find(c.says), std::string::npos) << c.what << ": " << ImportSummary(result);
        if (dxf) {
            EXPECT_DOUBLE_EQ(result.width, 10.0) << c.what;
        }
    }
}

TEST(DxfUnits, UsersNameUnitsByShortNameOrCode) {
    EXPECT_EQ(DxfUnitNamed("us-ft")->code, 21);
    EXPECT_EQ(DxfUnitNamed("m")->metres, 1.0);
    EXPECT_EQ(DxfUnitNamed("13")->metres, 1e-6);
    for (const char* wrong : {"", "metre", "0", "99", "FT"})
        EXPECT_EQ(DxfUnitNamed(wrong), nullptr) << wrong;
}

// Each message says what is wrong with the file, not what a later check would make of it.
TEST(DxfMessages, VertexCountsAndLineEndsAreNamedForWhatTheyAre) {
    struct Case {
        const char* what;
        std::string text;
        const char* says;
    };
    auto withCount = [](const char* count) {
        return DxfFile("0\nLWPOLYLINE\n8\na\n90\n" + std::string(count) + "\n70\n1\n10\n0\n20\n0\n10\n5\n20\n0\n");
    };
    const Case cases[] = {
        {"negative count", withCount("-5"), "line 20: the vertex count '-5' of an LWPOLYLINE is not a count"},
        {"letters", withCount("abc"), "the vertex count 'abc' of an LWPOLYLINE is not a count"},
        {"fraction", withCount("2.5"), "the vertex count '2.5'"},
        {"empty", withCount(""), "the vertex count ''"},
    };
    for (const Case& c : cases) {
        Parsed parsed = ParseDxfText(c.text);
        EXPECT_FALSE(parsed.ok) << c.what;
        EXPECT_NE(parsed.error.find(c.says), std::string::npos) << c.what << ": " << parsed.error;
    }
    // Old CAD exports end lines with CR alone; they read as the same drawing as LF and CR LF.
    std::string lf = DxfDeclaring("4", LwPolyline("a", {{0, 0}, {4000, 0}, {4000, 3000}}, true, "39\n2500\n"));
    std::string cr = lf, crLf;
    for (char& c : cr)
        c = c == '\n' ? '\r' : c;
    for (char c : lf)
        crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {lf, cr, crLf}) {
        ImportResult result = ImportText(text, SourceFormat::Dxf);
        ASSERT_EQ(result.polygons.size(), 1u) << result.refusal;
        EXPECT_EQ(result.polygons[0].vertexCount, 3);
        EXPECT_DOUBLE_EQ(result.polygons[0].height[0], 2.5);
        EXPECT_DOUBLE_EQ(result.width, 4.0);
    }
}

// A height above the limit refuses its footprint by name, whichever source it comes from; heights at
// the limit pass.
TEST(ImportHeightLimit, EverySourceOfHeightIsHeldToTheLimit) {
    struct Case {
        const char* what;
        std::string text;
        SourceFormat format;
        const char* says;  // empty: imported
    };
    std::string polyline3d = "0\nPOLYLINE\n8\nroof\n66\n1\n70\n9\n";
    for (size_t i = 0; i < Plan.size(); i++)
        polyline3d += "0\nVERTEX\n8\nroof\n10\n" + std::to_string(Plan[i].x) + "\n20\n" + std::to_string(Plan[i].y) +
                      "\n30\n" + (i == 2 ? "1e12" : "12") + "\n70\n32\n";
    polyline3d += "0\nSEQEND\n";
    auto feature = [](const std::string& properties) {
        return FeatureCollection({PolygonFeature({{{8, 47}, {8.0001, 47}, {8.0001, 47.0001}}}, properties)});
    };
    const Case cases[] = {
        {"thickness", DxfFile(LwPolyline("a", Plan, true, "39\n1e12\n")), SourceFormat::Dxf,
         "a 1: its thickness 1e+12 m is above 1000 m, the most a vertex can have\n"},
        {"elevation", DxfFile(LwPolyline("a", Plan, true, "38\n1e300\n")), SourceFormat::Dxf,
         "a 1: its elevation 1e+300 m is above 1000 m"},
        {"elevation in km", DxfFile(LwPolyline("a", Plan, true, "38\n1.5\n"), 7), SourceFormat::Dxf,
         "a 1: its elevation 1500 m is above 1000 m"},
        {"thickness at the limit", DxfFile(LwPolyline("a", Plan, true, "39\n1000\n")), SourceFormat::Dxf, ""},
        {"3D vertex", DxfFile(polyline3d), SourceFormat::Dxf, "roof 1: the z of vertex 3 1e+12 m is above 1000 m"},
        {"height property", feature(R"({"height": 1e300})"), SourceFormat::GeoJson,
         "feature 1: its height 1e+300 m is above 1000 m"},
        {"height text", feature(R"({"height": "1200 m"})"), SourceFormat::GeoJson,
         "feature 1: its height 1200 m is above 1000 m"},
        {"levels", feature(R"({"building:levels": 400})"), SourceFormat::GeoJson,
         "feature 1: its building:levels 1200 m is above 1000 m"},
        {"levels that overflow", feature(R"({"building:levels": 1e308})"), SourceFormat::GeoJson,
         "feature 1: its building:levels inf m is above 1000 m"},
        {"height property at the limit", feature(R"({"height": 1000})"), SourceFormat::GeoJson, ""},
    };
    for (const Case& c : cases) {
        std::string fault = ImportFault(c.text, c.format);
        if (*c.says)
            EXPECT_NE(fault.find(c.says), std::string::npos) << c.what << ": " << fault;
        else
            EXPECT_EQ(fault, "") << c.what;
    }
    EXPECT_NE(ImportFault(DxfFile(LwPolyline("a", Plan, true)), SourceFormat::Dxf, 1001).find("above 1000 m"),
              std::string::npos)
        << "the default height too";
}

// The features of a collection are read one by one while the document is parsed; what is read must be
// what the whole document says, members in any order, odd elements counted as before.
TEST(GeoJsonStream, FeaturesReadWhileParsingAreTheWholeDocumentsFeatures) {
    std::string a = PolygonFeature({{{8, 47}, {8.0001, 47}, {8.0001, 47.0001}}}, R"({"name": "a", "height": 9})");
    std::string b = PolygonFeature({{{8.001, 47}, {8.0011, 47}, {8.0011, 47.0001}}}, R"({"height": 4})");
    struct Case {
        const char* what;
        std::string text;
        size_t footprints;
        const char* summary;
    };
    const Case cases[] = {
        {"features last", FeatureCollection({a, b}), 2, "heights: 2 from the height property"},
        {"features first", R"({"features": [)" + a + "," + b + R"(], "type": "FeatureCollection"})", 2, ""},
        {"odd elements", FeatureCollection({a, "5", "[1, 2]", "null", b}), 2, "skipped: 3 features without geometry"},
        {"nested features key", R"({"type": "FeatureCollection", "x": {"features": [)" + a + R"(]}, "features": []})",
         0, ""},
        {"a Feature's stray features", R"({"type": "Feature", "features": [)" + a + R"(], "geometry": null})", 0, ""},
    };
    for (const Case& c : cases) {
        ImportSource source;
        std::string error;
        ASSERT_TRUE(ParseGeoJson(reinterpret_cast<const uint8_t*>(c.text.data()), c.text.size(), &source, &error))
            << c.what << error;
        EXPECT_EQ(source.footprints.size(), c.footprints) << c.what;
        if (c.footprints == 2) {
            EXPECT_EQ(source.footprints[0].name, "feature 1 (a)") << c.what;
            EXPECT_EQ(source.footprints[1].name.rfind("feature ", 0), 0u) << c.what;
            EXPECT_NE(ImportSummary(ImportText(c.text, SourceFormat::GeoJson)).find(c.summary), std::string::npos)
                << c.what;
        }
    }
}

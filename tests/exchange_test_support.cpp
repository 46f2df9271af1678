#include "tests/exchange_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "exchange/dxf_adapter.h"
#include "exchange/geojson_adapter.h"
#include "tests/drawing_builders.h"

namespace {

std::string Number(double value) {
    char text[40];
    snprintf(text, sizeof text, "%.17g", value);
    return text;
}

}  // namespace

std::string DxfFile(const std::string& entities, int unit) {
    std::string header = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n";
    if (unit > 0)
        header += "9\n$INSUNITS\n70\n" + std::to_string(unit) + "\n";
    return header + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string LwPolyline(const std::string& layer, const std::vector<XY>& points, bool closed, const std::string& extra) {
    std::string text = "0\nLWPOLYLINE\n8\n" + layer + "\n90\n" + std::to_string(points.size()) + "\n70\n" +
                       (closed ? "1" : "0") + "\n" + extra;
    for (const XY& p : points)
        text += "10\n" + Number(p.x) + "\n20\n" + Number(p.y) + "\n";
    return text;
}

std::string PolygonFeature(const std::vector<std::vector<XY>>& rings, const std::string& properties) {
    std::string coordinates;
    for (const std::vector<XY>& ring : rings) {
        std::string positions;
        for (size_t i = 0; i <= ring.size(); i++) {
            const XY& p = ring[i % ring.size()];
            positions += (i ? "," : "") + std::string("[") + Number(p.x) + "," + Number(p.y) + "]";
        }
        coordinates += (coordinates.empty() ? "" : ",") + std::string("[") + positions + "]";
    }
    return R"({"type":"Feature","properties":)" + properties + R"(,"geometry":{"type":"Polygon","coordinates":[)" +
           coordinates + "]}}";
}

std::string FeatureCollection(const std::vector<std::string>& features, const std::string& extra) {
    std::string list;
    for (const std::string& feature : features)
        list += (list.empty() ? "" : ",") + feature;
    return R"({"type":"FeatureCollection")" + extra + R"(,"features":[)" + list + "]}";
}

ImportResult ImportText(const std::string& text, SourceFormat format, const ImportSettings& settings) {
    ImportSource source;
    std::string error;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
    bool parsed = format == SourceFormat::Dxf ? ParseDxf(bytes, text.size(), &source, &error)
                                              : ParseGeoJson(bytes, text.size(), &source, &error);
    EXPECT_TRUE(parsed) << error;
    return BuildImport(source, settings);
}

PolygonRecord MakeBlock(double x0, double y0, double x1, double y1, double height) {
    return MakePolygon("block", 0, {{x0, y0, height}, {x1, y0, height}, {x1, y1, height}, {x0, y1, height}});
}

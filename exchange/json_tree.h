// A JSON document of the program's own, so that writers above the JSON adapter build output without
// the library. Members keep the order they were added in.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "exchange/outline_regions.h"

struct JsonValue {
    enum class Kind { Null, Boolean, Integer, Number, Text, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    long long integer = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    static JsonValue Array() { return Of(Kind::Array); }
    static JsonValue Object() { return Of(Kind::Object); }
    JsonValue() = default;
    JsonValue(double value) : kind(Kind::Number), number(value) {}              // NOLINT: reads as a literal
    JsonValue(int value) : kind(Kind::Integer), integer(value) {}               // NOLINT
    JsonValue(bool value) : kind(Kind::Boolean), boolean(value) {}              // NOLINT
    JsonValue(const char* value) : kind(Kind::Text), text(value) {}             // NOLINT
    JsonValue(std::string value) : kind(Kind::Text), text(std::move(value)) {}  // NOLINT

    JsonValue& add(const char* name, JsonValue value) {
        members.emplace_back(name, std::move(value));
        return *this;
    }
    JsonValue& push(JsonValue value) {
        items.push_back(std::move(value));
        return *this;
    }

  private:
    static JsonValue Of(Kind kind) {
        JsonValue value;
        value.kind = kind;
        return value;
    }
};

// Compact JSON text; numbers that are not finite become null. Implemented by the JSON adapter.
std::string EncodeJson(const JsonValue& value);

// A FeatureCollection with one Feature per region: its polygons as a MultiPolygon and the given
// properties (an object each). Positions as in EncodeOutlinesGeoJson.
std::string EncodeFeaturesGeoJson(const std::vector<OutlineRegion>& regions, const std::vector<JsonValue>& properties,
                                  bool lonLat, int32_t epsg);

#include "model/georeference.h"

#include <cmath>
#include <cstring>

namespace {

const uint8_t BlockTag[4] = {'Z', 'G', 'E', 'O'};
constexpr uint8_t BlockVersion = 1;

void PutBytes(std::vector<uint8_t>* out, uint64_t value, int count) {
    for (int i = 0; i < count; i++)
        out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutReal(std::vector<uint8_t>* out, double value) {
    uint64_t bits;
    memcpy(&bits, &value, sizeof bits);
    PutBytes(out, bits, 8);
}

uint64_t GetBytes(const uint8_t* in, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; i++)
        value |= static_cast<uint64_t>(in[i]) << (8 * i);
    return value;
}

double GetReal(const uint8_t* in) {
    uint64_t bits = GetBytes(in, 8);
    double value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

bool Plausible(const Georeference& g) {
    for (double value : {g.unitScale, g.shiftX, g.shiftY, g.originLongitude, g.originLatitude})
        if (!std::isfinite(value))
            return false;
    return (g.kind == GeoKind::Plane || g.kind == GeoKind::LonLat) && g.unitScale > 0.0 && g.epsg >= 0 &&
           std::fabs(g.originLongitude) <= 180.0 && std::fabs(g.originLatitude) <= 90.0;
}

}  // namespace

void AppendGeoreferenceBlock(const Georeference& georeference, std::vector<uint8_t>* bytes) {
    bytes->insert(bytes->end(), BlockTag, BlockTag + sizeof BlockTag);
    bytes->push_back(BlockVersion);
    bytes->push_back(static_cast<uint8_t>(georeference.kind));
    PutBytes(bytes, static_cast<uint32_t>(georeference.epsg), 4);
    for (double value : {georeference.unitScale, georeference.shiftX, georeference.shiftY,
                         georeference.originLongitude, georeference.originLatitude})
        PutReal(bytes, value);
}

Georeference DecodeGeoreferenceBlock(const uint8_t* bytes, size_t size) {
    Georeference none;
    if (size < GeoreferenceBlockSize || memcmp(bytes, BlockTag, sizeof BlockTag) != 0 || bytes[4] != BlockVersion)
        return none;
    Georeference read;
    read.present = 1;
    read.kind = static_cast<GeoKind>(bytes[5]);
    read.epsg = static_cast<int32_t>(GetBytes(bytes + 6, 4));
    read.unitScale = GetReal(bytes + 10);
    read.shiftX = GetReal(bytes + 18);
    read.shiftY = GetReal(bytes + 26);
    read.originLongitude = GetReal(bytes + 34);
    read.originLatitude = GetReal(bytes + 42);
    return Plausible(read) ? read : none;
}

PlanePoint SourceToDrawing(const Georeference& georeference, PlanePoint source) {
    return {source.x * georeference.unitScale + georeference.shiftX,
            georeference.shiftY - source.y * georeference.unitScale};
}

PlanePoint DrawingToSource(const Georeference& georeference, PlanePoint drawn) {
    return {(drawn.x - georeference.shiftX) / georeference.unitScale,
            (georeference.shiftY - drawn.y) / georeference.unitScale};
}

#include "model/georeference.h"

#include <cmath>
#include <cstring>

#include "model/byte_io.h"

namespace {

const uint8_t BlockTag[4] = {'Z', 'G', 'E', 'O'};
constexpr uint8_t BlockVersion = 1;

bool Plausible(const Georeference& g) {
    for (double value : {g.unitScale, g.shiftX, g.shiftY, g.originLongitude, g.originLatitude})
        if (!std::isfinite(value))
            return false;
    return (g.kind == GeoKind::Plane || g.kind == GeoKind::LonLat) && g.unitScale > 0.0 && g.epsg >= 0 &&
           std::fabs(g.originLongitude) <= 180.0 && std::fabs(g.originLatitude) <= 90.0;
}

}  // namespace

void AppendGeoreferenceBlock(const Georeference& georeference, std::vector<uint8_t>* bytes) {
    ByteWriter out(bytes);
    out.text(reinterpret_cast<const char*>(BlockTag), sizeof BlockTag);
    out.byte(BlockVersion);
    out.byte(static_cast<uint8_t>(georeference.kind));
    out.int32(georeference.epsg);
    for (double value : {georeference.unitScale, georeference.shiftX, georeference.shiftY, georeference.originLongitude,
                         georeference.originLatitude})
        out.real(value);
}

Georeference DecodeGeoreferenceBlock(const uint8_t* bytes, size_t size) {
    Georeference none;
    if (size < GeoreferenceBlockSize || memcmp(bytes, BlockTag, sizeof BlockTag) != 0 || bytes[4] != BlockVersion)
        return none;
    ByteReader in(bytes, size);
    in.take(5);  // tag and version
    Georeference read;
    read.present = 1;
    read.kind = static_cast<GeoKind>(in.byte());
    read.epsg = in.int32();
    for (double* value : {&read.unitScale, &read.shiftX, &read.shiftY, &read.originLongitude, &read.originLatitude})
        *value = in.real();
    return Plausible(read) ? read : none;
}

PlanePoint PlaneToDrawing(const Georeference& georeference, PlanePoint metres) {
    return {metres.x + georeference.shiftX, georeference.shiftY - metres.y};
}

PlanePoint DrawingToSource(const Georeference& georeference, PlanePoint drawn) {
    return {(drawn.x - georeference.shiftX) / georeference.unitScale,
            (georeference.shiftY - drawn.y) / georeference.unitScale};
}

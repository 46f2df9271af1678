#include "bench/geos_buffer.h"

#include <geos_c.h>

#include <cmath>
#include <vector>

namespace {

// Owns one geometry of a context and destroys it on scope exit.
class Geometry {
  public:
    Geometry(GEOSContextHandle_t context, GEOSGeometry* geometry) : context(context), geometry(geometry) {}
    ~Geometry() {
        if (geometry)
            GEOSGeom_destroy_r(context, geometry);
    }
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;
    GEOSGeometry* get() const { return geometry; }
    // Hands the geometry on to a call that takes ownership.
    GEOSGeometry* release() {
        GEOSGeometry* g = geometry;
        geometry = nullptr;
        return g;
    }

  private:
    GEOSContextHandle_t context;
    GEOSGeometry* geometry;
};

class Context {
  public:
    Context() : handle(GEOS_init_r()) {}
    ~Context() { GEOS_finish_r(handle); }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    GEOSContextHandle_t handle;
};

GEOSGeometry* Footprint(GEOSContextHandle_t context, const CalcPolygon& polygon) {
    unsigned int n = static_cast<unsigned int>(polygon.vertices.size());
    GEOSCoordSequence* ring = GEOSCoordSeq_create_r(context, n + 1, 2);
    if (!ring)
        return nullptr;
    for (unsigned int i = 0; i <= n; i++) {
        const CalcVertex& v = polygon.vertices[i % n];
        GEOSCoordSeq_setXY_r(context, ring, i, v.x, v.y);
    }
    GEOSGeometry* shell = GEOSGeom_createLinearRing_r(context, ring);
    return shell ? GEOSGeom_createPolygon_r(context, shell, nullptr, 0) : nullptr;
}

// The union of the footprints, each buffered by the radius it is given (0 leaves it as it is).
GEOSGeometry* UnitedBuffers(GEOSContextHandle_t context, const CalcInput& input, const std::vector<double>& radius,
                            int quadrantSegments) {
    std::vector<GEOSGeometry*> parts;
    bool ok = true;
    for (size_t p = 0; p < input.polygons.size() && ok; p++) {
        Geometry footprint(context, Footprint(context, input.polygons[p]));
        GEOSGeometry* part = footprint.get() == nullptr ? nullptr
                             : radius[p] > 0.0 ? GEOSBuffer_r(context, footprint.get(), radius[p], quadrantSegments)
                                               : footprint.release();
        ok = part != nullptr;
        if (ok)
            parts.push_back(part);
    }
    if (!ok) {
        for (GEOSGeometry* part : parts)
            GEOSGeom_destroy_r(context, part);
        return nullptr;
    }
    Geometry collection(context, GEOSGeom_createCollection_r(context, GEOS_GEOMETRYCOLLECTION, parts.data(),
                                                             static_cast<unsigned int>(parts.size())));
    return collection.get() ? GEOSUnaryUnion_r(context, collection.get()) : nullptr;
}

bool AreaKm2(GEOSContextHandle_t context, const GEOSGeometry* region, double* km2) {
    double squareMetres = 0.0;
    if (!region || !GEOSArea_r(context, region, &squareMetres))
        return false;
    *km2 = squareMetres * 1e-6;
    return true;
}

}  // namespace

BufferResult BufferAdAm(const CalcInput& input, const CalcOptions& options, int quadrantSegments) {
    BufferResult result;
    Context context;
    std::vector<double> heightRadius, distanceRadius, none(input.polygons.size(), 0.0);
    for (const CalcPolygon& polygon : input.polygons) {
        heightRadius.push_back(std::fabs(polygon.vertices[0].height * options.heightProjection));
        distanceRadius.push_back(std::fabs(options.distanceProjection));
    }
    Geometry ad(context.handle, UnitedBuffers(context.handle, input, heightRadius, quadrantSegments));
    Geometry widened(context.handle, UnitedBuffers(context.handle, input, distanceRadius, quadrantSegments));
    Geometry footprints(context.handle, UnitedBuffers(context.handle, input, none, quadrantSegments));
    if (!widened.get() || !footprints.get())
        return result;
    Geometry am(context.handle, GEOSDifference_r(context.handle, widened.get(), footprints.get()));
    result.ok = AreaKm2(context.handle, ad.get(), &result.ad) && AreaKm2(context.handle, am.get(), &result.am);
    return result;
}

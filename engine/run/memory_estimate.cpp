#include "engine/run/memory_estimate.h"

#include <cstdio>

#include "text/ui_texts.h"

namespace {

// A count with its thousands separated by commas, as a user reads a large figure.
std::string Grouped(int64_t count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

// Whether the polygon is at one height and turns the same way at every vertex: the kind the engine
// traces when it is wide enough beside its bands.
bool ConvexAtOneHeight(const PolygonRecord& polygon) {
    int32_t n = polygon.vertexCount;
    int sign = 0;
    for (int32_t i = 0; i < n; i++) {
        int32_t j = (i + 1) % n, k = (i + 2) % n;
        double cross = (polygon.x[j] - polygon.x[i]) * (polygon.y[k] - polygon.y[j]) -
                       (polygon.y[j] - polygon.y[i]) * (polygon.x[k] - polygon.x[j]);
        int turn = cross > 0.0 ? 1 : cross < 0.0 ? -1 : 0;
        if (turn == 0 || (sign != 0 && turn != sign) || polygon.height[i] != polygon.height[0])
            return false;
        sign = turn;
    }
    return n >= 3;
}

}  // namespace

bool BeyondMemory(const Drawing& source, int64_t availableBytes, MemoryNeed* need) {
    int64_t vertices = 0;
    for (int32_t i = 0; i < source.polygons.count(); i++)
        vertices += source.polygons.polygon(i).vertexCount;
    bool traced = source.polygons.count() == 1 && ConvexAtOneHeight(source.polygons.polygon(0));
    return BeyondMemory(vertices, availableBytes, need, traced ? LeastBytesPerTracedVertex : LeastBytesPerVertex);
}

bool BeyondMemory(int64_t vertices, int64_t availableBytes, MemoryNeed* need, int64_t bytesPerVertex) {
    need->vertices = vertices;
    need->leastBytes = need->vertices * bytesPerVertex;
    need->availableBytes = availableBytes;
    return need->leastBytes > availableBytes;
}

std::string BeyondMemoryText(const MemoryNeed& need) {
    char text[256];
    auto megabytes = [](int64_t bytes) { return Grouped((bytes + (1 << 19)) >> 20); };
    snprintf(text, sizeof text, TEXT_BEYOND_MEMORY, Grouped(need.vertices).c_str(), megabytes(need.leastBytes).c_str(),
             megabytes(need.availableBytes).c_str());
    return text;
}

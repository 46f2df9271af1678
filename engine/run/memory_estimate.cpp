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

}  // namespace

bool BeyondMemory(const Drawing& source, int64_t availableBytes, MemoryNeed* need) {
    int64_t vertices = 0;
    for (int32_t i = 0; i < source.polygons.count(); i++)
        vertices += source.polygons.polygon(i).vertexCount;
    return BeyondMemory(vertices, availableBytes, need);
}

bool BeyondMemory(int64_t vertices, int64_t availableBytes, MemoryNeed* need) {
    need->vertices = vertices;
    need->leastBytes = need->vertices * LeastBytesPerVertex;
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

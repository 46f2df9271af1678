#include "model/drawing_bytes.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "model/byte_io.h"

namespace {

constexpr size_t CountEnd = DrawingHeaderSize + 4;

// Reads until the file ends or bytes holds want bytes; false when reading fails.
bool ReadUpTo(FILE* file, uint64_t want, std::vector<uint8_t>* bytes) {
    constexpr size_t Chunk = 1 << 20;
    while (bytes->size() < want) {
        size_t before = bytes->size();
        bytes->resize(before + static_cast<size_t>(std::min<uint64_t>(Chunk, want - before)));
        size_t got = fread(bytes->data() + before, 1, bytes->size() - before, file);
        bytes->resize(before + got);
        if (got == 0)
            break;
    }
    return !ferror(file);
}

// What the per-polygon sections announce: the header, the three count arrays, the names and the three
// per-vertex sections. Counts that cannot be (negative) count as nothing: the decoder refuses them.
uint64_t AnnouncedSize(const std::vector<uint8_t>& bytes, int32_t polygonCount) {
    ByteReader in(bytes.data() + CountEnd, bytes.size() - CountEnd);
    uint64_t vertices = 0, names = 0;
    for (int32_t i = 0; i < polygonCount; i++)
        vertices += static_cast<uint64_t>(std::max(in.int32(), 0));
    in.take(4 * static_cast<size_t>(polygonCount));  // the priorities
    for (int32_t i = 0; i < polygonCount; i++)
        names += static_cast<uint64_t>(std::max(in.int32(), 0)) + 1;
    return CountEnd + 12 * static_cast<uint64_t>(polygonCount) + names + 24 * vertices;
}

FileError ReadAnnounced(FILE* file, std::vector<uint8_t>* bytes) {
    if (!ReadUpTo(file, CountEnd, bytes))
        return FileError::CannotOpen;
    uint64_t limit = MaxDrawingFileBytes;
    if (bytes->size() == CountEnd) {
        ByteReader in(bytes->data() + DrawingHeaderSize, 4);
        int32_t polygonCount = std::max(in.int32(), 0);
        uint64_t countsEnd = CountEnd + 12 * static_cast<uint64_t>(polygonCount);
        if (countsEnd <= MaxDrawingFileBytes) {
            if (!ReadUpTo(file, countsEnd, bytes))
                return FileError::CannotOpen;
            if (bytes->size() == countsEnd)
                limit = std::min(limit, AnnouncedSize(*bytes, polygonCount) + MaxTrailingBytes);
        }
    }
    if (!ReadUpTo(file, limit + 1, bytes))
        return FileError::CannotOpen;
    return bytes->size() > limit ? FileError::TooLarge : FileError::None;
}

}  // namespace

FileError ReadDrawingBytes(const char* path, std::vector<uint8_t>* bytes) {
    bytes->clear();
    FILE* file = fopen(path, "rb");
    if (!file)
        return FileError::CannotOpen;
    FileError error;
    try {
        error = ReadAnnounced(file, bytes);
    } catch (const std::bad_alloc&) {
        error = FileError::TooLarge;
    }
    fclose(file);
    if (error != FileError::None)
        std::vector<uint8_t>().swap(*bytes);
    return error;
}

// The .Zlv drawing file: a 1300-byte option header, the polygon count, four per-polygon sections
// and three per-vertex sections, all little-endian with no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/drawing.h"

constexpr size_t DrawingHeaderSize = 1300;
constexpr uint8_t CurrentFileFormat = 1;  // the only format whose options a reader applies

enum class FileError {
    None,
    CannotOpen,       // missing, unreadable or unwritable
    Truncated,        // shorter than its counts and lengths announce
    NegativeCount,    // a negative polygon count, vertex count or name length
    NameTooLong,      // a name length of 100 or more
    BadPriority,      // a priority index outside 0..9
    NotFinite,        // a coordinate or height that is infinite or NaN
    BadOptions,       // an option the dialogs could not have stored: an index out of range, a value
                      // that is not finite, or below its least (map size, projections)
    CannotWrite,      // a write, the flush or the final replace failed; the old file is intact
    PathTooLong,      // a path of 260 bytes or more cannot be kept as the drawing's file name
    InvalidPolygons,  // read, but a polygon is not simple; the drawing was left as it was
    TooLarge,         // its polygons would take far more memory than the file's size, or memory ran out
    HeightTooLarge,   // a vertex height above MaxVertexHeight
};

const char* FileErrorText(FileError error);

// Everything a file holds, parsed and checked but not yet applied to a drawing.
struct DrawingImage {
    uint8_t format = CurrentFileFormat;
    DrawOptions drawOptions;
    CalcOptions calcOptions;
    std::vector<PolygonRecord> polygons;
    Georeference georeference;
    AssessmentSettings assessment;
};

std::vector<uint8_t> EncodeDrawing(const Drawing& source);
FileError DecodeDrawing(const uint8_t* bytes, size_t size, DrawingImage* image);

// Replaces the polygons of target (and its options, for format 1) with the file's content. A file that
// is refused leaves target exactly as it was. Flags and the file name are the caller's. The file's
// format byte goes to format when it is given.
FileError ReadDrawingFile(const char* path, Drawing* target, uint8_t* format = nullptr);

// Stores source in path without ever leaving a damaged file behind.
FileError WriteDrawingFile(const char* path, const Drawing& source);

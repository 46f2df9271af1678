#include "model/drawing_file.h"

#include <cmath>
#include <cstring>
#include <new>
#include <utility>

#include "model/assessment_block.h"
#include "model/byte_io.h"
#include "model/drawing_bytes.h"
#include "model/file_io.h"
#include "model/height_limit.h"

namespace {

constexpr int HeaderSlots = 100;  // byte, integer and real slots of the header
constexpr size_t CountOffset = 1300;

// What reading may take in memory: a few times the file's size, and a little for small files. Real
// polygons stay far below it; only masses of polygons without vertices, which can never be valid,
// would reach it.
constexpr uint64_t MemoryPerFileByte = 8;
constexpr uint64_t MemoryAllowance = 1 << 20;

const char* const ErrorTexts[] = {
    "no error",
    "the file cannot be opened",
    "the file is shorter than its counts and lengths announce",
    "the file has a negative count or length",
    "the file has a polygon name of 100 bytes or more",
    "the file has a priority outside 1..10",
    "the file has a coordinate or height that is not a finite number",
    "the file has an option value out of range",
    "the file cannot be written",
    "the path is longer than 259 bytes",
    "a polygon has fewer than three vertices, repeats a vertex or crosses itself",
    "the file is too large to be read",
    "the file has a vertex height above 1000 m, the most a vertex can have",
};

FileError DecodeOptions(ByteReader* in, DrawingImage* image) {
    uint8_t byteSlots[HeaderSlots];
    int32_t integerSlots[HeaderSlots];
    double realSlots[HeaderSlots];
    for (uint8_t& slot : byteSlots)
        slot = in->byte();
    for (int32_t& slot : integerSlots)
        slot = in->int32();
    for (double& slot : realSlots)
        slot = in->real();

    image->format = byteSlots[0];
    image->drawOptions.snapOn = byteSlots[1] != 0;
    image->drawOptions.snapIndex = integerSlots[0];
    image->drawOptions.zoomIndex = integerSlots[1];
    image->drawOptions.mapSize = realSlots[0];
    image->calcOptions.heightProjection = realSlots[1];
    image->calcOptions.distanceProjection = realSlots[2];

    // Options of other formats are never applied, so only format 1 can bring a bad value in.
    if (image->format != CurrentFileFormat)
        return FileError::None;
    // A projection below the dialog's least value would give wrong areas without a word, so such a file
    // is refused like any other malformed one.
    bool valid = DrawOptionsValid(image->drawOptions) && CalcOptionsValid(image->calcOptions);
    return valid ? FileError::None : FileError::BadOptions;
}

std::vector<int32_t> ReadIntegers(ByteReader* in, int32_t count) {
    std::vector<int32_t> values(count);
    for (int32_t& value : values)
        value = in->int32();
    return values;
}

FileError ReadReals(ByteReader* in, std::vector<PolygonRecord>* polygons, std::vector<double> PolygonRecord::*member) {
    for (PolygonRecord& polygon : *polygons) {
        std::vector<double>& values = polygon.*member;
        values.resize(polygon.vertexCount);
        for (double& value : values) {
            value = in->real();
            if (!std::isfinite(value))
                return FileError::NotFinite;
        }
    }
    return FileError::None;
}

// Every count and length is checked against the bytes left before anything is allocated for it, so a
// small file that announces billions of polygons or vertices is refused at once.
FileError DecodeChecked(const uint8_t* bytes, size_t size, DrawingImage* image) {
    if (size < CountOffset + 4)
        return FileError::Truncated;
    ByteReader in(bytes, size);
    FileError error = DecodeOptions(&in, image);
    if (error != FileError::None)
        return error;

    int32_t polygonCount = in.int32();
    if (polygonCount < 0)
        return FileError::NegativeCount;
    if (in.remaining() / 12 < static_cast<size_t>(polygonCount))
        return FileError::Truncated;
    std::vector<int32_t> counts = ReadIntegers(&in, polygonCount);
    std::vector<int32_t> priorities = ReadIntegers(&in, polygonCount);
    std::vector<int32_t> lengths = ReadIntegers(&in, polygonCount);

    uint64_t nameBytes = 0;
    uint64_t vertexTotal = 0;
    for (int32_t i = 0; i < polygonCount; i++) {
        if (counts[i] < 0 || lengths[i] < 0)
            return FileError::NegativeCount;
        if (lengths[i] >= PolygonNameSize)
            return FileError::NameTooLong;
        if (!PriorityIndexValid(priorities[i]))
            return FileError::BadPriority;
        nameBytes += static_cast<uint64_t>(lengths[i]) + 1;
        vertexTotal += static_cast<uint64_t>(counts[i]);
    }
    if (nameBytes > in.remaining() || vertexTotal > (in.remaining() - nameBytes) / 24)
        return FileError::Truncated;
    uint64_t memory = polygonCount * uint64_t{sizeof(PolygonRecord)} + vertexTotal * 3 * sizeof(double);
    if (memory > MemoryPerFileByte * size + MemoryAllowance)
        return FileError::TooLarge;

    std::vector<PolygonRecord> polygons(polygonCount);
    for (int32_t i = 0; i < polygonCount; i++) {
        PolygonRecord& polygon = polygons[i];
        polygon.vertexCount = counts[i];
        polygon.priority = priorities[i];
        // The stored length decides: the name is at most that many bytes, up to an earlier NUL, and a
        // terminator byte that is not NUL does not lengthen it.
        memcpy(polygon.name, in.take(lengths[i] + 1), lengths[i]);
    }
    for (std::vector<double> PolygonRecord::*member : {&PolygonRecord::x, &PolygonRecord::y, &PolygonRecord::height}) {
        error = ReadReals(&in, &polygons, member);
        if (error != FileError::None)
            return error;
    }
    for (const PolygonRecord& polygon : polygons)
        for (double height : polygon.height)
            if (height > MaxVertexHeight)
                return FileError::HeightTooLarge;
    image->polygons = std::move(polygons);
    const uint8_t* tail = bytes + (size - in.remaining());
    size_t tailSize = in.remaining();
    image->georeference = DecodeGeoreferenceBlock(tail, tailSize);
    // The assessment block follows the georeference block, which has a fixed size, even a damaged one.
    size_t skip = tailSize >= GeoreferenceBlockSize && memcmp(tail, "ZGEO", 4) == 0 ? GeoreferenceBlockSize : 0;
    image->assessment = DecodeAssessmentBlock(tail + skip, tailSize - skip, polygonCount);
    return FileError::None;
}

}  // namespace

const char* FileErrorText(FileError error) {
    return ErrorTexts[static_cast<int>(error)];
}

std::vector<uint8_t> EncodeDrawing(const Drawing& source) {
    std::vector<uint8_t> bytes;
    ByteWriter out(&bytes);
    const DrawOptions& draw = source.drawOptions;
    const CalcOptions& calc = source.calcOptions;

    out.byte(CurrentFileFormat);
    out.byte(draw.snapOn);
    for (int i = 2; i < HeaderSlots; i++)
        out.byte(0);
    out.int32(draw.snapIndex);
    out.int32(draw.zoomIndex);
    for (int i = 2; i < HeaderSlots; i++)
        out.int32(0);
    out.real(draw.mapSize);
    out.real(calc.heightProjection);
    out.real(calc.distanceProjection);
    for (int i = 3; i < HeaderSlots; i++)
        out.real(0.0);

    const PolygonStore& store = source.polygons;
    out.int32(store.count());
    for (int32_t count : store.vertexCounts())
        out.int32(count);
    for (int32_t priority : store.priorities())
        out.int32(priority);
    for (int32_t i = 0; i < store.count(); i++)
        out.int32(static_cast<int32_t>(strnlen(store.polygon(i).name, PolygonNameSize - 1)));
    for (int32_t i = 0; i < store.count(); i++) {
        const char* name = store.polygon(i).name;
        out.text(name, strnlen(name, PolygonNameSize - 1) + 1);
    }
    for (std::vector<double> PolygonRecord::*member : {&PolygonRecord::x, &PolygonRecord::y, &PolygonRecord::height})
        for (int32_t i = 0; i < store.count(); i++)
            for (double value : store.polygon(i).*member)
                out.real(value);
    if (source.georeference.present)
        AppendGeoreferenceBlock(source.georeference, &bytes);
    if (source.assessment.present)
        AppendAssessmentBlock(source.assessment, &bytes);
    return bytes;
}

// Memory can still run out on a large drawing; that refuses the file instead of ending the program.
FileError DecodeDrawing(const uint8_t* bytes, size_t size, DrawingImage* image) {
    try {
        return DecodeChecked(bytes, size, image);
    } catch (const std::bad_alloc&) {
        return FileError::TooLarge;
    }
}

FileError ReadDrawingFile(const char* path, Drawing* target, uint8_t* format) {
    std::vector<uint8_t> bytes;
    FileError error = ReadDrawingBytes(path, &bytes);
    if (error != FileError::None)
        return error;
    DrawingImage image;
    error = DecodeDrawing(bytes.data(), bytes.size(), &image);
    if (error != FileError::None)
        return error;
    if (format)
        *format = image.format;
    if (image.format == CurrentFileFormat) {
        target->drawOptions = image.drawOptions;
        target->calcOptions = image.calcOptions;
    }
    target->polygons.replacePolygons(std::move(image.polygons));
    target->georeference = image.georeference;
    target->assessment = std::move(image.assessment);
    return FileError::None;
}

FileError WriteDrawingFile(const char* path, const Drawing& source) {
    return WriteFileAtomically(path, EncodeDrawing(source)) ? FileError::None : FileError::CannotWrite;
}

// The one file that includes dxflib. The file's group pairs are read here and screened before dxflib
// sees them: dxflib's stream loop never ends on an over-long line and allocates whatever vertex count
// a file announces, so it gets only well-formed pairs of the polylines of the model space. The
// screening also notes each polyline's kind, thickness and elevation, which dxflib does not report.
#include "exchange/dxf_adapter.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <sstream>

#include "exchange/dxf_units.h"
#include "exchange/footprint_checks.h"

namespace {

constexpr int MaxGroupCode = 1071;
constexpr int MetresUnitCode = 6;  // $INSUNITS

std::string Trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    return begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

// The group codes whose values dxflib reads as real numbers.
bool IsRealCode(int code) {
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 1010 && code <= 1059);
}

// dxflib reads such a value with a comma taken as the decimal point, and an empty value as whatever
// its variable held before, so a value is let through only when it is a finite number.
bool ReadsAsNumber(const std::string& value) {
    std::string text = Trimmed(value);
    std::replace(text.begin(), text.end(), ',', '.');
    if (text.empty())
        return false;
    char* end = nullptr;
    double number = strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(number);
}

// A count of things: digits only, at most ten of them (dxflib reads it as an integer).
bool ReadsAsCount(const std::string& value) {
    std::string text = Trimmed(value);
    return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos &&
           strtoll(text.c_str(), nullptr, 10) <= INT32_MAX;
}

// Group pairs of an ASCII DXF: a code line, then a value line.
class GroupReader {
  public:
    GroupReader(const uint8_t* bytes, size_t size) : bytes(bytes), size(size) {}

    // False at the end of the bytes, or with error set for a malformed pair.
    bool next(int* code, std::string* value, std::string* error) {
        std::string codeLine;
        if (!line(&codeLine, error))
            return false;
        std::string codeText = Trimmed(codeLine);
        if (!line(value, error)) {
            if (error->empty())
                *error =
                    "the file ends in the middle of a group (line " + std::to_string(number) + "): it is truncated";
            return false;
        }
        bool digits =
            !codeText.empty() && codeText.size() <= 4 && codeText.find_first_not_of("0123456789") == std::string::npos;
        *code = digits ? atoi(codeText.c_str()) : -1;
        if (*code < 0 || *code > MaxGroupCode) {
            *error = "line " + std::to_string(number - 1) + ": '" + codeText.substr(0, 40) + "' is not a group code";
            return false;
        }
        return true;
    }
    size_t remaining() const { return size - position; }
    size_t lineNumber() const { return number; }

  private:
    // A line ends at LF, CR LF or a lone CR: old CAD exports end their lines with CR alone.
    bool line(std::string* text, std::string* error) {
        if (position >= size)
            return false;
        const uint8_t* start = bytes + position;
        size_t end = position;
        while (end < size && bytes[end] != '\n' && bytes[end] != '\r')
            end++;
        size_t length = end - position;
        bool crLf = end + 1 < size && bytes[end] == '\r' && bytes[end + 1] == '\n';
        position = end + (crLf ? 2 : end < size ? 1 : 0);
        number++;
        if (length > MaxDxfLineLength) {
            *error = "line " + std::to_string(number) + " is longer than " + std::to_string(MaxDxfLineLength) +
                     " characters";
            return false;
        }
        text->assign(reinterpret_cast<const char*>(start), length);
        return true;
    }
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    size_t number = 0;
};

// What the screening notes of each polyline, in file order, for the collector to match with dxflib's
// polylines: thickness and elevation are the group codes dxflib leaves unreported or mixes up.
struct PolylineHeader {
    double thickness = 0.0;
    double elevation = 0.0;
};

// Receives the polylines from dxflib and keeps the closed ones of the model space as footprints.
class FootprintCollector : public DL_CreationAdapter {
  public:
    FootprintCollector(const std::vector<PolylineHeader>* headers, ImportSource* source)
        : headers(headers), source(source) {}

    void addPolyline(const DL_PolylineData& data) override {
        finish();  // a POLYLINE that had no vertex
        open = true;
        flags = data.flags;
        paperSpace = getAttributes().isInPaperSpace();
        current = SourceFootprint();
        current.layer = getAttributes().getLayer();
        if (next < headers->size()) {
            current.thickness = (*headers)[next].thickness;
            current.elevation = (*headers)[next].elevation;
        }
        next++;
    }
    void addVertex(const DL_VertexData& data) override {
        if (!open)
            return;
        current.rings.resize(1);
        current.rings[0].push_back({data.x, data.y, data.z, data.bulge});
    }
    void endEntity() override { finish(); }

    void finish() {
        if (!open)
            return;
        open = false;
        if (paperSpace)
            return CountSkipped(source, "entities in paper space");
        if (flags & (16 | 64))
            return CountSkipped(source, "polygon meshes");
        if (!(flags & 1))
            return CountSkipped(source, "open polylines");
        if (current.rings.empty())
            current.rings.resize(1);
        bool threeD = (flags & 8) != 0;
        current.vertexHeights = threeD && !current.rings[0].empty();
        for (const SourcePoint& p : current.rings[0])
            current.vertexHeights = current.vertexHeights && p.z * source->unitScale >= MinHeight;
        current.name = current.layer + " " + std::to_string(++layerCounts[current.layer]);
        source->footprints.push_back(std::move(current));
    }

  private:
    const std::vector<PolylineHeader>* headers;
    ImportSource* source;
    SourceFootprint current;
    std::map<std::string, int> layerCounts;
    size_t next = 0;
    bool open = false, paperSpace = false;
    int flags = 0;
};

const char* SkippedLabel(const std::string& kind) {
    static const std::map<std::string, const char*> labels = {
        {"LINE", "lines"},     {"ARC", "arcs"},      {"CIRCLE", "circles"},      {"ELLIPSE", "ellipses"},
        {"SPLINE", "splines"}, {"INSERT", "blocks"}, {"TEXT", "texts"},          {"MTEXT", "texts"},
        {"POINT", "points"},   {"HATCH", "hatches"}, {"DIMENSION", "dimensions"}};
    auto found = labels.find(kind);
    return found == labels.end() ? "other entities" : found->second;
}

bool IsPolylinePart(const std::string& kind) {
    return kind == "LWPOLYLINE" || kind == "POLYLINE" || kind == "VERTEX" || kind == "SEQEND";
}

// The unit the drawing is read in: the one the user names, else the one its header declares. A file
// that declares none, or 0 (unitless), is read in metres, and the summary says so.
bool ResolveUnit(const std::string* declared, const DxfUnit* given, ImportSource* source, std::string* error) {
    int code = 0;
    const DxfUnit* unit = given;
    std::string note = given ? " (as given)" : "";
    if (!unit && declared && !ReadUnitCode(*declared, &code))
        code = -1;
    if (!unit && code != 0 && !(unit = DxfUnitOfCode(code))) {
        *error = "its unit ($INSUNITS '" + Trimmed(*declared).substr(0, 20) +
                 "') is none that DXF defines: the drawing's unit must be given";
        return false;
    }
    if (!unit) {
        source->unitName = declared ? "none ($INSUNITS 0), taken as metres" : "none declared, taken as metres";
        return true;
    }
    source->unitScale = unit->metres;
    source->unitName = unit->name + note + (unit->metres == 1.0 ? "" : ", scaled to metres");
    return true;
}

// Passes one pair on to dxflib's reader, in the layout it reads.
void Pass(int code, const std::string& value, std::string* screened) {
    *screened += std::to_string(code);
    *screened += '\n';
    *screened += value;
    *screened += '\n';
}

// The group loop: sections told apart, the header's unit taken, the polylines of the entities section
// passed on whole and every other entity counted by kind.
bool Screen(GroupReader* reader, ImportSource* source, std::string* screened, std::vector<PolylineHeader>* headers,
            std::string* declaredUnit, std::string* error) {
    std::string section, variable, kind, value;
    bool sectionNameNext = false, passing = false;
    int code;
    while (reader->next(&code, &value, error)) {
        if (code == 0 || code == 2 || code == 9)
            value = Trimmed(value);
        if (code == 0 && value == "EOF") {
            Pass(0, "EOF", screened);
            return true;
        }
        if (code == 0 && (value == "SECTION" || value == "ENDSEC")) {
            if (section == "ENTITIES")
                Pass(0, "ENDSEC", screened);  // completes the last polyline
            section.clear();
            sectionNameNext = value == "SECTION";
            passing = false;
            continue;
        }
        if (sectionNameNext && code == 2) {
            section = value;
            sectionNameNext = false;
            continue;
        }
        if (section == "HEADER") {
            if (code == 9)
                variable = value;
            else if (code == 70 && variable == "$INSUNITS")
                *declaredUnit = value;
            continue;
        }
        if (section != "ENTITIES")
            continue;
        if (code == 0) {
            kind = value;
            passing = IsPolylinePart(kind);
            if (!passing)
                CountSkipped(source, SkippedLabel(kind));
            else if (kind == "LWPOLYLINE" || kind == "POLYLINE")
                headers->emplace_back();
            if (passing)
                Pass(0, kind, screened);
            continue;
        }
        if (!passing)
            continue;
        bool lightweight = kind == "LWPOLYLINE";
        // dxflib allocates the announced vertex count at once: it must fit in the rest of the file.
        if (lightweight && code == 90 && !ReadsAsCount(value)) {
            *error = "line " + std::to_string(reader->lineNumber()) + ": the vertex count '" +
                     Trimmed(value).substr(0, 20) + "' of an LWPOLYLINE is not a count";
            return false;
        }
        if (lightweight && code == 90 && strtod(value.c_str(), nullptr) > reader->remaining() / 8.0) {
            *error = "an LWPOLYLINE announces " + Trimmed(value).substr(0, 20) + " vertices, more than the file holds";
            return false;
        }
        if (IsRealCode(code) && !ReadsAsNumber(value)) {
            *error = "line " + std::to_string(reader->lineNumber()) + ": '" + Trimmed(value).substr(0, 40) +
                     "' is not a finite number";
            return false;
        }
        if (code == 39 && (lightweight || kind == "POLYLINE"))
            headers->back().thickness = strtod(value.c_str(), nullptr);
        if ((lightweight && code == 38) || (kind == "POLYLINE" && code == 30))
            headers->back().elevation = strtod(value.c_str(), nullptr);
        Pass(code, value, screened);
    }
    if (error->empty())
        *error = "the file ends before its EOF marker: it is truncated or not a DXF file";
    return false;
}

}  // namespace

bool ParseDxf(const uint8_t* bytes, size_t size, ImportSource* source, std::string* error, const DxfUnit* givenUnit) {
    static const char BinarySentinel[] = "AutoCAD Binary DXF";
    error->clear();
    *source = ImportSource();
    source->format = SourceFormat::Dxf;
    if (size == 0) {
        *error = "the file is empty";
        return false;
    }
    if (size >= sizeof BinarySentinel - 1 && memcmp(bytes, BinarySentinel, sizeof BinarySentinel - 1) == 0) {
        *error = "binary DXF is not supported: save the drawing as ASCII DXF";
        return false;
    }
    if (memchr(bytes, 0, size)) {
        *error = "the file is not a text file (it holds NUL bytes)";
        return false;
    }
    try {
        GroupReader reader(bytes, size);
        std::string screened;
        std::vector<PolylineHeader> headers;
        std::string declaredUnit = "\n";  // no value line holds a line end: it stands for "not declared"
        bool read = Screen(&reader, source, &screened, &headers, &declaredUnit, error);
        bool declared = declaredUnit != "\n";
        if (read && !ResolveUnit(declared ? &declaredUnit : nullptr, givenUnit, source, error)) {
            *source = ImportSource();
            source->unitUnknown = true;
            return false;
        }
        if (read) {
            std::istringstream stream(screened);
            DL_Dxf dxf;
            FootprintCollector collector(&headers, source);
            dxf.in(stream, &collector);
            collector.finish();
            return true;
        }
    } catch (const std::bad_alloc&) {
        *error = "the file needs more memory than there is";
    } catch (...) {
        *error = "the file cannot be read as DXF";
    }
    *source = ImportSource();
    return false;
}

namespace {

// The shortest decimal that reads back as the same double, without an exponent: DXF readers differ
// on exponents, and the outlines' coordinates are never huge.
std::string Decimal(double value) {
    char text[64];
    if (std::isfinite(value) && std::fabs(value) < 1e15)
        for (int decimals = 0; decimals <= 17; decimals++) {
            snprintf(text, sizeof text, "%.*f", decimals, value);
            if (strtod(text, nullptr) == value)
                return text;
        }
    snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// dxflib's ASCII writer writes to a named file; this one keeps the text, so that the caller can put it
// in place with the atomic writer. The base's file stream is never opened.
class TextWriter : public DL_WriterA {
  public:
    TextWriter() : DL_WriterA("", DL_VERSION_2000) {}
    void dxfReal(int gc, double value) const override { dxfString(gc, Decimal(value)); }
    void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        char text[12];
        snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
        dxfString(gc, text);
    }
    void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
    void dxfString(int gc, const std::string& value) const override {
        // Group codes right-aligned in three columns, as DXF writers customarily put them.
        text += (gc < 10 ? "  " : gc < 100 ? " " : "") + std::to_string(gc) + "\n" + value + "\n";
    }
    mutable std::string text;
};

int LayerColour(const std::string& layer) {
    return layer == "AD" ? 1 : layer == "AM" ? 5 : 8;  // red, blue, grey
}

void WriteContour(DL_Dxf* dxf, TextWriter* writer, const std::string& layer, const std::vector<PlanePoint>& points) {
    dxf->writePolyline(*writer, DL_PolylineData(static_cast<int>(points.size()), 0, 0, 1),
                       DL_Attributes(layer, 256, -1, "BYLAYER", 1.0));
    for (const PlanePoint& p : points)
        dxf->writeVertex(*writer, DL_VertexData(p.x, p.y, 0.0, 0.0));
    dxf->writePolylineEnd(*writer);
}

}  // namespace

std::string EncodeOutlinesDxf(const std::vector<OutlineRegion>& regions) {
    DL_Dxf dxf;
    TextWriter writer;
    std::vector<std::string> layers;
    for (const OutlineRegion& region : regions) {
        std::string layer = region.name;
        for (char& c : layer)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        layers.push_back(layer);
    }

    // The outlines are in metres; without the unit a CAD program takes them in its own default.
    dxf.writeHeader(writer);
    writer.dxfString(9, "$INSUNITS");
    writer.dxfInt(70, MetresUnitCode);
    writer.sectionEnd();
    writer.sectionTables();
    dxf.writeVPort(writer);
    writer.tableLinetypes(3);
    dxf.writeLinetype(writer, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(writer, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(writer, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    writer.tableEnd();
    writer.tableLayers(static_cast<int>(layers.size()) + 1);
    dxf.writeLayer(writer, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
    for (const std::string& layer : layers)
        dxf.writeLayer(writer, DL_LayerData(layer, 0), DL_Attributes("", LayerColour(layer), 0, "CONTINUOUS", 1.0));
    writer.tableEnd();
    writer.tableStyle(1);
    dxf.writeStyle(writer, DL_StyleData("standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
    writer.tableEnd();
    dxf.writeView(writer);
    dxf.writeUcs(writer);
    writer.tableAppid(1);
    dxf.writeAppid(writer, "ACAD");
    writer.tableEnd();
    dxf.writeDimStyle(writer, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(writer);
    writer.tableEnd();
    writer.sectionEnd();

    writer.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(writer, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(writer, block);
    }
    writer.sectionEnd();

    writer.sectionEntities();
    for (size_t r = 0; r < regions.size(); r++)
        for (const OutlinePolygon& polygon : regions[r].polygons) {
            WriteContour(&dxf, &writer, layers[r], polygon.outer);
            for (const std::vector<PlanePoint>& hole : polygon.holes)
                WriteContour(&dxf, &writer, layers[r], hole);
        }
    writer.sectionEnd();
    dxf.writeObjects(writer);
    dxf.writeObjectsEnd(writer);
    writer.dxfEOF();
    return writer.text;
}

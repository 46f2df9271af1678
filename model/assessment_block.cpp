#include "model/assessment_block.h"

#include <cstring>

#include "model/byte_io.h"

namespace {

const uint8_t BlockTag[4] = {'Z', 'A', 'S', 'M'};
// Version 2 adds the report's signature fields after the structures; a drawing without them is still
// written as version 1, byte for byte as before.
constexpr uint8_t BlockVersion = 1;
constexpr uint8_t SignedVersion = 2;
constexpr size_t FrameBytes = 4 + 1 + 4 + 4;  // tag, version, payload length, checksum
constexpr size_t StructureBytes = 4 + 8 + 8 + 1;
constexpr size_t LineBytes = 5 + 8 + 8 + 1 + 4 * 8;

// FNV-1a: enough to tell a block that was cut or overwritten from one this program wrote.
uint32_t Checksum(const uint8_t* bytes, size_t size) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; i++)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

void WriteLine(ByteWriter* out, const LineSettings& line) {
    for (uint8_t value : {static_cast<uint8_t>(line.kind), static_cast<uint8_t>(line.installation),
                          static_cast<uint8_t>(line.environment), line.transformer, line.adjacent.present})
        out->byte(value);
    out->real(line.length);
    out->real(line.uw);
    out->byte(0);  // reserved
    for (double value : {line.adjacent.length, line.adjacent.width, line.adjacent.height, line.adjacent.cdj})
        out->real(value);
}

LineSettings ReadLine(ByteReader* in) {
    LineSettings line;
    line.kind = static_cast<LineKind>(in->byte());
    line.installation = static_cast<LineInstallation>(in->byte());
    line.environment = static_cast<LineEnvironment>(in->byte());
    line.transformer = in->byte();
    line.adjacent.present = in->byte();
    line.length = in->real();
    line.uw = in->real();
    in->byte();
    for (double* value : {&line.adjacent.length, &line.adjacent.width, &line.adjacent.height, &line.adjacent.cdj})
        *value = in->real();
    return line;
}

void WriteField(ByteWriter* out, const std::string& field) {
    out->int32(static_cast<int32_t>(field.size()));
    out->text(field.data(), field.size());
}

bool ReadField(ByteReader* in, std::string* field) {
    if (in->remaining() < 4)
        return false;
    int32_t length = in->int32();
    if (length < 0 || static_cast<size_t>(length) > MaxSignatureBytes || in->remaining() < static_cast<size_t>(length))
        return false;
    const uint8_t* text = in->take(static_cast<size_t>(length));
    field->assign(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
    return true;
}

// Every count is checked against the bytes left before it is used.
bool ReadPayload(ByteReader* in, uint8_t version, AssessmentSettings* settings) {
    if (in->remaining() < 1 + 4 * 8 + 4)
        return false;
    settings->edition = in->byte();
    for (double* value : {&settings->ng, &settings->nsg, &settings->k, &settings->uw})
        *value = in->real();
    int32_t count = in->int32();
    if (count < 0 || in->remaining() / StructureBytes < static_cast<size_t>(count))
        return false;
    settings->structures.resize(count);
    for (StructureSettings& structure : settings->structures) {
        if (in->remaining() < StructureBytes)
            return false;
        structure.firstPolygon = in->int32();
        structure.cd = in->real();
        structure.uw = in->real();
        uint8_t lines = in->byte();
        if (lines > MaxLinesPerStructure || in->remaining() < lines * LineBytes)
            return false;
        for (uint8_t i = 0; i < lines; i++)
            structure.lines.push_back(ReadLine(in));
    }
    ReportSignatures& s = settings->signatures;
    if (version == SignedVersion &&
        !(ReadField(in, &s.project) && ReadField(in, &s.author) && ReadField(in, &s.checker)))
        return false;
    return in->remaining() == 0;
}

}  // namespace

void AppendAssessmentBlock(const AssessmentSettings& settings, std::vector<uint8_t>* bytes) {
    std::vector<uint8_t> payload;
    ByteWriter body(&payload);
    body.byte(static_cast<uint8_t>(settings.edition));
    for (double value : {settings.ng, settings.nsg, settings.k, settings.uw})
        body.real(value);
    body.int32(static_cast<int32_t>(settings.structures.size()));
    for (const StructureSettings& structure : settings.structures) {
        body.int32(structure.firstPolygon);
        body.real(structure.cd);
        body.real(structure.uw);
        body.byte(static_cast<uint8_t>(structure.lines.size()));
        for (const LineSettings& line : structure.lines)
            WriteLine(&body, line);
    }
    bool signedBlock = !settings.signatures.empty();
    if (signedBlock) {
        WriteField(&body, settings.signatures.project);
        WriteField(&body, settings.signatures.author);
        WriteField(&body, settings.signatures.checker);
    }
    ByteWriter out(bytes);
    out.text(reinterpret_cast<const char*>(BlockTag), sizeof BlockTag);
    out.byte(signedBlock ? SignedVersion : BlockVersion);
    out.int32(static_cast<int32_t>(payload.size()));
    out.text(reinterpret_cast<const char*>(payload.data()), payload.size());
    out.int32(static_cast<int32_t>(Checksum(payload.data(), payload.size())));
}

AssessmentSettings DecodeAssessmentBlock(const uint8_t* bytes, size_t size, int32_t polygonCount) {
    AssessmentSettings none;
    if (size < FrameBytes || memcmp(bytes, BlockTag, sizeof BlockTag) != 0 ||
        (bytes[4] != BlockVersion && bytes[4] != SignedVersion))
        return none;
    ByteReader frame(bytes, size);
    frame.take(5);
    int32_t length = frame.int32();
    if (length < 0 || static_cast<size_t>(length) > frame.remaining() - 4)
        return none;
    const uint8_t* payload = frame.take(length);
    if (static_cast<uint32_t>(frame.int32()) != Checksum(payload, length))
        return none;
    ByteReader in(payload, length);
    AssessmentSettings read;
    read.present = 1;
    if (!ReadPayload(&in, bytes[4], &read) || !AssessmentSettingsValid(read, polygonCount))
        return none;
    return read;
}

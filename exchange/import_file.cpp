#include "exchange/import_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "exchange/dxf_adapter.h"
#include "exchange/geojson_adapter.h"

namespace {

bool EndsWith(const char* text, const char* suffix) {
    size_t length = strlen(text), suffixLength = strlen(suffix);
    if (length < suffixLength)
        return false;
    for (size_t i = 0; i < suffixLength; i++)
        if (tolower(static_cast<unsigned char>(text[length - suffixLength + i])) != suffix[i])
            return false;
    return true;
}

// Reads at most limit + 1 bytes, so that a huge file is known to be too large without reading it all.
ImportFileError ReadLimited(const char* path, size_t limit, std::vector<uint8_t>* bytes) {
    FILE* file = fopen(path, "rb");
    if (!file)
        return ImportFileError::CannotOpen;
    ImportFileError error = ImportFileError::None;
    try {
        uint8_t chunk[64 * 1024];
        size_t got;
        while (error == ImportFileError::None && (got = fread(chunk, 1, sizeof chunk, file)) > 0) {
            bytes->insert(bytes->end(), chunk, chunk + got);
            if (bytes->size() > limit)
                error = ImportFileError::TooLarge;
        }
        if (error == ImportFileError::None && ferror(file))
            error = ImportFileError::CannotOpen;
    } catch (const std::bad_alloc&) {
        error = ImportFileError::TooLarge;
    }
    fclose(file);
    return error;
}

}  // namespace

bool FormatOfPath(const char* path, SourceFormat* format) {
    if (EndsWith(path, ".dxf"))
        *format = SourceFormat::Dxf;
    else if (EndsWith(path, ".geojson") || EndsWith(path, ".json"))
        *format = SourceFormat::GeoJson;
    else
        return false;
    return true;
}

ImportFileError ReadImportFile(const char* path, ImportSource* source, std::string* message, const DxfUnit* givenUnit) {
    SourceFormat format;
    if (!FormatOfPath(path, &format)) {
        *message = "the file's name ends in neither .dxf, .geojson nor .json";
        return ImportFileError::UnknownFormat;
    }
    std::vector<uint8_t> bytes;
    ImportFileError error = ReadLimited(path, MaxImportBytes, &bytes);
    if (error == ImportFileError::CannotOpen)
        *message = "the file cannot be opened";
    if (error == ImportFileError::TooLarge)
        *message = "the file is larger than " + std::to_string(MaxImportBytes >> 20) + " MB, the most an import takes";
    if (error != ImportFileError::None)
        return error;
    bool parsed = format == SourceFormat::Dxf ? ParseDxf(bytes.data(), bytes.size(), source, message, givenUnit)
                                              : ParseGeoJson(bytes.data(), bytes.size(), source, message);
    if (parsed)
        return ImportFileError::None;
    return source->unitUnknown ? ImportFileError::UnknownUnit : ImportFileError::Refused;
}

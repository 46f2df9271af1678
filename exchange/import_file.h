// An import file from disk: its format told by its name, its size limited before anything is parsed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/dxf_units.h"
#include "exchange/import_source.h"

constexpr size_t MaxImportBytes = 128u << 20;

enum class ImportFileError {
    None,
    UnknownFormat,  // the name ends in neither .dxf, .geojson nor .json
    CannotOpen,
    TooLarge,
    Refused,      // read, but not a DXF or GeoJSON file the import can take
    UnknownUnit,  // a DXF that declares a unit no unit code has, and no unit was given
};

// .dxf for DXF, .geojson and .json for GeoJSON, in any letter case.
bool FormatOfPath(const char* path, SourceFormat* format);

// Reads and parses path; a givenUnit is a DXF drawing's unit whatever it declares. On failure message
// says what is wrong, in words for the user.
ImportFileError ReadImportFile(const char* path, ImportSource* source, std::string* message,
                               const DxfUnit* givenUnit = nullptr);

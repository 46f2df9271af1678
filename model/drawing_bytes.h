// Reading a drawing file's bytes no further than its counts announce, so that a name that leads to an
// endless or huge device is refused at once instead of filling memory.
#pragma once

#include <cstdint>
#include <vector>

#include "model/drawing_file.h"

constexpr uint64_t MaxDrawingFileBytes = 512u << 20;  // some ten million vertices
constexpr uint64_t MaxTrailingBytes = 16u << 20;      // the optional blocks after the last height

// The bytes the file's counts announce, plus room for its optional blocks. A longer file is refused as
// TooLarge; a shorter one is read whole, for the decoder to refuse as truncated.
FileError ReadDrawingBytes(const char* path, std::vector<uint8_t>* bytes);

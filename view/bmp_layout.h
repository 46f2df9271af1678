// The layout of a 32-bit uncompressed BMP file: a 14-byte file header and a 40-byte information header.
#pragma once

#include <cstdint>
#include <vector>

constexpr uint32_t BmpHeaderSize = 54;
constexpr uint32_t BmpFileHeaderSize = 14;  // before the information header, which a bitmap in memory starts with

// The 54 header bytes for an image of width x height pixels whose rows are stored bottom row first.
std::vector<uint8_t> BmpHeader(int32_t width, int32_t height);

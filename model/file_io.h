// Whole-file reading, and writing that never leaves a half-written file in place of a good one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes);

// Writes bytes to a temporary file beside path, checks every write, the flush and the close, then
// replaces path in one step. On any failure the temporary file is removed and path is as it was.
bool WriteFileAtomically(const char* path, const std::vector<uint8_t>& bytes);

// Every write of WriteFileAtomically goes through this, so that tests can fail one part-way.
using FileWriteFn = size_t (*)(const void* data, size_t size, size_t count, FILE* file);
extern FileWriteFn fileWrite;

// Platform halves, one source file per platform.
bool FlushFileToDisk(FILE* file);
bool MoveFileOver(const char* source, const char* target);

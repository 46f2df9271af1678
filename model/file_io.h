// Whole-file reading, and writing that never leaves a half-written file in place of a good one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes);

// Writes bytes to a new temporary file beside path, checks every write, the flush and the close, then
// replaces path in one step. On any failure the temporary file is removed and path is as it was.
bool WriteFileAtomically(const char* path, const std::vector<uint8_t>& bytes);

// Every write of WriteFileAtomically goes through this, so that tests can fail one part-way.
using FileWriteFn = size_t (*)(const void* data, size_t size, size_t count, FILE* file);
extern FileWriteFn fileWrite;

// A name for a temporary file in the folder of path: the folder's part of path, a '~' and random
// hexadecimal digits, about as long as path's own file name so that a path that fits still fits.
std::string TemporaryNameBeside(const char* path);

// Creates a new, empty file under such a name (never one that exists), open for binary writing, and
// gives its name; null when the folder cannot take it.
FILE* CreateTemporaryBeside(const char* path, std::string* name);

// Platform halves, one source file per platform.
FILE* CreateNewFile(const char* path);  // opened for binary writing; null when the name exists already
bool FlushFileToDisk(FILE* file);
bool MoveFileOver(const char* source, const char* target);

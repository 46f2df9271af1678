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

// The start of every temporary name a save of path uses: its folder, "~zlv" and eight hexadecimal digits
// of a hash of its file name, so that a later save of the same target recognises what one left.
std::string TemporaryPrefixBeside(const char* path);

// A name for a temporary file in the folder of path: the prefix, this process's id and random digits
// (eight and four hexadecimal), and ".tmp".
std::string TemporaryNameBeside(const char* path);

// Creates a new, empty file under such a name (never one that exists), open for binary writing, and
// gives its name; null when the folder cannot take it.
FILE* CreateTemporaryBeside(const char* path, std::string* name);

// Removes the temporary files of earlier saves of path whose process has ended, as a save killed
// before its rename leaves them; a running save's file is kept. Gives how many were removed.
int RemoveLeftoverTemporaries(const char* path);

// Platform halves, one source file per platform.
FILE* CreateNewFile(const char* path);  // opened for binary writing; null when the name exists already
bool FlushFileToDisk(FILE* file);
bool MoveFileOver(const char* source, const char* target);
uint32_t CurrentProcessId();
bool ProcessIsRunning(uint32_t id);                               // true also when it cannot be told
std::vector<std::string> FileNamesIn(const std::string& folder);  // "" is the current folder

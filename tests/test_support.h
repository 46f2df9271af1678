// What the core tests share besides the drawing builders: a folder of their own for files.
#pragma once

#include <string>

#include "tests/drawing_builders.h"

// A path inside a fresh folder of this test process's own, so runs never see each other's files.
std::string TestPath(const char* name);

bool FileExists(const std::string& path);

// What the core tests share besides the drawing builders: a folder of their own for files.
#pragma once

#include <cstdint>
#include <string>

#include "tests/drawing_builders.h"

struct Session;

// A path inside a fresh folder of this test process's own, so runs never see each other's files.
std::string TestPath(const char* name);

bool FileExists(const std::string& path);

// Shows a result of the given contour count for the drawing as it is now: one that a change must hide.
void ShowResultOfDrawing(Session& session, int32_t contours);
// The contour count of the result shown for the drawing as it is now; 0 when there is none.
int32_t ShownContours(const Session& session);

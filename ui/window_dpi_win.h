// The pixel density of a window, which the program's layout and canvas scale with.
#pragma once

#include <windows.h>

#include <cstdint>

// The window's own density where the system tells it per window (Windows 10 and later), else the
// screen's; a value no display reports counts as 96.
int32_t WindowDpi(HWND window);

// The canvas of the main window, of the class "Draw Window", where the drawing and the results show.
#pragma once

#include <windows.h>

bool RegisterCanvasClass(HINSTANCE instance);

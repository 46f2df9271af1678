// The canvas of the main window, of the class "Draw Window", where the drawing and the results show.
#pragma once

#include <windows.h>

bool RegisterCanvasClass();

// Paints what the canvas shows in the current view onto dc, width x height pixels, background included.
// The window paints through it, and so does the bitmap export.
void PaintCanvas(HDC dc, int width, int height);

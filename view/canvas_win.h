// The canvas of the main window, of the class "Draw Window", where the drawing and the results show.
#pragma once

#include <windows.h>

#include "view/renderer_win.h"

bool RegisterCanvasClass();

// The status bar for the current view: where the pointer is over the drawing, the area of the result
// view, nothing without a drawing.
void ShowCanvasStatus();

// Paints what the canvas shows in the current view onto dc, width x height pixels, background included.
// The window paints through it, and so does the bitmap export, which writes the picture's caption.
void PaintCanvas(HDC dc, int width, int height, ResultLabel label = ResultLabel::Area);

// The main window's children placed and lettered at the window's density, when it is made and whenever
// it moves to a screen of another density.
#pragma once

#include <windows.h>

// Places the buttons, the status bar's parts and the canvas, and gives them the font of the density.
void LayOutMainWindow(HWND window);

// Puts the canvas where the main window's layout wants it for the present client size.
void LayOutCanvas();

// WM_DPICHANGED: the window takes the size the system proposes, the canvas the new density.
void OnMainDpiChanged(HWND window, int dpi, const RECT* proposed);

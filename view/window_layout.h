// Where the main window places its children, in pixels of its client area. The numbers are those of
// 96 DPI; each function scales them to the window's density.
#pragma once

#include <cstdint>

#include "view/dpi_scale.h"

struct PixelRect {
    int32_t left, top, width, height;
};

struct PixelSize {
    int32_t width, height;
};

constexpr int32_t ToolbarButtonCount = 6;

// The main window's size when it is created.
PixelSize MainWindowSize(int32_t dpi = BaseDpi);

// The window at the wanted size, shrunk to the work area of its monitor where it does not fit, and
// centred in it, so that its caption and menu bar are always on the screen.
PixelRect PlaceInWorkArea(PixelSize wanted, PixelRect workArea);

// Toolbar button i (Draw, Create, Edit, Delete, View Ad, View Am), in a row along the top of a client
// area of the given width.
PixelRect ToolbarButtonPlace(int32_t i, int32_t clientWidth, int32_t dpi = BaseDpi);

// The canvas fills the client area below the buttons and above the status bar, with margins.
PixelRect CanvasPlace(int32_t clientWidth, int32_t clientHeight, int32_t dpi = BaseDpi);

// The right edge of the status bar's first part (the pointer's position); the second takes the rest.
int32_t StatusSplit(int32_t dpi = BaseDpi);

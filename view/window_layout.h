// Where the main window places its children, in pixels of its client area.
#pragma once

#include <cstdint>

struct PixelRect {
    int32_t left, top, width, height;
};

constexpr int32_t ToolbarButtonCount = 6;

// Toolbar button i (Draw, Create, Edit, Delete, View Ad, View Am), in a row along the top.
PixelRect ToolbarButtonPlace(int32_t i);

// The canvas fills the client area below the buttons and above the status bar, with margins.
PixelRect CanvasPlace(int32_t clientWidth, int32_t clientHeight);

// The right edge of the status bar's first part (the pointer's position); the second takes the rest.
int32_t StatusSplit();

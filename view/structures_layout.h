// Where the Structures window places its controls, in pixels of its client area: a row of buttons and
// the progress bar along the top, the list below them, and the note line at the bottom. The numbers
// are those of 96 DPI, scaled to the window's density.
#pragma once

#include <cstdint>

#include "view/window_layout.h"

constexpr int32_t StructuresButtonCount = 4;  // Calculate, Stop, Copy, Export...

struct StructuresLayout {
    PixelRect buttons[StructuresButtonCount];
    PixelRect progress;
    PixelRect list;
    PixelRect note;
};

StructuresLayout LayOutStructures(int32_t clientWidth, int32_t clientHeight, int32_t dpi = BaseDpi);

// The window's size when no place is remembered.
PixelSize StructuresWindowSize(int32_t dpi = BaseDpi);

// The width of each column of the list, in the order of the table's columns.
int32_t StructuresColumnWidth(int32_t column, int32_t dpi = BaseDpi);

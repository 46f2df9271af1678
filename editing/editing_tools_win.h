// What a click on the canvas does with the tool in use in the drawing view: the tool's rules decide, and
// this shows the message or dialog they name and repaints.
#pragma once

#include <windows.h>

#include <cstdint>

#include "view/view_transform.h"

void ToolLeftClick(HWND canvas, int32_t tool, PixelPoint click);
void ToolRightClick(HWND canvas, int32_t tool, PixelPoint click);

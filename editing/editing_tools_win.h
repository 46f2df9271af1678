// What a click on the canvas does with each tool of the drawing view.
#pragma once

#include <windows.h>

#include "view/view_transform.h"

void CreateLeftClick(HWND canvas);   // starts a polygon or places its next vertex at the cursor point
void CreateRightClick(HWND canvas);  // closes the polygon under construction
void EditLeftClick(HWND canvas, PixelPoint click);   // picks up a vertex or polygon, or drops it
void EditRightClick(HWND canvas, PixelPoint click);  // edits a vertex's height or a polygon's options
void DeleteLeftClick(HWND canvas, PixelPoint click);

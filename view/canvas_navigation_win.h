// Moving about the map with the mouse: the wheel scrolls (Shift+wheel sideways), Ctrl+wheel steps the
// zoom about the pointer, and the middle button drags the map along.
#pragma once

#include <windows.h>

// WM_MOUSEWHEEL and WM_MOUSEHWHEEL, whichever window received them; the pointer is in screen pixels.
void WheelOnCanvas(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam);

// The middle button's press, the moves while it is held and its release, in client pixels. True when
// the message belonged to a pan.
bool PanOnCanvas(HWND canvas, UINT message, int x, int y);

#include "editing/editing_tools_win.h"

// The tools arrive with their dialogs; until then a click changes nothing.
void CreateLeftClick(HWND) {}
void CreateRightClick(HWND) {}
void EditLeftClick(HWND, PixelPoint) {}
void EditRightClick(HWND, PixelPoint) {}
void DeleteLeftClick(HWND, PixelPoint) {}

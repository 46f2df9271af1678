// The "Structures" window: the table of the drawing's structures beside the main window, modeless and
// owned by it (one at a time, closed with it), calculated in the background and kept to the drawing
// as it is. Selecting rows highlights their structures on the canvas; a double click or Enter on a row
// opens the structure's dialog.
#pragma once

#include <windows.h>

// Registers the window's class; false when it fails.
bool RegisterStructuresClass();

// Data > Structures (F4): opens the window, or brings the open one forward.
void OpenStructuresWindow(HWND owner);

// The open window, or null.
HWND StructuresWindow();

// The window's own keys (Ctrl+C, Ctrl+A, F5, Enter) while it or its list has the focus; true when msg
// was one of them. The message loop asks this before the main window's keys, whose Ctrl+C copies the
// picture instead.
bool TranslateStructuresKey(MSG* msg);

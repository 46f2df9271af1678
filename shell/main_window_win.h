// The main window: its classes, its child controls and the state they show. Its handles and what other
// parts may ask of it are in ui/app_windows_win.h.
#pragma once

#include <windows.h>

// Registers the main window's class and the canvas's; false when either fails.
bool RegisterMainClasses();

// Creates the main window hidden, centred on the desktop. Its creation builds the controls, enters the
// no-drawing state and opens a drawing named on the command line.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* commandLine);

// Shows the enabled, checked and pressed state of the mode record on the menu and the buttons; Options >
// Draw is off while an edit drag carries something, so that the grid cannot change under it.
void ApplyMainControls();

// Turns a key of the main window's table into its command; false when msg is not such a key.
bool TranslateMainWindowKey(MSG* msg);

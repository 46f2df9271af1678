// The main window: its classes, its child controls and the state they show.
#pragma once

#include <windows.h>

extern HWND mainWindow;
extern HWND canvasWindow;
extern HWND statusBar;

// Registers the main window's class and the canvas's; false when either fails.
bool RegisterMainClasses(HINSTANCE instance);

// Creates the main window hidden, centred on the desktop. Its creation builds the controls, enters the
// no-drawing state and opens a drawing named on the command line.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* commandLine);

// Shows the enabled, checked and pressed state of the mode record on the menu and the buttons.
void ApplyMainControls();

// Invalidates the whole main window and has the canvas recompute its scroll bars.
void RefreshMainWindow();

// Runs the polygon checks on the drawing and enables or disables the view buttons with the verdict.
bool RecheckCalcReady();

void SetStatusText(int part, const char* text);

// Turns a key of the main window's table into its command; false when msg is not such a key.
bool TranslateMainWindowKey(MSG* msg);

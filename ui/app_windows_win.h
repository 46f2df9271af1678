// The windows every part of the program works with, and what any part may ask of the main window.
// The main window (shell/) fills the handles in as it creates its children.
#pragma once

#include <windows.h>

extern HWND mainWindow;
extern HWND canvasWindow;
extern HWND statusBar;

struct Session;
// The session of the main window that window belongs to: the main window itself, one of its children
// or a window it owns. The main window makes the session as it is created and lets it go with itself.
Session& SessionOf(HWND window);
void SetSessionOf(HWND window, Session* session);

// Sent to the main window to show the mode record's state on its menu and buttons again.
constexpr UINT WM_APP_SHOW_CONTROLS = WM_APP + 10;

// Invalidates the whole main window and has the canvas recompute its scroll bars.
void RefreshMainWindow();

// Has the main window lay its children out again for its present size, as on WM_SIZE.
void RelayMainWindow();

// The menu and the buttons show the mode record again (the main window does it on WM_APP_SHOW_CONTROLS).
void ShowMainControls();

void SetStatusText(int part, const char* text);

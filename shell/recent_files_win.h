// File > 1..4: the last drawings opened or saved, kept in an INI file in the user's application-data
// folder between runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/window_place.h"

// Where the list is kept; set at start, and by tests to a file of their own.
extern std::string recentFilesIni;
std::string DefaultRecentFilesIni();

// Where the Structures window was last left, kept in the same file; none before it was ever closed.
std::optional<WindowPlace> StoredStructuresPlace();
void RememberStructuresPlace(const WindowPlace& place);

// Reads the list; a missing, unreadable or damaged file gives what it still holds and is written anew.
void LoadRecentFiles();

// The list after a drawing was opened or saved (it goes to the top) or failed to open (it goes),
// written back and shown in the File menu.
void RememberRecentFile(HWND window, const char* path);
void ForgetRecentFile(HWND window, const char* path);

// The items at the end of the File menu, after a separator, as the list holds them.
void ShowRecentFiles(HWND window);

// A click on item index (0 to 3): the drawing open now is closed first, as Close does, asking to save
// it when modified; a file that no longer opens leaves the list.
void OpenRecentCommand(HWND window, int index);

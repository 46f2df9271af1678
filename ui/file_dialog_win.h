// The standard Open and Save dialogs as the program shows them: Explorer style, no read-only box, owned
// by a window of the program so that nothing changes while a name is being chosen.
#pragma once

#include <windows.h>

struct FileDialogSpec {
    const char* filter;               // pairs of description and pattern, ending in an empty one
    const char* extension = nullptr;  // added to a name typed without one
    bool save = false;                // Save asks before it replaces a file; Open takes existing files only
};

// path (260 bytes) holds the name proposed and receives the one chosen. Returns the filter chosen,
// counted from 1, or 0 when the user cancels.
DWORD ShowFileDialog(HWND owner, const FileDialogSpec& request, char* path);

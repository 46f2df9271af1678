// The file commands of the main window: New, Open, Save, Save as, Close and Quit, and the drawing
// named on the command line.
#pragma once

#include <windows.h>

// Asks for a file name in the standard Open or Save dialog; path (FileNameSize bytes) holds the name
// proposed and receives the one chosen. False when the user cancels. Replaced by tests.
using FileDialogFn = bool (*)(HWND owner, bool save, char* path);
extern FileDialogFn AskFileName;

void NewDrawingCommand(HWND owner);

// Opens path as the drawing and shows it; says "Error to opening file" and keeps what was shown when
// it cannot. A drawing opened goes to the top of the recent files.
bool OpenNamedDrawing(HWND owner, const char* path);
bool OpenDrawingCommand(HWND owner, bool askName);
bool SaveDrawingCommand(HWND owner, bool askName);

// Offers to save a modified drawing with Yes, No and Cancel. False when the user backed out (Cancel) or
// wanted it saved and the save failed or was cancelled; true otherwise, the drawing untouched.
bool SaveIfWanted(HWND owner);

// Offers to save a modified drawing, then closes it. False, with the drawing still open, when the user
// wanted it saved and the save failed or was cancelled.
bool CloseDrawingCommand(HWND owner);
void QuitCommand(HWND owner);

// The window is going whatever the answer: a modified drawing is offered for saving once more.
void CloseWhileDestroying(HWND owner);

// Opens the drawing when the command line names exactly one file besides the program.
void OpenFromCommandLine(HWND owner, const wchar_t* commandLine);

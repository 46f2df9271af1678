// The one way the program asks or tells the user something in a message box, so that tests can answer.
#pragma once

#include <windows.h>

using PromptFn = int (*)(HWND owner, const char* text, const char* caption, UINT flags);
extern PromptFn Prompt;  // MessageBoxA in the program

int Warn(HWND owner, const char* text);       // "Warning", warning icon, OK
bool AskYesNo(HWND owner, const char* text);  // "Warning", warning icon, Yes and No

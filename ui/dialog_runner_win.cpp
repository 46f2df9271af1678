#include "ui/dialog_runner_win.h"

#include "text/ui_texts.h"
#include "ui/prompt_win.h"

INT_PTR RunDialog(HWND owner, int resource, DLGPROC procedure, LPARAM parameter) {
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner, procedure, parameter);
    if (result == -1)
        Prompt(owner, TEXT_DIALOG_FAILED, TEXT_ERROR, MB_OK | MB_ICONERROR);
    return result;
}

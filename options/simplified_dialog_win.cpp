#include "options/simplified_dialog_win.h"

#include <cstdio>

#include "app/session.h"
#include "model/drawing.h"
#include "options/simplified_areas.h"
#include "resources/resource.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/prompt_win.h"

namespace {

struct Field {
    int id;
    bool zeroAllowed;  // only the protrusion may be missing
};

// In the order they are read: length, width, minimum height, maximum height.
const Field Fields[4] = {
    {IDC_SIMPLIFIED_LENGTH, false},
    {IDC_SIMPLIFIED_WIDTH, false},
    {IDC_SIMPLIFIED_MIN_HEIGHT, false},
    {IDC_SIMPLIFIED_MAX_HEIGHT, true},
};

// Every field is read, so each keeps the value typed even when another is wrong; one message for all.
void Calculate(HWND dialog) {
    Session& session = SessionOf(mainWindow);
    double values[4] = {0, 0, 0, 0};
    bool valid = true;
    for (int i = 0; i < 4; i++) {
        char text[260];
        GetDlgItemTextA(dialog, Fields[i].id, text, sizeof text);
        valid = ReadSimplifiedField(text, Fields[i].zeroAllowed, &values[i]) && valid;
    }
    if (!valid) {
        Warn(mainWindow, TEXT_INVALID_DATA);
        return;
    }
    const CalcOptions& options = session.drawing.calcOptions;
    SimplifiedResult result = SimplifiedAreas(values[0], values[1], values[2], values[3], options.heightProjection,
                                              options.distanceProjection);
    char text[260];
    snprintf(text, sizeof text, TEXT_SIMPLIFIED_RESULTS, result.ad, result.am);
    Prompt(mainWindow, text, TEXT_RESULTS, MB_OK | MB_ICONINFORMATION);
}

INT_PTR CALLBACK SimplifiedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            for (const Field& field : Fields)
                SetDlgItemTextA(dialog, field.id, "0.00");
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SIMPLIFIED_CALCULATE)
                Calculate(dialog);
            else if (LOWORD(wParam) == IDC_SIMPLIFIED_CLOSE || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDOK);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowSimplifiedDialog(HWND owner) {
    RunDialog(owner, IDD_SIMPLIFIED, SimplifiedDialogProc);
}

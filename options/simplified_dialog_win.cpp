#include "options/simplified_dialog_win.h"

#include <cstdio>

#include "app/session.h"
#include "model/drawing.h"
#include "options/simplified_areas.h"
#include "resources/resource.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"
#include "ui/prompt_win.h"

namespace {

// The fields as the rules number them, top to bottom.
const int FieldIds[SimplifiedFieldCount] = {IDC_SIMPLIFIED_WIDTH, IDC_SIMPLIFIED_LENGTH, IDC_SIMPLIFIED_MIN_HEIGHT,
                                            IDC_SIMPLIFIED_MAX_HEIGHT};

// The dialog stays open with the texts as typed, so that further values can be tried; its messages are
// its own, so that the main window stays disabled behind it.
void Calculate(HWND dialog) {
    std::string texts[SimplifiedFieldCount];
    const char* typed[SimplifiedFieldCount];
    for (int i = 0; i < SimplifiedFieldCount; i++) {
        texts[i] = WholeFieldText(dialog, FieldIds[i]);
        typed[i] = texts[i].c_str();
    }
    SimplifiedInput input;
    Refusal refusal;
    if (!ReadSimplifiedFields(typed, &input, &refusal)) {
        RefuseField(dialog, FieldIds[refusal.field], refusal.message);
        return;
    }
    const CalcOptions& options = SessionOf(mainWindow).drawing.calcOptions;
    SimplifiedResult result = SimplifiedAreas(input.length, input.width, input.minHeight, input.maxHeight,
                                              options.heightProjection, options.distanceProjection);
    char text[260];
    snprintf(text, sizeof text, TEXT_SIMPLIFIED_RESULTS, result.ad, result.am);
    Prompt(dialog, text, TEXT_RESULTS, MB_OK | MB_ICONINFORMATION);
}

INT_PTR CALLBACK SimplifiedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            for (int id : FieldIds)
                SetDlgItemTextA(dialog, id, "0.00");
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SIMPLIFIED_CALCULATE || LOWORD(wParam) == IDOK)
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

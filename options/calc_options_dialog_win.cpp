#include "options/calc_options_dialog_win.h"

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/session.h"
#include "model/drawing.h"
#include "options/calc_limits.h"
#include "resources/resource.h"
#include "text/decimal_text.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"

namespace {

void ShowOptions(HWND dialog, const CalcOptions& options) {
    SetDlgItemTextA(dialog, IDC_CALC_HEIGHT_PROJECTION, DecimalText(options.heightProjection, 3).c_str());
    SetDlgItemTextA(dialog, IDC_CALC_DISTANCE_PROJECTION, DecimalText(options.distanceProjection, 3).c_str());
}

void Save(HWND dialog) {
    Session& session = SessionOf(mainWindow);
    char height[1000], distance[1000];
    GetDlgItemTextA(dialog, IDC_CALC_HEIGHT_PROJECTION, height, sizeof height);
    GetDlgItemTextA(dialog, IDC_CALC_DISTANCE_PROJECTION, distance, sizeof distance);
    double value = 0.0;
    if (!ReadNumberField(height, HeightProjectionRange, &value)) {
        RefuseField(dialog, IDC_CALC_HEIGHT_PROJECTION, RangeMessage(HeightProjectionRange));
        return;
    }
    if (!ReadNumberField(distance, DistanceProjectionRange, &value)) {
        RefuseField(dialog, IDC_CALC_DISTANCE_PROJECTION, RangeMessage(DistanceProjectionRange));
        return;
    }
    SaveOutcome saved = StoreCalcOptionTexts(&session.drawing, height, distance);
    if (saved == SaveOutcome::Changed)
        session.drawingChanges.commit(&session.editHistory, &session.drawing);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK CalcOptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: ShowOptions(dialog, SessionOf(mainWindow).drawing.calcOptions); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_CALC_SAVE)
                Save(dialog);
            else if (LOWORD(wParam) == IDC_CALC_CANCEL || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowCalcOptionsDialog(HWND owner) {
    RunDialog(owner, IDD_CALC_OPTIONS, CalcOptionsDialogProc);
}

#include "options/calc_options_dialog_win.h"

#include "app/session.h"
#include "model/drawing.h"
#include "options/calc_limits.h"
#include "resources/resource.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"

namespace {

void ShowOptions(HWND dialog, const CalcOptions& options) {
    SetDlgItemTextA(dialog, IDC_CALC_HEIGHT_PROJECTION, CalcOptionText(options.heightProjection).c_str());
    SetDlgItemTextA(dialog, IDC_CALC_DISTANCE_PROJECTION, CalcOptionText(options.distanceProjection).c_str());
}

void Save(HWND dialog) {
    Session& session = SessionOf(mainWindow);
    std::string height = WholeFieldText(dialog, IDC_CALC_HEIGHT_PROJECTION);
    std::string distance = WholeFieldText(dialog, IDC_CALC_DISTANCE_PROJECTION);
    Refusal refusal;
    SaveOutcome saved = StoreCalcOptionTexts(&session.drawing, height.c_str(), distance.c_str(), &refusal);
    if (saved == SaveOutcome::Refused) {
        bool first = refusal.field == HeightProjectionField;
        RefuseField(dialog, first ? IDC_CALC_HEIGHT_PROJECTION : IDC_CALC_DISTANCE_PROJECTION, refusal.message);
        return;
    }
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

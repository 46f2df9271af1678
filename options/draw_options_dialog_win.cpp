#include "options/draw_options_dialog_win.h"

#include "app/session.h"
#include "model/drawing.h"
#include "options/draw_option_rules.h"
#include "resources/resource.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"

namespace {

// The dialog works on a copy of the drawing's options, made when it opens and stored only by Save.
void SetSnapBox(HWND dialog, DrawOptions* copies, bool on) {
    copies->snapOn = on ? 1 : 0;
    CheckDlgButton(dialog, IDC_DRAW_SNAP_ON, on ? BST_CHECKED : BST_UNCHECKED);
}

void Open(HWND dialog, DrawOptions* copies) {
    SetDlgItemTextA(dialog, IDC_DRAW_MAP_SIZE, MapSizeText(copies->mapSize).c_str());
    SetSnapBox(dialog, copies, copies->snapOn == 1);
    for (const SnapStep& step : SnapSteps)
        SendDlgItemMessageA(dialog, IDC_DRAW_SNAP_STEP, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(step.label));
    SendDlgItemMessageA(dialog, IDC_DRAW_SNAP_STEP, CB_SETCURSEL, copies->snapIndex, 0);
    if (copies->snapIndex == 0)
        SetSnapBox(dialog, copies, false);
    for (const ZoomStep& zoom : ZoomSteps)
        SendDlgItemMessageA(dialog, IDC_DRAW_ZOOM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zoom.label));
    SendDlgItemMessageA(dialog, IDC_DRAW_ZOOM, CB_SETCURSEL, copies->zoomIndex, 0);
}

// The canvas takes its place for the new options and recomputes its scroll ranges.
void RelayCanvas() {
    RelayMainWindow();
    RefreshMainWindow();
}

// A change is one step that Undo takes back; Save on the options as they were records none.
void Save(HWND dialog, const DrawOptions& copies) {
    Session& session = SessionOf(mainWindow);
    Refusal refusal;
    std::string mapSize = WholeFieldText(dialog, IDC_DRAW_MAP_SIZE);
    SaveOutcome saved = StoreDrawOptions(&session.drawing.drawOptions, copies, mapSize.c_str(), &refusal);
    if (saved == SaveOutcome::Refused) {
        RefuseField(dialog, refusal.field == MapSizeField ? IDC_DRAW_MAP_SIZE : IDC_DRAW_SNAP_STEP, refusal.message);
        return;
    }
    if (saved == SaveOutcome::Changed)
        session.drawingChanges.commit(&session.editHistory, &session.drawing);
    RelayCanvas();
    EndDialog(dialog, IDOK);
}

int32_t Selection(HWND dialog, int list) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

INT_PTR CALLBACK DrawOptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DrawOptions* copies = DialogState<DrawOptions>(dialog, msg, lParam);
    if (!copies)
        return FALSE;
    switch (msg) {
        case WM_INITDIALOG: Open(dialog, copies); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_DRAW_SNAP_STEP:
                    if (HIWORD(wParam) == CBN_SELENDOK) {
                        copies->snapIndex = Selection(dialog, IDC_DRAW_SNAP_STEP);
                        if (copies->snapIndex == 0)
                            SetSnapBox(dialog, copies, false);
                    }
                    break;
                case IDC_DRAW_ZOOM:
                    if (HIWORD(wParam) == CBN_SELENDOK)
                        copies->zoomIndex = Selection(dialog, IDC_DRAW_ZOOM);
                    break;
                case IDC_DRAW_SNAP_ON:
                    SetSnapBox(dialog, copies, IsDlgButtonChecked(dialog, IDC_DRAW_SNAP_ON) != BST_CHECKED);
                    break;
                case IDC_DRAW_SAVE: Save(dialog, *copies); break;
                case IDC_DRAW_CANCEL:
                case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowDrawOptionsDialog(HWND owner) {
    Session& session = SessionOf(mainWindow);
    DrawOptions copies = session.drawing.drawOptions;
    RunDialog(owner, IDD_DRAW_OPTIONS, DrawOptionsDialogProc, reinterpret_cast<LPARAM>(&copies));
}

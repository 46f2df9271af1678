#include "shell/import_height_dialog_win.h"

#include "editing/edit_dialog_rules.h"
#include "resources/resource.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"

namespace {

// A refused text is told and selected, and the height stays as it was, as in the vertex dialogs.
INT_PTR CALLBACK ImportHeightDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* height = DialogState<double>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: SetDlgItemTextA(dialog, IDC_IMPORT_HEIGHT_VALUE, HeightText(*height).c_str()); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                Refusal refusal;
                if (!ReadImportHeight(WholeFieldText(dialog, IDC_IMPORT_HEIGHT_VALUE).c_str(), height, &refusal)) {
                    RefuseField(dialog, IDC_IMPORT_HEIGHT_VALUE, refusal.message);
                    return TRUE;
                }
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool AskImportHeight(HWND owner, double* height) {
    return RunDialog(owner, IDD_IMPORT_HEIGHT, ImportHeightDialogProc, reinterpret_cast<LPARAM>(height)) == IDOK;
}

#include "shell/import_height_dialog_win.h"

#include "resources/resource.h"
#include "text/decimal_text.h"
#include "ui/dialog_runner_win.h"

namespace {

void ShowHeight(HWND dialog, double height) {
    SetDlgItemTextA(dialog, IDC_IMPORT_HEIGHT_VALUE, DecimalText(height, 2).c_str());
}

// A text that is no decimal puts the height back, as the vertex dialogs do; the height rule applies.
INT_PTR CALLBACK ImportHeightDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* height = reinterpret_cast<double*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            ShowHeight(dialog, *reinterpret_cast<double*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                char text[1000];
                GetDlgItemTextA(dialog, IDC_IMPORT_HEIGHT_VALUE, text, sizeof text);
                if (!CheckDecimalText(text)) {
                    ShowHeight(dialog, *height);
                    return TRUE;
                }
                *height = HeightRule(ReadDecimal(text));
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

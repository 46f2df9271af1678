#include "shell/about_dialog_win.h"

#include "resources/resource.h"
#include "ui/dialog_runner_win.h"

namespace {

// Every command counts as handled, so Escape (IDCANCEL) leaves the box open; only Close ends it, by
// its button or by Enter as the default button.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_ABOUT_CLOSE)
                EndDialog(dialog, IDD_ABOUT);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutDialog(HWND owner) {
    RunDialog(owner, IDD_ABOUT, AboutDialogProc);
}

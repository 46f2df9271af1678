#include "shell/report_signatures_dialog_win.h"

#include <string>

#include "resources/resource.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"

namespace {

// 50 characters are at most 200 bytes of UTF-8, what the drawing's file keeps of a field.
constexpr int FieldCharacters = static_cast<int>(MaxSignatureBytes / 4);

const struct {
    int control;
    std::string ReportSignatures::*field;
} Fields[] = {
    {IDC_REPORT_PROJECT, &ReportSignatures::project},
    {IDC_REPORT_AUTHOR, &ReportSignatures::author},
    {IDC_REPORT_CHECKER, &ReportSignatures::checker},
};

std::string FieldText(HWND dialog, int control) {
    char text[MaxSignatureBytes + 1] = {};
    GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
}

INT_PTR CALLBACK ReportSignaturesDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    ReportSignatures* signatures = DialogState<ReportSignatures>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            for (const auto& f : Fields) {
                SendDlgItemMessageA(dialog, f.control, EM_LIMITTEXT, FieldCharacters, 0);
                SetDlgItemTextA(dialog, f.control, (signatures->*f.field).c_str());
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                for (const auto& f : Fields)
                    signatures->*f.field = FieldText(dialog, f.control);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

bool ShowReportSignaturesDialog(HWND owner, ReportSignatures* signatures) {
    ReportSignatures typed = *signatures;
    if (RunDialog(owner, IDD_REPORT_SIGNATURES, ReportSignaturesDialogProc, reinterpret_cast<LPARAM>(&typed)) != IDOK)
        return false;
    *signatures = typed;
    return true;
}

}  // namespace

ReportSignaturesFn AskReportSignatures = ShowReportSignaturesDialog;

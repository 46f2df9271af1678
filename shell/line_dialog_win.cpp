#include "shell/line_dialog_win.h"

#include <string>

#include "assessment/assessment_fields.h"
#include "assessment/structure_fields.h"
#include "resources/resource.h"
#include "text/ui_texts.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"
#include "ui/prompt_win.h"

namespace {

constexpr int FieldCount = static_cast<int>(LineField::Count);

int FieldId(int field) {
    return IDC_LINE_LENGTH + field;
}

int LabelId(int field) {
    return IDC_LINE_LENGTH_LABEL + field;
}

void FillList(HWND dialog, int list, const char* (*text)(int32_t), int32_t count, int32_t chosen) {
    for (int32_t i = 0; i < count; i++)
        SendDlgItemMessageA(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text(i)));
    SendDlgItemMessageA(dialog, list, CB_SETCURSEL, chosen, 0);
}

int32_t Chosen(HWND dialog, int list) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

bool Checked(HWND dialog, int box) {
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

LineTexts Typed(HWND dialog) {
    LineTexts typed;
    typed.kind = Chosen(dialog, IDC_LINE_KIND);
    typed.installation = Chosen(dialog, IDC_LINE_INSTALLATION);
    typed.environment = Chosen(dialog, IDC_LINE_ENVIRONMENT);
    typed.cdj = Chosen(dialog, IDC_LINE_CDJ);
    typed.transformer = Checked(dialog, IDC_LINE_TRANSFORMER);
    typed.lengthUnknown = Checked(dialog, IDC_LINE_UNKNOWN);
    typed.adjacent = Checked(dialog, IDC_LINE_ADJACENT);
    for (int i = 0; i < FieldCount; i++)
        typed.texts[i] = WholeFieldText(dialog, FieldId(i));
    return typed;
}

// The length waits for "Unknown" to be cleared, the far end's block for its box to be ticked.
void EnableFields(HWND dialog) {
    LineTexts shown = Typed(dialog);
    for (int i = 0; i < FieldCount; i++) {
        bool applies = LineFieldApplies(shown, static_cast<LineField>(i));
        EnableWindow(GetDlgItem(dialog, FieldId(i)), applies);
        EnableWindow(GetDlgItem(dialog, LabelId(i)), applies);
    }
    EnableWindow(GetDlgItem(dialog, IDC_LINE_CDJ), shown.adjacent);
    EnableWindow(GetDlgItem(dialog, IDC_LINE_CDJ_LABEL), shown.adjacent);
}

const char* CdjText(int32_t choice) {
    static const char* const texts[CdjChoiceCount] = {"0.25", "0.5", "1", "2"};
    return texts[choice];
}

void Open(HWND dialog, const LineSettings& line) {
    LineTexts shown = LineTextsOf(line);
    FillList(dialog, IDC_LINE_KIND, LineKindText, static_cast<int32_t>(LineKind::Count), shown.kind);
    FillList(dialog, IDC_LINE_INSTALLATION, LineInstallationText, static_cast<int32_t>(LineInstallation::Count),
             shown.installation);
    FillList(dialog, IDC_LINE_ENVIRONMENT, LineEnvironmentText, static_cast<int32_t>(LineEnvironment::Count),
             shown.environment);
    FillList(dialog, IDC_LINE_CDJ, CdjText, CdjChoiceCount, shown.cdj);
    CheckDlgButton(dialog, IDC_LINE_UNKNOWN, shown.lengthUnknown ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_LINE_TRANSFORMER, shown.transformer ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_LINE_ADJACENT, shown.adjacent ? BST_CHECKED : BST_UNCHECKED);
    for (int i = 0; i < FieldCount; i++) {
        std::string label = std::string(LineFieldRange(static_cast<LineField>(i)).field) + ":";
        SetDlgItemTextA(dialog, LabelId(i), label.c_str());
        SetDlgItemTextA(dialog, FieldId(i), shown.texts[i].c_str());
    }
    EnableFields(dialog);
}

void Save(HWND dialog, LineSettings* line) {
    LineField refused = LineField::Count;
    if (!ReadLineTexts(Typed(dialog), line, &refused)) {
        if (refused == LineField::Count)
            Warn(dialog, TEXT_LINE_CHOICE_REFUSED);
        else
            RefuseField(dialog, FieldId(static_cast<int>(refused)), RangeMessage(LineFieldRange(refused)));
        return;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK LineDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* line = DialogState<LineSettings>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: Open(dialog, *line); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_LINE_UNKNOWN:
                case IDC_LINE_ADJACENT: EnableFields(dialog); break;
                case IDOK: Save(dialog, line); break;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

// The dialog works on a copy, so that Cancel leaves the caller's line as it was.
bool ShowLineDialog(HWND owner, LineSettings* line) {
    LineSettings edited = *line;
    if (RunDialog(owner, IDD_LINE, LineDialogProc, reinterpret_cast<LPARAM>(&edited)) != IDOK)
        return false;
    *line = edited;
    return true;
}

#include "shell/assessment_dialog_win.h"

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/session.h"
#include "assessment/assessment_fields.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"

namespace {

constexpr int FieldCount = static_cast<int>(AssessmentField::Count);

struct AssessmentDialogState {
    bool changed = false;
};

int FieldId(int field) {
    return IDC_ASSESSMENT_NG + field;
}

int LabelId(int field) {
    return IDC_ASSESSMENT_NG_LABEL + field;
}

int32_t ChosenEdition(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_ASSESSMENT_EDITION3) == BST_CHECKED ? 3 : 2;
}

void EnableFields(HWND dialog) {
    int32_t edition = ChosenEdition(dialog);
    for (int i = 0; i < FieldCount; i++) {
        bool applies = AssessmentFieldApplies(edition, static_cast<AssessmentField>(i));
        EnableWindow(GetDlgItem(dialog, FieldId(i)), applies);
        EnableWindow(GetDlgItem(dialog, LabelId(i)), applies);
    }
}

void Open(HWND dialog) {
    Session& session = SessionOf(mainWindow);
    AssessmentTexts shown = AssessmentTextsOf(session.drawing.assessment);
    for (int i = 0; i < FieldCount; i++) {
        SetDlgItemTextA(dialog, LabelId(i),
                        (std::string(AssessmentFieldRange(static_cast<AssessmentField>(i)).field) + ":").c_str());
        SetDlgItemTextA(dialog, FieldId(i), shown.texts[i].c_str());
    }
    CheckRadioButton(dialog, IDC_ASSESSMENT_EDITION2, IDC_ASSESSMENT_EDITION3,
                     shown.edition == 3 ? IDC_ASSESSMENT_EDITION3 : IDC_ASSESSMENT_EDITION2);
    EnableFields(dialog);
}

// Nothing is stored until every field the edition takes reads; a refusal keeps the dialog open.
void Save(HWND dialog, AssessmentDialogState* state) {
    Session& session = SessionOf(mainWindow);
    AssessmentTexts typed;
    typed.edition = ChosenEdition(dialog);
    for (int i = 0; i < FieldCount; i++)
        typed.texts[i] = WholeFieldText(dialog, FieldId(i));
    AssessmentSettings read = session.drawing.assessment;
    AssessmentField refused = AssessmentField::Count;
    if (!ReadAssessmentTexts(typed, &read, &refused)) {
        RefuseField(dialog, FieldId(static_cast<int>(refused)), RangeMessage(AssessmentFieldRange(refused)));
        return;
    }
    if (StoreAssessmentValues(&session.drawing.assessment, read))
        state->changed = session.drawingChanges.commit(&session.editHistory, &session.drawing);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK AssessmentDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<AssessmentDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: Open(dialog); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_ASSESSMENT_EDITION2:
                case IDC_ASSESSMENT_EDITION3: EnableFields(dialog); break;
                case IDOK: Save(dialog, state); break;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ShowAssessmentDialog(HWND owner) {
    AssessmentDialogState state;
    RunDialog(owner, IDD_ASSESSMENT, AssessmentDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.changed;
}

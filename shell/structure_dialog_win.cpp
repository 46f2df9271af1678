#include "shell/structure_dialog_win.h"

#include <string>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/session.h"
#include "assessment/assessment_fields.h"
#include "assessment/structure_fields.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "shell/line_dialog_win.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"
#include "ui/prompt_win.h"

namespace {

// The structure's settings as the dialog edits them; nothing reaches the drawing before OK.
struct StructureDialogState {
    int32_t firstPolygon = 0;
    double suggested = 1.0;
    StructureEdit edit;
    bool changed = false;
};

int32_t SelectedLine(HWND dialog) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_STRUCTURE_LINES, LB_GETCURSEL, 0, 0));
}

void EnableLineButtons(HWND dialog, const StructureDialogState& state) {
    bool selected = SelectedLine(dialog) >= 0;
    EnableWindow(GetDlgItem(dialog, IDC_STRUCTURE_ADD), state.edit.lines.size() < size_t{MaxLinesPerStructure});
    EnableWindow(GetDlgItem(dialog, IDC_STRUCTURE_EDIT), selected);
    EnableWindow(GetDlgItem(dialog, IDC_STRUCTURE_REMOVE), selected);
}

void ShowLines(HWND dialog, const StructureDialogState& state, int32_t select) {
    HWND list = GetDlgItem(dialog, IDC_STRUCTURE_LINES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const LineSettings& line : state.edit.lines)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LineSummary(line).c_str()));
    SendMessageA(list, LB_SETCURSEL, select, 0);
    EnableLineButtons(dialog, state);
}

// A polygon that begins no structure has no settings of its own to edit: they would be dropped.
bool Open(HWND dialog, StructureDialogState* state) {
    Session& session = SessionOf(mainWindow);
    if (state->firstPolygon < 0 || state->firstPolygon >= session.drawing.polygons.count() ||
        !SuggestedCd(session.drawing, state->firstPolygon, &state->suggested)) {
        Warn(GetParent(dialog), TEXT_NO_SUCH_STRUCTURE);
        return false;
    }
    state->edit = StructureEditOf(session.drawing.assessment, state->firstPolygon);
    SetDlgItemTextA(dialog, IDC_STRUCTURE_NAME, session.drawing.polygons.polygon(state->firstPolygon).name);
    for (int32_t i = 0; i < CdChoiceCount; i++)
        SendDlgItemMessageA(dialog, IDC_STRUCTURE_CD, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(CdChoiceText(i, state->suggested).c_str()));
    SendDlgItemMessageA(dialog, IDC_STRUCTURE_CD, CB_SETCURSEL, ChoiceOfCd(state->edit.cd), 0);
    std::string label = std::string(StructureUwRange.field) + ":";
    SetDlgItemTextA(dialog, IDC_STRUCTURE_UW_LABEL, label.c_str());
    SetDlgItemTextA(dialog, IDC_STRUCTURE_UW, FieldText(state->edit.uw, true).c_str());
    bool editionThree = session.drawing.assessment.edition == 3;
    EnableWindow(GetDlgItem(dialog, IDC_STRUCTURE_UW), editionThree);
    EnableWindow(GetDlgItem(dialog, IDC_STRUCTURE_UW_LABEL), editionThree);
    ShowLines(dialog, *state, -1);
    return true;
}

void AddLine(HWND dialog, StructureDialogState* state) {
    LineSettings line;
    if (state->edit.lines.size() >= size_t{MaxLinesPerStructure} || !ShowLineDialog(dialog, &line))
        return;
    state->edit.lines.push_back(line);
    ShowLines(dialog, *state, static_cast<int32_t>(state->edit.lines.size()) - 1);
}

void EditLine(HWND dialog, StructureDialogState* state) {
    int32_t selected = SelectedLine(dialog);
    if (selected < 0 || !ShowLineDialog(dialog, &state->edit.lines[selected]))
        return;
    ShowLines(dialog, *state, selected);
}

void RemoveLine(HWND dialog, StructureDialogState* state) {
    int32_t selected = SelectedLine(dialog);
    if (selected < 0)
        return;
    state->edit.lines.erase(state->edit.lines.begin() + selected);
    int32_t left = static_cast<int32_t>(state->edit.lines.size());
    ShowLines(dialog, *state, selected < left ? selected : left - 1);
}

// Everything the dialog holds becomes one undoable change, or none when it equals what was filed.
void Save(HWND dialog, StructureDialogState* state) {
    Session& session = SessionOf(mainWindow);
    StructureEdit edit = state->edit;
    edit.cd = CdOfChoice(static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_STRUCTURE_CD, CB_GETCURSEL, 0, 0)));
    if (session.drawing.assessment.edition == 3) {
        if (!ReadField(WholeFieldText(dialog, IDC_STRUCTURE_UW), StructureUwRange, true, &edit.uw)) {
            RefuseField(dialog, IDC_STRUCTURE_UW, RangeMessage(StructureUwRange));
            return;
        }
    }
    if (StoreStructureEdit(&session.drawing.assessment, state->firstPolygon, edit))
        state->changed = session.drawingChanges.commit(&session.editHistory, &session.drawing);
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, StructureDialogState* state, int id, int code) {
    switch (id) {
        case IDC_STRUCTURE_ADD: AddLine(dialog, state); break;
        case IDC_STRUCTURE_EDIT: EditLine(dialog, state); break;
        case IDC_STRUCTURE_REMOVE: RemoveLine(dialog, state); break;
        case IDC_STRUCTURE_LINES:
            if (code == LBN_DBLCLK)
                EditLine(dialog, state);
            else if (code == LBN_SELCHANGE)
                EnableLineButtons(dialog, *state);
            break;
        case IDOK: Save(dialog, state); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    }
}

INT_PTR CALLBACK StructureDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<StructureDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            if (!Open(dialog, state))
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        case WM_COMMAND: OnCommand(dialog, state, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ShowStructureDialog(HWND owner, int32_t firstPolygon) {
    StructureDialogState state;
    state.firstPolygon = firstPolygon;
    RunDialog(owner, IDD_STRUCTURE, StructureDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.changed;
}

#include "editing/vertex_dialogs_win.h"

#include <windowsx.h>

#include <cstdio>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/session.h"
#include "editing/edit_dialog_rules.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "ui/dialog_state_win.h"
#include "ui/prompt_win.h"

namespace {

constexpr int TextSize = 1000;

void ShowHeight(HWND dialog, int field, double height) {
    SetDlgItemTextA(dialog, field, HeightText(height).c_str());
}

// The ten priorities "1".."10"; the position in the list is the stored priority index.
void FillPriorities(HWND dialog, int list, int32_t selected) {
    for (int32_t value : PriorityValues) {
        char text[8];
        snprintf(text, sizeof text, "%d", static_cast<int>(value));
        SendDlgItemMessageA(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(dialog, list, CB_SETCURSEL, selected, 0);
}

void LimitName(HWND dialog, int field) {
    SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, PolygonNameSize - 1, 0);
}

// ---- vertex dialog --------------------------------------------------------------------------

struct VertexDialogState {
    VertexAnswer* data;
    int32_t priority;  // working priority, taken from the list when a choice is confirmed
};

void SaveVertex(HWND dialog, VertexDialogState* state) {
    char name[TextSize];
    GetDlgItemTextA(dialog, IDC_VERTEX_NAME, name, TextSize);
    std::string height = WholeFieldText(dialog, IDC_VERTEX_HEIGHT);
    Refusal refusal;
    if (!ReadNewVertexFields(height.c_str(), name, state->priority, state->data, &refusal)) {
        RefuseField(dialog, refusal.field == NameField ? IDC_VERTEX_NAME : IDC_VERTEX_HEIGHT, refusal.message);
        return;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK VertexDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<VertexDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            ShowHeight(dialog, IDC_VERTEX_HEIGHT, state->data->height);
            FillPriorities(dialog, IDC_VERTEX_PRIORITY, state->data->priority);
            LimitName(dialog, IDC_VERTEX_NAME);
            SetDlgItemTextA(dialog, IDC_VERTEX_NAME, state->data->name);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_VERTEX_PRIORITY && HIWORD(wParam) == CBN_SELENDOK)
                state->priority =
                    static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_VERTEX_PRIORITY, CB_GETCURSEL, 0, 0));
            else if (LOWORD(wParam) == IDC_VERTEX_SAVE)
                SaveVertex(dialog, state);
            return TRUE;  // Escape (IDCANCEL) too: only Save ends this dialog
    }
    return FALSE;
}

// ---- vertex height dialog -------------------------------------------------------------------

struct HeightDialogState {
    int32_t index, k;
};

void SaveHeight(HWND dialog, const HeightDialogState& state) {
    Session& session = SessionOf(mainWindow);
    std::string text = WholeFieldText(dialog, IDC_HEIGHT_VALUE);
    Refusal refusal;
    SaveOutcome saved = SaveVertexHeight(&session.drawing, state.index, state.k, text.c_str(), &refusal);
    if (saved == SaveOutcome::Refused) {
        RefuseField(dialog, IDC_HEIGHT_VALUE, refusal.message);
        return;
    }
    if (saved == SaveOutcome::Changed)
        session.drawingChanges.commit(&session.editHistory, &session.drawing);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK VertexHeightDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<HeightDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: {
            const PolygonStore& polygons = SessionOf(mainWindow).drawing.polygons;
            if (!VertexExists(polygons, state->index, state->k)) {
                Warn(mainWindow, TEXT_INVALID_POINT);
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            ShowHeight(dialog, IDC_HEIGHT_VALUE, polygons.polygon(state->index).height[state->k]);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_HEIGHT_SAVE)
                SaveHeight(dialog, *state);
            else if (LOWORD(wParam) == IDC_HEIGHT_CANCEL || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

// ---- polygon options dialog -----------------------------------------------------------------

struct OptionsDialogState {
    int32_t index;
    int32_t priority;
};

void SaveOptions(HWND dialog, OptionsDialogState* state) {
    Session& session = SessionOf(mainWindow);
    char name[TextSize];
    GetDlgItemTextA(dialog, IDC_POLYGON_NAME, name, TextSize);
    Refusal refusal;
    SaveOutcome saved = SavePolygonOptions(&session.drawing, state->index, state->priority, name, &refusal);
    if (saved == SaveOutcome::Refused) {
        RefuseField(dialog, IDC_POLYGON_NAME, refusal.message);
        return;
    }
    if (saved == SaveOutcome::Changed)
        session.drawingChanges.commit(&session.editHistory, &session.drawing);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PolygonOptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = DialogState<OptionsDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: {
            const PolygonStore& polygons = SessionOf(mainWindow).drawing.polygons;
            if (state->index < 0 || state->index >= polygons.count()) {
                Warn(mainWindow, TEXT_INVALID_POLYGON);
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            state->priority = polygons.polygon(state->index).priority;
            FillPriorities(dialog, IDC_POLYGON_PRIORITY, state->priority);
            LimitName(dialog, IDC_POLYGON_NAME);
            SetDlgItemTextA(dialog, IDC_POLYGON_NAME, polygons.polygon(state->index).name);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_POLYGON_PRIORITY && HIWORD(wParam) == CBN_SELENDOK)
                state->priority =
                    static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_POLYGON_PRIORITY, CB_GETCURSEL, 0, 0));
            else if (LOWORD(wParam) == IDC_POLYGON_SAVE)
                SaveOptions(dialog, state);
            else if (LOWORD(wParam) == IDC_POLYGON_CANCEL || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

INT_PTR Run(HWND owner, int resource, DLGPROC procedure, void* state) {
    return RunDialog(owner, resource, procedure, reinterpret_cast<LPARAM>(state));
}

}  // namespace

void ShowVertexDialog(HWND owner, VertexAnswer* data) {
    VertexDialogState state = {data, data->priority};
    Run(owner, IDD_VERTEX, VertexDialogProc, &state);
}

void ShowVertexHeightDialog(HWND owner, int32_t index, int32_t k) {
    HeightDialogState state = {index, k};
    Run(owner, IDD_VERTEX_HEIGHT, VertexHeightDialogProc, &state);
}

void ShowPolygonOptionsDialog(HWND owner, int32_t index) {
    OptionsDialogState state = {index, 0};
    Run(owner, IDD_POLYGON_OPTIONS, PolygonOptionsDialogProc, &state);
}

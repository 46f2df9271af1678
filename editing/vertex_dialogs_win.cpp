#include "editing/vertex_dialogs_win.h"

#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "text/decimal_text.h"
#include "engine/calc_records.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "ui/dialog_runner_win.h"
#include "ui/app_windows_win.h"
#include "ui/prompt_win.h"

namespace {

constexpr int TextSize = 1000;

void ShowHeight(HWND dialog, int field, double height) {
    SetDlgItemTextA(dialog, field, DecimalText(height, 2).c_str());
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

int32_t ClampPriority(int32_t priority) {
    return priority < 0 ? 0 : priority > PriorityCount - 1 ? PriorityCount - 1 : priority;
}

// The record a dialog works on: handed over with WM_INITDIALOG and kept in the dialog's user data.
template <typename State>
State* StateOf(HWND dialog, UINT msg, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void LimitName(HWND dialog, int field) {
    SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, PolygonNameSize - 1, 0);
}

// ---- vertex dialog --------------------------------------------------------------------------

struct VertexDialogState {
    VertexDialogData* data;
    int32_t priority;  // working priority, taken from the list when a choice is confirmed
};

void SaveVertex(HWND dialog, VertexDialogState* state) {
    state->priority = ClampPriority(state->priority);
    char name[TextSize], height[TextSize];
    GetDlgItemTextA(dialog, IDC_VERTEX_NAME, name, TextSize);
    GetDlgItemTextA(dialog, IDC_VERTEX_HEIGHT, height, TextSize);
    if (!CheckDecimalText(height) || !name[0]) {
        ShowHeight(dialog, IDC_VERTEX_HEIGHT, state->data->height);
        return;
    }
    state->data->height = HeightRule(ReadDecimal(height));
    state->data->priority = state->priority;
    snprintf(state->data->name, PolygonNameSize, "%s", name);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK VertexDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = StateOf<VertexDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            ShowHeight(dialog, IDC_VERTEX_HEIGHT, state->data->height);
            FillPriorities(dialog, IDC_VERTEX_PRIORITY, state->data->priority);
            LimitName(dialog, IDC_VERTEX_NAME);
            SetDlgItemTextA(dialog, IDC_VERTEX_NAME, state->data->name);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_VERTEX_PRIORITY && HIWORD(wParam) == CBN_SELENDOK)
                state->priority = static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_VERTEX_PRIORITY, CB_GETCURSEL, 0, 0));
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

bool VertexExists(int32_t index, int32_t k) {
    return index >= 0 && index < drawing.polygons.count() && k >= 0 &&
           k < drawing.polygons.polygon(index).vertexCount;
}

void SaveHeight(HWND dialog, const HeightDialogState& state) {
    char text[TextSize];
    GetDlgItemTextA(dialog, IDC_HEIGHT_VALUE, text, TextSize);
    double stored = drawing.polygons.polygon(state.index).height[state.k];
    if (!CheckDecimalText(text)) {
        ShowHeight(dialog, IDC_HEIGHT_VALUE, stored);
        return;
    }
    double height = HeightRule(ReadDecimal(text));
    if (height != stored) {
        DiscardResults();
        drawing.modified = 1;
    }
    drawing.polygons.setVertexHeight(state.index, state.k, height);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK VertexHeightDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = StateOf<HeightDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            if (!VertexExists(state->index, state->k)) {
                Warn(mainWindow, "Invalid Point");
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            ShowHeight(dialog, IDC_HEIGHT_VALUE, drawing.polygons.polygon(state->index).height[state->k]);
            return TRUE;
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

// A new name alone marks the drawing modified, so that Close asks before it is lost; only a new
// priority, which changes what is drawn on top, discards the results.
void SaveOptions(HWND dialog, OptionsDialogState* state) {
    state->priority = ClampPriority(state->priority);
    const struct Polygon& polygon = drawing.polygons.polygon(state->index);
    char name[TextSize];
    GetDlgItemTextA(dialog, IDC_POLYGON_NAME, name, TextSize);
    if (!name[0]) {
        SetDlgItemTextA(dialog, IDC_POLYGON_NAME, polygon.name);
        return;
    }
    if (state->priority != polygon.priority) {
        DiscardResults();
        drawing.modified = 1;
    }
    if (strncmp(name, polygon.name, PolygonNameSize - 1) != 0)
        drawing.modified = 1;
    drawing.polygons.setPriority(state->index, state->priority);
    drawing.polygons.setName(state->index, name);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PolygonOptionsDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = StateOf<OptionsDialogState>(dialog, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            if (state->index < 0 || state->index >= drawing.polygons.count()) {
                Warn(mainWindow, "Invalid Polygon");
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            state->priority = drawing.polygons.polygon(state->index).priority;
            FillPriorities(dialog, IDC_POLYGON_PRIORITY, state->priority);
            LimitName(dialog, IDC_POLYGON_NAME);
            SetDlgItemTextA(dialog, IDC_POLYGON_NAME, drawing.polygons.polygon(state->index).name);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_POLYGON_PRIORITY && HIWORD(wParam) == CBN_SELENDOK)
                state->priority = static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_POLYGON_PRIORITY, CB_GETCURSEL, 0, 0));
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

void ShowVertexDialog(HWND owner, VertexDialogData* data) {
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

#include "shell/structures_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/drawing_changes.h"
#include "app/listing_note.h"
#include "app/main_modes.h"
#include "app/session.h"
#include "app/structure_highlight.h"
#include "app/structure_listing.h"
#include "assessment/assessment_table.h"
#include "assessment/table_order.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "shell/recent_files_win.h"
#include "shell/structure_dialog_win.h"
#include "shell/structures_copy_win.h"
#include "shell/structures_run_win.h"
#include "text/structures_texts.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/prompt_win.h"
#include "ui/window_class_win.h"
#include "ui/window_dpi_win.h"
#include "view/canvas_state.h"
#include "view/scroll_into_sight.h"
#include "view/structures_layout.h"

namespace {

constexpr UINT WM_APP_SELECTION_CHANGED = WM_APP + 42;
constexpr int ColumnCount = static_cast<int>(AssessColumn::Count);

// Everything the one open window holds; it lives from WM_CREATE to WM_NCDESTROY.
struct StructuresWindowState {
    HWND window = nullptr;
    HWND list = nullptr;
    HWND progress = nullptr;
    HWND note = nullptr;
    HFONT font = nullptr;  // made for a density other than the screen's; none: the system's
    int32_t dpi = BaseDpi;
    StructureListing listing;
    StructuresRun run;
    std::vector<int32_t> order;  // the list's rows: indexes of the listing's structures
    AssessColumn sortColumn = AssessColumn::Number;
    bool ascending = true;
    bool selectionPosted = false;
    int32_t changesListener = 0;
    std::string cellText;           // what the list reads a cell from, until it asks for the next
    std::vector<int32_t> reselect;  // first polygons of the structures selected before a change
};

StructuresWindowState* open = nullptr;

HWND Control(int id) {
    return GetDlgItem(open->window, id);
}

const AssessmentResult* Rows() {
    return open->listing.rows();
}

std::vector<int32_t> SelectedRows();
void SelectRows(const std::vector<int32_t>& structures);

std::vector<int32_t> SelectedFirstPolygons() {
    std::vector<int32_t> firsts;
    if (const AssessmentResult* rows = Rows())
        for (int32_t row : SelectedRows())
            firsts.push_back(rows->structures[row].structure.polygons.front());
    return firsts;
}

// --- what the window shows -------------------------------------------------------------------------

void ShowState() {
    ListingState state = open->listing.state();
    bool calculating = state == ListingState::Calculating;
    const AssessmentResult* rows = Rows();
    SetWindowTextA(open->note, ListingNote(state, rows).c_str());
    EnableWindow(Control(IDC_STRUCTURES_CALCULATE), state != ListingState::NoDrawing && !calculating);
    EnableWindow(Control(IDC_STRUCTURES_STOP), calculating);
    EnableWindow(Control(IDC_STRUCTURES_COPY), rows != nullptr);
    EnableWindow(Control(IDC_STRUCTURES_EXPORT), state == ListingState::Current);
    ShowWindow(open->progress, calculating ? SW_SHOW : SW_HIDE);
}

// The rows are listed again from the listing; the selection goes with them, and so does the highlight.
void ShowRows() {
    Session& session = SessionOf(mainWindow);
    const AssessmentResult* rows = Rows();
    open->order = rows ? SortedRows(*rows, open->sortColumn, open->ascending) : std::vector<int32_t>();
    ListView_SetItemState(open->list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(open->list, static_cast<int>(open->order.size()), 0);
    InvalidateRect(open->list, nullptr, TRUE);
    if (!session.structureHighlight.empty()) {
        session.structureHighlight.clear();
        InvalidateRect(canvasWindow, nullptr, FALSE);
    }
    ShowState();
}

void Begin() {
    Session& session = SessionOf(mainWindow);
    int64_t ticket = open->listing.begin(session.drawing);
    SendMessageA(open->progress, PBM_SETPOS, 0, 0);
    if (session.drawing.isOpen && !open->run.start(open->window, session.drawing, ticket))
        open->listing.changed(session.drawing);  // the thread could not start: out of date until asked again
    ShowRows();
}

// After every change of the drawing: the rows never outlive the state of the drawing they belong to.
void Follow() {
    Session& session = SessionOf(mainWindow);
    if (!open)
        return;
    std::vector<int32_t> selected = SelectedFirstPolygons();  // before the rows go
    ChangeAction action = open->listing.changed(session.drawing, open->run.running() ? open->run.secondsSoFar() : 0.0);
    if (action == ChangeAction::Nothing)
        return;
    open->run.stop();
    if (!selected.empty())
        open->reselect = selected;
    if (action == ChangeAction::Recalculate)
        Begin();
    else
        ShowRows();
}

// The end of a run of an earlier state (stopped when the drawing changed) is passed over.
void OnRunDone(LPARAM ended) {
    Session& session = SessionOf(mainWindow);
    int64_t ticket = open->listing.runningTicket();
    AssessmentResult result;
    bool stopped = false;
    double seconds = 0.0;
    if (ticket == 0 || (ticket & 0x7FFFFFFF) != ended || !open->run.take(ticket, &result, &stopped, &seconds))
        return;
    open->listing.finish(ticket, std::move(result), stopped, seconds, session.drawing);
    ShowRows();
    // A structure edited through its dialog stays selected as its values come back.
    std::vector<int32_t> again;
    const AssessmentResult* rows = Rows();
    for (size_t s = 0; rows && s < rows->structures.size(); s++)
        if (std::find(open->reselect.begin(), open->reselect.end(), rows->structures[s].structure.polygons.front()) !=
            open->reselect.end())
            again.push_back(static_cast<int32_t>(s));
    open->reselect.clear();
    if (!again.empty())
        SelectRows(again);
}

void OnRunProgress(WPARAM position, LPARAM total) {
    if (position == 0)
        SendMessageA(open->progress, PBM_SETRANGE32, 0, total);
    SendMessageA(open->progress, PBM_SETPOS, position, 0);
}

// --- the list ----------------------------------------------------------------------------------------

void AddColumns() {
    for (int c = 0; c < ColumnCount; c++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = c == static_cast<int>(AssessColumn::Name) ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = StructuresColumnWidth(c, open->dpi);
        column.pszText = const_cast<char*>(ColumnHeading(static_cast<AssessColumn>(c)));
        column.iSubItem = c;
        SendMessageA(open->list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
}

// The header shows which column sorts the rows and which way.
void ShowSortArrow() {
    HWND header = ListView_GetHeader(open->list);
    for (int c = 0; c < ColumnCount; c++) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, c, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (c == static_cast<int>(open->sortColumn))
            item.fmt |= open->ascending ? HDF_SORTUP : HDF_SORTDOWN;
        SendMessageA(header, HDM_SETITEMA, c, reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<int32_t> SelectedRows() {
    std::vector<int32_t> rows;
    for (int i = ListView_GetNextItem(open->list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(open->list, i, LVNI_SELECTED))
        if (static_cast<size_t>(i) < open->order.size())
            rows.push_back(open->order[i]);
    return rows;
}

void SelectRows(const std::vector<int32_t>& structures) {
    ListView_SetItemState(open->list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    bool first = true;
    for (size_t i = 0; i < open->order.size(); i++) {
        if (std::find(structures.begin(), structures.end(), open->order[i]) == structures.end())
            continue;
        UINT state = LVIS_SELECTED | (first ? LVIS_FOCUSED : 0);
        ListView_SetItemState(open->list, static_cast<int>(i), state, state);
        if (first)
            ListView_EnsureVisible(open->list, static_cast<int>(i), FALSE);
        first = false;
    }
}

// A click on a heading sorts by its column, a second click the other way; the selection stays with
// its structures.
void SortBy(int column) {
    if (!Rows())
        return;
    AssessColumn chosen = static_cast<AssessColumn>(column);
    open->ascending = chosen == open->sortColumn ? !open->ascending : true;
    open->sortColumn = chosen;
    std::vector<int32_t> selected = SelectedRows();
    open->order = SortedRows(*Rows(), open->sortColumn, open->ascending);
    SelectRows(selected);
    InvalidateRect(open->list, nullptr, TRUE);
    ShowSortArrow();
}

void OnGetCellText(NMLVDISPINFOA* asked) {
    LVITEMA& item = asked->item;
    if (!(item.mask & LVIF_TEXT) || !Rows() || item.iItem < 0 || static_cast<size_t>(item.iItem) >= open->order.size())
        return;
    const StructureResult& structure = Rows()->structures[open->order[item.iItem]];
    open->cellText = StructureCell(structure, static_cast<AssessColumn>(item.iSubItem));
    item.pszText = const_cast<char*>(open->cellText.c_str());
}

// The first selected structure is brought into the drawing view, when it shows; the result views fit
// the whole drawing already.
void ScrollIntoSight(const StructureResult& structure) {
    Session& session = SessionOf(mainWindow);
    if (!canvasWindow || session.mainModes.viewMode != DrawingView || structure.structure.polygons.empty())
        return;
    Point low = {1e300, 1e300}, high = {-1e300, -1e300};
    for (int32_t p : structure.structure.polygons) {
        if (p >= session.drawing.polygons.count())
            return;
        const PolygonRecord& polygon = session.drawing.polygons.polygon(p);
        for (int32_t i = 0; i < polygon.vertexCount; i++) {
            low = {std::min(low.x, polygon.x[i]), std::min(low.y, polygon.y[i])};
            high = {std::max(high.x, polygon.x[i]), std::max(high.y, polygon.y[i])};
        }
    }
    RECT client;
    GetClientRect(canvasWindow, &client);
    SCROLLINFO bar = {sizeof bar, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(canvasWindow, SB_HORZ, &bar);
    ScrollPosition to = ScrollToShow(low, high, CurrentView(session.canvasState, session.drawing), client.right,
                                     client.bottom, bar.nMax);
    SetScrollPos(canvasWindow, SB_HORZ, to.x, TRUE);
    SetScrollPos(canvasWindow, SB_VERT, to.y, TRUE);
}

// Selections in a virtual list come as single items or ranges; both are gathered once, afterwards.
void OnSelectionChanged() {
    Session& session = SessionOf(mainWindow);
    open->selectionPosted = false;
    const AssessmentResult* rows = Rows();
    std::vector<int32_t> selected = SelectedRows();
    std::vector<int32_t> polygons;
    if (rows)
        for (int32_t row : selected)
            for (int32_t p : rows->structures[row].structure.polygons)
                polygons.push_back(p);
    session.structureHighlight.show(polygons);
    int focused = ListView_GetNextItem(open->list, -1, LVNI_FOCUSED | LVNI_SELECTED);
    if (rows && !selected.empty())
        ScrollIntoSight(rows->structures[focused >= 0 ? open->order[focused] : selected.front()]);
    InvalidateRect(canvasWindow, nullptr, FALSE);
}

void PostSelectionChanged() {
    if (!open->selectionPosted)
        open->selectionPosted = PostMessageA(open->window, WM_APP_SELECTION_CHANGED, 0, 0) != 0;
}

// A polygon clicked on the canvas selects the row of its structure.
void PickPolygon(int32_t polygon) {
    const AssessmentResult* rows = Rows();
    if (!open || !rows)
        return;
    for (size_t s = 0; s < rows->structures.size(); s++) {
        const std::vector<int32_t>& members = rows->structures[s].structure.polygons;
        if (std::binary_search(members.begin(), members.end(), polygon)) {
            SelectRows({static_cast<int32_t>(s)});
            return;
        }
    }
}

// Double click or Enter on a row: the structure's own settings, while neither window takes other input.
void EditStructure(int item) {
    const AssessmentResult* rows = Rows();
    if (!rows || item < 0 || static_cast<size_t>(item) >= open->order.size())
        return;
    const std::vector<int32_t>& polygons = rows->structures[open->order[item]].structure.polygons;
    if (polygons.empty())
        return;
    EnableWindow(mainWindow, FALSE);
    ShowStructureDialog(open->window, polygons.front());
    EnableWindow(mainWindow, TRUE);
}

void CopyRows() {
    if (Rows() && !CopyStructureRows(open->window, *Rows(), SelectedRows()))
        MessageBeep(MB_ICONWARNING);
}

void ExportRows() {
    Session& session = SessionOf(mainWindow);
    if (open->listing.state() != ListingState::Current || !Rows()) {
        Prompt(open->window, TEXT_STRUCTURES_NOT_COMPLETE, TEXT_WARNING, MB_OK | MB_ICONWARNING);
        return;
    }
    ExportStructures(open->window, session.drawing, *Rows());
}

// --- the window ------------------------------------------------------------------------------------

void MakeFont() {
    WindowDc screen(nullptr);
    int32_t screenDpi = GetDeviceCaps(screen.dc, LOGPIXELSY);
    HFONT made = nullptr;
    LOGFONTA letters;
    if (open->dpi != screenDpi && GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof letters, &letters)) {
        letters.lfHeight = MulDiv(letters.lfHeight, open->dpi, screenDpi);
        letters.lfWidth = MulDiv(letters.lfWidth, open->dpi, screenDpi);
        made = CreateFontIndirectA(&letters);
    }
    if (open->font)
        DeleteObject(open->font);
    open->font = made;
}

void LayOut() {
    RECT client;
    GetClientRect(open->window, &client);
    StructuresLayout layout = LayOutStructures(client.right, client.bottom, open->dpi);
    auto place = [](HWND control, const PixelRect& r) { MoveWindow(control, r.left, r.top, r.width, r.height, TRUE); };
    for (int i = 0; i < StructuresButtonCount; i++)
        place(Control(IDC_STRUCTURES_CALCULATE + i), layout.buttons[i]);
    place(open->progress, layout.progress);
    place(open->list, layout.list);
    place(open->note, layout.note);
}

void ApplyFont() {
    MakeFont();
    HFONT font = open->font ? open->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND child = GetWindow(open->window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CreateChildren(HWND window) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const char* const labels[StructuresButtonCount] = TEXT_STRUCTURES_BUTTONS;
    for (int i = 0; i < StructuresButtonCount; i++)
        CreateWindowExA(0, "Button", labels[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STRUCTURES_CALCULATE + i)), instance, nullptr);
    open->progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 0, 0, window,
                                     reinterpret_cast<HMENU>(IDC_STRUCTURES_PROGRESS), instance, nullptr);
    open->list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0,
                                 0, 0, 0, window, reinterpret_cast<HMENU>(IDC_STRUCTURES_LIST), instance, nullptr);
    ListView_SetExtendedListViewStyle(open->list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    open->note = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, window,
                                 reinterpret_cast<HMENU>(IDC_STRUCTURES_NOTE), instance, nullptr);
    ApplyFont();
    AddColumns();
    ShowSortArrow();
    LayOut();
}

BOOL OnCreate(HWND window, LPCREATESTRUCTA) {
    Session& session = SessionOf(mainWindow);
    open->window = window;
    open->dpi = WindowDpi(window);
    CreateChildren(window);
    open->changesListener = session.drawingChanges.listen(Follow);
    session.structureHighlight.listen(PickPolygon);
    if (session.drawing.isOpen)
        Begin();
    else
        ShowRows();
    return TRUE;
}

void OnSize(HWND, UINT, int, int) {
    LayOut();
}

void OnCommand(HWND, int id, HWND, UINT) {
    switch (id) {
        case IDC_STRUCTURES_CALCULATE: Begin(); break;
        case IDC_STRUCTURES_STOP: open->run.stop(); break;
        case IDC_STRUCTURES_COPY: CopyRows(); break;
        case IDC_STRUCTURES_EXPORT: ExportRows(); break;
    }
}

LRESULT OnNotify(HWND, int, NMHDR* note) {
    if (note->idFrom != IDC_STRUCTURES_LIST)
        return 0;
    switch (note->code) {
        case LVN_GETDISPINFOA: OnGetCellText(reinterpret_cast<NMLVDISPINFOA*>(note)); break;
        case LVN_COLUMNCLICK: SortBy(reinterpret_cast<NMLISTVIEW*>(note)->iSubItem); break;
        case LVN_ITEMCHANGED:
            if (reinterpret_cast<NMLISTVIEW*>(note)->uChanged & LVIF_STATE)
                PostSelectionChanged();
            break;
        case LVN_ODSTATECHANGED: PostSelectionChanged(); break;
        case LVN_ITEMACTIVATE: EditStructure(reinterpret_cast<NMITEMACTIVATE*>(note)->iItem); break;
    }
    return 0;
}

// The place is remembered in screen pixels as the window was left, not minimised or maximised.
void RememberPlace(HWND window) {
    WINDOWPLACEMENT placement = {sizeof placement, 0, 0, {0, 0}, {0, 0}, {0, 0, 0, 0}};
    if (!GetWindowPlacement(window, &placement))
        return;
    const RECT& r = placement.rcNormalPosition;
    RememberStructuresPlace({r.left, r.top, r.right - r.left, r.bottom - r.top});
}

void OnDestroy(HWND window) {
    Session& session = SessionOf(mainWindow);
    RememberPlace(window);
    session.drawingChanges.stopListening(open->changesListener);
    session.structureHighlight.listen(nullptr);
    session.structureHighlight.clear();
    if (canvasWindow)
        InvalidateRect(canvasWindow, nullptr, FALSE);
}

void OnNcDestroy(HWND) {
    if (open->font)
        DeleteObject(open->font);
    delete open;  // the run stops with it
    open = nullptr;
}

void OnDpiChanged(HWND window, int dpi, const RECT* proposed) {
    open->dpi = dpi;
    SetWindowPos(window, nullptr, proposed->left, proposed->top, proposed->right - proposed->left,
                 proposed->bottom - proposed->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyFont();
    for (int c = 0; c < ColumnCount; c++)
        ListView_SetColumnWidth(open->list, c, StructuresColumnWidth(c, dpi));
    LayOut();
}

LRESULT CALLBACK StructuresWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!open)
        return DefWindowProcA(window, msg, wParam, lParam);
    switch (msg) {
        HANDLE_MSG(window, WM_CREATE, OnCreate);
        HANDLE_MSG(window, WM_SIZE, OnSize);
        HANDLE_MSG(window, WM_COMMAND, OnCommand);
        HANDLE_MSG(window, WM_NOTIFY, OnNotify);
        HANDLE_MSG(window, WM_DESTROY, OnDestroy);
        HANDLE_MSG(window, WM_NCDESTROY, OnNcDestroy);
        case WM_APP_STRUCTURES_PROGRESS: OnRunProgress(wParam, lParam); return 0;
        case WM_APP_STRUCTURES_DONE: OnRunDone(lParam); return 0;
        case WM_APP_SELECTION_CHANGED: OnSelectionChanged(); return 0;
        case WM_DPICHANGED: OnDpiChanged(window, HIWORD(wParam), reinterpret_cast<RECT*>(lParam)); return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// The remembered place when it still lies on a screen, else beside the main window's right edge.
RECT FirstPlace(HWND owner, int32_t dpi) {
    std::optional<WindowPlace> stored = StoredStructuresPlace();
    if (stored) {
        RECT r = {stored->left, stored->top, stored->left + stored->width, stored->top + stored->height};
        if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL))
            return r;
    }
    PixelSize size = StructuresWindowSize(dpi);
    RECT main;
    GetWindowRect(owner, &main);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    int32_t width = std::min<int32_t>(size.width, work.right - work.left);
    int32_t height = std::min<int32_t>(size.height, work.bottom - work.top);
    int32_t left = std::max<int32_t>(work.left, std::min<int32_t>(main.right, work.right - width));
    // Where it cannot stand beside the main window it goes to the bottom of the screen, so that it
    // covers as little of the canvas's top, where a drawing starts, as it can.
    int32_t top = left < main.right ? work.bottom - height : std::max<int32_t>(work.top, main.top);
    return {left, top, left + width, top + height};
}

}  // namespace

bool RegisterStructuresClass() {
    WindowClassSpec structures = {TEXT_STRUCTURES_CLASS, StructuresWindowProc, GetSysColorBrush(COLOR_BTNFACE)};
    structures.programIcon = true;
    return RegisterWindowClass(structures);
}

void OpenStructuresWindow(HWND owner) {
    if (open) {
        ShowWindow(open->window, SW_SHOWNORMAL);
        SetForegroundWindow(open->window);
        return;
    }
    if (!RegisterStructuresClass())
        return;
    open = new StructuresWindowState;
    RECT place = FirstPlace(owner, WindowDpi(owner));
    HWND window = CreateWindowExA(0, TEXT_STRUCTURES_CLASS, TEXT_STRUCTURES_TITLE, WS_OVERLAPPEDWINDOW, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        delete open;
        open = nullptr;
        return;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(open->list);
}

HWND StructuresWindow() {
    return open ? open->window : nullptr;
}

bool TranslateStructuresKey(MSG* msg) {
    if (!open || msg->message != WM_KEYDOWN || (msg->hwnd != open->window && !IsChild(open->window, msg->hwnd)))
        return false;
    bool control = GetKeyState(VK_CONTROL) < 0;
    if (control && msg->wParam == 'C') {
        CopyRows();
        return true;
    }
    if (control && msg->wParam == 'A' && msg->hwnd == open->list) {
        ListView_SetItemState(open->list, -1, LVIS_SELECTED, LVIS_SELECTED);
        return true;
    }
    if (msg->wParam == VK_F5) {
        if (IsWindowEnabled(Control(IDC_STRUCTURES_CALCULATE)))
            Begin();
        return true;
    }
    return false;
}

#include "shell/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/main_modes.h"
#include "app/session.h"
#include "editing/edit_state.h"
#include "engine/checks/polygon_checks.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "shell/file_commands_win.h"
#include "shell/main_commands_win.h"
#include "shell/main_layout_win.h"
#include "shell/recent_files_win.h"
#include "text/ui_texts.h"
#include "text/window_title.h"
#include "ui/app_windows_win.h"
#include "ui/prompt_win.h"
#include "ui/window_class_win.h"
#include "ui/window_dpi_win.h"
#include "view/canvas_state.h"
#include "view/canvas_win.h"
#include "view/window_layout.h"

namespace {

HACCEL keys = nullptr;
int32_t changesHeard = 0;  // the main window's place among those told of a drawing change

// In the order of their ids, which follow each other from the Draw button's.
const char* const ButtonLabels[ButtonCount] = TEXT_BUTTON_LABELS;

int ButtonId(int i) {
    return IDC_DRAW_BUTTON + i;
}

void CreateStatusBar(HWND window) {
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(IDC_STATUS_BAR), GetModuleHandleA(nullptr), nullptr);
    if (!statusBar) {
        Prompt(window, TEXT_NO_STATUS_BAR, TEXT_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    SetStatusText(0, TEXT_START_COMPLETE);
}

void CreateChildren(HWND window) {
    Session& session = SessionOf(mainWindow);
    CreateStatusBar(window);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < ButtonCount; i++)
        CreateWindowExA(0, "Button", ButtonLabels[i], WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 0, 0, 0,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ButtonId(i))), instance, nullptr);
    canvasWindow = CreateWindowExA(0, TEXT_CANVAS_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                   0, 0, window, nullptr, instance, nullptr);
    session.canvasState.dpi = WindowDpi(window);
    LayOutMainWindow(window);
}

// Whatever changed, the verdict of the checks, the menus, the buttons and the picture follow it here,
// once per change, and never while painting.
void OnDrawingChanged() {
    Session& session = SessionOf(mainWindow);
    session.drawing.calcReady = CheckDrawing(session.drawing);
    ApplyCalcReady(&session.mainModes, session.drawing.calcReady);
    ShowMainControls();
    RefreshMainWindow();
}

// The session comes first, so that the window and its children find it from their own creation on.
BOOL OnNonClientCreate(HWND window, LPCREATESTRUCTA create) {
    SetSessionOf(window, new Session());
    mainWindow = window;
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcA);
}

BOOL OnCreate(HWND window, LPCREATESTRUCTA create) {
    Session& session = SessionOf(window);
    keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    LoadRecentFiles();
    ShowRecentFiles(window);
    CreateChildren(window);
    changesHeard = session.drawingChanges.listen(OnDrawingChanged);
    EnterNoDrawing(&session.mainModes);
    ApplyMainControls();
    RefreshMainWindow();
    OpenFromCommandLine(window, static_cast<const wchar_t*>(create->lpCreateParams));
    return TRUE;
}

// The status bar docks itself again and the canvas follows the window's size.
void OnSize(HWND, UINT, int, int) {
    if (statusBar)
        SendMessageA(statusBar, WM_SIZE, 0, 0);
    LayOutCanvas();
}

// The wheel reaches the window with the focus, a toolbar button as a rule, which passes it up here; it
// belongs to the canvas when the pointer is over it.
void ForwardWheel(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pointer = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT canvas;
    GetWindowRect(canvasWindow, &canvas);
    if (PtInRect(&canvas, pointer))
        SendMessageA(canvasWindow, msg, wParam, lParam);
}

void OnShowControls() {
    ApplyMainControls();
}

void OnCommand(HWND window, int id, HWND, UINT) {
    OnMainCommand(window, id);
}

// The close box asks first; a drawing whose save the user wanted but did not get stays open.
void OnClose(HWND window) {
    if (CloseDrawingCommand(window))
        DestroyWindow(window);
}

// Before Windows ends the session, which never destroys the window: the same question as the close
// box, and a save the user wanted but did not get keeps the session going.
BOOL OnQueryEndSession(HWND window) {
    return SaveIfWanted(window);
}

void OnDestroy(HWND window) {
    SessionOf(window).drawingChanges.stopListening(changesHeard);
    CloseWhileDestroying(window);
    PostQuitMessage(0);
}

// The children are gone by now: nothing asks for the session after it.
void OnNonClientDestroy(HWND window) {
    delete &SessionOf(window);
    SetSessionOf(window, nullptr);
    mainWindow = nullptr;
    FORWARD_WM_NCDESTROY(window, DefWindowProcA);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        HANDLE_MSG(window, WM_NCCREATE, OnNonClientCreate);
        HANDLE_MSG(window, WM_CREATE, OnCreate);
        HANDLE_MSG(window, WM_SIZE, OnSize);
        HANDLE_MSG(window, WM_COMMAND, OnCommand);
        HANDLE_MSG(window, WM_CLOSE, OnClose);
        HANDLE_MSG(window, WM_QUERYENDSESSION, OnQueryEndSession);
        HANDLE_MSG(window, WM_DESTROY, OnDestroy);
        HANDLE_MSG(window, WM_NCDESTROY, OnNonClientDestroy);
        case WM_APP_SHOW_CONTROLS: OnShowControls(); return 0;
        case WM_DPICHANGED: OnMainDpiChanged(window, HIWORD(wParam), reinterpret_cast<RECT*>(lParam)); return 0;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: ForwardWheel(msg, wParam, lParam); return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void EnableMenuCommand(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Set only when it differs, so that a refresh does not redraw the caption each time.
void ShowTitle() {
    Session& session = SessionOf(mainWindow);
    std::string title = WindowTitle(session.drawing.fileName, session.drawing.isOpen, session.drawing.modified);
    char shown[FileNameSize + 64] = {};
    GetWindowTextA(mainWindow, shown, sizeof shown);
    if (title != shown)
        SetWindowTextA(mainWindow, title.c_str());
}

}  // namespace

bool RegisterMainClasses() {
    WindowClassSpec main = {TEXT_PROGRAM_TITLE, MainWindowProc, CreateSolidBrush(RGB(240, 240, 240))};
    main.programIcon = true;
    main.menu = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    return RegisterWindowClass(main) && RegisterCanvasClass();
}

// The screen's density sizes the window before it exists, within the work area of the primary monitor
// (the screen less the taskbar); WM_DPICHANGED corrects it on another screen.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* commandLine) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor))
        GetWindowRect(GetDesktopWindow(), &monitor.rcWork);
    const RECT& work = monitor.rcWork;
    PixelRect place = PlaceInWorkArea(MainWindowSize(WindowDpi(nullptr)),
                                      {work.left, work.top, work.right - work.left, work.bottom - work.top});
    return CreateWindowExA(0, TEXT_PROGRAM_TITLE, TEXT_PROGRAM_TITLE, WS_OVERLAPPEDWINDOW, place.left, place.top,
                           place.width, place.height, nullptr, nullptr, instance, const_cast<wchar_t*>(commandLine));
}

void ApplyMainControls() {
    Session& session = SessionOf(mainWindow);
    ShowTitle();
    if (session.drawing.isOpen)
        ShowCanvasStatus();
    SetOptionsDrawEnabled(&session.mainModes, !session.editState.dragActive);
    HMENU menu = GetMenu(mainWindow);
    const MainControls& c = session.mainModes.controls;
    for (UINT id : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_DATA_IMPORT})
        EnableMenuCommand(menu, id, c.fileNew);
    for (UINT id : {IDM_FILE_SAVE, IDM_FILE_SAVE_AS, IDM_FILE_CLOSE, IDM_DATA_ASSESSMENT})
        EnableMenuCommand(menu, id, c.fileSave);
    for (UINT id : {IDM_DATA_EXPORT, IDM_EDIT_COPY})
        EnableMenuCommand(menu, id, c.exportDraw);
    bool stepping = session.drawing.isOpen && !session.editState.constructing && !session.editState.dragActive;
    EnableMenuCommand(menu, IDM_EDIT_UNDO, stepping && session.editHistory.canUndo());
    EnableMenuCommand(menu, IDM_EDIT_REDO, stepping && session.editHistory.canRedo());
    EnableMenuCommand(menu, IDM_OPTIONS_CALCULATION, c.optionsCalculation);
    EnableMenuCommand(menu, IDM_OPTIONS_DRAW, c.optionsDraw);
    for (int i = 0; i < ButtonCount; i++) {
        HWND button = GetDlgItem(mainWindow, ButtonId(i));
        const ButtonState& state = c.buttons[i];
        SendMessageA(button, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(button, BM_SETSTATE, state.pressed, 0);
        EnableWindow(button, state.enabled);
    }
    DrawMenuBar(mainWindow);
}

// The keys of the main window act whichever of its controls has the focus: a toolbar button keeps it
// after a click, and the canvas never takes it. Other top-level windows, such as the guide, keep theirs.
bool TranslateMainWindowKey(MSG* msg) {
    if (!mainWindow || !keys || (msg->hwnd != mainWindow && !IsChild(mainWindow, msg->hwnd)))
        return false;
    return TranslateAcceleratorA(mainWindow, keys, msg) != 0;
}

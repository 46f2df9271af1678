#include "ui/app_windows_win.h"

#include <commctrl.h>

#include "app/main_modes.h"
#include "engine/polygon_checks.h"
#include "model/drawing.h"
#include "view/canvas_state.h"
#include "view/window_layout.h"

HWND mainWindow = nullptr;
HWND canvasWindow = nullptr;
HWND statusBar = nullptr;

void RefreshMainWindow() {
    InvalidateRect(mainWindow, nullptr, TRUE);
    RECT outer;
    GetWindowRect(canvasWindow, &outer);
    SendMessageA(canvasWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(outer.right - outer.left, outer.bottom - outer.top));
}

void LayOutCanvas() {
    RECT client;
    GetClientRect(mainWindow, &client);
    PixelRect place = CanvasPlace(client.right, client.bottom, canvasState.dpi);
    MoveWindow(canvasWindow, place.left, place.top, place.width, place.height, TRUE);
}

void ShowMainControls() {
    SendMessageA(mainWindow, WM_APP_SHOW_CONTROLS, 0, 0);
}

bool RecheckCalcReady() {
    drawing.calcReady = CheckDrawing(drawing);
    ApplyCalcReady(drawing.calcReady);
    ShowMainControls();
    return drawing.calcReady;
}

void SetStatusText(int part, const char* text) {
    if (statusBar)
        SendMessageA(statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

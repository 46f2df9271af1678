#include "shell/main_layout_win.h"

#include <commctrl.h>

#include "app/session.h"
#include "resources/resource.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/window_dpi_win.h"
#include "view/canvas_state.h"
#include "view/window_layout.h"

namespace {

// The controls' own font, made for the window's density when that is not the screen's, where the
// system's font already has the right size.
HFONT font = nullptr;

void MakeFont(int32_t dpi) {
    WindowDc screen(nullptr);
    int32_t screenDpi = GetDeviceCaps(screen.dc, LOGPIXELSY);
    HFONT made = nullptr;
    LOGFONTA letters;
    if (dpi != screenDpi && GetObjectA(GetStockObject(SYSTEM_FONT), sizeof letters, &letters)) {
        letters.lfHeight = MulDiv(letters.lfHeight, dpi, screenDpi);
        letters.lfWidth = MulDiv(letters.lfWidth, dpi, screenDpi);
        made = CreateFontIndirectA(&letters);
    }
    if (font)
        DeleteObject(font);
    font = made;  // none: the system's font
}

}  // namespace

void LayOutMainWindow(HWND window) {
    Session& session = SessionOf(mainWindow);
    int32_t dpi = session.canvasState.dpi;
    MakeFont(dpi);
    RECT client;
    GetClientRect(window, &client);
    for (int32_t i = 0; i < ToolbarButtonCount; i++) {
        HWND button = GetDlgItem(window, IDC_DRAW_BUTTON + i);
        PixelRect place = ToolbarButtonPlace(i, client.right, dpi);
        MoveWindow(button, place.left, place.top, place.width, place.height, TRUE);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (statusBar) {
        int parts[2] = {StatusSplit(dpi), -1};
        SendMessageA(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        SendMessageA(statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        SendMessageA(statusBar, WM_SIZE, 0, 0);
    }
    LayOutCanvas();
}

void LayOutCanvas() {
    Session& session = SessionOf(mainWindow);
    RECT client;
    GetClientRect(mainWindow, &client);
    PixelRect place = CanvasPlace(client.right, client.bottom, session.canvasState.dpi);
    MoveWindow(canvasWindow, place.left, place.top, place.width, place.height, TRUE);
}

void OnMainDpiChanged(HWND window, int dpi, const RECT* proposed) {
    Session& session = SessionOf(mainWindow);
    session.canvasState.dpi = dpi;
    SetWindowPos(window, nullptr, proposed->left, proposed->top, proposed->right - proposed->left,
                 proposed->bottom - proposed->top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutMainWindow(window);
    RefreshMainWindow();
}

#include "ui/app_windows_win.h"

#include <commctrl.h>


HWND mainWindow = nullptr;
HWND canvasWindow = nullptr;
HWND statusBar = nullptr;

void RefreshMainWindow() {
    InvalidateRect(mainWindow, nullptr, TRUE);
    RECT outer;
    GetWindowRect(canvasWindow, &outer);
    SendMessageA(canvasWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(outer.right - outer.left, outer.bottom - outer.top));
}

void RelayMainWindow() {
    RECT client;
    GetClientRect(mainWindow, &client);
    SendMessageA(mainWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void ShowMainControls() {
    SendMessageA(mainWindow, WM_APP_SHOW_CONTROLS, 0, 0);
}

void SetStatusText(int part, const char* text) {
    if (statusBar)
        SendMessageA(statusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

#include "ui/app_windows_win.h"

#include <commctrl.h>

HWND mainWindow = nullptr;
HWND canvasWindow = nullptr;
HWND statusBar = nullptr;

Session& SessionOf(HWND window) {
    HWND main = GetAncestor(window, GA_ROOTOWNER);
    return *reinterpret_cast<Session*>(GetWindowLongPtrA(main, GWLP_USERDATA));
}

void SetSessionOf(HWND window, Session* session) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(session));
}

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

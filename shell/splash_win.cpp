#include "shell/splash_win.h"

#include "resources/resource.h"

SPLASH::~SPLASH() {
    if (window && IsWindow(window))
        DestroyWindow(window);
    releasePicture();
}

// A control may show a copy of a bitmap with alpha; taking the image out gives back what it showed.
void SPLASH::releasePicture() {
    if (window && IsWindow(window)) {
        HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (shown && shown != picture)
            DeleteObject(shown);
    }
    if (picture)
        DeleteObject(picture);
    picture = nullptr;
}

// A static control holding the bitmap takes the bitmap's size by itself.
void SPLASH::create(HWND ownerWindow) {
    owner = ownerWindow;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_DLGFRAME | SS_SUNKEN | SS_BITMAP, 300, 300, 300, 300, owner,
                             nullptr, instance, nullptr);
    picture =
        static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    visible = 0;
}

void SPLASH::centreAndShow() {
    RECT client, ownerRect;
    GetClientRect(window, &client);
    GetWindowRect(owner, &ownerRect);
    int ownerWidth = ownerRect.right - ownerRect.left, ownerHeight = ownerRect.bottom - ownerRect.top;
    int left = ownerRect.left + ownerWidth / 2 - client.right / 2;
    int top = ownerRect.top + ownerHeight / 2 - client.bottom / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    visible = 1;
}

// The splash never shows again, so its picture goes with it.
void SPLASH::hide() {
    ShowWindow(window, SW_HIDE);
    visible = 0;
    releasePicture();
}

#include "view/canvas_win.h"

#include <windowsx.h>

#include "shell/main_window_win.h"
#include "shell/ui_texts.h"

namespace {

// Every paint refreshes the verdict of the polygon checks, which the view buttons follow.
void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    RecheckCalcReady();
}

LRESULT CALLBACK CanvasWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        HANDLE_MSG(window, WM_PAINT, OnPaint);
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

bool RegisterCanvasClass(HINSTANCE instance) {
    WNDCLASSEXA canvas = {};
    canvas.cbSize = sizeof canvas;
    canvas.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    canvas.lpfnWndProc = CanvasWindowProc;
    canvas.hInstance = instance;
    canvas.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    canvas.lpszClassName = TEXT_CANVAS_CLASS;
    return RegisterClassExA(&canvas) != 0;
}

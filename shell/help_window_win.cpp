#include "shell/help_window_win.h"

#include <windowsx.h>

#include "resources/resource.h"
#include "shell/help_paging.h"
#include "text/ui_texts.h"
#include "ui/gdi_guards_win.h"
#include "ui/window_class_win.h"

namespace {

constexpr int ScrollBarId = 1;

struct HelpWindowState {
    const char* text = nullptr;
    HelpText shown = {0, 0};
    int charWidth = 0;
    int lineHeight = 0;  // character height plus external leading
    int scrollBarWidth = 0;
    int clientHeight = 0;
    HWND scrollBar = nullptr;
    int32_t position = 0;  // the first line shown
};

HelpWindowState* StateOf(HWND window) {
    return reinterpret_cast<HelpWindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

BOOL OnCreate(HWND window, LPCREATESTRUCTA) {
    auto* state = new HelpWindowState;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    TEXTMETRICA metrics;
    {
        WindowDc dc(window);
        GetTextMetricsA(dc.dc, &metrics);
    }
    state->charWidth = metrics.tmAveCharWidth;
    state->lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    state->scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    state->scrollBar = CreateWindowExA(0, "scrollbar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(ScrollBarId), GetModuleHandleA(nullptr), nullptr);
    // A resource stays mapped for the life of the module; nothing needs releasing.
    HRSRC found = FindResourceA(nullptr, "ID_TEXT_HELP", "TEXT");
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    state->text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (state->text)
        state->shown = MeasureHelpText(state->text, SizeofResource(nullptr, found));
    SetScrollRange(state->scrollBar, SB_CTL, 0, state->shown.lineCount, FALSE);
    SetScrollPos(state->scrollBar, SB_CTL, 0, TRUE);
    return TRUE;
}

void OnSize(HWND window, UINT, int width, int height) {
    HelpWindowState* state = StateOf(window);
    state->clientHeight = height;
    MoveWindow(state->scrollBar, width - state->scrollBarWidth, 0, state->scrollBarWidth, height, TRUE);
    SetFocus(window);
}

// The arrow, page, Home and End keys scroll through the scroll bar, which therefore takes the focus.
void OnSetFocus(HWND window, HWND) {
    SetFocus(StateOf(window)->scrollBar);
}

void OnPaint(HWND window) {
    HelpWindowState* state = StateOf(window);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    area.left += state->charWidth;
    area.top += (1 - state->position) * state->lineHeight;
    {
        SelectScope font(dc, GetStockObject(SYSTEM_FIXED_FONT));
        if (state->text)
            DrawTextA(dc, state->text, static_cast<int>(state->shown.length), &area,
                      DT_LEFT | DT_EXTERNALLEADING | DT_NOPREFIX | DT_EXPANDTABS);
    }
    EndPaint(window, &paint);
}

void OnVScroll(HWND window, HWND, UINT code, int thumb) {
    HelpWindowState* state = StateOf(window);
    state->position = HelpScrollPosition(state->position, static_cast<int32_t>(code), thumb, state->clientHeight,
                                         state->lineHeight, state->shown.lineCount);
    if (state->position != GetScrollPos(state->scrollBar, SB_CTL)) {
        SetScrollPos(state->scrollBar, SB_CTL, state->position, TRUE);
        InvalidateRect(window, nullptr, TRUE);
    }
}

void OnNcDestroy(HWND window) {
    delete StateOf(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK HelpWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        HANDLE_MSG(window, WM_CREATE, OnCreate);
        HANDLE_MSG(window, WM_SIZE, OnSize);
        HANDLE_MSG(window, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(window, WM_PAINT, OnPaint);
        HANDLE_MSG(window, WM_VSCROLL, OnVScroll);
        HANDLE_MSG(window, WM_NCDESTROY, OnNcDestroy);
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void RegisterHelpClass() {
    WindowClassSpec help = {TEXT_HELP_CLASS, HelpWindowProc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))};
    help.style = CS_HREDRAW | CS_VREDRAW;
    help.programIcon = true;
    RegisterWindowClass(help);
}

}  // namespace

HWND OpenHelpWindow(HWND owner) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterHelpClass();
    return CreateWindowExA(0, TEXT_HELP_CLASS, TEXT_HELP_CLASS, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, owner, nullptr, instance, nullptr);
}

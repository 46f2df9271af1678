#include "ui/window_dpi_win.h"

#include "ui/gdi_guards_win.h"
#include "view/dpi_scale.h"

namespace {

// Looked up at run time, so that the program still starts on systems that predate it.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn PerWindowDpi() {
    static const auto function = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return function;
}

}  // namespace

int32_t WindowDpi(HWND window) {
    if (GetDpiForWindowFn perWindow = PerWindowDpi(); perWindow && window)
        return UsableDpi(static_cast<int32_t>(perWindow(window)));
    WindowDc screen(nullptr);
    return UsableDpi(GetDeviceCaps(screen.dc, LOGPIXELSX));
}

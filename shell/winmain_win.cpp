// The program's entry point: classes, the main window, the splash, the message loop.
#include <windows.h>

#include <commctrl.h>

#include "shell/main_window_win.h"
#include "shell/recent_files_win.h"
#include "shell/splash_win.h"
#include "shell/structures_window_win.h"

namespace {

constexpr DWORD SplashMilliseconds = 3000;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls = {
        sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    recentFilesIni = DefaultRecentFilesIni();
    if (!RegisterMainClasses())
        return 0;

    // The drawing named on the command line is opened, and any error about it shown, before the splash.
    HWND window = CreateMainWindow(instance, GetCommandLineW());
    if (!window)
        return 0;
    static SPLASH splash;  // made when first reached; its destructor takes the window away at exit
    splash.create(window);
    splash.centreAndShow();
    Sleep(SplashMilliseconds);
    splash.hide();
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // The Structures window's keys first: its Ctrl+C copies rows, the main window's a picture.
        if (TranslateStructuresKey(&msg) || TranslateMainWindowKey(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

#include "ui/window_class_win.h"

#include "resources/resource.h"

bool RegisterWindowClass(const WindowClassSpec& request) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, request.name, &existing))
        return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = request.style;
    windowClass.lpfnWndProc = request.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = request.programIcon ? LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZELVORA)) : nullptr;
    windowClass.hCursor = request.arrowCursor ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    windowClass.hbrBackground = request.background;
    windowClass.lpszMenuName = request.menu;
    windowClass.lpszClassName = request.name;
    return RegisterClassExA(&windowClass) != 0;
}

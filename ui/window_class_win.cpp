#include "ui/window_class_win.h"

#include "resources/resource.h"

bool RegisterWindowClass(const WindowClassSpec& spec) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, spec.name, &existing))
        return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = spec.style;
    windowClass.lpfnWndProc = spec.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = spec.programIcon ? LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZELVORA)) : nullptr;
    windowClass.hCursor = spec.arrowCursor ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    windowClass.hbrBackground = spec.background;
    windowClass.lpszMenuName = spec.menu;
    windowClass.lpszClassName = spec.name;
    return RegisterClassExA(&windowClass) != 0;
}

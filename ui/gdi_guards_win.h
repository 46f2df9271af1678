// Owners for GDI objects, device contexts and kernel handles that give them back when their scope ends. None can be
// copied, so no handle is ever released twice.
#pragma once

#include <windows.h>

#include <cstdint>

template <typename H>
struct GdiObject {  // DeleteObject on scope exit
    explicit GdiObject(H h) : handle(h) {}
    ~GdiObject() {
        if (handle)
            DeleteObject(handle);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    H handle;
};

// Selects an object into a device context and puts the previous one back on scope exit. Declare the
// object before its selection, so that the selection is undone before the object is deleted.
struct SelectScope {
    SelectScope(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~SelectScope() { SelectObject(dc, previous); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    HDC dc;
    HGDIOBJ previous;
};

struct WindowDc {  // GetDC / ReleaseDC
    explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDc() {
        if (dc)
            ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HWND window;
    HDC dc;
};

struct OwnedHandle {  // CloseHandle on scope exit: threads, events
    explicit OwnedHandle(HANDLE h) : handle(h) {}
    ~OwnedHandle() {
        if (handle)
            CloseHandle(handle);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE handle;
};

// A memory device context holding a 32-bit top-down bitmap whose pixels can be read directly.
struct MemoryCanvas {
    MemoryCanvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
        if (dc && bitmap)
            previous = SelectObject(dc, bitmap);
    }
    ~MemoryCanvas() {
        if (previous)
            SelectObject(dc, previous);
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    bool ready() const { return dc && bitmap && pixels; }
    // The colour at (x, y) as RGB(r, g, b).
    COLORREF pixel(int x, int y) const {
        uint32_t bgra = pixels[y * width + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* pixels = nullptr;
};

// The main window's keys, as the message loop turns them into commands whatever control has the focus,
// and Edit > Copy picture.
#include <gtest/gtest.h>

#include "app/main_modes.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_test_support.h"
#include "ui/app_windows_win.h"

namespace {

// A key pressed with Ctrl (and Shift) held, aimed at the Draw button.
bool PressKey(HWND window, UINT key, bool shift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof saved);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (shift)
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    SetKeyboardState(state);
    MSG msg = {GetDlgItem(window, IDC_DRAW_BUTTON), WM_KEYDOWN, key, 0x00010001, 0, {0, 0}};
    bool translated = TranslateMainWindowKey(&msg);
    SetKeyboardState(saved);
    return translated;
}

using Keys = MainWindowTest;

}  // namespace

// Ctrl+S saves only where File > Save is enabled, and Ctrl+N opens a drawing only where New is.
TEST_F(Keys, ActOnlyWhereTheirCommandIsEnabled) {
    PressKey(window, 'S');
    EXPECT_TRUE(script.fileDialogs.empty()) << "Save is disabled with no drawing";
    PressKey(window, 'N');
    EXPECT_EQ(drawing.isOpen, 1);
    std::string path = TempPath("keys.Zlv");
    script.fileNames.push_back(path);
    PressKey(window, 'S');
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_EQ(PolygonsInFile(path), 0);
    drawing.polygons.appendPolygon(Square(0, 0, 10, 5));
    PressKey(window, 'N');
    EXPECT_EQ(drawing.polygons.count(), 1) << "New is disabled while a drawing is open";
}

// In a result view the picture goes onto the clipboard in both forms, the metafile as the export draws it.
TEST_F(Keys, CopyPutsTheResultViewOnTheClipboard) {
    Open(ExamplePath("house.Zlv"));
    PressKey(window, 'C');
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    CloseClipboard();
    Click(IDC_VIEW_AM_BUTTON);
    ASSERT_EQ(mainModes.viewMode, AmView);
    EXPECT_TRUE(PressKey(window, 'C'));
    ASSERT_TRUE(OpenClipboard(window));
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    HGLOBAL dib = GetClipboardData(CF_DIB);
    ASSERT_NE(metafile, nullptr);
    ASSERT_NE(dib, nullptr);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    char description[64] = {};
    GetEnhMetaFileDescriptionA(metafile, sizeof description, description);
    auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    RECT canvas;
    GetClientRect(canvasWindow, &canvas);
    EXPECT_EQ(info->biWidth, canvas.right);
    EXPECT_EQ(info->biHeight, canvas.bottom);
    EXPECT_EQ(info->biBitCount, 32);
    GlobalUnlock(dib);
    CloseClipboard();
    EXPECT_STREQ(description, "Export - Zelvora");
    EXPECT_GT(header.nRecords, 10u);
    EXPECT_TRUE(script.prompts.empty());
}

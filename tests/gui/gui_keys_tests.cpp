// The main window's keys, as the message loop turns them into commands whatever control has the focus:
// New, Save, Undo and Redo, and Edit > Copy picture.
#include <gtest/gtest.h>

#include "app/main_modes.h"
#include "editing/edit_state.h"
#include "engine/run/calc_records.h"
#include "model/drawing_file.h"
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
    EXPECT_EQ(MainSession().drawing.isOpen, 1);
    std::string path = TempPath("keys.Zlv");
    script.fileNames.push_back(path);
    PressKey(window, 'S');
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_EQ(PolygonsInFile(path), 0);
    MainSession().drawing.polygons.appendPolygon(Square(0, 0, 10, 5));
    PressKey(window, 'N');
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1) << "New is disabled while a drawing is open";
}

// In a result view the picture goes onto the clipboard in both forms, the metafile as the export draws it.
TEST_F(Keys, CopyPutsTheResultViewOnTheClipboard) {
    Open(ExamplePath("house.Zlv"));
    PressKey(window, 'C');
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    CloseClipboard();
    Click(IDC_VIEW_AM_BUTTON);
    ASSERT_EQ(MainSession().mainModes.viewMode, AmView);
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

// A polygon deleted by mistake comes back with Ctrl+Z and goes again with Ctrl+Y; the drawing counts as
// modified exactly when it differs from the file, and a result view is left when the drawing changes.
TEST_F(Keys, UndoAndRedoTakeADeleteBackAndForth) {
    std::string path = CopyOfExample("house.Zlv");
    Open(path);
    std::vector<uint8_t> opened = FileBytes(path);
    Click(IDC_DELETE_BUTTON);
    script.answers.push_back(IDYES);
    SendMessageA(canvasWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(450, 420));
    ASSERT_EQ(MainSession().drawing.polygons.count(), 0);
    ASSERT_EQ(MainSession().drawing.modified, 1);
    EXPECT_TRUE(PressKey(window, 'Z'));
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_EQ(MainSession().drawing.modified, 0) << "back to the drawing as opened";
    EXPECT_EQ(EncodeDrawing(MainSession().drawing), opened);
    EXPECT_TRUE(PressKey(window, 'Y'));
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    PressKey(window, 'Z', true);  // Ctrl+Shift+Z redoes too, with nothing left to redo here
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    PressKey(window, 'S');
    EXPECT_EQ(PolygonsInFile(path), 0);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    PressKey(window, 'Z');
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_EQ(MainSession().drawing.modified, 1) << "the saved file holds no polygon";

    Click(IDC_VIEW_AD_BUTTON);
    ASSERT_EQ(MainSession().mainModes.viewMode, AdView);
    PressKey(window, 'Y');
    EXPECT_EQ(MainSession().mainModes.viewMode, DrawingView);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    EXPECT_EQ(CurrentResult().contourCount, 0);
}

// While a polygon is being placed, Undo and Redo wait: Escape ends it first.
TEST_F(Keys, UndoWaitsForAPolygonUnderConstruction) {
    Open(CopyOfExample("house.Zlv"));
    Click(IDC_DELETE_BUTTON);
    script.answers.push_back(IDYES);
    SendMessageA(canvasWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(450, 420));
    Click(IDC_CREATE_BUTTON);
    watch->OnActivate("Insert the height of vertex and Optiond data",
                      [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDC_VERTEX_SAVE, 0); });
    SendMessageA(canvasWindow, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    SendMessageA(canvasWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    ASSERT_TRUE(MainSession().editState.constructing);
    EXPECT_EQ(GetMenuState(GetMenu(window), IDM_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    PressKey(window, 'Z');
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    Escape();
    EXPECT_EQ(GetMenuState(GetMenu(window), IDM_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u);
    PressKey(window, 'Z');
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
}

// The Structures window's glue: its cells are the core's assessment of the drawing as it is, a change
// empties and refills them, Copy puts them on the clipboard, selected rows light up on the canvas and a
// click on the canvas selects a row, and the window goes with the main window, remembering its place.
#include "tests/gui/gui_test_support.h"

#include "tests/gui/gui_dialog_steps.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "app/structure_highlight.h"
#include "assessment/assessment_table.h"
#include "assessment/structure_runs.h"
#include "assessment/table_copy.h"
#include "resources/resource.h"
#include "shell/recent_files_win.h"
#include "shell/structures_window_win.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "view/canvas_state.h"
#include "view/canvas_win.h"

namespace {

class StructuresWindowTest : public MainWindowTest {
  protected:
    // Three buildings apart from each other, with NG set so that the events are given.
    void OpenThreeBuildings() {
        std::string path = TempPath("three_buildings.Zlv");
        ASSERT_TRUE(WriteDrawing(path, {Square(10, 10, 30, 12), Square(120, 20, 15, 30), Square(60, 90, 15, 5)}, 200));
        Open(path);
        MainSession().drawing.assessment.present = 1;
        MainSession().drawing.assessment.ng = 4.0;
    }

    HWND List() { return GetDlgItem(StructuresWindow(), IDC_STRUCTURES_LIST); }

    std::string Note() {
        char text[400] = {};
        GetWindowTextA(GetDlgItem(StructuresWindow(), IDC_STRUCTURES_NOTE), text, sizeof text);
        return text;
    }

    // Until the background run has listed the drawing (the note then counts its structures).
    bool WaitForRows() {
        for (int i = 0; i < 600; i++) {
            PumpMessages();
            if (Note().find("structure") != std::string::npos && Note().find("Calculating") == std::string::npos)
                return true;
            Sleep(50);
        }
        return false;
    }

    std::string Cell(int row, int column) {
        char text[300] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    int Rows() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

    void SelectOnly(int row) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
        ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PumpMessages();
    }

    std::string ClipboardText(UINT format) {
        std::string text;
        if (!OpenClipboard(nullptr))
            return text;
        if (HANDLE data = GetClipboardData(format)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(StructuresWindowTest, ListsTheCoreAssessmentOfTheDrawingAsItIs) {
    OpenThreeBuildings();
    Command(IDM_DATA_STRUCTURES);
    ASSERT_NE(StructuresWindow(), nullptr);
    char title[100] = {};
    GetWindowTextA(StructuresWindow(), title, sizeof title);
    EXPECT_STREQ(title, "Structures");
    EXPECT_EQ(GetWindow(StructuresWindow(), GW_OWNER), window);
    ASSERT_TRUE(WaitForRows()) << Note();
    EXPECT_EQ(Note(), "3 structures.");
    AssessmentResult expected = AssessDrawing(MainSession().drawing, AssessOverrides());
    ASSERT_EQ(Rows(), 3);
    for (int row = 0; row < 3; row++)
        for (int c = 0; c < static_cast<int>(AssessColumn::Count); c++)
            EXPECT_EQ(Cell(row, c), StructureCell(expected.structures[row], static_cast<AssessColumn>(c)))
                << "row " << row << " column " << c;
    EXPECT_NE(Cell(0, static_cast<int>(AssessColumn::Nd)), "");

    // F4 again brings the same window forward instead of a second one.
    HWND first = StructuresWindow();
    Command(IDM_DATA_STRUCTURES);
    EXPECT_EQ(StructuresWindow(), first);
}

TEST_F(StructuresWindowTest, AChangeEmptiesTheRowsAndListsTheNewState) {
    OpenThreeBuildings();
    MainSession().drawing.assessment.ng = 0.0;
    Command(IDM_DATA_STRUCTURES);
    ASSERT_TRUE(WaitForRows());
    EXPECT_EQ(Note(), "3 structures. Events are blank until NG is set: Data > Assessment...");
    EXPECT_EQ(Cell(0, static_cast<int>(AssessColumn::Nd)), "");

    MainSession().drawing.polygons.appendPolygon(Square(10, 150, 20, 8));
    ASSERT_TRUE(MainSession().drawingChanges.commit(&MainSession().editHistory, &MainSession().drawing));
    EXPECT_EQ(Rows(), 0) << "rows of the drawing before the change are never shown";
    ASSERT_TRUE(WaitForRows());
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(Cell(3, static_cast<int>(AssessColumn::Height)), "8.00");
}

TEST_F(StructuresWindowTest, CopyPutsTheSelectedRowsOnTheClipboardAsTextAndCsv) {
    OpenThreeBuildings();
    Command(IDM_DATA_STRUCTURES);
    ASSERT_TRUE(WaitForRows());
    SelectOnly(1);
    SendMessageA(StructuresWindow(), WM_COMMAND, IDC_STRUCTURES_COPY, 0);
    AssessmentResult expected = AssessDrawing(MainSession().drawing, AssessOverrides());
    EXPECT_EQ(ClipboardText(CF_TEXT), TableTabText(expected, {1}));
    EXPECT_EQ(ClipboardText(RegisterClipboardFormatA("Csv")), TableCsvText(expected, {1}));
    EXPECT_EQ(ClipboardText(CF_TEXT).substr(0, 8), "No.\tName");
}

TEST_F(StructuresWindowTest, SelectedRowsLightUpOnTheCanvasAndACanvasClickSelectsARow) {
    OpenThreeBuildings();
    Command(IDM_DATA_STRUCTURES);
    ASSERT_TRUE(WaitForRows());
    SelectOnly(2);
    EXPECT_TRUE(MainSession().structureHighlight.has(2));
    EXPECT_FALSE(MainSession().structureHighlight.has(0));

    // Painted: inside the third square some pixel shows the highlight's orange between the hatch. The
    // canvas takes the scroll positions the selection brought it to as it paints.
    MainSession().canvasState.scrollX = GetScrollPos(canvasWindow, SB_HORZ);
    MainSession().canvasState.scrollY = GetScrollPos(canvasWindow, SB_VERT);
    RECT client;
    GetClientRect(canvasWindow, &client);
    MemoryCanvas canvas(client.right, client.bottom);
    ASSERT_TRUE(canvas.ready());
    PaintCanvas(canvas.dc, client.right, client.bottom);
    GdiFlush();
    PixelPoint inside = ToPixel(CurrentView(MainSession().canvasState, MainSession().drawing), 67.5, 97.5);
    ASSERT_TRUE(inside.x >= 4 && inside.y >= 4 && inside.x + 4 < client.right && inside.y + 4 < client.bottom)
        << inside.x << ", " << inside.y << " on a canvas of " << client.right << " x " << client.bottom;
    int orange = 0;
    for (int dy = -4; dy <= 4; dy++)
        for (int dx = -4; dx <= 4; dx++) {
            uint32_t pixel = canvas.pixels[(inside.y + dy) * client.right + inside.x + dx] & 0xFFFFFF;
            orange += pixel == 0xFFAA28;  // RGB(255, 170, 40) as the bitmap holds it
        }
    EXPECT_GT(orange, 10);

    // With no tool, a click on the first square selects the first row.
    PixelPoint first = ToPixel(CurrentView(MainSession().canvasState, MainSession().drawing), 25, 25);
    SendMessageA(canvasWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(first.x, first.y));
    PumpMessages();
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 0);
    EXPECT_TRUE(MainSession().structureHighlight.has(0));
}

// Enter or a double click on a row (both activate it) opens the Structure dialog of that structure; CD
// set to 1 there shows in the row once recalculated, and Undo takes it back to the surroundings'.
TEST_F(StructuresWindowTest, ActivatingARowEditsItsStructureUndoably) {
    OpenThreeBuildings();
    Command(IDM_DATA_STRUCTURES);
    ASSERT_TRUE(WaitForRows());
    const int cd = static_cast<int>(AssessColumn::Cd);
    EXPECT_EQ(Cell(1, cd).substr(Cell(1, cd).size() - 4), "auto");
    SelectOnly(1);  // as the click that activates a row selects it
    QueueDialogSteps({Choose(IDC_STRUCTURE_CD, 3), Press(IDOK)});
    watch->OnActivate("Structure", AnswerDialog);
    NMITEMACTIVATE activate = {};
    activate.hdr = {List(), IDC_STRUCTURES_LIST, static_cast<UINT>(LVN_ITEMACTIVATE)};
    activate.iItem = 1;
    SendMessageA(StructuresWindow(), WM_NOTIFY, IDC_STRUCTURES_LIST, reinterpret_cast<LPARAM>(&activate));
    watch->ClearHandlers();
    EXPECT_EQ(watch->Created("Structure"), 1);
    EXPECT_EQ(DialogStepsLeft(), 0u);
    ASSERT_TRUE(WaitForRows());
    EXPECT_EQ(Cell(1, cd).substr(0, 5), "1 set");
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 1) << "the edited structure stays selected";
    EXPECT_TRUE(IsWindowEnabled(window));

    Command(IDM_EDIT_UNDO);
    ASSERT_TRUE(WaitForRows());
    EXPECT_EQ(Cell(1, cd).substr(Cell(1, cd).size() - 4), "auto");
}

TEST_F(StructuresWindowTest, ClosesWithTheMainWindowAndRemembersItsPlace) {
    OpenThreeBuildings();
    Command(IDM_DATA_STRUCTURES);
    HWND structures = StructuresWindow();
    ASSERT_NE(structures, nullptr);
    MoveWindow(structures, 40, 50, 700, 300, TRUE);
    MainSession().drawing.modified = 0;
    SessionAtEnd atEnd;
    WatchSessionEnd(window, &atEnd);
    DestroyMainWindow();
    EXPECT_FALSE(IsWindow(structures));
    EXPECT_EQ(StructuresWindow(), nullptr);
    EXPECT_TRUE(atEnd.highlightEmpty);
    std::optional<WindowPlace> place = StoredStructuresPlace();
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->left, 40);
    EXPECT_EQ(place->width, 700);
    std::vector<uint8_t> ini = FileBytes(recentFilesIni);
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("[Structures]\r\nLeft=40\r\nTop=50\r\nWidth=700"),
              std::string::npos);
}

}  // namespace

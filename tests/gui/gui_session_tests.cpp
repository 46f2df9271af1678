// What the window shows must belong to the drawing it shows: the status bar, the title, the question
// before unsaved work is lost, and a stop that is not an error; and Enter in the dialogs that save.
#include "tests/gui/gui_test_support.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/main_modes.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_dialog_steps.h"
#include "ui/app_windows_win.h"
#include "view/canvas_state.h"

namespace {

const char* const Changed = "Draw has changed. Do you want save it?";

class SessionWindow : public MainWindowTest {
  protected:
    void TearDown() override {
        EXPECT_EQ(DialogStepsLeft(), 0u) << "a dialog never shown, or ended before its last step";
        ClearDialogSteps();
        MainSession().drawing.modified = 0;
        MainWindowTest::TearDown();
    }

    std::string Status(int part) {
        char text[300] = {};
        SendMessageA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::string Title() {
        char text[400] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    // A titled copy of an example, opened and changed as a tool would change it.
    std::string OpenChangedCopy(const char* name) {
        std::string path = CopyOfExample(name);
        Open(path);
        MainSession().drawing.polygons.appendPolygon(Square(500, 500, 10, 5));
        MainSession().drawing.modified = 1;
        ApplyMainControls();
        return path;
    }
};

}  // namespace

// The area of the last view must not outlive its drawing: after Close and another drawing, or after a
// change, the status bar says nothing of it.
TEST_F(SessionWindow, StatusBarNeverShowsTheAreaOfAnotherDrawing) {
    Open(ExamplePath("house.Zlv"));
    Click(IDC_VIEW_AM_BUTTON);
    ASSERT_EQ(MainSession().mainModes.viewMode, AmView);
    SendMessageA(canvasWindow, WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
    std::string shown = Status(0);
    ASSERT_EQ(shown.rfind("Am view [km^2]: ", 0), 0u) << shown;

    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(Status(0).find("view [km^2]"), std::string::npos) << Status(0);
    Open(ExamplePath("l_building.Zlv"));
    EXPECT_EQ(Status(0).find("view [km^2]"), std::string::npos) << Status(0);
    Click(IDC_VIEW_AM_BUTTON);
    EXPECT_EQ(Status(0).rfind("Am view [km^2]: ", 0), 0u) << Status(0);
    EXPECT_NE(Status(0), shown) << "the other drawing's area";
}

// Yes, No and Cancel wherever unsaved work is at stake; Cancel leaves the drawing, its file and the
// window as they were.
TEST_F(SessionWindow, CancelAtTheSaveQuestionKeepsEverything) {
    const struct {
        const char* what;
        int command;  // a menu command, or one of the window messages below
    } cases[] = {
        {"File > Close", IDM_FILE_CLOSE},
        {"Data > Import", IDM_DATA_IMPORT},
        {"File > Quit", IDM_FILE_QUIT},
        {"the close box", WM_CLOSE},
        {"the end of the session", WM_QUERYENDSESSION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        script = Script();
        std::string path = OpenChangedCopy("house.Zlv");
        int32_t polygons = MainSession().drawing.polygons.count();
        std::vector<uint8_t> before = FileBytes(path);
        size_t fileDialogs = script.fileDialogs.size();
        script.answers.push_back(IDCANCEL);
        if (c.command == WM_CLOSE)
            SendMessageA(window, WM_CLOSE, 0, 0);
        else if (c.command == WM_QUERYENDSESSION)
            EXPECT_FALSE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
        else
            Command(c.command);
        ASSERT_EQ(script.prompts.size(), 1u);
        ExpectPrompt(script.prompts[0], window, Changed, "Warning", MB_YESNOCANCEL | MB_ICONWARNING);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(script.fileDialogs.size(), fileDialogs) << "no file asked for";
        EXPECT_EQ(MainSession().drawing.isOpen, 1);
        EXPECT_EQ(MainSession().drawing.modified, 1);
        EXPECT_EQ(MainSession().drawing.fileName, path);
        EXPECT_EQ(MainSession().drawing.polygons.count(), polygons);
        EXPECT_EQ(FileBytes(path), before);
        MainSession().drawing.modified = 0;
    }
}

TEST_F(SessionWindow, TitleNamesTheFileAndMarksUnsavedChanges) {
    EXPECT_EQ(Title(), "Zelvora v1.0.0");
    Command(IDM_FILE_NEW);
    EXPECT_EQ(Title(), "Untitled - Zelvora v1.0.0");
    Command(IDM_FILE_CLOSE);
    OpenChangedCopy("house.Zlv");
    EXPECT_EQ(Title(), "house.Zlv* - Zelvora v1.0.0");
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(Title(), "house.Zlv - Zelvora v1.0.0");
    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(Title(), "Zelvora v1.0.0");
}

// A stop the user asked for is no error: no message, and the status says so.
TEST_F(SessionWindow, StoppedCalculationIsToldInTheStatusBarNotAsAnError) {
    std::string path = TempPath("round.Zlv");
    ASSERT_TRUE(WriteDrawing(path, {Round(150, 2000, 10, 4)}));
    Open(path);
    watch->OnCreate("Calculation...", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDC_PROGRESS_CLOSE, 0); });
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(MainSession().mainModes.viewMode, DrawingView);
    EXPECT_EQ(Status(0), "Calculation stopped");
}

// Enter saves in every dialog with a Save button, as a click on Save does.
TEST_F(SessionWindow, EnterSavesInTheDialogsThatSave) {
    std::string path = TempPath("enter.Zlv");
    ASSERT_TRUE(WriteDrawing(path, {Square(10, 10, 20, 5)}));
    Open(path);
    for (const char* caption : {"Edit height of vertex", "Polygon's options", "Calculation options", "Draw options"})
        watch->OnActivate(caption, AnswerDialog);
    ResetCanvasState(&MainSession().canvasState);
    Click(IDC_EDIT_BUTTON);
    QueueDialogSteps({Type(IDC_HEIGHT_VALUE, "9"), PressEnter(IDC_HEIGHT_VALUE)});
    SendMessageA(canvasWindow, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
    SendMessageA(canvasWindow, WM_RBUTTONDOWN, 0, MAKELPARAM(300, 300));
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).height[2], 9.0);

    QueueDialogSteps({Type(IDC_POLYGON_NAME, "Shed"), PressEnter(IDC_POLYGON_NAME)});
    SendMessageA(canvasWindow, WM_MOUSEMOVE, 0, MAKELPARAM(150, 160));
    SendMessageA(canvasWindow, WM_RBUTTONDOWN, 0, MAKELPARAM(150, 160));
    EXPECT_STREQ(MainSession().drawing.polygons.polygon(0).name, "Shed");

    Click(IDC_DRAW_BUTTON);
    script.answers.push_back(IDYES);  // the warning before the options
    QueueDialogSteps({Type(IDC_CALC_DISTANCE_PROJECTION, "250"), PressEnter(IDC_CALC_DISTANCE_PROJECTION)});
    Command(IDM_OPTIONS_CALCULATION);
    EXPECT_EQ(MainSession().drawing.calcOptions.distanceProjection, 250.0);

    QueueDialogSteps({Type(IDC_DRAW_MAP_SIZE, "700"), PressEnter(IDC_DRAW_MAP_SIZE)});
    Command(IDM_OPTIONS_DRAW);
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, 700.0);
}

// A message box is owned by the dialog it speaks for, so that it comes up over it and keeps it waiting.
TEST_F(SessionWindow, SnapAndZoomRefusalIsOwnedByTheDrawOptionsDialog) {
    Command(IDM_FILE_NEW);
    watch->OnActivate("Draw options", AnswerDialog);
    HWND shownBy = nullptr;
    QueueDialogSteps({[&shownBy](HWND dialog) { shownBy = dialog; }, Choose(IDC_DRAW_SNAP_STEP, 1),
                      Choose(IDC_DRAW_ZOOM, 4), Press(IDC_DRAW_SAVE), Press(IDC_DRAW_CANCEL)});
    Command(IDM_OPTIONS_DRAW);
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text.rfind("With these values of Snap grid and Zoom", 0), 0u);
    EXPECT_EQ(script.prompts[0].owner, shownBy);
    EXPECT_NE(shownBy, nullptr);
}

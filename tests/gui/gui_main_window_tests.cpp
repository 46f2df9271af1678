// The main window driven through its menu, its buttons and its messages: the state of every control in
// the four states, the file commands, Close, Quit and the close box, Import, the command line, Escape.
#include <functional>

#include "app/main_modes.h"
#include "editing/edit_state.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_test_support.h"
#include "ui/app_windows_win.h"
#include "ui/dialog_runner_win.h"
#include "view/canvas_state.h"

namespace {

const char* const Changed = "Draw has changed. Do you want save it?";
const UINT WarningOk = MB_OK | MB_ICONWARNING;

class MainWindow : public MainWindowTest {
  protected:
    // An edit the tools would make: one more polygon, and the drawing marked as changed.
    static void Edit() {
        MainSession().drawing.polygons.appendPolygon(Square(500, 500, 10, 5));
        MainSession().drawing.modified = 1;
    }

    void NewEdited() {
        Command(IDM_FILE_NEW);
        Edit();
    }

    std::string OpenEditedCopy(const char* name) {
        std::string path = CopyOfExample(name);
        Open(path);
        Edit();
        return path;
    }

    // An Edit drag under way, as the canvas leaves it between button down and button up.
    void StartDrag() {
        Open(ExamplePath("house.Zlv"));
        Click(IDC_EDIT_BUTTON);
        MainSession().editState.dragActive = true;
        MainSession().editState.selectedPolygon = 0;
        MainSession().editState.selectedVertex = 2;
        SetOptionsDrawEnabled(&MainSession().mainModes, false);
        ApplyMainControls();
        ASSERT_EQ(Menus(window), "save calc");
    }

    void ExpectDragEnded() {
        EXPECT_FALSE(MainSession().editState.dragActive);
        EXPECT_EQ(MainSession().editState.selectedPolygon, -1);
        EXPECT_EQ(MainSession().editState.selectedVertex, -1);
        EXPECT_EQ(Menus(window), "save calc draw");
    }

    void ExpectNoDrawing() {
        EXPECT_EQ(MainSession().drawing.isOpen, 0);
        EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
        EXPECT_EQ(Looks(window), "------");
    }

    // Closes a drawing left modified on purpose, without the question.
    void Discard() {
        MainSession().drawing.modified = 0;
        Command(IDM_FILE_CLOSE);
        script.prompts.clear();
    }
};

}  // namespace

TEST_F(MainWindow, ControlsFollowTheFourStates) {
    EXPECT_EQ(Looks(window), "------");
    EXPECT_EQ(Menus(window), "new calc draw");

    Command(IDM_FILE_NEW);
    EXPECT_EQ(Looks(window), "Hooo--");
    EXPECT_EQ(Menus(window), "save calc draw");
    EXPECT_EQ(MainSession().drawing.isOpen, 1);

    Command(IDM_FILE_CLOSE);  // nothing changed: no question
    EXPECT_EQ(Looks(window), "------");
    EXPECT_EQ(Menus(window), "new calc draw");

    Open(ExamplePath("house.Zlv"));
    EXPECT_EQ(Looks(window), "Hooooo");
    EXPECT_EQ(Menus(window), "save calc draw");

    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
    EXPECT_EQ(Looks(window), "o---Xo");
    EXPECT_EQ(Menus(window), "save export draw");

    Click(IDC_VIEW_AM_BUTTON);
    EXPECT_EQ(MainSession().mainModes.viewMode, AmView);
    EXPECT_EQ(Looks(window), "o---oX");
    EXPECT_EQ(Menus(window), "save export draw");

    Click(IDC_VIEW_AM_BUTTON);  // the shown view asked again stays checked, now pressed as well
    EXPECT_EQ(Looks(window), "o---oP");

    Click(IDC_DRAW_BUTTON);
    EXPECT_EQ(MainSession().mainModes.viewMode, DrawingView);
    EXPECT_EQ(Looks(window), "Hooooo");
    EXPECT_EQ(Menus(window), "save calc draw");
    EXPECT_TRUE(script.prompts.empty());
}

TEST_F(MainWindow, OptionsCalculationStaysOffAfterAViewUntilDraw) {
    Open(ExamplePath("house.Zlv"));
    Click(IDC_VIEW_AD_BUTTON);
    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(Menus(window), "new draw");
    Command(IDM_FILE_NEW);
    Click(IDC_CREATE_BUTTON);
    EXPECT_EQ(Menus(window), "save draw");
    Click(IDC_DRAW_BUTTON);
    EXPECT_EQ(Menus(window), "save calc draw");
}

TEST_F(MainWindow, ToolButtonsToggleAndReleaseEachOther) {
    Open(ExamplePath("house.Zlv"));
    Click(IDC_CREATE_BUTTON);
    EXPECT_EQ(MainSession().mainModes.toolMode, CreateTool);
    EXPECT_EQ(Looks(window), "HXoooo");
    Click(IDC_EDIT_BUTTON);
    EXPECT_EQ(MainSession().mainModes.toolMode, EditTool);
    EXPECT_EQ(Looks(window), "HoXooo");
    Click(IDC_EDIT_BUTTON);
    EXPECT_EQ(MainSession().mainModes.toolMode, NoTool);
    EXPECT_EQ(Looks(window), "Hooooo");
    Click(IDC_DELETE_BUTTON);
    Click(IDC_DRAW_BUTTON);  // Draw in the drawing view keeps the tool
    EXPECT_EQ(MainSession().mainModes.toolMode, DeleteTool);
    EXPECT_EQ(Looks(window), "HooXoo");
}

// Whatever ends a drag gives Options > Draw back, in the state it leads to.
TEST_F(MainWindow, ToolViewAndCloseAbandonAnEditDrag) {
    StartDrag();
    Click(IDC_DELETE_BUTTON);
    ExpectDragEnded();
    EXPECT_EQ(MainSession().mainModes.toolMode, DeleteTool);

    StartDrag();
    Command(IDM_FILE_CLOSE);
    EXPECT_FALSE(MainSession().editState.dragActive);
    EXPECT_EQ(Menus(window), "new calc draw");

    StartDrag();
    Open(ExamplePath("l_building.Zlv"));
    ExpectDragEnded();

    StartDrag();
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_FALSE(MainSession().editState.dragActive);
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
    EXPECT_EQ(Menus(window), "save export draw");
}

TEST_F(MainWindow, OpenFromTheMenuShowsTheDrawing) {
    std::string path = ExamplePath("l_building.Zlv");
    Open(path);
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_FALSE(script.fileDialogs[0].save);
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_EQ(MainSession().drawing.fileName, path);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    EXPECT_EQ(MainSession().drawing.calcReady, 1);
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, 150.0);
}

// A file cut short and a file whose polygon crosses itself are both refused; the second still brings
// its options, which a New drawing then keeps.
TEST_F(MainWindow, OpenRefusesBrokenFilesAndStaysWithoutDrawing) {
    std::vector<uint8_t> bytes = FileBytes(ExamplePath("house.Zlv"));
    ASSERT_GT(bytes.size(), 1304u);
    bytes.resize(bytes.size() - 9);
    std::string truncated = TempPath("truncated.Zlv"), crossing = TempPath("bow_tie.Zlv");
    WriteBytes(truncated, bytes);
    PolygonRecord bowTie;
    const double x[] = {0, 10, 10, 0}, y[] = {0, 10, 0, 10}, h[] = {5, 5, 5, 5};
    SetPolygonVertices(&bowTie, x, y, h, 4);
    ASSERT_TRUE(WriteDrawing(crossing, {Square(0, 20, 10, 5), bowTie}, 250.0));
    for (const std::string& path : {truncated, crossing}) {
        SCOPED_TRACE(path);
        script.prompts.clear();
        script.fileNames.push_back(path);
        Command(IDM_FILE_OPEN);
        ASSERT_EQ(script.prompts.size(), 1u);
        ExpectPrompt(script.prompts[0], window, "Error to opening file", "Warning", WarningOk);
        ExpectNoDrawing();
        EXPECT_EQ(Menus(window), "new calc draw");
        EXPECT_EQ(MainSession().drawing.fileName, path);
    }
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, 100.0) << "a refused file leaves no options behind";
    Command(IDM_FILE_NEW);
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, 100.0);
    EXPECT_STREQ(MainSession().drawing.fileName, "");
}

TEST_F(MainWindow, CancelledOpenSaysNothing) {
    script.fileNames.push_back(std::nullopt);
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_TRUE(script.prompts.empty());
    ExpectNoDrawing();
}

// An empty file opens with both views disabled, and the canvas's paint only draws: it changes no control.
TEST_F(MainWindow, AnEmptyDrawingOpensWithTheViewsDisabled) {
    std::string path = TempPath("empty.Zlv");
    ASSERT_TRUE(WriteDrawing(path, {}));
    Open(path);
    EXPECT_EQ(Looks(window), "Hooo--");
    MoveOffScreen(window);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    RedrawWindow(canvasWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_EQ(MainSession().drawing.calcReady, 0);
    EXPECT_EQ(Looks(window), "Hooo--");
}

// Save asks only for an untitled drawing, Save as always, proposing the current name.
TEST_F(MainWindow, SaveAsksForANameOnlyWhenItMust) {
    std::string titled = OpenEditedCopy("house.Zlv");
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(script.fileDialogs.size(), 1u) << "only the Open dialog was shown";
    EXPECT_EQ(PolygonsInFile(titled), 2);
    EXPECT_EQ(MainSession().drawing.modified, 0);

    Edit();
    std::string renamed = TempPath("renamed.Zlv");
    script.fileNames.push_back(renamed);
    Command(IDM_FILE_SAVE_AS);
    ASSERT_EQ(script.fileDialogs.size(), 2u);
    EXPECT_TRUE(script.fileDialogs[1].save);
    EXPECT_EQ(script.fileDialogs[1].proposed, titled);
    EXPECT_EQ(PolygonsInFile(renamed), 3);
    EXPECT_EQ(PolygonsInFile(titled), 2);
    EXPECT_EQ(MainSession().drawing.fileName, renamed);
    EXPECT_EQ(MainSession().drawing.modified, 0);

    Command(IDM_FILE_CLOSE);
    NewEdited();
    std::string untitled = TempPath("untitled.Zlv");
    script.fileNames.push_back(untitled);
    Command(IDM_FILE_SAVE);
    ASSERT_EQ(script.fileDialogs.size(), 3u);
    EXPECT_TRUE(script.fileDialogs[2].save);
    EXPECT_EQ(script.fileDialogs[2].proposed, "");
    EXPECT_EQ(PolygonsInFile(untitled), 1);
    EXPECT_EQ(MainSession().drawing.fileName, untitled);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    EXPECT_TRUE(script.prompts.empty());
}

// A write that fails is told; a dialog cancelled writes nothing and says nothing. Neither counts as saved.
TEST_F(MainWindow, SaveThatFailsOrIsCancelledKeepsTheDrawingModified) {
    std::string nowhere = TempPath("missing folder\\drawing.Zlv");
    for (int command : {IDM_FILE_SAVE, IDM_FILE_SAVE_AS}) {
        SCOPED_TRACE(command);
        NewEdited();
        script.fileNames.push_back(nowhere);
        Command(command);
        ASSERT_EQ(script.prompts.size(), 1u);
        ExpectPrompt(script.prompts[0], window, "Error to write file", "Warning", WarningOk);
        EXPECT_EQ(MainSession().drawing.modified, 1);
        EXPECT_STREQ(MainSession().drawing.fileName, "");
        EXPECT_EQ(PolygonsInFile(nowhere), -1);
        Discard();
    }
    std::string path = OpenEditedCopy("house.Zlv");
    std::vector<uint8_t> before = FileBytes(path);
    script.fileNames.push_back(std::nullopt);
    Command(IDM_FILE_SAVE_AS);
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(MainSession().drawing.fileName, path);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    Discard();
    NewEdited();
    script.fileNames.push_back(std::nullopt);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    EXPECT_TRUE(script.prompts.empty());
}

TEST_F(MainWindow, CloseAnsweredNoDiscardsTheDrawing) {
    std::string path = OpenEditedCopy("l_building.Zlv");
    ASSERT_EQ(MainSession().drawing.drawOptions.mapSize, 150.0);
    script.answers.push_back(IDNO);
    Command(IDM_FILE_CLOSE);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, Changed, "Warning", MB_YESNOCANCEL | MB_ICONWARNING);
    ExpectNoDrawing();
    EXPECT_STREQ(MainSession().drawing.fileName, "");
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, 100.0) << "the file's options went with it";
    EXPECT_EQ(PolygonsInFile(path), 1);
}

TEST_F(MainWindow, CloseAnsweredYesSavesThenCloses) {
    std::string titled = OpenEditedCopy("house.Zlv");
    script.answers.push_back(IDYES);
    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(script.fileDialogs.size(), 1u) << "a titled drawing is saved under its name";
    EXPECT_EQ(PolygonsInFile(titled), 2);
    ExpectNoDrawing();

    NewEdited();
    std::string named = TempPath("named on close.Zlv");
    script.answers.push_back(IDYES);
    script.fileNames.push_back(named);
    Command(IDM_FILE_CLOSE);
    EXPECT_EQ(PolygonsInFile(named), 1);
    EXPECT_EQ(script.prompts.size(), 2u);
    ExpectNoDrawing();
}

TEST_F(MainWindow, CloseAnsweredYesKeepsTheDrawingWhenTheSaveFails) {
    const std::pair<std::optional<std::string>, size_t> saves[] = {{std::nullopt, 1},
                                                                   {TempPath("no folder\\x.Zlv"), 2}};
    for (const auto& [answer, prompts] : saves) {
        SCOPED_TRACE(answer ? "failed" : "cancelled");
        NewEdited();
        script.answers.push_back(IDYES);
        script.fileNames.push_back(answer);
        Command(IDM_FILE_CLOSE);
        EXPECT_EQ(script.prompts.size(), prompts);
        EXPECT_EQ(MainSession().drawing.isOpen, 1);
        EXPECT_EQ(MainSession().drawing.modified, 1);
        EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
        EXPECT_EQ(Looks(window), "Hooo--");
        EXPECT_EQ(Menus(window), "save calc draw");
        Discard();
    }
}

// Quit and the close box go through Close: the window goes only when the drawing did.
TEST_F(MainWindow, QuitAndTheCloseBoxEndOnlyAClosedDrawing) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Quit", [this] { Command(IDM_FILE_QUIT); }},
        {"close box", [this] { SendMessageA(window, WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, quit] : ways) {
        SCOPED_TRACE(name);
        Recreate(L"zelvora.exe");
        script.prompts.clear();
        NewEdited();
        script.answers.push_back(IDYES);
        script.fileNames.push_back(std::nullopt);
        quit();
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(MainSession().drawing.isOpen, 1);
        EXPECT_EQ(MainSession().drawing.modified, 1);

        script.answers.push_back(IDNO);
        SessionAtEnd atEnd;
        WatchSessionEnd(window, &atEnd);
        quit();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(script.prompts.size(), 2u) << "asked once per attempt, not again while the window goes";
        EXPECT_EQ(atEnd.isOpen, 0);
        MSG quitMessage;
        EXPECT_TRUE(PeekMessageA(&quitMessage, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(quitMessage.wParam, 0u);
    }
}

// Windows ending the session asks as the close box does, and holds the session while a wanted save
// has not happened; the drawing stays open either way.
TEST_F(MainWindow, EndOfSessionOffersTheSaveAndWaitsForIt) {
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0)) << "nothing to save";
    NewEdited();
    script.answers.push_back(IDNO);
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    script.answers.push_back(IDYES);
    script.fileNames.push_back(TempPath("missing folder\\drawing.Zlv"));
    EXPECT_FALSE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(MainSession().drawing.modified, 1);
    std::string path = TempPath("session.Zlv");
    script.answers.push_back(IDYES);
    script.fileNames.push_back(path);
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(PolygonsInFile(path), 1);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    EXPECT_EQ(MainSession().drawing.isOpen, 1);
    EXPECT_TRUE(IsWindow(window));
    ASSERT_EQ(script.prompts.size(), 4u);  // three questions and the failed write
    EXPECT_EQ(script.prompts[2].text, "Error to write file");
}

TEST_F(MainWindow, QuitAnsweredYesSavesBeforeTheWindowGoes) {
    std::string path = OpenEditedCopy("house.Zlv");
    script.answers.push_back(IDYES);
    Command(IDM_FILE_QUIT);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(PolygonsInFile(path), 2);
}

// When the window goes by other means, the save is offered but cannot keep the window.
TEST_F(MainWindow, DestroyingTheWindowOffersTheSaveButCannotBeStopped) {
    std::string path = OpenEditedCopy("house.Zlv");
    script.answers.push_back(IDYES);
    DestroyWindow(window);
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text, Changed);
    EXPECT_EQ(PolygonsInFile(path), 2);

    Recreate(L"zelvora.exe");
    NewEdited();
    script.answers.push_back(IDYES);
    script.fileNames.push_back(std::nullopt);
    SessionAtEnd atEnd;
    WatchSessionEnd(window, &atEnd);
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(atEnd.isOpen, 0);
    EXPECT_EQ(atEnd.modified, 0);
}

// Exactly one argument after the program opens; a missing file is told, two arguments open nothing.
TEST_F(MainWindow, CommandLineOpensExactlyOneNamedFile) {
    std::string site = ExamplePath("industrial_site.Zlv"), missing = TempPath("not there.Zlv");
    struct Row {
        std::string line;
        bool opens;
        size_t prompts;
    };
    const Row rows[] = {
        {"zelvora.exe " + site, true, 0},
        {"\"C:\\Program Files\\zelvora.exe\" \"" + site + "\"", true, 0},
        {"zelvora.exe \"" + missing + "\"", false, 1},
        {"zelvora.exe " + site + " " + site, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Recreate(Wide(row.line).c_str());
        ASSERT_EQ(script.prompts.size(), row.prompts);
        if (row.prompts)
            ExpectPrompt(script.prompts[0], window, "Error to opening file", "Warning", WarningOk);
        EXPECT_EQ(MainSession().drawing.isOpen, row.opens);
        EXPECT_EQ(MainSession().drawing.polygons.count(), row.opens ? 6 : 0);
        EXPECT_EQ(Looks(window), row.opens ? "Hooooo" : "------");
        EXPECT_EQ(Menus(window), row.opens ? "save calc draw" : "new calc draw");
        script.prompts.clear();
    }
}

// Engineers' folders carry names in their own language; with UTF-8 as the program's code page such a
// name reaches the file calls intact instead of as question marks.
TEST_F(MainWindow, CommandLineOpensANameInAnyLanguage) {
    std::string path = TempPath("\xe5\xbb\xba\xe7\xad\x91 \xc3\xa9t\xc3\xa9.Zlv");
    WriteBytes(path, FileBytes(ExamplePath("house.Zlv")));
    std::string line = "zelvora.exe \"" + path + "\"";
    std::wstring wide(line.size() + 1, L'\0');
    ASSERT_GT(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line.c_str(), -1, wide.data(),
                                  static_cast<int>(wide.size())),
              0);
    Recreate(wide.c_str());
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(MainSession().drawing.isOpen, 1);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_STREQ(MainSession().drawing.fileName, path.c_str());
}

// A dialog that cannot be created is a failure to tell, not a cancel to pass over.
TEST_F(MainWindow, ADialogThatCannotBeShownIsReported) {
    EXPECT_EQ(RunDialog(window, 9999, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }), -1);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, "Unable to load dialog.", "Error", MB_OK | MB_ICONERROR);
}

TEST_F(MainWindow, EscapeAbandonsWhatTheToolStarted) {
    StartDrag();
    Escape();
    ExpectDragEnded();
    EXPECT_EQ(MainSession().mainModes.toolMode, EditTool);

    Click(IDC_CREATE_BUTTON);
    MainSession().editState.constructing = true;
    Escape();
    EXPECT_FALSE(MainSession().editState.constructing);
    EXPECT_EQ(MainSession().mainModes.toolMode, CreateTool);
    EXPECT_EQ(Looks(window), "HXoooo");
}

// Moved to a screen of twice the density, the window takes the size the system proposes and lays its
// children out at that density; the canvas scales its transform with it.
TEST_F(MainWindow, ADensityChangeLaysTheWindowOutAgain) {
    auto buttonSize = [this] {
        RECT button;
        GetWindowRect(GetDlgItem(window, IDC_VIEW_AM_BUTTON), &button);
        return std::make_pair(button.right - button.left, button.bottom - button.top);
    };
    EXPECT_EQ(buttonSize(), std::make_pair(100L, 20L));
    RECT proposed = {0, 0, 1700, 1200};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(MainSession().canvasState.dpi, 192);
    RECT canvas;
    GetWindowRect(canvasWindow, &canvas);
    RECT client;
    GetClientRect(window, &client);
    // The display may hold the window narrower than proposed; then the row of buttons narrows to it.
    if (client.right >= 1440) {
        EXPECT_EQ(buttonSize(), std::make_pair(200L, 40L));
    } else {
        EXPECT_GT(buttonSize().first, 100L);
        EXPECT_EQ(buttonSize().second, 40L);
        RECT last;
        GetWindowRect(GetDlgItem(window, IDC_VIEW_AM_BUTTON), &last);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&last), 2);
        EXPECT_LE(last.right, client.right - 20) << "View Am whole in sight";
    }
    EXPECT_EQ(canvas.right - canvas.left, client.right - 50) << "the margins double too";
    proposed = {0, 0, 850, 600};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(buttonSize(), std::make_pair(100L, 20L));
    EXPECT_EQ(MainSession().canvasState.dpi, 96);
}

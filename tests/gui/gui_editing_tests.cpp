// The editing tools driven by real mouse messages on the canvas: polygons drawn vertex by vertex,
// vertices and polygons moved, polygons deleted, and the three dialogs of heights, priorities and
// names, answered step by step as a user would fill them in.
#include "tests/gui/gui_test_support.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_modes.h"
#include "editing/edit_state.h"
#include "engine/run/calc_records.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_dialog_steps.h"
#include "ui/app_windows_win.h"
#include "view/canvas_state.h"

namespace {

const char* const VertexCaption = "Insert the height of vertex and Optiond data";
const char* const HeightCaption = "Edit height of vertex";
const char* const OptionsCaption = "Polygon's options";
const UINT WarningOk = MB_OK | MB_ICONWARNING;
const int32_t StaleResult = 7;  // a contour count standing for a result that an edit must discard

std::vector<Step> SaveVertex(const std::string& height) {
    return {Type(IDC_VERTEX_HEIGHT, height), Press(IDC_VERTEX_SAVE)};
}

struct Shown {
    std::string height, name;
    int priority = -1;
};

Step LookAtVertexDialog(Shown* into) {
    return [=](HWND d) {
        Read(IDC_VERTEX_HEIGHT, &into->height)(d);
        Read(IDC_VERTEX_NAME, &into->name)(d);
        ReadChoice(IDC_VERTEX_PRIORITY, &into->priority)(d);
    };
}

PolygonRecord Outline(const std::vector<Point>& corners, double height, const char* name) {
    PolygonRecord outline;
    for (const Point& p : corners) {
        outline.x.push_back(p.x);
        outline.y.push_back(p.y);
        outline.height.push_back(height);
    }
    outline.vertexCount = static_cast<int32_t>(corners.size());
    SetPolygonName(&outline, name);
    return outline;
}

void ExpectSamePolygon(const PolygonRecord& actual, const PolygonRecord& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_STREQ(actual.name, expected.name);
    EXPECT_EQ(actual.priority, expected.priority);
}

// At "x 1.0" with the view at the origin, pixel (px, py) is the world point (px / 10, py / 10) metres.
class Editing : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ResetCanvasState(&MainSession().canvasState);
        ClearDialogSteps();
        for (const char* caption : {VertexCaption, HeightCaption, OptionsCaption})
            watch->OnActivate(caption, AnswerDialog);
    }

    void TearDown() override {
        EXPECT_EQ(DialogStepsLeft(), 0u) << "a dialog never shown, or ended before its last step";
        ClearDialogSteps();
        MainWindowTest::TearDown();
    }

    void Move(int x, int y) { SendMessageA(canvasWindow, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void Mouse(UINT message, int x, int y) { SendMessageA(canvasWindow, message, 0, MAKELPARAM(x, y)); }
    void Left(int x, int y) {
        Move(x, y);
        Mouse(WM_LBUTTONDOWN, x, y);
    }
    void Right(int x, int y) {
        Move(x, y);
        Mouse(WM_RBUTTONDOWN, x, y);
    }
    void Vertex(int x, int y, const std::string& height) {
        QueueDialogSteps(SaveVertex(height));
        Left(x, y);
    }

    // A drawing of these polygons opened with a tool chosen, and a result present that edits discard.
    void OpenWith(const std::vector<PolygonRecord>& polygons, int toolButton) {
        std::string path = TempPath("editing.Zlv");
        ASSERT_TRUE(WriteDrawing(path, polygons));
        Open(path);
        Click(toolButton);
        ShowContours(StaleResult);
    }

    void ExpectUntouched() {
        EXPECT_EQ(MainSession().drawing.modified, 0);
        EXPECT_EQ(CurrentResult().contourCount, StaleResult);
    }

    void ExpectChanged() {
        EXPECT_EQ(MainSession().drawing.modified, 1);
        EXPECT_EQ(CurrentResult().contourCount, 0);
    }

    void MarkUnchanged() {
        MainSession().drawing.modified = 0;
        ShowContours(StaleResult);
    }

    std::string Status(int part) {
        char text[300] = {};
        SendMessageA(statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::string ViewButtons() { return Looks(window).substr(4); }
};

}  // namespace

TEST_F(Editing, LeftLeftRightDrawsATriangleThatCountsOnlyWhenClosed) {
    Command(IDM_FILE_NEW);
    Click(IDC_CREATE_BUTTON);
    ShowContours(StaleResult);
    Shown shown[3];
    QueueDialogSteps({LookAtVertexDialog(&shown[0]), Type(IDC_VERTEX_HEIGHT, "2"), Choose(IDC_VERTEX_PRIORITY, 2),
                      Type(IDC_VERTEX_NAME, "Tower"), Press(IDC_VERTEX_SAVE)});
    QueueDialogSteps({LookAtVertexDialog(&shown[1]), Type(IDC_VERTEX_HEIGHT, "3"), Press(IDC_VERTEX_SAVE)});
    QueueDialogSteps({LookAtVertexDialog(&shown[2]), Type(IDC_VERTEX_HEIGHT, "4"), Press(IDC_VERTEX_SAVE)});

    Left(100, 100);
    EXPECT_TRUE(MainSession().editState.constructing);
    Left(300, 100);
    EXPECT_EQ(MainSession().editState.pendingPolygon.vertexCount, 2);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    EXPECT_EQ(CurrentResult().contourCount, StaleResult);
    EXPECT_EQ(ViewButtons(), "--");
    Move(200, 250);
    EXPECT_EQ(Status(1), "Distance [m] x: -10.000, y: 15.000, tot: 18.028");  // from the last vertex placed

    Mouse(WM_RBUTTONDOWN, 200, 250);
    EXPECT_FALSE(MainSession().editState.constructing);
    ASSERT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    EXPECT_EQ(CurrentResult().contourCount, 0);
    EXPECT_EQ(MainSession().drawing.calcReady, 1);
    EXPECT_EQ(ViewButtons(), "oo");
    const PolygonRecord& triangle = MainSession().drawing.polygons.polygon(0);
    EXPECT_EQ(triangle.x, (std::vector<double>{10, 30, 20}));
    EXPECT_EQ(triangle.y, (std::vector<double>{10, 10, 25}));
    EXPECT_EQ(triangle.height, (std::vector<double>{2, 3, 4}));
    EXPECT_STREQ(triangle.name, "Tower");
    EXPECT_EQ(triangle.priority, 2);
    EXPECT_EQ(MainSession().drawing.polygons.priorities()[0], 2);
    // Each dialog proposes the height before it and shows the priority and name chosen so far.
    const Shown expected[3] = {{"1.00", "Polygon 0", 0}, {"2.00", "Tower", 2}, {"3.00", "Tower", 2}};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(shown[i].height, expected[i].height) << "dialog " << i;
        EXPECT_EQ(shown[i].name, expected[i].name) << "dialog " << i;
        EXPECT_EQ(shown[i].priority, expected[i].priority) << "dialog " << i;
    }
    EXPECT_TRUE(script.prompts.empty());
}

// The click's own coordinates play no part: the vertex goes where the last move left the pointer.
TEST_F(Editing, VertexGoesToTheSnappedPointerNotToTheClick) {
    Command(IDM_FILE_NEW);
    MainSession().drawing.drawOptions.snapOn = 1;  // a 1 m grid at "x 1.0": 10 pixels
    Click(IDC_CREATE_BUTTON);
    SendMessageA(canvasWindow, WM_PAINT, 0, 0);
    ASSERT_EQ(MainSession().canvasState.gridStep, 10);
    QueueDialogSteps(SaveVertex("1"));
    Move(104, 57);
    Mouse(WM_LBUTTONDOWN, 400, 400);
    ASSERT_EQ(MainSession().editState.pendingPolygon.vertexCount, 1);
    EXPECT_EQ(MainSession().editState.pendingPolygon.x[0], 10.0);
    EXPECT_EQ(MainSession().editState.pendingPolygon.y[0], 6.0);
    Move(124, 57);
    EXPECT_EQ(Status(1), "Distance [m] x: 2.000, y: 0.000, tot: 2.000");
}

TEST_F(Editing, RefusedClicksWarnAndLeaveTheConstructionAsItWas) {
    Command(IDM_FILE_NEW);
    Click(IDC_CREATE_BUTTON);
    Right(50, 50);  // nothing under construction: nothing to close
    EXPECT_FALSE(MainSession().editState.constructing);
    EXPECT_TRUE(script.prompts.empty());

    struct Refusal {
        UINT button;
        int x, y;
        const char* text;
        const char* why;
    };
    auto refuse = [this](const Refusal& r) {
        SCOPED_TRACE(r.why);
        const PolygonRecord before = MainSession().editState.pendingPolygon;
        int dialogs = watch->Created(VertexCaption);
        size_t prompts = script.prompts.size();
        Move(r.x, r.y);
        Mouse(r.button, r.x, r.y);
        ASSERT_EQ(script.prompts.size(), prompts + 1);
        ExpectPrompt(script.prompts.back(), window, r.text, "Warning", WarningOk);
        EXPECT_EQ(watch->Created(VertexCaption), dialogs);
        EXPECT_TRUE(MainSession().editState.constructing);
        ExpectSamePolygon(MainSession().editState.pendingPolygon, before);
        EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
        EXPECT_EQ(MainSession().drawing.modified, 0);
    };
    Vertex(100, 100, "5");
    refuse({WM_RBUTTONDOWN, 300, 100, "Minimum three vertices", "a close after one vertex"});
    Vertex(300, 100, "5");
    Vertex(300, 300, "5");
    const Refusal refusals[] = {
        {WM_LBUTTONDOWN, 300, 300, "Invalid Point", "a zero-length edge"},
        {WM_LBUTTONDOWN, 200, 50, "Invalid Point", "an edge crossing the first one"},
        {WM_LBUTTONDOWN, 300, 200, "Invalid Point", "an edge running back along the last one"},
        {WM_RBUTTONDOWN, 100, 100, "Invalid Point", "a close on the first vertex"},
        {WM_RBUTTONDOWN, 400, 200, "Invalid Point", "a closing edge crossing the second edge"},
    };
    for (const Refusal& r : refusals)
        refuse(r);
    QueueDialogSteps(SaveVertex("5"));
    Right(100, 300);  // the construction went on: a close elsewhere works
    ASSERT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).vertexCount, 4);

    // A second vertex on the first is taken, since one vertex has no edge to test; every edge from
    // it fails, and only Escape ends that polygon.
    Shown next;
    QueueDialogSteps({LookAtVertexDialog(&next), Press(IDC_VERTEX_SAVE)});
    Left(500, 100);
    EXPECT_EQ(next.name, "Polygon 1");
    Vertex(500, 100, "1");
    EXPECT_EQ(MainSession().editState.pendingPolygon.vertexCount, 2);
    script.prompts.clear();
    Left(600, 200);
    Right(600, 300);
    ASSERT_EQ(script.prompts.size(), 2u);
    EXPECT_EQ(script.prompts[0].text, "Invalid Point");
    EXPECT_EQ(script.prompts[1].text, "Invalid Point");
    Escape();
    EXPECT_FALSE(MainSession().editState.constructing);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
}

TEST_F(Editing, VertexDropMovesItOrIsRefusedLeavingThePolygon) {
    OpenWith({Square(10, 10, 20, 5), Outline({{50, 10}, {70, 10}, {60, 25}}, 3, "Triangle")}, IDC_EDIT_BUTTON);
    struct Drop {
        int polygon, vertex;
        int fromX, fromY, toX, toY;
        bool accepted;
        const char* why;
    };
    const Drop drops[] = {
        {0, 2, 300, 300, 350, 320, true, "to a free spot"},
        {0, 2, 350, 320, 300, 100, false, "onto its neighbour"},
        {0, 2, 350, 320, 50, 200, false, "so that its edge crosses another"},
        {1, 2, 600, 250, 500, 100, false, "the last of a triangle onto the first"},
        {0, 3, 100, 300, 100, 100, true, "the last of four onto the first: a closing repetition"},
    };
    for (const Drop& d : drops) {
        SCOPED_TRACE(d.why);
        MarkUnchanged();
        script.prompts.clear();
        const PolygonRecord before = MainSession().drawing.polygons.polygon(d.polygon);
        Left(d.fromX, d.fromY);
        ASSERT_TRUE(MainSession().editState.dragActive);
        EXPECT_EQ(MainSession().editState.selectedPolygon, d.polygon);
        EXPECT_EQ(MainSession().editState.selectedVertex, d.vertex);
        EXPECT_EQ(Menus(window), "save calc");  // no zoom or snap change under the drag
        Right(d.fromX, d.fromY);                // a right click during the drag does nothing
        EXPECT_EQ(watch->Created(HeightCaption), 0);
        Move(d.toX, d.toY);
        if (d.accepted && d.vertex == 2) {  // measured from where the vertex still stands
            EXPECT_EQ(Status(1), "Distance [m] x: 5.000, y: 2.000, tot: 5.385");
        }
        Left(d.toX, d.toY);
        EXPECT_FALSE(MainSession().editState.dragActive);
        EXPECT_EQ(MainSession().editState.selectedPolygon, -1);
        EXPECT_EQ(MainSession().editState.selectedVertex, -1);
        EXPECT_EQ(Menus(window), "save calc draw");
        const PolygonRecord& after = MainSession().drawing.polygons.polygon(d.polygon);
        if (d.accepted) {
            EXPECT_TRUE(script.prompts.empty());
            EXPECT_EQ(after.x[d.vertex], d.toX / 10.0);
            EXPECT_EQ(after.y[d.vertex], d.toY / 10.0);
            EXPECT_EQ(after.height, before.height);
            ExpectChanged();
        } else {
            ASSERT_EQ(script.prompts.size(), 1u);
            ExpectPrompt(script.prompts[0], window, "Invalid Point", "Warning", WarningOk);
            ExpectSamePolygon(after, before);
            ExpectUntouched();
        }
    }
}

TEST_F(Editing, PolygonDropShiftsItByTheDragOrIsRefused) {
    OpenWith({Square(10, 10, 20, 5)}, IDC_EDIT_BUTTON);
    PolygonRecord expected = MainSession().drawing.polygons.polygon(0);
    Left(150, 160);  // inside, away from the vertices: the whole polygon
    ASSERT_TRUE(MainSession().editState.dragActive);
    EXPECT_EQ(MainSession().editState.selectedVertex, -1);
    Move(250, 170);
    EXPECT_EQ(Status(1), "Distance [m] x: 10.000, y: 1.000, tot: 10.050");
    Mouse(WM_LBUTTONDOWN, 250, 170);
    EXPECT_FALSE(MainSession().editState.dragActive);
    expected.x = {20, 40, 40, 20};
    expected.y = {11, 11, 31, 31};
    ExpectSamePolygon(MainSession().drawing.polygons.polygon(0), expected);
    ExpectChanged();
    EXPECT_TRUE(script.prompts.empty());

    // A polygon that fails the checks wherever it lies cannot be moved: a bow tie, picked up in its
    // right-hand lobe.
    const PolygonRecord bowTie = Outline({{60, 10}, {80, 30}, {80, 10}, {60, 30}}, 2, "Bow tie");
    MainSession().drawing.polygons.appendPolygon(bowTie);
    MarkUnchanged();
    Left(770, 200);
    ASSERT_EQ(MainSession().editState.selectedPolygon, 1);
    Left(780, 300);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, "Invalid Position", "Warning", WarningOk);
    ExpectSamePolygon(MainSession().drawing.polygons.polygon(1), bowTie);
    ExpectSamePolygon(MainSession().drawing.polygons.polygon(0), expected);
    ExpectUntouched();
    EXPECT_FALSE(MainSession().editState.dragActive);
    EXPECT_EQ(Menus(window), "save calc draw");
}

TEST_F(Editing, RightClickOpensTheDialogOfWhatItHitsAndCancelKeepsEverything) {
    OpenWith({Square(10, 10, 20, 5)}, IDC_EDIT_BUTTON);
    const PolygonRecord before = MainSession().drawing.polygons.polygon(0);
    Right(700, 400);  // a miss
    EXPECT_EQ(watch->Created(HeightCaption) + watch->Created(OptionsCaption), 0);

    std::string shownHeight;
    QueueDialogSteps({Read(IDC_HEIGHT_VALUE, &shownHeight), Type(IDC_HEIGHT_VALUE, "9"), Press(IDC_HEIGHT_CANCEL)});
    Right(300, 300);
    EXPECT_EQ(watch->Created(HeightCaption), 1);
    EXPECT_EQ(shownHeight, "5.00");
    EXPECT_EQ(MainSession().editState.selectedPolygon, -1);
    EXPECT_EQ(MainSession().editState.selectedVertex, -1);

    std::string shownName;
    int shownPriority = -1;
    QueueDialogSteps({Read(IDC_POLYGON_NAME, &shownName), ReadChoice(IDC_POLYGON_PRIORITY, &shownPriority),
                      Type(IDC_POLYGON_NAME, "Other"), Choose(IDC_POLYGON_PRIORITY, 5), Press(IDC_POLYGON_CANCEL)});
    Right(200, 200);
    EXPECT_EQ(watch->Created(OptionsCaption), 1);
    EXPECT_EQ(shownName, "Square");
    EXPECT_EQ(shownPriority, 0);

    ExpectSamePolygon(MainSession().drawing.polygons.polygon(0), before);
    EXPECT_EQ(MainSession().drawing.polygons.priorities()[0], 0);
    ExpectUntouched();
    EXPECT_TRUE(script.prompts.empty());
}

// A height from 0 to 1000 m is stored as typed; anything else is refused with a message that names the
// field and the range, the dialog stays with the text as typed, and nothing changes.
TEST_F(Editing, HeightDialogStoresTheHeightTypedAndRefusesTheRestWithAMessage) {
    OpenWith({Square(10, 10, 20, 5)}, IDC_EDIT_BUTTON);
    const std::pair<const char*, double> inputs[] = {{"0", 0.0}, {"0.001", 0.001}, {"2,5", 2.5}, {"1000", 1000.0}};
    for (auto [input, stored] : inputs) {
        SCOPED_TRACE(input);
        MarkUnchanged();
        QueueDialogSteps({Type(IDC_HEIGHT_VALUE, input), Press(IDC_HEIGHT_SAVE)});
        Right(300, 300);
        EXPECT_DOUBLE_EQ(MainSession().drawing.polygons.polygon(0).height[2], stored);
        ExpectChanged();
    }
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).height[1], 5.0);

    MarkUnchanged();
    const std::vector<std::string> bad = {"-4", "-5", "12-3", "-", "2.5.1", "1e9", "99999", "abc", ""};
    std::vector<std::string> after(bad.size());
    std::vector<Step> steps;
    for (size_t i = 0; i < bad.size(); i++)
        steps.insert(steps.end(),
                     {Type(IDC_HEIGHT_VALUE, bad[i]), Press(IDC_HEIGHT_SAVE), Read(IDC_HEIGHT_VALUE, &after[i])});
    steps.push_back(Press(IDC_HEIGHT_CANCEL));
    QueueDialogSteps(steps);
    Right(300, 300);
    EXPECT_EQ(after, bad) << "the text stays as typed";
    ASSERT_EQ(script.prompts.size(), bad.size());
    for (const PromptCall& prompt : script.prompts) {
        EXPECT_EQ(prompt.text, "Height of vertex [m] takes a number from 0 to 1000.");
        EXPECT_EQ(prompt.flags, WarningOk);
        EXPECT_NE(prompt.owner, window) << "owned by the dialog";
    }
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).height[2], 1000.0);
    ExpectUntouched();
}

// A height read from a file with three decimals is shown with two; saved untouched it keeps all three,
// and only a height typed anew is stored as typed.
TEST_F(Editing, HeightShownRoundedIsSavedRoundedAsAChange) {
    OpenWith({Square(10, 10, 20, 2.567)}, IDC_EDIT_BUTTON);
    MarkUnchanged();
    std::string shown;
    QueueDialogSteps({Read(IDC_HEIGHT_VALUE, &shown), Press(IDC_HEIGHT_SAVE)});
    Right(100, 300);
    EXPECT_EQ(shown, "2.57");
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).height[3], 2.567);
    ExpectUntouched();

    QueueDialogSteps({Type(IDC_HEIGHT_VALUE, "2,57"), Press(IDC_HEIGHT_SAVE)});
    Right(100, 300);
    EXPECT_DOUBLE_EQ(MainSession().drawing.polygons.polygon(0).height[3], 2.57);
    EXPECT_EQ(MainSession().drawing.polygons.polygon(0).height[0], 2.567);
    ExpectChanged();
}

TEST_F(Editing, VertexDialogEndsOnlyWithAValidHeightAndAName) {
    Command(IDM_FILE_NEW);
    Click(IDC_CREATE_BUTTON);
    std::string afterBadHeight, afterEmptyName;
    QueueDialogSteps({Type(IDC_VERTEX_HEIGHT, "abc"), Press(IDC_VERTEX_SAVE), Read(IDC_VERTEX_HEIGHT, &afterBadHeight),
                      Type(IDC_VERTEX_HEIGHT, "-0.004"), Press(IDC_VERTEX_SAVE), Type(IDC_VERTEX_HEIGHT, "3"),
                      Type(IDC_VERTEX_NAME, ""), Press(IDC_VERTEX_SAVE), Read(IDC_VERTEX_HEIGHT, &afterEmptyName),
                      PressEscape(IDC_VERTEX_HEIGHT), Type(IDC_VERTEX_HEIGHT, "0,004"), Type(IDC_VERTEX_NAME, "Hall"),
                      Choose(IDC_VERTEX_PRIORITY, 9), Press(IDC_VERTEX_SAVE)});
    Left(100, 100);
    EXPECT_EQ(afterBadHeight, "abc") << "the text stays as typed, selected";
    EXPECT_EQ(afterEmptyName, "3");
    ASSERT_EQ(script.prompts.size(), 3u) << "the two heights and the empty name refused, each with its message";
    EXPECT_EQ(script.prompts[0].text, "Vertex's height [m] takes a number from 0 to 1000.");
    EXPECT_EQ(script.prompts[1].text, "Vertex's height [m] takes a number from 0 to 1000.");
    EXPECT_EQ(script.prompts[2].text, "Polygon name cannot be empty.");
    script.prompts.clear();
    const PolygonRecord& pending = MainSession().editState.pendingPolygon;
    ASSERT_EQ(pending.vertexCount, 1);
    EXPECT_EQ(pending.height[0], 0.004);
    EXPECT_STREQ(pending.name, "Hall");
    EXPECT_EQ(pending.priority, 9);

    Shown next;
    QueueDialogSteps({LookAtVertexDialog(&next), Press(IDC_VERTEX_SAVE)});
    Left(300, 100);
    EXPECT_EQ(next.height, "0.00");
    EXPECT_EQ(next.name, "Hall");
    EXPECT_EQ(next.priority, 9);
    EXPECT_EQ(pending.height[1], 0.004) << "the proposal shown as 0.00 and left so keeps its value";
    EXPECT_TRUE(script.prompts.empty());
}

// The fields neither take more than 99 typed characters (they do not scroll, so the box's width may
// stop typing sooner) nor store more of a longer text put into them otherwise.
TEST_F(Editing, NameFieldsHoldAtMostNinetyNineCharacters) {
    OpenWith({Square(10, 10, 20, 5)}, IDC_EDIT_BUTTON);
    const std::string keys(120, 'k'), pasted(150, 'p');
    std::string typedInOptions, typedInVertex;
    QueueDialogSteps({TypeKeys(IDC_POLYGON_NAME, keys), Read(IDC_POLYGON_NAME, &typedInOptions),
                      Type(IDC_POLYGON_NAME, pasted), Press(IDC_POLYGON_SAVE)});
    Right(200, 200);
    EXPECT_FALSE(typedInOptions.empty());
    EXPECT_LE(typedInOptions.size(), 99u);
    EXPECT_EQ(std::string(MainSession().drawing.polygons.polygon(0).name), std::string(99, 'p'));

    Click(IDC_CREATE_BUTTON);
    QueueDialogSteps({TypeKeys(IDC_VERTEX_NAME, keys), Read(IDC_VERTEX_NAME, &typedInVertex),
                      Type(IDC_VERTEX_NAME, pasted), Press(IDC_VERTEX_SAVE)});
    Left(500, 500);
    EXPECT_FALSE(typedInVertex.empty());
    EXPECT_LE(typedInVertex.size(), 99u);
    EXPECT_EQ(std::string(MainSession().editState.pendingPolygon.name), std::string(99, 'p'));
}

// Two squares overlap at pixel (250, 250); with equal priorities the later one is on top there.
// Neither is calculated from, so the result stays the drawing's result.
TEST_F(Editing, NewPriorityOrNameMarksTheDrawingAndKeepsTheResult) {
    PolygonRecord back = Square(20, 20, 20, 5);
    SetPolygonName(&back, "Back");
    OpenWith({Square(10, 10, 20, 5), back}, IDC_EDIT_BUTTON);
    std::string shown;
    QueueDialogSteps({Read(IDC_POLYGON_NAME, &shown), Type(IDC_POLYGON_NAME, "Shed"), Press(IDC_POLYGON_SAVE)});
    Right(250, 250);
    EXPECT_EQ(shown, "Back");
    EXPECT_STREQ(MainSession().drawing.polygons.polygon(1).name, "Shed");
    EXPECT_EQ(MainSession().drawing.modified, 1);
    EXPECT_EQ(CurrentResult().contourCount, StaleResult);

    MarkUnchanged();
    std::string restored;
    QueueDialogSteps({Type(IDC_POLYGON_NAME, ""), Press(IDC_POLYGON_SAVE), Read(IDC_POLYGON_NAME, &restored),
                      Choose(IDC_POLYGON_PRIORITY, 9), Type(IDC_POLYGON_NAME, "Shed"), Press(IDC_POLYGON_SAVE)});
    Right(250, 250);
    EXPECT_EQ(restored, "") << "the empty name stays, told and selected";
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text, "Polygon name cannot be empty.");
    EXPECT_NE(script.prompts[0].owner, window) << "owned by the dialog";
    script.prompts.clear();
    EXPECT_STREQ(MainSession().drawing.polygons.polygon(1).name, "Shed");
    EXPECT_EQ(MainSession().drawing.polygons.polygon(1).priority, 9);
    EXPECT_EQ(MainSession().drawing.polygons.priorities()[1], 9);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    EXPECT_EQ(CurrentResult().contourCount, StaleResult);

    // Priority "10" lies beneath "1": the overlap now belongs to the other square.
    QueueDialogSteps({Read(IDC_POLYGON_NAME, &shown), Press(IDC_POLYGON_CANCEL)});
    Right(250, 250);
    EXPECT_EQ(shown, "Square");
    EXPECT_TRUE(script.prompts.empty());
}

TEST_F(Editing, DeleteAsksFirstAndRemovesThePolygonOnlyOnYes) {
    PolygonRecord other = Square(50, 10, 20, 5);
    SetPolygonName(&other, "Other");
    OpenWith({Square(10, 10, 20, 5), other}, IDC_DELETE_BUTTON);
    Left(700, 400);   // a miss asks nothing
    Right(200, 200);  // the right button does nothing here
    EXPECT_TRUE(script.prompts.empty());

    script.answers.push_back(IDNO);
    Left(200, 200);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, "Do you want to erease this polygon?", "Warning",
                 MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 2);
    ExpectUntouched();

    // Just outside the second square, near its corner at (50, 30): the corner's polygon goes.
    script.answers.push_back(IDYES);
    Left(498, 302);
    ASSERT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_STREQ(MainSession().drawing.polygons.polygon(0).name, "Square");
    ExpectChanged();
    EXPECT_EQ(ViewButtons(), "oo");

    script.answers.push_back(IDYES);
    Left(200, 200);
    EXPECT_EQ(MainSession().drawing.polygons.count(), 0);
    EXPECT_EQ(MainSession().drawing.calcReady, 0);
    EXPECT_EQ(ViewButtons(), "--");
}

namespace {

double JsonNumber(const std::string& json, const char* key) {
    size_t at = json.find("\"" + std::string(key) + "\": ");
    return at == std::string::npos ? -1.0 : strtod(json.c_str() + at + strlen(key) + 4, nullptr);
}

}  // namespace

// A 20 m x 10 m rectangle at 5 m: Ad is the rectangle widened by 3 x 5 m, Am the ring 500 m wide
// around it; the arcs are polygons, a little short of true circles.
TEST_F(Editing, MouseDrawnRectangleCalculatesAsTheCommandLineToolDoes) {
    Command(IDM_FILE_NEW);
    Click(IDC_CREATE_BUTTON);
    Vertex(100, 100, "5");
    Vertex(300, 100, "5");
    Vertex(300, 200, "5");
    QueueDialogSteps(SaveVertex("5"));
    Right(100, 200);
    ASSERT_EQ(MainSession().drawing.polygons.count(), 1);
    std::string path = TempPath("mouse_drawn.Zlv");
    script.fileNames.push_back(path);
    Command(IDM_FILE_SAVE);
    ASSERT_EQ(MainSession().drawing.modified, 0);

    Click(IDC_VIEW_AD_BUTTON);
    ASSERT_GT(CurrentResult().contourCount, 0);
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
    const double pi = 4 * atan(1.0);
    const double ad = (200 + 2 * 15 * 30 + pi * 15 * 15) * 1e-6, am = (2 * 500 * 30 + pi * 500 * 500) * 1e-6;
    EXPECT_NEAR(CurrentResult().ad, ad, ad * 1e-3);
    EXPECT_NEAR(CurrentResult().am, am, am * 1e-3);

    DWORD exitCode = 99;
    std::string json = CommandLineOutput("calc --json \"" + path + "\"", &exitCode);
    ASSERT_FALSE(json.empty()) << WindowsPath(ZELVORA_CLI);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(JsonNumber(json, "ad"), CurrentResult().ad) << json;
    EXPECT_EQ(JsonNumber(json, "am"), CurrentResult().am) << json;
    EXPECT_EQ(JsonNumber(json, "vertices"), 4.0) << json;
}

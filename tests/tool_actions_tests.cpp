// Tests of what the editing tools do with a click: the outcome they name for the window, and what they
// change in the drawing and in the editing state. At "x 1.0" with no scroll a pixel is 0.1 m.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "editing/tool_actions.h"
#include "tests/session_test.h"
#include "tests/test_support.h"

namespace {

const ViewTransform View = {0, 0, 1.0};

class ToolActions : public SessionTest {
  protected:
    void SetUp() override {
        StartDrawing(session);
        NewDrawing(session);
        edit = EditState();
    }

    // A 10 m square at (5 m, 5 m): vertices at pixels (50,50) (150,50) (150,150) (50,150).
    void AddSquare() {
        drawing.polygons.appendPolygon(MakePolygon("square", 0, {{5, 5, 4}, {15, 5, 4}, {15, 15, 4}, {5, 15, 4}}));
    }

    // The new-vertex dialog answered with what it proposes.
    ToolOutcome CreateAndAnswer(bool right, Point at) {
        ToolOutcome outcome = right ? ToolRightClick(CreateTool, &edit, drawing, View, {0, 0}, at)
                                    : ToolLeftClick(CreateTool, &edit, &drawing, View, {0, 0}, at);
        if (outcome.dialog == ToolDialog::NewVertex)
            TakeNewVertex(&edit, &drawing, &outcome, ProposedVertex(edit, outcome.vertex));
        return outcome;
    }

    EditState edit;
};

}  // namespace

// A polygon is started by a left click, grows by left clicks whose edge crosses nothing placed, and is
// closed by a right click that places the last vertex; every vertex is asked for in its dialog.
TEST_F(ToolActions, CreateBuildsAPolygonClickByClick) {
    struct Step {
        const char* what;
        bool right;
        Point at;
        ToolMessage message;
        ToolDialog dialog;
        bool constructing;
        int32_t pendingVertices, polygons;
    };
    const Step steps[] = {
        {"right click before any vertex: nothing under construction",
         true,
         {1, 1},
         ToolMessage::None,
         ToolDialog::None,
         false,
         0,
         0},
        {"first vertex", false, {0, 0}, ToolMessage::None, ToolDialog::NewVertex, true, 1, 0},
        {"closing with one vertex", true, {5, 5}, ToolMessage::MinimumThreeVertices, ToolDialog::None, true, 1, 0},
        {"second vertex", false, {10, 0}, ToolMessage::None, ToolDialog::NewVertex, true, 2, 0},
        {"third vertex", false, {10, 10}, ToolMessage::None, ToolDialog::NewVertex, true, 3, 0},
        {"an edge back across the first", false, {5, -5}, ToolMessage::InvalidPoint, ToolDialog::None, true, 3, 0},
        {"closing across the first edge", true, {5, -5}, ToolMessage::InvalidPoint, ToolDialog::None, true, 3, 0},
        {"closing", true, {0, 10}, ToolMessage::None, ToolDialog::NewVertex, false, 0, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        ShowResultOfDrawing(session, 5);
        ToolOutcome outcome = CreateAndAnswer(s.right, s.at);
        EXPECT_EQ(outcome.message, s.message);
        EXPECT_EQ(outcome.dialog, s.dialog);
        EXPECT_EQ(edit.constructing, s.constructing);
        EXPECT_EQ(edit.pendingPolygon.vertexCount, s.pendingVertices);
        EXPECT_EQ(drawing.polygons.count(), s.polygons);
        bool closed = s.polygons == 1;
        EXPECT_EQ(outcome.changed, closed);
        EXPECT_EQ(drawing.modified, closed ? 1 : 0);
        EXPECT_EQ(ShownContours(session), closed ? 0 : 5) << "only a closed polygon discards the results";
    }
    const PolygonRecord& made = drawing.polygons.polygon(0);
    EXPECT_EQ(made.x, (std::vector<double>{0, 10, 10, 0}));
    EXPECT_EQ(made.y, (std::vector<double>{0, 0, 10, 10}));
    EXPECT_STREQ(made.name, "Polygon 0");
}

// The first vertex's answer names the polygon and sets its priority; each vertex keeps its own height.
TEST_F(ToolActions, CreateTakesEachVertexAnswer) {
    ToolOutcome first = ToolLeftClick(CreateTool, &edit, &drawing, View, {0, 0}, {0, 0});
    EXPECT_FALSE(edit.constructing) << "under construction only once the first vertex is answered";
    VertexAnswer answer = ProposedVertex(edit, 0);
    EXPECT_EQ(answer.height, 1.0);
    EXPECT_STREQ(answer.name, "Polygon 0");
    answer = {12.5, 3, "Hall"};
    TakeNewVertex(&edit, &drawing, &first, answer);
    ToolOutcome second = ToolLeftClick(CreateTool, &edit, &drawing, View, {0, 0}, {10, 0});
    EXPECT_EQ(ProposedVertex(edit, second.vertex).height, 12.5) << "a new vertex proposes the height before it";
    TakeNewVertex(&edit, &drawing, &second, {7.0, 3, "Hall"});
    EXPECT_EQ(edit.pendingPolygon.height, (std::vector<double>{12.5, 7.0}));
    EXPECT_EQ(edit.pendingPolygon.priority, 3);
    EXPECT_STREQ(edit.pendingPolygon.name, "Hall");
}

// A pick-up and a drop are two left clicks; a drop that would make the polygon cross itself is refused
// and ends the drag all the same.
TEST_F(ToolActions, EditPicksUpAndDrops) {
    struct Step {
        const char* what;
        PixelPoint click;
        ToolMessage message;
        bool changed, dragActive;
        int32_t selectedPolygon, selectedVertex;
    };
    const Step steps[] = {
        {"a miss picks up nothing", {400, 400}, ToolMessage::None, false, false, -1, -1},
        {"vertex 2 picked up", {150, 150}, ToolMessage::None, false, true, 0, 2},
        {"dropped where its edge crosses the first", {100, 0}, ToolMessage::InvalidPoint, false, false, -1, -1},
        {"vertex 2 picked up again", {150, 150}, ToolMessage::None, false, true, 0, 2},
        {"dropped further out", {200, 180}, ToolMessage::None, true, false, -1, -1},
        {"the polygon picked up inside", {100, 100}, ToolMessage::None, false, true, 0, -1},
        {"moved by 3 m right", {130, 100}, ToolMessage::None, true, false, -1, -1},
    };
    AddSquare();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        drawing.modified = 0;
        bool wasDragging = edit.dragActive;
        ToolOutcome outcome = ToolLeftClick(EditTool, &edit, &drawing, View, s.click, {0, 0});
        EXPECT_EQ(outcome.message, s.message);
        EXPECT_EQ(outcome.changed, s.changed);
        EXPECT_EQ(drawing.modified, s.changed ? 1 : 0);
        EXPECT_EQ(outcome.dragChanged, wasDragging || s.dragActive);
        EXPECT_EQ(edit.dragActive, s.dragActive);
        EXPECT_EQ(edit.selectedPolygon, s.selectedPolygon);
        EXPECT_EQ(edit.selectedVertex, s.selectedVertex);
    }
    EXPECT_EQ(drawing.polygons.polygon(0).x, (std::vector<double>{8, 18, 23, 8}));
    EXPECT_EQ(drawing.polygons.polygon(0).y, (std::vector<double>{5, 5, 18, 15}));
}

TEST_F(ToolActions, EditRightClickNamesTheDialogOfWhatItHits) {
    AddSquare();
    ToolOutcome vertex = ToolRightClick(EditTool, &edit, drawing, View, {150, 50}, {0, 0});
    EXPECT_EQ(vertex.dialog, ToolDialog::VertexHeight);
    EXPECT_EQ(vertex.polygon, 0);
    EXPECT_EQ(vertex.vertex, 1);
    EXPECT_EQ(edit.selectedVertex, 1) << "the vertex stays selected while its dialog is up";
    FinishToolDialog(&edit, vertex);
    EXPECT_EQ(edit.selectedPolygon, -1);
    EXPECT_EQ(edit.selectedVertex, -1);

    ToolOutcome inside = ToolRightClick(EditTool, &edit, drawing, View, {100, 100}, {0, 0});
    EXPECT_EQ(inside.dialog, ToolDialog::PolygonOptions);
    EXPECT_EQ(inside.polygon, 0);

    edit = EditState();
    edit.dragActive = true;
    EXPECT_EQ(ToolRightClick(EditTool, &edit, drawing, View, {150, 50}, {0, 0}).dialog, ToolDialog::None)
        << "nothing is edited while a drag carries something";
    EXPECT_EQ(ToolRightClick(DeleteTool, &edit, drawing, View, {150, 50}, {0, 0}).dialog, ToolDialog::None);
}

// Delete asks first; only the answer Yes removes the whole polygon.
TEST_F(ToolActions, DeleteAsksBeforeTheWholePolygonGoes) {
    AddSquare();
    EXPECT_EQ(ToolLeftClick(DeleteTool, &edit, &drawing, View, {400, 400}, {0, 0}).message, ToolMessage::None);
    ToolOutcome asked = ToolLeftClick(DeleteTool, &edit, &drawing, View, {150, 150}, {0, 0});
    EXPECT_EQ(asked.message, ToolMessage::ConfirmDelete);
    EXPECT_EQ(asked.polygon, 0);
    EXPECT_EQ(drawing.polygons.count(), 1) << "nothing goes before the answer";
    ConfirmDelete(&drawing, &asked);
    EXPECT_TRUE(asked.changed);
    EXPECT_EQ(drawing.polygons.count(), 0);
    EXPECT_EQ(drawing.modified, 1);
}

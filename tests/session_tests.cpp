// Two sessions, as two main windows would hold them, share nothing: whatever one of them goes through,
// the other's drawing, history, result, modes, tools, view, highlight and listeners stay as they were.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "app/drawing_lifecycle.h"
#include "app/session.h"
#include "model/drawing_file.h"
#include "tests/test_support.h"

namespace {

PolygonRecord Square(double x0) {
    return MakePolygon("hall", 0, {{x0, 0, 5}, {x0 + 10, 0, 5}, {x0 + 10, 10, 6}, {x0, 10, 6}});
}

// An open drawing of one square with a change to undo, a result shown, a tool chosen and a listener
// that counts what it hears.
void Prepare(Session& s, int* heard) {
    NewDrawing(s);
    s.drawing.polygons.appendPolygon(Square(0));
    s.editHistory.recordChange(&s.drawing);
    ShowResultOfDrawing(s, 2);
    EnterNewDrawing(&s.mainModes);
    ToggleTool(&s.mainModes, EditTool);
    s.canvasState.scrollX = 12;
    s.drawingChanges.listen([heard] { ++*heard; });
}

std::string Snapshot(const Session& s, int heard) {
    std::ostringstream text;
    std::vector<uint8_t> bytes = EncodeDrawing(s.drawing);
    text << std::string(bytes.begin(), bytes.end()) << '|' << s.drawing.fileName << '|' << int(s.drawing.isOpen)
         << int(s.drawing.modified) << int(s.drawing.calcReady) << '|' << s.editHistory.undoSteps()
         << s.editHistory.redoSteps() << '|' << ShownContours(s) << '|' << s.mainModes.viewMode << s.mainModes.toolMode
         << s.mainModes.controls.fileSave << '|' << s.editState.constructing << s.editState.selectedPolygon << '|'
         << s.canvasState.scrollX << '|' << s.structureHighlight.has(0) << '|' << heard;
    return text.str();
}

}  // namespace

TEST(Sessions, NothingDoneInOneReachesTheOther) {
    std::string file = TestPath("other-session.Zlv");
    Drawing stored;
    stored.polygons.appendPolygon(Square(40));
    ASSERT_EQ(WriteDrawingFile(file.c_str(), stored), FileError::None);
    const struct {
        const char* name;
        std::function<void(Session&)> act;
    } actions[] = {
        {"edit and record",
         [](Session& s) {
             s.drawing.polygons.movePolygon(0, 1.0, 0.0);
             s.drawingChanges.commit(&s.editHistory, &s.drawing);
         }},
        {"undo", [](Session& s) { s.editHistory.undo(&s.drawing, &s.shownResult); }},
        {"new", [](Session& s) { NewDrawing(s); }},
        {"open", [&file](Session& s) { OpenDrawing(s, file.c_str()); }},
        {"close", [](Session& s) { CloseDrawing(s); }},
        {"result", [](Session& s) { ShowResultOfDrawing(s, 5); }},
        {"view", [](Session& s) { EnterResultView(&s.mainModes, AmView); }},
        {"tool", [](Session& s) { s.editState.constructing = true; }},
        {"scroll", [](Session& s) { s.canvasState.scrollX = 99; }},
        {"highlight", [](Session& s) { s.structureHighlight.show({0}); }},
        {"announce", [](Session& s) { s.drawingChanges.announceReplaced(); }},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.name);
        Session one, other;
        int heardByOne = 0, heardByOther = 0;
        Prepare(one, &heardByOne);
        Prepare(other, &heardByOther);
        const std::string before = Snapshot(one, heardByOne);
        ASSERT_EQ(Snapshot(other, heardByOther), before);
        action.act(one);
        EXPECT_NE(Snapshot(one, heardByOne), before) << "the action changed nothing";
        EXPECT_EQ(Snapshot(other, heardByOther), before);
    }
}

// Tests of undo and redo: sequences of edits, undos, redos, saves, opens and imports with the drawing
// expected after each step (to the byte of a saved file) and its modified flag; the bounds of 200 steps
// and 64 MiB.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/drawing_changes.h"
#include "app/drawing_lifecycle.h"
#include "app/edit_history.h"
#include "exchange/import_build.h"
#include "model/drawing_file.h"
#include "tests/session_test.h"
#include "tests/test_support.h"

namespace {

PolygonRecord Square(const char* name, double x0, double y0) {
    return MakePolygon(name, 0, {{x0, y0, 5}, {x0 + 10, y0, 5}, {x0 + 10, y0 + 10, 6}, {x0, y0 + 10, 6}});
}

// The n-th edit of a sequence: every kind of change a user can make, in turn. True when the change
// reaches what is calculated (the polygons' outlines and heights, the calculation options).
bool Edit(Session& session, int n) {
    Drawing& drawing = session.drawing;
    PolygonStore& store = drawing.polygons;
    int kind = store.count() == 0 ? 0 : n % 8;
    switch (kind) {
        case 0: store.appendPolygon(Square("added", 20.0 * n, 10.0)); break;
        case 1: store.moveVertex(0, 0, store.polygon(0).x[0] + 0.5, 1.0); break;
        case 2: drawing.calcOptions.distanceProjection += 25.0; break;
        case 3: store.count() > 1 ? store.removePolygon(1) : store.setVertexHeight(0, 1, 7.5 + n); break;
        case 4: store.movePolygon(0, -1.5, 4.0); break;
        case 5:
            store.setName(0, "Hall & annex");
            store.setPriority(0, 4);
            break;
        case 6: drawing.georeference = {1, GeoKind::LonLat, 0, 1.0, 50.0, 60.0, 8.5, 47.25}; break;
        case 7: drawing.drawOptions = {1, 6, drawing.drawOptions.zoomIndex, 400.0}; break;
    }
    return kind <= 4;
}

// A change of the calculation options, recorded as the program records it.
void ChangeOption(Session& session, double distance) {
    session.drawing.calcOptions.distanceProjection = distance;
    session.editHistory.recordChange(&session.drawing);
}

// A drawing from another program: a footprint placed with a georeference.
void Import(Session& session) {
    ImportResult result;
    result.polygons = {Square("north wing", 300, 300)};
    result.georeference = {1, GeoKind::Plane, 2056, 1.0, -2600000.0, 1200400.0, 0.0, 0.0};
    ApplyImport(result, false, &session.drawing);
    session.editHistory.reset(session.drawing, false);
}

using EditHistoryTest = SessionTest;

}  // namespace

// Each step is a letter, the number of the drawing expected after it, and * when it is modified.
// N New, O Open, I Import, X Close, C a change: each makes the state of that number. U undo, R redo,
// u and r an undo and a redo that find no step, = a change that changes nothing, S save: each must
// give back the state of that number, to the byte.
TEST_F(EditHistoryTest, ModifiedIsClearExactlyAtTheStateLastSavedOrOpened) {
    const char* const sequences[] = {
        "N0 S0 C1* U0 R1*",                      // save, change, undo: unmodified
        "N0 C1* S1 U0* R1",                      // change, save, undo: modified
        "N0 C1* C2* U1* S1 R2* U1",              // undo, save, redo: modified
        "N0 C1* C2* U1* U0 C3* r3* U0 R3* r3*",  // a change after undo drops the redo steps
        "N0 C1* S1 U0* C2* U0* R2*",             // the saved state went with them
        "O0 C1* C2* C3* C4* C5* C6* C7* U6* U5* U4* U3* U2* U1* U0 u0 R1* R2* R3* R4* R5* R6* R7* r7*",
        "N0 C1* =1* U0 u0 R1* S1 =1",    // a change that changes nothing is no step
        "N0 C1* O2 u2 C3* U2 O4 r4",     // open starts a history of its own
        "N0 I1* u1* C2* U1* S1 R2* U1",  // import starts modified with nothing to undo
        "O0 C1* N2 u2 C3* X4 u4 r4",     // new and close forget everything
    };
    Drawing file;
    file.calcOptions.heightProjection = 2.5;
    file.polygons.appendPolygon(Square("from the file", 40, 40));
    std::string openPath = TestPath("history-open.Zlv"), savePath = TestPath("history-save.Zlv");
    ASSERT_EQ(WriteDrawingFile(openPath.c_str(), file), FileError::None);
    for (const char* sequence : sequences) {
        SCOPED_TRACE(sequence);
        std::vector<std::vector<uint8_t>> states(10);
        std::istringstream steps(sequence);
        std::string step;
        for (int edits = 0; steps >> step;) {
            SCOPED_TRACE(step);
            std::string name = drawing.fileName;
            bool calculated = false;          // a change that reaches what is calculated hides the result too
            ShowResultOfDrawing(session, 3);  // a result that undo and redo must discard
            switch (step[0]) {
                case 'N': NewDrawing(session); break;
                case 'O': ASSERT_EQ(OpenDrawing(session, openPath.c_str()), FileError::None); break;
                case 'I': Import(session); break;
                case 'X': CloseDrawing(session); break;
                case 'C': calculated = Edit(session, ++edits); [[fallthrough]];
                case '=': EXPECT_EQ(editHistory.recordChange(&drawing), step[0] == 'C'); break;
                case 'U':
                case 'u': EXPECT_EQ(editHistory.undo(&drawing, &session.shownResult), step[0] == 'U'); break;
                case 'R':
                case 'r': EXPECT_EQ(editHistory.redo(&drawing, &session.shownResult), step[0] == 'R'); break;
                case 'S': EXPECT_EQ(SaveDrawing(session, savePath.c_str()), FileError::None); break;
            }
            std::vector<uint8_t>& expected = states[step[1] - '0'];
            if (strchr("NOIXC", step[0]))
                expected = EncodeDrawing(drawing);
            EXPECT_TRUE(EncodeDrawing(drawing) == expected);
            EXPECT_EQ(drawing.modified, step.back() == '*' ? 1 : 0);
            EXPECT_EQ(ShownContours(session) == 0,
                      strchr("NOIXUR", step[0]) != nullptr || (step[0] == 'C' && calculated));
            if (strchr("UR=", step[0])) {
                EXPECT_EQ(drawing.fileName, name);
            }
        }
    }
}

// The oldest steps go: 200 steps of a small drawing are kept, the saved state beyond them with the
// rest, and as many states of 1,000,000 bytes (1300 + 4 + 12 + 20 + 24 x 41,611) as 64 MiB hold: 67.
TEST_F(EditHistoryTest, TheProgramKeeps200StepsOr64MiBWhicheverIsLess) {
    NewDrawing(session);
    for (int n = 1; n <= 205; n++)
        ChangeOption(session, 500.0 + n);
    for (int n = 0; n < 200; n++)
        ASSERT_TRUE(editHistory.undo(&drawing, &session.shownResult));
    EXPECT_FALSE(editHistory.canUndo());
    EXPECT_EQ(drawing.calcOptions.distanceProjection, 505.0);
    EXPECT_EQ(drawing.modified, 1);
    std::vector<TestVertex> vertices(41611);
    for (size_t k = 0; k < vertices.size(); k++)
        vertices[k] = {static_cast<double>(k), k % 2 * 1.0, 3.0};
    NewDrawing(session);
    drawing.polygons.appendPolygon(MakePolygon("nineteen characters", 0, vertices));
    ASSERT_EQ(EncodeDrawing(drawing).size(), 1000000u);
    for (int n = 1; n <= 70; n++)
        ChangeOption(session, 500.0 + n);
    EXPECT_EQ(editHistory.undoSteps(), 66);
    EXPECT_LE(editHistory.bytesKept(), size_t{64} << 20);
}

// Options changed with no drawing open are no step; a view option changed after the last step and
// saved belongs to the saved state, so that coming back to it gives the file's bytes.
// Undo and redo give back the drawing, never the view: a zoom chosen since stays, except where the grid
// of the state returned to would be too dense at it.
TEST_F(EditHistoryTest, UndoAndRedoKeepTheZoom) {
    const struct {
        int32_t snapBefore, zoomNow;
        int32_t zoomAfterUndo;
    } cases[] = {
        {4, 0, 0}, {4, 3, 3}, {0, 6, 6},
        {7, 0, 0}, {4, 6, 3},  // a 1 m grid at x 0.1 would be 1 pixel apart: the state's own zoom
        {1, 4, 3},             // 0.1 m at x 0.5: likewise
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "snap " << c.snapBefore << ", zoom " << c.zoomNow);
        NewDrawing(session);
        drawing.drawOptions.snapIndex = c.snapBefore;
        drawing.drawOptions.zoomIndex = 3;
        drawing.polygons.appendPolygon(Square("first", 0, 5));
        editHistory.recordChange(&drawing);
        drawing.drawOptions.zoomIndex = c.zoomNow;  // as the wheel leaves it
        drawing.drawOptions.snapIndex = 0;
        drawing.polygons.movePolygon(0, 3.0, 0.0);
        editHistory.recordChange(&drawing);
        ASSERT_TRUE(editHistory.undo(&drawing, &session.shownResult));
        EXPECT_EQ(drawing.polygons.polygon(0).x[0], 0.0);
        EXPECT_EQ(drawing.drawOptions.zoomIndex, c.zoomAfterUndo);
        ASSERT_TRUE(editHistory.redo(&drawing, &session.shownResult));
        EXPECT_EQ(drawing.polygons.polygon(0).x[0], 3.0);
        EXPECT_EQ(drawing.drawOptions.zoomIndex, c.zoomAfterUndo);
    }
}

TEST_F(EditHistoryTest, ClosedDrawingsAndSavedViewOptions) {
    drawing.calcOptions.heightProjection = 4.0;
    EXPECT_FALSE(editHistory.recordChange(&drawing));
    EXPECT_EQ(drawing.modified, 0);
    std::string path = TestPath("history-view.Zlv");
    NewDrawing(session);
    ChangeOption(session, 600.0);
    drawing.drawOptions.zoomIndex = 1;
    ASSERT_EQ(SaveDrawing(session, path.c_str()), FileError::None);
    ChangeOption(session, 700.0);
    ASSERT_TRUE(editHistory.undo(&drawing, &session.shownResult));
    EXPECT_EQ(drawing.modified, 0);
    EXPECT_TRUE(EncodeDrawing(drawing) == FileBytes(path));
}

// Who hears of a change: an edit that changes nothing tells no one, a listener that stops while it hears
// (a window closing on the news) stops the rest from nothing, and a replaced drawing tells everyone.
TEST(DrawingChangesTest, ListenersHearRealChangesOnly) {
    DrawingChanges changes;
    EditHistory history;
    Drawing target;
    target.isOpen = 1;
    target.polygons.appendPolygon(Square("hall", 0, 0));
    history.reset(target, true);
    std::vector<std::string> heard;
    int32_t closing = 0;
    changes.listen([&] { heard.push_back("canvas"); });
    closing = changes.listen([&] {
        heard.push_back("table");
        changes.stopListening(closing);
    });
    changes.listen([&] { heard.push_back("title"); });

    EXPECT_FALSE(changes.commit(&history, &target));
    EXPECT_TRUE(heard.empty());

    target.polygons.setVertexHeight(0, 0, 9.0);
    EXPECT_TRUE(changes.commit(&history, &target));
    EXPECT_TRUE(target.modified);
    EXPECT_EQ(heard, (std::vector<std::string>{"canvas", "table", "title"}));

    heard.clear();
    changes.announceReplaced();
    EXPECT_EQ(heard, (std::vector<std::string>{"canvas", "title"}));
}

// Tests of undo and redo: sequences of edits, undos, redos, saves, opens and imports with the drawing
// expected after each step (to the byte of a saved file) and its modified flag; the kinds of change
// each restored exactly; the bounds of 200 steps and 64 MB.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "app/edit_history.h"
#include "engine/calc_records.h"
#include "exchange/import_build.h"
#include "model/drawing_file.h"
#include "tests/test_support.h"

namespace {

Polygon Square(const char* name, double x0, double y0) {
    return MakePolygon(name, 0, {{x0, y0, 5}, {x0 + 10, y0, 5}, {x0 + 10, y0 + 10, 6}, {x0, y0 + 10, 6}});
}

// The n-th edit of a sequence; they take turns, so that every sequence mixes kinds of change.
void Edit(int n) {
    PolygonStore& store = drawing.polygons;
    int kind = store.count() == 0 ? 0 : n % 5;
    const Polygon* first = store.count() > 0 ? &store.polygon(0) : nullptr;
    switch (kind) {
        case 0: store.appendPolygon(Square(("Polygon " + std::to_string(n)).c_str(), 20.0 * n, 10.0)); break;
        case 1: store.moveVertex(0, 0, first->x[0] + 0.5, first->y[0]); break;
        case 2: drawing.calcOptions.distanceProjection += 25.0; break;
        case 3: store.setVertexHeight(0, 1, first->height[1] + 1.5); break;
        case 4: store.count() > 1 ? store.removePolygon(store.count() - 1) : store.movePolygon(0, 2.0, 1.0); break;
    }
}

// A drawing from another program: two footprints placed with a georeference.
void Import() {
    ImportResult result;
    result.polygons = {Square("north wing", 300, 300), Square("south wing", 300, 320)};
    result.georeference = {1, GeoKind::Plane, 2056, 1.0, -2600000.0, 1200400.0, 0.0, 0.0};
    result.mapSize = 800.0;
    ASSERT_EQ(ApplyImport(result, false, &drawing), ApplyOutcome::Applied);
    editHistory.reset(drawing, false);
}

enum class Op { New, Open, Import, Close, Change, Same, Undo, Redo, NoUndo, NoRedo, Save };

// state: the drawing after the step. New, Open, Import, Close and Change make a new state of that
// number; the other steps must give back the drawing as it was when that state was made.
struct Step {
    Op op;
    int state;
    bool modified;
};

struct Sequence {
    const char* what;
    std::vector<Step> steps;
};

class EditHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartDrawing();
        Drawing file;
        file.calcOptions.heightProjection = 2.5;
        file.polygons.appendPolygon(Square("from the file", 40, 40));
        filePath = TestPath("history-open.Zlv");
        ASSERT_EQ(WriteDrawingFile(filePath.c_str(), file), FileError::None);
    }
    void TearDown() override { StartDrawing(); }

    void Run(const Sequence& sequence) {
        SCOPED_TRACE(sequence.what);
        std::vector<std::vector<uint8_t>> states(20);
        std::string savePath = TestPath("history-save.Zlv");
        int edits = 0;
        for (size_t i = 0; i < sequence.steps.size(); i++) {
            const Step& step = sequence.steps[i];
            SCOPED_TRACE("step " + std::to_string(i + 1));
            calcResult.contourCount = 3;  // a result that undo and redo must discard
            bool discards = true;
            switch (step.op) {
                case Op::New: NewDrawing(); break;
                case Op::Open: ASSERT_EQ(OpenDrawing(filePath.c_str()), FileError::None); break;
                case Op::Import: Import(); break;
                case Op::Close: CloseDrawing(); break;
                case Op::Change:
                    Edit(++edits);
                    EXPECT_TRUE(editHistory.recordChange(&drawing));
                    discards = false;
                    break;
                case Op::Same:
                    EXPECT_FALSE(editHistory.recordChange(&drawing));
                    discards = false;
                    break;
                case Op::Undo: EXPECT_TRUE(editHistory.undo(&drawing)); break;
                case Op::Redo: EXPECT_TRUE(editHistory.redo(&drawing)); break;
                case Op::NoUndo: discards = editHistory.undo(&drawing); break;
                case Op::NoRedo: discards = editHistory.redo(&drawing); break;
                case Op::Save:
                    EXPECT_EQ(SaveDrawing(savePath.c_str()), FileError::None);
                    EXPECT_EQ(FileBytes(savePath), EncodeDrawing(drawing));
                    discards = false;
                    break;
            }
            bool makesState = step.op == Op::New || step.op == Op::Open || step.op == Op::Import ||
                              step.op == Op::Close || step.op == Op::Change;
            if (makesState)
                states[step.state] = EncodeDrawing(drawing);
            else
                EXPECT_TRUE(EncodeDrawing(drawing) == states[step.state]) << "not state " << step.state;
            EXPECT_EQ(drawing.modified, step.modified ? 1 : 0);
            EXPECT_EQ(calcResult.contourCount == 0, discards);
        }
    }

    std::string filePath;
};

}  // namespace

TEST_F(EditHistoryTest, ModifiedIsClearExactlyAtTheStateLastSavedOrOpened) {
    using O = Op;
    const Sequence sequences[] = {
        {"save, change, undo: unmodified",
         {{O::New, 0, false}, {O::Save, 0, false}, {O::Change, 1, true}, {O::Undo, 0, false}, {O::Redo, 1, true}}},
        {"change, save, undo: modified",
         {{O::New, 0, false}, {O::Change, 1, true}, {O::Save, 1, false}, {O::Undo, 0, true}, {O::Redo, 1, false}}},
        {"undo, save, redo: modified",
         {{O::New, 0, false},
          {O::Change, 1, true},
          {O::Change, 2, true},
          {O::Undo, 1, true},
          {O::Save, 1, false},
          {O::Redo, 2, true},
          {O::Undo, 1, false}}},
        {"a new change after undo drops the redo steps",
         {{O::New, 0, false},
          {O::Change, 1, true},
          {O::Change, 2, true},
          {O::Undo, 1, true},
          {O::Undo, 0, false},
          {O::Change, 3, true},
          {O::NoRedo, 3, true},
          {O::Undo, 0, false},
          {O::Redo, 3, true},
          {O::NoRedo, 3, true}}},
        {"the saved state dropped with the redo steps is never reached again",
         {{O::New, 0, false},
          {O::Change, 1, true},
          {O::Save, 1, false},
          {O::Undo, 0, true},
          {O::Change, 2, true},
          {O::Undo, 0, true},
          {O::Redo, 2, true}}},
        {"all the way back and forth",
         {{O::Open, 0, false},
          {O::Change, 1, true},
          {O::Change, 2, true},
          {O::Change, 3, true},
          {O::Change, 4, true},
          {O::Change, 5, true},
          {O::Undo, 4, true},
          {O::Undo, 3, true},
          {O::Undo, 2, true},
          {O::Undo, 1, true},
          {O::Undo, 0, false},
          {O::NoUndo, 0, false},
          {O::Redo, 1, true},
          {O::Redo, 2, true},
          {O::Redo, 3, true},
          {O::Redo, 4, true},
          {O::Redo, 5, true},
          {O::NoRedo, 5, true}}},
        {"a change that changes nothing is no step",
         {{O::New, 0, false}, {O::Change, 1, true}, {O::Same, 1, true}, {O::Undo, 0, false}, {O::NoUndo, 0, false},
          {O::Redo, 1, true}, {O::Save, 1, false}, {O::Same, 1, false}}},
        {"open starts a history of its own",
         {{O::New, 0, false},
          {O::Change, 1, true},
          {O::Open, 2, false},
          {O::NoUndo, 2, false},
          {O::Change, 3, true},
          {O::Undo, 2, false},
          {O::Open, 4, false},
          {O::NoRedo, 4, false}}},
        {"import starts modified with nothing to undo",
         {{O::New, 0, false},
          {O::Import, 1, true},
          {O::NoUndo, 1, true},
          {O::Change, 2, true},
          {O::Undo, 1, true},
          {O::Save, 1, false},
          {O::Redo, 2, true},
          {O::Undo, 1, false}}},
        {"new and close forget everything",
         {{O::Open, 0, false},
          {O::Change, 1, true},
          {O::New, 2, false},
          {O::NoUndo, 2, false},
          {O::Change, 3, true},
          {O::Close, 4, false},
          {O::NoUndo, 4, false},
          {O::NoRedo, 4, false}}},
    };
    for (const Sequence& sequence : sequences)
        Run(sequence);
}

// Each kind of change a user can make comes back exactly, file name and flags aside.
TEST_F(EditHistoryTest, EveryKindOfChangeIsTakenBackAndRedoneExactly) {
    struct Case {
        const char* what;
        void (*change)();
    };
    const Case cases[] = {
        {"polygon created", [] { drawing.polygons.appendPolygon(Square("new", 60, 0)); }},
        {"vertex moved", [] { drawing.polygons.moveVertex(1, 2, 33.25, 21.5); }},
        {"polygon moved", [] { drawing.polygons.movePolygon(0, -1.5, 4.0); }},
        {"polygon deleted", [] { drawing.polygons.removePolygon(0); }},
        {"height saved", [] { drawing.polygons.setVertexHeight(1, 3, 12.75); }},
        {"name and priority saved",
         [] {
             drawing.polygons.setName(0, "Hall & annex");
             drawing.polygons.setPriority(0, 4);
         }},
        {"calculation options", [] { drawing.calcOptions = {2.0, 250.0}; }},
        {"draw options", [] { drawing.drawOptions = {1, 6, 1, 400.0}; }},
        {"georeference", [] { drawing.georeference = {1, GeoKind::LonLat, 0, 1.0, 50.0, 60.0, 8.5, 47.25}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewDrawing();
        drawing.polygons.appendPolygon(Square("first", 0, 0));
        drawing.polygons.appendPolygon(Square("second", 20, 0));
        ASSERT_TRUE(editHistory.recordChange(&drawing));
        strcpy(drawing.fileName, "C:\\plans\\hall.Zlv");
        std::vector<uint8_t> before = EncodeDrawing(drawing);
        c.change();
        std::vector<uint8_t> after = EncodeDrawing(drawing);
        ASSERT_NE(before, after);
        ASSERT_TRUE(editHistory.recordChange(&drawing));
        ASSERT_TRUE(editHistory.undo(&drawing));
        EXPECT_TRUE(EncodeDrawing(drawing) == before);
        ASSERT_TRUE(editHistory.redo(&drawing));
        EXPECT_TRUE(EncodeDrawing(drawing) == after);
        EXPECT_STREQ(drawing.fileName, "C:\\plans\\hall.Zlv");
        EXPECT_EQ(drawing.isOpen, 1);
    }
}

// Small bounds show the rule: the oldest steps go, the newest state always stays.
TEST_F(EditHistoryTest, TheOldestStepsGoBeyondTheBounds) {
    NewDrawing();
    EditHistory steps(3, HistoryByteLimit);
    steps.reset(drawing, true);
    std::vector<std::vector<uint8_t>> states = {EncodeDrawing(drawing)};
    for (int n = 1; n <= 5; n++) {
        Edit(n);
        steps.recordChange(&drawing);
        states.push_back(EncodeDrawing(drawing));
    }
    EXPECT_EQ(steps.undoSteps(), 3);
    for (int n = 4; n >= 2; n--) {
        ASSERT_TRUE(steps.undo(&drawing));
        EXPECT_TRUE(EncodeDrawing(drawing) == states[n]) << n;
        EXPECT_EQ(drawing.modified, 1) << "the saved state went with the oldest steps";
    }
    EXPECT_FALSE(steps.undo(&drawing));
    EXPECT_EQ(steps.redoSteps(), 3);

    // A bound in bytes that holds two states of this drawing; a larger state pushes out the older.
    NewDrawing();
    Edit(0);
    EditHistory memory(HistoryStepLimit, 2 * EncodeDrawing(drawing).size() + 100);
    memory.reset(drawing, true);
    for (int n = 1; n <= 3; n++) {
        drawing.calcOptions.distanceProjection += 1.0;
        memory.recordChange(&drawing);
    }
    EXPECT_EQ(memory.undoSteps(), 1);
    EXPECT_LE(memory.bytesKept(), 2 * EncodeDrawing(drawing).size() + 100);
    drawing.polygons.appendPolygon(Square("more", 90, 90));
    memory.recordChange(&drawing);
    EXPECT_EQ(memory.undoSteps(), 0);
    EXPECT_EQ(memory.redoSteps(), 0);
    // A state beyond the bound on its own is still the current one.
    EditHistory tiny(HistoryStepLimit, 10);
    tiny.reset(drawing, true);
    drawing.calcOptions.distanceProjection += 1.0;
    EXPECT_TRUE(tiny.recordChange(&drawing));
    EXPECT_FALSE(tiny.undo(&drawing));
    EXPECT_EQ(drawing.modified, 1);
}

// The history the program uses: 200 steps of a small drawing, and states of a million bytes as many
// as fit in 64 MiB.
TEST_F(EditHistoryTest, TheProgramKeeps200StepsOr64MegabytesWhicheverIsLess) {
    NewDrawing();
    for (int n = 1; n <= 205; n++) {
        drawing.calcOptions.distanceProjection = 500.0 + n;
        editHistory.recordChange(&drawing);
    }
    EXPECT_EQ(editHistory.undoSteps(), 200);

    // 1300 + 4 + 12 + 20 + 24 x 41,611 = 1,000,000 bytes a state; 67 of them fit in 67,108,864.
    std::vector<TestVertex> vertices(41611);
    for (size_t k = 0; k < vertices.size(); k++)
        vertices[k] = {static_cast<double>(k), k % 2 * 1.0, 3.0};
    NewDrawing();
    drawing.polygons.appendPolygon(MakePolygon("nineteen characters", 0, vertices));
    ASSERT_EQ(EncodeDrawing(drawing).size(), 1000000u);
    for (int n = 1; n <= 70; n++) {
        drawing.calcOptions.distanceProjection = 500.0 + n;
        editHistory.recordChange(&drawing);
    }
    EXPECT_EQ(editHistory.undoSteps(), 66);
    EXPECT_LE(editHistory.bytesKept(), size_t{64} << 20);
    EXPECT_GE(editHistory.bytesKept(), size_t{67} * 1000000);
}

TEST_F(EditHistoryTest, AClosedDrawingRecordsNothing) {
    CloseDrawing();
    drawing.calcOptions.heightProjection = 4.0;
    EXPECT_FALSE(editHistory.recordChange(&drawing));
    EXPECT_EQ(drawing.modified, 0);
    EXPECT_FALSE(editHistory.canUndo());
    // A history never started takes its first state as an unsaved one.
    EditHistory fresh;
    NewDrawing();
    EXPECT_TRUE(fresh.recordChange(&drawing));
    EXPECT_EQ(drawing.modified, 1);
    EXPECT_FALSE(fresh.canUndo());
    EXPECT_FALSE(fresh.canRedo());
    fresh.markSaved(drawing);
    EXPECT_FALSE(fresh.modified());
}

// A view option changed after the last step and then saved belongs to the saved state, so coming
// back to it gives the file's bytes.
TEST_F(EditHistoryTest, TheSavedStateIsTheFileAsWritten) {
    std::string path = TestPath("history-view.Zlv");
    NewDrawing();
    Edit(0);
    editHistory.recordChange(&drawing);
    drawing.drawOptions.zoomIndex = 1;
    ASSERT_EQ(SaveDrawing(path.c_str()), FileError::None);
    Edit(2);
    editHistory.recordChange(&drawing);
    ASSERT_TRUE(editHistory.undo(&drawing));
    EXPECT_EQ(drawing.modified, 0);
    EXPECT_TRUE(EncodeDrawing(drawing) == FileBytes(path));
}

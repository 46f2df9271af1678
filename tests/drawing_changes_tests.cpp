// Every kind of edit the program makes reaches the listeners once through the one change path, and the
// same edit made again (nothing new) reaches no one.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/drawing_changes.h"
#include "app/edit_history.h"
#include "assessment/assessment_fields.h"
#include "assessment/structure_fields.h"
#include "editing/edit_dialog_rules.h"
#include "options/calc_limits.h"
#include "tests/drawing_builders.h"

TEST(DrawingChangeKinds, EachEditTellsTheListenersOnce) {
    struct Kind {
        const char* name;
        std::function<void(Drawing*)> edit;
    };
    const Kind kinds[] = {
        {"vertex height",
         [](Drawing* d) {
             char text[] = "12";
             SaveVertexHeight(d, 0, 1, text);
         }},
        {"rename", [](Drawing* d) { SavePolygonOptions(d, 0, d->polygons.polygon(0).priority, "Shed"); }},
        {"priority", [](Drawing* d) { SavePolygonOptions(d, 0, 7, d->polygons.polygon(0).name); }},
        {"calculation options",
         [](Drawing* d) {
             char height[] = "4", distance[] = "400";
             StoreCalcOptionTexts(d, height, distance);
         }},
        {"assessment values",
         [](Drawing* d) {
             AssessmentSettings read = d->assessment;
             read.ng = 4.0;
             StoreAssessmentValues(&d->assessment, read);
         }},
        {"structure CD",
         [](Drawing* d) {
             StructureEdit edit = StructureEditOf(d->assessment, 0);
             edit.cd = 1.0;
             StoreStructureEdit(&d->assessment, 0, edit);
         }},
        {"structure line",
         [](Drawing* d) {
             StructureEdit edit = StructureEditOf(d->assessment, 0);
             edit.lines.assign(1, LineSettings());
             StoreStructureEdit(&d->assessment, 0, edit);
         }},
    };
    for (const Kind& kind : kinds) {
        Drawing target;
        target.isOpen = 1;
        target.polygons.appendPolygon(Square(0, 0, 10, 5));
        EditHistory history;
        history.reset(target, true);
        DrawingChanges changes;
        int heard = 0;
        changes.listen([&] { heard++; });

        kind.edit(&target);
        changes.commit(&history, &target);
        EXPECT_EQ(heard, 1) << kind.name;
        EXPECT_EQ(target.modified, 1) << kind.name;

        kind.edit(&target);
        changes.commit(&history, &target);
        EXPECT_EQ(heard, 1) << kind.name << " made again changes nothing";

        ASSERT_TRUE(history.undo(&target)) << kind.name;
        changes.announceReplaced();
        EXPECT_EQ(heard, 2) << kind.name << ": undo is heard as a replacement";
        EXPECT_EQ(target.modified, 0) << kind.name;
    }
}

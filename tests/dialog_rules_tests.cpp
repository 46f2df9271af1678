// Tests of what Save does in the dialogs that edit the drawing: which texts are taken, and what counts
// as a change (results discarded, drawing modified).
#include <gtest/gtest.h>

#include <string>

#include "app/drawing_lifecycle.h"
#include "editing/edit_dialog_rules.h"
#include "options/calc_limits.h"
#include "options/draw_option_rules.h"
#include "tests/session_test.h"
#include "tests/test_support.h"

namespace {

class DialogRules : public SessionTest {
  protected:
    void SetUp() override {
        StartDrawing(session);
        NewDrawing(session);
        drawing.polygons.appendPolygon(MakePolygon("Hall", 2, {{0, 0, 8}, {10, 0, 8}, {10, 10, 9}}));
        ShowResultOfDrawing(session, 4);
    }

    // Whether the results went and the drawing was marked, as a short text for the tables.
    std::string Effects() {
        return std::string(ShownContours(session) == 0 ? "discarded" : "kept") + (drawing.modified ? " modified" : "");
    }
};

}  // namespace

// Heights from 0 to 1000 m as typed; anything else is refused whole, never changed into another value.
TEST_F(DialogRules, VertexHeightIsANumberFrom0To1000AndOnlyANewValueChanges) {
    struct Case {
        const char* text;
        SaveOutcome outcome;
        double stored;
        const char* effects;
    };
    const Case cases[] = {
        {"12,5", SaveOutcome::Changed, 12.5, "discarded modified"},
        {"-7", SaveOutcome::Refused, 9.0, "kept"},  // never turned positive
        {"-5", SaveOutcome::Refused, 9.0, "kept"},
        {"0", SaveOutcome::Changed, 0.0, "discarded modified"},
        {"1000", SaveOutcome::Changed, 1000.0, "discarded modified"},
        {"1000.01", SaveOutcome::Refused, 9.0, "kept"},
        {"99999", SaveOutcome::Refused, 9.0, "kept"},
        {"1e9", SaveOutcome::Refused, 9.0, "kept"},
        {"abc", SaveOutcome::Refused, 9.0, "kept"},
        {"1-2", SaveOutcome::Refused, 9.0, "kept"},
        {" 9,5 ", SaveOutcome::Changed, 9.5, "discarded modified"},
        {"9.00", SaveOutcome::Unchanged, 9.0, "kept"},
        {"9 m", SaveOutcome::Refused, 9.0, "kept"},
        {"", SaveOutcome::Refused, 9.0, "kept"},
        {"1.2.3", SaveOutcome::Refused, 9.0, "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetUp();
        std::string text = c.text;
        EXPECT_EQ(SaveVertexHeight(&drawing, 0, 2, text.data()), c.outcome);
        EXPECT_EQ(drawing.polygons.polygon(0).height[2], c.stored);
        EXPECT_EQ(Effects(), c.effects);
    }
    EXPECT_TRUE(VertexExists(drawing.polygons, 0, 2));
    EXPECT_FALSE(VertexExists(drawing.polygons, 0, 3));
    EXPECT_FALSE(VertexExists(drawing.polygons, 1, 0));
    EXPECT_FALSE(VertexExists(drawing.polygons, -1, 0));
}

// A new priority changes what is drawn on top and so the result view; a new name changes only the file.
// Priority and name are not calculated from, so the result of the drawing stays its result.
TEST_F(DialogRules, PolygonPriorityAndNameMarkTheDrawingAndKeepItsResult) {
    struct Case {
        const char* what;
        int32_t priority;
        const char* name;
        SaveOutcome outcome;
        int32_t storedPriority;
        const char* storedName;
        const char* effects;
    };
    const Case cases[] = {
        {"nothing new", 2, "Hall", SaveOutcome::Unchanged, 2, "Hall", "kept"},
        {"new name", 2, "Hall B", SaveOutcome::Changed, 2, "Hall B", "kept modified"},
        {"new priority", 0, "Hall", SaveOutcome::Changed, 0, "Hall", "kept modified"},
        {"priority from beyond the list", 12, "Hall", SaveOutcome::Changed, 9, "Hall", "kept modified"},
        {"empty name", 5, "", SaveOutcome::Refused, 2, "Hall", "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        EXPECT_EQ(SavePolygonOptions(&drawing, 0, c.priority, c.name), c.outcome);
        EXPECT_EQ(drawing.polygons.polygon(0).priority, c.storedPriority);
        EXPECT_STREQ(drawing.polygons.polygon(0).name, c.storedName);
        EXPECT_EQ(Effects(), c.effects);
    }
}

TEST_F(DialogRules, NewVertexNeedsADecimalHeightAndAName) {
    VertexAnswer answer = {1.0, 0, "before"};
    std::string height = "3,25";
    ASSERT_TRUE(ReadNewVertexFields(height.data(), std::string(150, 'n').c_str(), -4, &answer));
    EXPECT_EQ(answer.height, 3.25);
    EXPECT_EQ(answer.priority, 0);
    EXPECT_EQ(std::string(answer.name), std::string(99, 'n')) << "names keep 99 bytes";
    for (const char* bad : {"", "x", "1e3"}) {
        VertexAnswer kept = {1.0, 4, "kept"};
        height = bad;
        EXPECT_FALSE(ReadNewVertexFields(height.data(), "name", 2, &kept)) << bad;
        EXPECT_EQ(kept.height, 1.0);
        EXPECT_EQ(kept.priority, 4);
    }
    height = "2";
    EXPECT_FALSE(ReadNewVertexFields(height.data(), "", 2, &answer)) << "a name is needed";
}

// The projections go through their limits; only a value that differs from the stored one counts, and
// only an open drawing is marked, since only it has a file to keep them.
TEST_F(DialogRules, CalculationOptionsChangeOnlyWhenAValueDiffers) {
    struct Case {
        const char* height;
        const char* distance;
        bool open;
        SaveOutcome outcome;
        double storedHeight, storedDistance;
        const char* effects;
    };
    const Case cases[] = {
        {"3", "500", true, SaveOutcome::Unchanged, 3.0, 500.0, "kept"},
        {"3.000", "350", true, SaveOutcome::Changed, 3.0, 350.0, "discarded modified"},
        {"0,5", "500", true, SaveOutcome::Refused, 3.0, 500.0, "kept"},  // below 1: refused, never raised
        {"-4", "500", true, SaveOutcome::Refused, 3.0, 500.0, "kept"},   // never turned positive
        {"4", "-0.001", true, SaveOutcome::Refused, 3.0, 500.0, "kept"},
        {"100", "100000", true, SaveOutcome::Changed, 100.0, 100000.0, "discarded modified"},
        {"100.5", "500", true, SaveOutcome::Refused, 3.0, 500.0, "kept"},
        {"3", "1e9", true, SaveOutcome::Refused, 3.0, 500.0, "kept"},
        {"2", "500", false, SaveOutcome::Changed, 2.0, 500.0, "discarded"},
        {"2", "far", true, SaveOutcome::Refused, 3.0, 500.0, "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.height) + " " + c.distance);
        SetUp();
        drawing.isOpen = c.open;
        std::string height = c.height, distance = c.distance;
        EXPECT_EQ(StoreCalcOptionTexts(&drawing, height.data(), distance.data()), c.outcome);
        EXPECT_EQ(drawing.calcOptions.heightProjection, c.storedHeight);
        EXPECT_EQ(drawing.calcOptions.distanceProjection, c.storedDistance);
        EXPECT_EQ(Effects(), c.effects);
    }
}

TEST_F(DialogRules, DrawOptionsAreStoredUnlessTheGridWouldBeTooDense) {
    DrawOptions stored;
    DrawOptions choice = {1, 1, 6, 0.0};  // snap 0.1 m at "x 0.1": a grid closer than 2 pixels
    Refusal refusal;
    EXPECT_EQ(StoreDrawOptions(&stored, choice, "250", &refusal), SaveOutcome::Refused);
    EXPECT_EQ(refusal.field, GridField);
    EXPECT_EQ(refusal.message,
              "With these values of Snap grid and Zoom\nthe experience in designing deteriorates.\nPlease, change "
              "these values");
    EXPECT_EQ(stored.zoomIndex, 3) << "nothing is stored";
    EXPECT_EQ(stored.mapSize, 100.0);

    choice = {1, 0, 6, 0.0};  // "Snap Off" takes snapping off with it
    ASSERT_EQ(StoreDrawOptions(&stored, choice, "400"), SaveOutcome::Changed);
    EXPECT_EQ(stored.snapOn, 0);
    EXPECT_EQ(stored.zoomIndex, 6);
    EXPECT_EQ(stored.mapSize, 400.0);
    EXPECT_EQ(StoreDrawOptions(&stored, choice, "400"), SaveOutcome::Unchanged) << "the same choices again";

    choice = {1, 5, 2, 0.0};
    EXPECT_EQ(StoreDrawOptions(&stored, choice, "big", &refusal), SaveOutcome::Refused);
    EXPECT_EQ(refusal.field, MapSizeField);
    EXPECT_EQ(stored.snapIndex, 0) << "a size that is no number keeps the lists from being stored too";
    EXPECT_EQ(stored.mapSize, 400.0);

    // Each of the drawing's options counts as a change; the zoom, a way of looking at it, does not.
    const struct {
        DrawOptions choice;
        const char* mapSize;
        SaveOutcome outcome;
    } steps[] = {
        {{1, 5, 2, 0.0}, "400", SaveOutcome::Changed},   {{0, 5, 2, 0.0}, "400", SaveOutcome::Changed},
        {{0, 5, 3, 0.0}, "400", SaveOutcome::Unchanged}, {{0, 5, 3, 0.0}, "401", SaveOutcome::Changed},
        {{0, 6, 3, 0.0}, "401", SaveOutcome::Changed},
    };
    for (const auto& step : steps) {
        const DrawOptions& c = step.choice;
        SCOPED_TRACE(testing::Message() << int(c.snapOn) << " " << c.snapIndex << " " << c.zoomIndex);
        EXPECT_EQ(StoreDrawOptions(&stored, c, step.mapSize), step.outcome);
        EXPECT_EQ(stored.zoomIndex, c.zoomIndex) << "stored all the same";
    }
}

// The create dialog tells the first field it cannot take, the height before the name, and hands nothing
// back; the proposed height it showed with two decimals comes back exactly when left as shown.
TEST_F(DialogRules, NewVertexRefusalNamesTheFieldAndItsRange) {
    const char* const Height = "Vertex's height [m] takes a number from 0 to 1000.";
    const char* const Name = "Polygon name cannot be empty.";
    struct Case {
        const char* height;
        const char* name;
        int field;  // -1: accepted
        const char* message;
        double answered;
    };
    const Case cases[] = {
        {"-5", "Hall", HeightField, Height, 0},
        {"abc", "Hall", HeightField, Height, 0},
        {"1e9", "Hall", HeightField, Height, 0},
        {"99999", "Hall", HeightField, Height, 0},
        {"1000.01", "Hall", HeightField, Height, 0},
        {"", "Hall", HeightField, Height, 0},
        {"-1", "", HeightField, Height, 0},
        {"12", "", NameField, Name, 0},
        {"0", "Hall", -1, "", 0.0},
        {"1000", "Hall", -1, "", 1000.0},
        {"2.57", "Hall", -1, "", 2.567},
        {"2,57", "Hall", -1, "", 2.57},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.height << "\" \"" << c.name << '"');
        VertexAnswer answer = {2.567, 3, "before"};
        std::string height = c.height;
        Refusal refusal;
        EXPECT_EQ(ReadNewVertexFields(height.data(), c.name, 3, &answer, &refusal), c.field < 0);
        EXPECT_EQ(refusal.field, c.field);
        EXPECT_EQ(refusal.message, c.message);
        EXPECT_EQ(answer.height, c.field < 0 ? c.answered : 2.567);
        EXPECT_STREQ(answer.name, c.field < 0 ? c.name : "before");
    }
}

// The height, polygon and import dialogs: a refusal names the field with its range (or says the name is
// needed), and a height left as the dialog showed it keeps every decimal it had.
TEST_F(DialogRules, HeightAndNameRefusalsNameTheFieldAndKeepTheStoredValue) {
    const char* const Height = "Height of vertex [m] takes a number from 0 to 1000.";
    struct Case {
        const char* text;
        const char* message;
        double stored;
        SaveOutcome outcome;
    };
    const Case heights[] = {
        {"-5", Height, 2.567, SaveOutcome::Refused},    {"1e9", Height, 2.567, SaveOutcome::Refused},
        {"99999", Height, 2.567, SaveOutcome::Refused}, {"abc", Height, 2.567, SaveOutcome::Refused},
        {"2.57", "", 2.567, SaveOutcome::Unchanged},    {"2,57", "", 2.57, SaveOutcome::Changed},
        {"2.570", "", 2.57, SaveOutcome::Changed},
    };
    for (const Case& c : heights) {
        SCOPED_TRACE(c.text);
        SetUp();
        drawing.polygons.setVertexHeight(0, 1, 2.567);
        std::string text = c.text;
        Refusal refusal;
        EXPECT_EQ(SaveVertexHeight(&drawing, 0, 1, text.data(), &refusal), c.outcome);
        EXPECT_EQ(refusal.message, c.message);
        EXPECT_EQ(drawing.polygons.polygon(0).height[1], c.stored);
    }

    Refusal refusal;
    EXPECT_EQ(SavePolygonOptions(&drawing, 0, 5, "", &refusal), SaveOutcome::Refused);
    EXPECT_EQ(refusal.field, NameField);
    EXPECT_EQ(refusal.message, "Polygon name cannot be empty.");
    EXPECT_EQ(drawing.polygons.polygon(0).priority, 2) << "nothing stored";

    const char* const Import = "Height where the file gives none [m] takes a number from 0 to 1000.";
    const Case imports[] = {
        {"-3", Import, 2.567, SaveOutcome::Refused}, {"1000.5", Import, 2.567, SaveOutcome::Refused},
        {"x", Import, 2.567, SaveOutcome::Refused},  {"2.57", "", 2.567, SaveOutcome::Unchanged},
        {"6,5", "", 6.5, SaveOutcome::Changed},      {"1000", "", 1000.0, SaveOutcome::Changed},
    };
    for (const Case& c : imports) {
        SCOPED_TRACE(c.text);
        double height = 2.567;
        Refusal why;
        EXPECT_EQ(ReadImportHeight(c.text, &height, &why), c.outcome != SaveOutcome::Refused);
        EXPECT_EQ(why.message, c.message);
        EXPECT_EQ(height, c.stored);
    }
}

// The first field from the top that is out of its range is told; projections left as the dialog showed
// them with three decimals keep the stored values exactly.
TEST_F(DialogRules, CalculationOptionRefusalsNameTheFieldAndKeepTheStoredValues) {
    const char* const Height = "Height projection [-] takes a number from 1 to 100.";
    const char* const Distance = "Distance projection [m] takes a number from 0.01 to 100000.";
    struct Case {
        const char* height;
        const char* distance;
        int field;
        const char* message;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"-4", "-1", HeightProjectionField, Height, SaveOutcome::Refused},
        {"0,5", "350", HeightProjectionField, Height, SaveOutcome::Refused},
        {"4", "5OO", DistanceProjectionField, Distance, SaveOutcome::Refused},
        {"4", "0", DistanceProjectionField, Distance, SaveOutcome::Refused},
        {"2.556", "350.000", -1, "", SaveOutcome::Unchanged},
        {"2.556", "350", -1, "", SaveOutcome::Changed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " " << c.distance);
        SetUp();
        drawing.calcOptions = {2.5556, 350.0004};
        std::string height = c.height, distance = c.distance;
        Refusal refusal;
        EXPECT_EQ(StoreCalcOptionTexts(&drawing, height.data(), distance.data(), &refusal), c.outcome);
        EXPECT_EQ(refusal.field, c.field);
        EXPECT_EQ(refusal.message, c.message);
        EXPECT_EQ(drawing.calcOptions.heightProjection, 2.5556);
        EXPECT_EQ(drawing.calcOptions.distanceProjection, c.outcome == SaveOutcome::Changed ? 350.0 : 350.0004);
    }
}

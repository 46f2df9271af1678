// Tests of the assessment's dialog rules: which fields an edition takes, what a typed text becomes or why
// it is refused, the CD and line choices, and which stores count as a change.
#include <gtest/gtest.h>

#include <string>

#include "assessment/assessment_fields.h"
#include "assessment/structure_fields.h"
#include "tests/drawing_builders.h"

namespace {

constexpr int Ng = 0, Nsg = 1, K = 2, Uw = 3;

AssessmentTexts Typed(int32_t edition, const char* ng, const char* nsg, const char* k, const char* uw) {
    AssessmentTexts typed;
    typed.edition = edition;
    typed.texts[Ng] = ng;
    typed.texts[Nsg] = nsg;
    typed.texts[K] = k;
    typed.texts[Uw] = uw;
    return typed;
}

}  // namespace

TEST(AssessmentFields, EditionTwoTakesNgAloneEditionThreeTakesAll) {
    for (int i = 0; i < static_cast<int>(AssessmentField::Count); i++) {
        auto field = static_cast<AssessmentField>(i);
        EXPECT_EQ(AssessmentFieldApplies(2, field), field == AssessmentField::Ng) << i;
        EXPECT_TRUE(AssessmentFieldApplies(3, field)) << i;
    }
}

// A value is taken whole or not at all; the fields an edition does not take are not read, and a refusal
// names its field and leaves every value as it was.
TEST(AssessmentFields, TypedValuesAreTakenOrRefusedWhole) {
    struct Case {
        AssessmentTexts typed;
        bool taken;
        int refused;  // when not taken
        double ng, nsg, k, uw;
    };
    const Case cases[] = {
        {Typed(2, "4", "x", "x", "x"), true, 0, 4.0, 0.0, 2.0, 2.5},
        {Typed(2, " 2,5 ", "", "", ""), true, 0, 2.5, 0.0, 2.0, 2.5},
        {Typed(2, "", "", "", ""), true, 0, 0.0, 0.0, 2.0, 2.5},
        {Typed(2, "-5", "", "", ""), false, Ng, 1.0, 0.0, 2.0, 2.5},
        {Typed(2, "abc", "", "", ""), false, Ng, 1.0, 0.0, 2.0, 2.5},
        {Typed(2, "1e9", "", "", ""), false, Ng, 1.0, 0.0, 2.0, 2.5},
        {Typed(2, "101", "", "", ""), false, Ng, 1.0, 0.0, 2.0, 2.5},
        {Typed(3, "4", "", "1.5", "4"), true, 0, 4.0, 0.0, 1.5, 4.0},
        {Typed(3, "", "8", "2", "2.5"), true, 0, 0.0, 8.0, 2.0, 2.5},
        {Typed(3, "4", "-1", "2", "2.5"), false, Nsg, 1.0, 0.0, 2.0, 2.5},
        {Typed(3, "4", "", "0", "2.5"), false, K, 1.0, 0.0, 2.0, 2.5},
        {Typed(3, "4", "", "", "2.5"), false, K, 1.0, 0.0, 2.0, 2.5},
        {Typed(3, "4", "", "2", ""), false, Uw, 1.0, 0.0, 2.0, 2.5},
        {Typed(3, "4", "", "2", "0"), false, Uw, 1.0, 0.0, 2.0, 2.5},
    };
    for (const Case& c : cases) {
        AssessmentSettings values;
        values.ng = 1.0;
        AssessmentField refused = AssessmentField::Count;
        std::string label = c.typed.texts[Ng] + "|" + c.typed.texts[Nsg] + "|" + c.typed.texts[K] + "|" +
                            c.typed.texts[Uw] + " edition " + std::to_string(c.typed.edition);
        EXPECT_EQ(ReadAssessmentTexts(c.typed, &values, &refused), c.taken) << label;
        EXPECT_EQ(static_cast<int>(refused), c.taken ? static_cast<int>(AssessmentField::Count) : c.refused) << label;
        EXPECT_EQ(values.edition, c.taken ? c.typed.edition : 2) << label;
        EXPECT_EQ(values.ng, c.ng) << label;
        EXPECT_EQ(values.nsg, c.nsg) << label;
        EXPECT_EQ(values.k, c.k) << label;
        EXPECT_EQ(values.uw, c.uw) << label;
    }
}

// What the dialog shows reads back to the same values, and OK on them changes nothing.
TEST(AssessmentFields, ShownValuesReadBackUnchanged) {
    AssessmentSettings stored;
    stored.edition = 3;
    stored.ng = 0.0;
    stored.nsg = 7.123456789;
    stored.k = 1.75;
    stored.uw = 4.0;
    AssessmentTexts shown = AssessmentTextsOf(stored);
    EXPECT_EQ(shown.texts[Ng], "");
    EXPECT_EQ(shown.texts[Nsg], "7.123456789");
    AssessmentSettings read = stored;
    AssessmentField refused;
    ASSERT_TRUE(ReadAssessmentTexts(shown, &read, &refused));
    EXPECT_FALSE(StoreAssessmentValues(&stored, read));
    EXPECT_EQ(stored.present, 0) << "OK on what was shown gives no settings block to a drawing without one";
    read.ng = 3.0;
    EXPECT_TRUE(StoreAssessmentValues(&stored, read));
    EXPECT_EQ(stored.present, 1);
    EXPECT_EQ(stored.ng, 3.0);
}

TEST(StructureFields, CdChoicesReadAndShowTheirValues) {
    const char* texts[] = {"From the surroundings (0.25)", "0.25", "0.5", "1", "2 (hilltop)"};
    const double values[] = {CdFromSurroundings, 0.25, 0.5, 1.0, 2.0};
    for (int32_t i = 0; i < CdChoiceCount; i++) {
        EXPECT_EQ(CdChoiceText(i, 0.25), texts[i]);
        EXPECT_EQ(CdOfChoice(i), values[i]);
        EXPECT_EQ(ChoiceOfCd(values[i]), i);
    }
    EXPECT_EQ(CdChoiceText(0, 1.0), "From the surroundings (1)");
    EXPECT_EQ(ChoiceOfCd(0.3), 0) << "a value no choice holds shows as the surroundings' one";
    EXPECT_EQ(CdjOfChoice(ChoiceOfCdj(0.5)), 0.5);
    EXPECT_EQ(CdjOfChoice(ChoiceOfCdj(3.0)), 1.0);
}

// The suggestion is the one assess uses: alone 1, beside a neighbour 0.5; a polygon that does not begin a
// structure has none.
TEST(StructureFields, SuggestedCdFollowsTheNeighbours) {
    Drawing site;
    site.polygons.appendPolygon(Square(0, 0, 10, 10));
    site.polygons.appendPolygon(Square(500, 0, 10, 10));
    site.polygons.appendPolygon(Square(515, 0, 10, 10));
    site.polygons.appendPolygon(Square(505, 5, 2, 10));  // inside the second: the same structure
    const double expected[] = {1.0, 0.5, 0.5};
    for (int32_t first = 0; first < 3; first++) {
        double cd = 0.0;
        EXPECT_TRUE(SuggestedCd(site, first, &cd)) << first;
        EXPECT_EQ(cd, expected[first]) << first;
    }
    double cd = 7.0;
    EXPECT_FALSE(SuggestedCd(site, 3, &cd));
    EXPECT_FALSE(SuggestedCd(site, 4, &cd));
    EXPECT_EQ(cd, 7.0);
}

// Only a real difference is stored, so that OK on an untouched Structure dialog makes no undo step.
TEST(StructureFields, StoringAnEditCountsOnlyRealChanges) {
    AssessmentSettings settings;
    StructureEdit edit = StructureEditOf(settings, 2);
    EXPECT_FALSE(StoreStructureEdit(&settings, 2, edit));
    EXPECT_TRUE(settings.structures.empty());
    EXPECT_EQ(settings.present, 0);

    edit.cd = 1.0;
    EXPECT_TRUE(StoreStructureEdit(&settings, 2, edit));
    ASSERT_NE(FindStructureSettings(settings, 2), nullptr);
    EXPECT_EQ(FindStructureSettings(settings, 2)->cd, 1.0);
    EXPECT_FALSE(StoreStructureEdit(&settings, 2, edit));

    LineSettings line;
    line.length = 250.0;
    edit.lines.push_back(line);
    EXPECT_TRUE(StoreStructureEdit(&settings, 2, edit));
    edit.lines[0].adjacent.cdj = 0.5;
    EXPECT_TRUE(StoreStructureEdit(&settings, 2, edit)) << "a change deep in a line counts";
    EXPECT_EQ(StructureEditOf(settings, 2).lines.at(0).adjacent.cdj, 0.5);
}

namespace {

LineTexts LineTyped(bool unknown, const char* length, const char* uw, bool adjacent, const char* l, const char* w,
                    const char* h) {
    LineTexts typed;
    typed.kind = 1;
    typed.installation = 2;
    typed.environment = 3;
    typed.transformer = true;
    typed.lengthUnknown = unknown;
    typed.adjacent = adjacent;
    const char* texts[] = {length, uw, l, w, h};
    for (int i = 0; i < static_cast<int>(LineField::Count); i++)
        typed.texts[i] = texts[i];
    return typed;
}

}  // namespace

TEST(LineFields, TypedLinesAreTakenOrRefusedWhole) {
    struct Case {
        LineTexts typed;
        LineField refused;  // Count: taken
        double length, uw, adjacentLength, adjacentHeight;
    };
    const LineField Taken = LineField::Count;
    const Case cases[] = {
        {LineTyped(true, "abc", "", false, "x", "x", "x"), Taken, 0.0, 0.0, 0.0, 0.0},
        {LineTyped(false, "250", "", false, "x", "x", "x"), Taken, 250.0, 0.0, 0.0, 0.0},
        {LineTyped(false, "250", "4", true, "20", "10", "0"), Taken, 250.0, 4.0, 20.0, 0.0},
        {LineTyped(false, "-5", "", false, "", "", ""), LineField::Length, 9.0, 0.0, 0.0, 0.0},
        {LineTyped(false, "", "", false, "", "", ""), LineField::Length, 9.0, 0.0, 0.0, 0.0},
        {LineTyped(false, "0", "", false, "", "", ""), LineField::Length, 9.0, 0.0, 0.0, 0.0},
        {LineTyped(true, "", "0", false, "", "", ""), LineField::Uw, 9.0, 0.0, 0.0, 0.0},
        {LineTyped(true, "", "", true, "", "10", "5"), LineField::AdjacentLength, 9.0, 0.0, 0.0, 0.0},
        {LineTyped(true, "", "", true, "20", "0", "5"), LineField::AdjacentWidth, 9.0, 0.0, 0.0, 0.0},
        {LineTyped(true, "", "", true, "20", "10", "-1"), LineField::AdjacentHeight, 9.0, 0.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        LineSettings line;
        line.length = 9.0;
        LineField refused = Taken;
        bool taken = ReadLineTexts(c.typed, &line, &refused);
        std::string label = c.typed.texts[0] + "|" + c.typed.texts[1] + "|" + c.typed.texts[2];
        EXPECT_EQ(taken, c.refused == Taken) << label;
        EXPECT_EQ(refused, c.refused) << label;
        EXPECT_EQ(line.length, c.length) << label;
        EXPECT_EQ(line.uw, c.uw) << label;
        EXPECT_EQ(line.adjacent.length, c.adjacentLength) << label;
        EXPECT_EQ(line.adjacent.height, c.adjacentHeight) << label;
        if (taken) {
            EXPECT_EQ(line.kind, LineKind::Telecom);
            EXPECT_EQ(line.installation, LineInstallation::Meshed);
            EXPECT_EQ(line.environment, LineEnvironment::UrbanTall);
            EXPECT_EQ(line.transformer, 1);
        }
    }
}

TEST(LineFields, AChoiceOutsideItsListIsRefused) {
    LineTexts typed = LineTyped(true, "", "", false, "", "", "");
    typed.kind = 2;
    LineSettings line;
    LineField refused = LineField::Length;
    EXPECT_FALSE(ReadLineTexts(typed, &line, &refused));
    EXPECT_EQ(refused, LineField::Count);
    EXPECT_EQ(line.kind, LineKind::Power);
}

// A line shown in the dialog reads back as the same line, so that OK on it changes nothing.
TEST(LineFields, ShownLineReadsBackTheSame) {
    LineSettings line;
    line.kind = LineKind::Telecom;
    line.installation = LineInstallation::Buried;
    line.environment = LineEnvironment::Suburban;
    line.length = 312.5;
    line.uw = 1.5;
    line.adjacent = {1, 20.0, 12.5, 8.0, 0.25};
    LineTexts shown = LineTextsOf(line);
    EXPECT_FALSE(shown.lengthUnknown);
    EXPECT_TRUE(shown.adjacent);
    LineSettings read;
    LineField refused;
    ASSERT_TRUE(ReadLineTexts(shown, &read, &refused));
    EXPECT_EQ(LineSummary(read), LineSummary(line));
    EXPECT_EQ(read.adjacent.width, 12.5);
    EXPECT_EQ(read.adjacent.cdj, 0.25);
    EXPECT_EQ(LineSummary(line), "Telecom, buried, 312.5 m, suburban, adjacent structure");
    EXPECT_EQ(LineSummary(LineSettings()), "Power, aerial, length unknown, rural");
}

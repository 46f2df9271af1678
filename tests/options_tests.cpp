// Tests of the option rules and the simplified calculation.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "model/drawing_options.h"
#include "options/calc_limits.h"
#include "options/draw_option_rules.h"
#include "options/simplified_areas.h"
#include "view/fit_view.h"

namespace {

std::string Scientific(double value) {
    char text[32];
    snprintf(text, sizeof text, "%.5e", value);
    return text;
}

}  // namespace

// The results box shows five decimals of the mantissa, so the cases are compared as shown.
TEST(SimplifiedAreas, MatchTheClosedFormsAsShown) {
    struct Case {
        const char* what;
        double l, w, hMin, hMax, k, d;
        const char* ad;
        const char* am;
    };
    const Case cases[] = {
        {"no protrusion", 20, 10, 10, 0, 3, 500, "4.82743e-03", "8.15398e-01"},
        {"protrusion larger than the rectangle", 20, 10, 10, 40, 3, 500, "4.52389e-02", "8.15398e-01"},
        {"protrusion lower than the minimum height", 20, 10, 10, 5, 3, 500, "4.82743e-03", "8.15398e-01"},
        // 200 + 2*2*10*30 + pi*20^2, and 2*350*30 + pi*350^2
        {"K 2 and D 350", 20, 10, 10, 0, 2, 350, "2.65664e-03", "4.05845e-01"},
        // pi*(2*40)^2
        {"K 2 and D 350 with a protrusion", 20, 10, 10, 40, 2, 350, "2.01062e-02", "4.05845e-01"},
    };
    for (const Case& c : cases) {
        SimplifiedResult result = SimplifiedAreas(c.l, c.w, c.hMin, c.hMax, c.k, c.d);
        EXPECT_EQ(Scientific(result.ad), c.ad) << c.what;
        EXPECT_EQ(Scientific(result.am), c.am) << c.what;
    }
}

// Am rests on the perimeter alone: footprints of one perimeter but different area share it, and the
// heights play no part. Ad of the rectangle does not care which side is the length.
TEST(SimplifiedAreas, AmHasNoFootprintAreaTerm) {
    const double am = SimplifiedAreas(20, 10, 10, 0, 3, 500).am;
    EXPECT_EQ(SimplifiedAreas(29, 1, 10, 0, 3, 500).am, am);
    EXPECT_EQ(SimplifiedAreas(15, 15, 10, 0, 3, 500).am, am);
    EXPECT_EQ(SimplifiedAreas(20, 10, 60, 90, 3, 500).am, am);
    EXPECT_DOUBLE_EQ(SimplifiedAreas(10, 20, 10, 0, 3, 500).ad, SimplifiedAreas(20, 10, 10, 0, 3, 500).ad);
    EXPECT_NE(SimplifiedAreas(20, 10, 10, 0, 3, 600).am, am);
}

// Each field alone is wrong while the others hold 20, 10, 10 and 0: the message names it with its range
// and nothing is read; an accepted row gives the value as typed.
TEST(SimplifiedAreas, FieldsAreReadAsTypedOrRefusedWithTheirRange) {
    const char* const Width = "Width base [m] takes a number from 0.01 to 100000.";
    const char* const Length = "Length base [m] takes a number from 0.01 to 100000.";
    const char* const MinHeight = "Minimum height [m] takes a number from 0.01 to 1000.";
    const char* const MaxHeight = "Maximum height [m] takes a number from 0 to 1000.";
    struct Case {
        int field;
        const char* text;
        const char* message;  // empty: accepted
        double value;
    };
    const Case cases[] = {
        {LengthField, "12,5", "", 12.5},
        {LengthField, "0", Length, 0},
        {LengthField, "-20", Length, 0},
        {LengthField, "12-3", Length, 0},
        {LengthField, "1,2.3", Length, 0},
        {LengthField, "0,001", Length, 0},
        {LengthField, "100000", "", 100000},
        {LengthField, "100001", Length, 0},
        {WidthField, "", Width, 0},
        {WidthField, "0.01", "", 0.01},
        {WidthField, "1e3", Width, 0},
        {MinHeightField, "0", MinHeight, 0},
        {MinHeightField, "1.2.3", MinHeight, 0},
        {MinHeightField, "1000", "", 1000},
        {MaxHeightField, "0", "", 0},
        {MaxHeightField, "-1", MaxHeight, 0},
        {MaxHeightField, "abc", MaxHeight, 0},
        {MaxHeightField, "1000.5", MaxHeight, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " \"" << c.text << '"');
        const char* texts[SimplifiedFieldCount] = {"10", "20", "10", "0"};
        texts[c.field] = c.text;
        SimplifiedInput input;
        input.length = 99.0;
        Refusal refusal;
        bool read = ReadSimplifiedFields(texts, &input, &refusal);
        EXPECT_EQ(read, c.message[0] == '\0');
        if (!read) {
            EXPECT_EQ(refusal.field, c.field);
            EXPECT_EQ(refusal.message, c.message);
            EXPECT_EQ(input.length, 99.0) << "nothing read";
            continue;
        }
        const double values[] = {input.width, input.length, input.minHeight, input.maxHeight};
        EXPECT_EQ(values[c.field], c.value);
    }
    // The first wrong field from the top is the one told.
    const char* texts[SimplifiedFieldCount] = {"0", "0", "0", "-1"};
    SimplifiedInput input;
    Refusal refusal;
    ASSERT_FALSE(ReadSimplifiedFields(texts, &input, &refusal));
    EXPECT_EQ(refusal.message, Width);
}

// The refused pairs written as the dialog lists them, snap step against zoom labels.
TEST(DrawOptionRules, SnapAndZoomGridMatchesTheRefusedPairs) {
    struct Row {
        const char* snap;
        std::vector<std::string> refusedZooms;
    };
    const Row rows[] = {
        {"Snap Off", {}},
        {"0.1 m", {"x 2", "x 1.0", "x 0.5", "x 0.2", "x 0.1"}},
        {"0.2 m", {"x 1.0", "x 0.5", "x 0.2", "x 0.1"}},
        {"0.5 m", {"x 0.2", "x 0.1"}},
        {"1.0 m", {"x 0.2", "x 0.1"}},
        {"2.0 m", {"x 0.1"}},
        {"5.0 m", {}},
        {"10 m", {}},
    };
    ASSERT_EQ(std::size(rows), static_cast<size_t>(SnapStepCount));
    for (int32_t s = 0; s < SnapStepCount; s++) {
        ASSERT_STREQ(SnapSteps[s].label, rows[s].snap);
        for (int32_t z = 0; z < ZoomStepCount; z++) {
            bool refused = false;
            for (const std::string& label : rows[s].refusedZooms)
                refused = refused || label == ZoomSteps[z].label;
            EXPECT_EQ(SnapZoomRefused(s, z), refused) << SnapSteps[s].label << " with " << ZoomSteps[z].label;
        }
    }
}

TEST(DrawOptionRules, GridOfExactlyTwoPixelsIsRefused) {
    const int32_t atLimit[][2] = {{1, 2}, {2, 3}, {4, 5}, {5, 6}};  // ratio 0.2
    for (const auto& pair : atLimit)
        EXPECT_TRUE(SnapZoomRefused(pair[0], pair[1]))
            << SnapSteps[pair[0]].label << " with " << ZoomSteps[pair[1]].label;
    EXPECT_FALSE(SnapZoomRefused(3, 4));  // 0.5 m with "x 0.5": ratio 0.25
}

// The map size is taken as typed or refused with its range, never turned positive or raised to the
// least; the size as shown, in whole metres, stands for the stored size itself.
TEST(DrawOptionRules, MapSizeIsTakenAsTypedOrRefusedWithItsRange) {
    const char* const Refused = "Draw map size [m] takes a number from 100 to 1000000.";
    struct Case {
        const char* typed;
        const char* message;  // empty: accepted
        double stored;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"50", Refused, 150.6, SaveOutcome::Refused},   {"-250", Refused, 150.6, SaveOutcome::Refused},
        {"12,5", Refused, 150.6, SaveOutcome::Refused}, {"0", Refused, 150.6, SaveOutcome::Refused},
        {"abc", Refused, 150.6, SaveOutcome::Refused},  {"", Refused, 150.6, SaveOutcome::Refused},
        {"1e5", Refused, 150.6, SaveOutcome::Refused},  {"1000001", Refused, 150.6, SaveOutcome::Refused},
        {"151", "", 150.6, SaveOutcome::Unchanged},     {"151.0", "", 151.0, SaveOutcome::Changed},
        {"100", "", 100.0, SaveOutcome::Changed},       {"1000000", "", 1000000.0, SaveOutcome::Changed},
        {" 250,5 ", "", 250.5, SaveOutcome::Changed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DrawOptions stored;
        stored.mapSize = 150.6;
        Refusal refusal;
        EXPECT_EQ(StoreDrawOptions(&stored, stored, c.typed, &refusal), c.outcome);
        EXPECT_EQ(stored.mapSize, c.stored);
        EXPECT_EQ(refusal.message, c.message);
        EXPECT_EQ(refusal.field, refusal ? MapSizeField : -1);
    }
}

TEST(CalcLimits, ValuesAreMagnitudesRaisedToTheLimits) {
    const double heights[][2] = {{0.5, 1.0}, {-4, 4.0}, {0, 1.0}, {-0.5, 1.0}, {3.5, 3.5}, {1.0, 1.0}};
    for (const auto& c : heights)
        EXPECT_EQ(LimitHeightProjection(c[0]), c[1]) << "height projection " << c[0];
    const double distances[][2] = {{0, 0.01}, {350, 350}, {-350, 350}, {0.001, 0.01}, {-0.005, 0.01}, {0.02, 0.02}};
    for (const auto& c : distances)
        EXPECT_EQ(LimitDistanceProjection(c[0]), c[1]) << "distance projection " << c[0];
}

// An imported site is shown whole at the most magnified zoom that fits (a twentieth of the canvas
// kept free on each side); a snap step too fine for that zoom's grid is made coarser rather than the
// view smaller.
TEST(DrawOptionRules, ImportedSitesFillTheCanvasAndKeepTheGridUsable) {
    struct Case {
        double extent;
        int32_t pixels, snapIndex;
        int32_t zoomIndex, snapAfter;
    };
    const Case cases[] = {
        {40, 450, 4, 3, 4},     // 40 m at "x 1.0" take 400 pixels of the 405 inside the margins
        {40.5, 450, 4, 3, 4},   // exactly 405 pixels still fit
        {41, 450, 4, 4, 4},     // "x 0.5", 1 m grid at 5 pixels
        {132, 484, 4, 5, 5},    // "x 0.2" would put the 1 m grid 2 pixels apart: 2 m
        {132, 484, 0, 5, 0},    // no snapping, nothing to coarsen
        {4000, 484, 1, 6, 6},   // "x 0.1", the 0.1 m grid coarsened to 5 m
        {90000, 484, 4, 6, 6},  // too large for any zoom: the least magnified
        {3, 484, 7, 0, 7},      // a 10 m grid is never refused
    };
    for (const Case& c : cases) {
        DrawOptions options;
        options.snapIndex = c.snapIndex;
        options.zoomIndex = FitBox({0, 0}, {c.extent, c.extent / 2}, c.pixels, c.pixels, 96).zoomIndex;
        DrawOptions shown = WithUsableGrid(options);
        EXPECT_EQ(shown.zoomIndex, c.zoomIndex) << c.extent << " m in " << c.pixels << " pixels";
        EXPECT_EQ(shown.snapIndex, c.snapAfter) << c.extent << " m in " << c.pixels << " pixels";
        EXPECT_FALSE(SnapZoomRefused(shown.snapIndex, shown.zoomIndex));
    }
}

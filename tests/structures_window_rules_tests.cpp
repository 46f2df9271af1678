// The rules behind the Structures window: the order of its rows, the table on the clipboard, which
// result belongs to which drawing state, the line under the list, where the window was left, and
// scrolling a selected structure into sight.
#include <gtest/gtest.h>

#include "app/listing_note.h"
#include "app/recent_files.h"
#include "app/structure_listing.h"
#include "app/window_place.h"
#include "assessment/table_copy.h"
#include "assessment/table_order.h"
#include "tests/drawing_builders.h"
#include "view/scroll_into_sight.h"
#include "view/structures_layout.h"

namespace {

StructureResult Row(int32_t number, const char* name, double height, std::optional<double> ad,
                    std::optional<double> nd = std::nullopt) {
    StructureResult row;
    row.number = number;
    row.name = name;
    row.height = height;
    row.calculated = ad.has_value();
    row.ad = ad.value_or(0.0);
    row.am = row.ad * 10;
    row.cd = 0.5;
    row.cdSuggested = 0.5;
    row.events.nd = nd;
    return row;
}

AssessmentResult Table(std::vector<StructureResult> rows) {
    AssessmentResult result;
    result.structures = std::move(rows);
    return result;
}

// Structure 1 to 5: two of them equal in Ad, one not calculated, names in mixed case, and numbers whose
// text orders differently from their values.
AssessmentResult SortingTable() {
    return Table({Row(1, "beta", 9.0, 900.0, 0.02), Row(2, "Alpha", 10.0, 100.0, 0.1), Row(3, "", 100.0, std::nullopt),
                  Row(4, "gamma", 9.5, 900.0), Row(5, "ALPHA", 10.0, 2500.0, 0.003)});
}

std::vector<int32_t> Numbers(const AssessmentResult& result, const std::vector<int32_t>& order) {
    std::vector<int32_t> numbers;
    for (int32_t row : order)
        numbers.push_back(result.structures[row].number);
    return numbers;
}

TEST(StructuresTable, SortsNumbersAsNumbersBlanksLastAndKeepsTies) {
    struct Case {
        AssessColumn column;
        bool ascending;
        std::vector<int32_t> numbers;
    } cases[] = {
        {AssessColumn::Number, false, {5, 4, 3, 2, 1}},
        {AssessColumn::Height, true, {1, 4, 2, 5, 3}},  // 9 < 9.5 < 10 < 100, never "10" < "100" < "9"
        {AssessColumn::Ad, true, {2, 1, 4, 5, 3}},      // 1 and 4 tie and keep their order; 3 is blank
        {AssessColumn::Ad, false, {5, 1, 4, 2, 3}},     // the blank stays last when descending too
        {AssessColumn::Name, true, {2, 5, 1, 4, 3}},    // "Alpha" and "ALPHA" tie; an empty name last
        {AssessColumn::Name, false, {4, 1, 2, 5, 3}},
        {AssessColumn::Nd, true, {5, 1, 2, 3, 4}},  // events absent (not 0) come last
        {AssessColumn::Nd, false, {2, 1, 5, 3, 4}},
    };
    AssessmentResult table = SortingTable();
    for (const Case& c : cases)
        EXPECT_EQ(Numbers(table, SortedRows(table, c.column, c.ascending)), c.numbers)
            << ColumnHeading(c.column) << (c.ascending ? " ascending" : " descending");
}

TEST(StructuresTable, ClipboardTextIsATableWithItsHeadingLine) {
    AssessmentResult table = Table({Row(1, "Hall\tnorth", 12.5, 2345.4, 0.01234), Row(2, "Shed, \"old\"", 4.0, 77.0)});
    const std::string heading =
        "No.\tName\tHeight [m]\tAd [m²]\tAm [m²]\tCD\tND [1/year]\tNM [1/year]\tNL [1/year]\tNI [1/year]\tNDJ "
        "[1/year]\r\n";
    struct Case {
        std::vector<int32_t> rows;
        std::string tab, csv;
    } cases[] = {
        {{},
         heading + "1\tHall north\t12.50\t2345\t23454\t0.5 auto\t0.0123\t\t\t\t\r\n" +
             "2\tShed, \"old\"\t4.00\t77\t770\t0.5 auto\t\t\t\t\t\r\n",
         "No.,Name,Height [m],Ad [m²],Am [m²],CD,ND [1/year],NM [1/year],NL [1/year],NI [1/year],NDJ [1/year]\r\n"
         "1,Hall\tnorth,12.50,2345,23454,0.5 auto,0.0123,,,,\r\n"
         "2,\"Shed, \"\"old\"\"\",4.00,77,770,0.5 auto,,,,,\r\n"},
        {{1}, heading + "2\tShed, \"old\"\t4.00\t77\t770\t0.5 auto\t\t\t\t\t\r\n", ""},
        {{1, 0},
         heading + "2\tShed, \"old\"\t4.00\t77\t770\t0.5 auto\t\t\t\t\t\r\n" +
             "1\tHall north\t12.50\t2345\t23454\t0.5 auto\t0.0123\t\t\t\t\r\n",
         ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TableTabText(table, c.rows), c.tab) << c.rows.size() << " rows";
        if (!c.csv.empty()) {
            EXPECT_EQ(TableCsvText(table, c.rows), c.csv);
        }
    }
}

Drawing OpenDrawing(double height) {
    Drawing drawing;
    drawing.isOpen = 1;
    drawing.polygons.appendPolygon(Square(0, 0, 10, height));
    return drawing;
}

// One step of the window's life: a run begins, ends (after so many seconds, stopped or not), or the
// drawing changes to another height (0: closed).
enum class Step { Begin, Finish, FinishEarlier, Stop, Change };

TEST(StructuresTable, RowsBelongToTheDrawingStateTheyWereCalculatedFrom) {
    struct Action {
        Step step;
        double value;  // seconds of a finish, or the new height of a change
        ChangeAction expected = ChangeAction::Nothing;
        double running = 0.3;  // seconds a run still going has taken at a change
    };
    struct Case {
        const char* what;
        std::vector<Action> actions;
        ListingState state;
        bool rows;
    } cases[] = {
        {"a run of the drawing as it is", {{Step::Begin, 0}, {Step::Finish, 0.2}}, ListingState::Current, true},
        {"a run overtaken by a change",
         {{Step::Begin, 0}, {Step::Change, 20, ChangeAction::Recalculate}, {Step::Finish, 0.2}},
         ListingState::OutOfDate,
         false},
        {"the result of an older run after a newer began",
         {{Step::Begin, 0}, {Step::Begin, 0}, {Step::FinishEarlier, 0.2}},
         ListingState::Calculating,
         false},
        {"a fast run is repeated after a change",
         {{Step::Begin, 0}, {Step::Finish, 0.4}, {Step::Change, 20, ChangeAction::Recalculate}},
         ListingState::OutOfDate,
         false},
        {"a slow run waits until asked",
         {{Step::Begin, 0}, {Step::Finish, 1.5}, {Step::Change, 20, ChangeAction::WaitUntilAsked}},
         ListingState::OutOfDate,
         false},
        {"a run going on for long waits too",
         {{Step::Begin, 0}, {Step::Change, 20, ChangeAction::WaitUntilAsked, 1.2}},
         ListingState::OutOfDate,
         false},
        {"a stopped run is not restarted unasked",
         {{Step::Begin, 0}, {Step::Stop, 0.1}, {Step::Change, 20, ChangeAction::WaitUntilAsked}},
         ListingState::OutOfDate,
         false},
        {"a stopped run keeps what it reached", {{Step::Begin, 0}, {Step::Stop, 0.1}}, ListingState::Stopped, true},
        {"no change keeps the rows",
         {{Step::Begin, 0}, {Step::Finish, 3}, {Step::Change, 10, ChangeAction::Nothing}},
         ListingState::Current,
         true},
        {"closing the drawing",
         {{Step::Begin, 0}, {Step::Finish, 0.1}, {Step::Change, 0, ChangeAction::Nothing}},
         ListingState::NoDrawing,
         false},
        {"a drawing opened after none is listed at once",
         {{Step::Begin, 0},
          {Step::Finish, 5},
          {Step::Change, 0, ChangeAction::Nothing},
          {Step::Change, 30, ChangeAction::Recalculate}},
         ListingState::OutOfDate,
         false},
    };
    for (const Case& c : cases) {
        StructureListing listing;
        Drawing drawing = OpenDrawing(10);
        int64_t earlier = 0, last = 0;
        for (const Action& a : c.actions) {
            switch (a.step) {
                case Step::Begin:
                    earlier = last;
                    last = listing.begin(drawing);
                    break;
                case Step::Finish:
                case Step::Stop:
                    listing.finish(last, Table({Row(1, "a", 10, 100.0)}), a.step == Step::Stop, a.value, drawing);
                    break;
                case Step::FinishEarlier:
                    EXPECT_FALSE(listing.finish(earlier, Table({}), false, a.value, drawing)) << c.what;
                    break;
                case Step::Change:
                    if (a.value == 0)
                        drawing.isOpen = 0;
                    else
                        drawing = OpenDrawing(a.value);
                    EXPECT_EQ(listing.changed(drawing, a.running), a.expected) << c.what;
                    break;
            }
        }
        EXPECT_EQ(listing.state(), c.state) << c.what;
        EXPECT_EQ(listing.rows() != nullptr, c.rows) << c.what;
    }
}

TEST(StructuresTable, NoteSaysWhyEventsAreBlankAndWhereToSetN) {
    AssessmentResult without = Table({Row(1, "a", 10, 100.0)});
    AssessmentResult with = without;
    with.density.ng = 4.0;
    AssessmentResult edition3 = without;
    edition3.density.edition = 3;
    struct Case {
        ListingState state;
        const AssessmentResult* rows;
        std::string note;
    } cases[] = {
        {ListingState::Current, &without, "1 structure. Events are blank until NG is set: Data > Assessment..."},
        {ListingState::Current, &with, "1 structure."},
        {ListingState::Current, &edition3,
         "1 structure. Events are blank until NSG (or NG) is set: Data > Assessment..."},
        {ListingState::OutOfDate, nullptr,
         "The drawing has changed: press Calculate (F5) to list its structures again."},
        {ListingState::NoDrawing, nullptr, "No drawing is open."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListingNote(c.state, c.rows), c.note);
}

TEST(StructuresWindowPlace, StoredWithTheRecentFilesAndReadBackOnlyWhenSound) {
    struct Case {
        std::string ini;
        bool read;
        WindowPlace place;
    } cases[] = {
        {"[Structures]\r\nLeft=-10\r\nTop=20\r\nWidth=640\r\nHeight=480\r\n", true, {-10, 20, 640, 480}},
        {"[Recent]\nFile1=C:\\a.Zlv\n[structures]\nheight = 300\nwidth=400\ntop=0\nleft=5\n", true, {5, 0, 400, 300}},
        {"[Structures]\nLeft=1\nTop=2\nWidth=640\n", false, {}},              // a key missing
        {"[Structures]\nLeft=1\nTop=2\nWidth=64x\nHeight=480\n", false, {}},  // not a whole number
        {"[Structures]\nLeft=1\nTop=2\nWidth=20\nHeight=480\n", false, {}},   // too small to use
        {"[Structures]\nLeft=99999\nTop=2\nWidth=640\nHeight=480\n", false, {}},
        {"[Other]\nLeft=1\nTop=2\nWidth=640\nHeight=480\n", false, {}},
        {"[Recent]\r\nFile1=C:\\a.Zlv\r\n", false, {}},  // stored before the window existed
    };
    for (const Case& c : cases) {
        std::optional<WindowPlace> place = ParseWindowPlace(c.ini, "Structures");
        ASSERT_EQ(place.has_value(), c.read) << c.ini;
        if (!place)
            continue;
        EXPECT_EQ(place->left, c.place.left);
        EXPECT_EQ(place->top, c.place.top);
        EXPECT_EQ(place->width, c.place.width);
        EXPECT_EQ(place->height, c.place.height);
        std::optional<WindowPlace> again = ParseWindowPlace(WindowPlaceIni("Structures", *place), "Structures");
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->width, place->width);
    }
    // The recent files read as before beside the window's section.
    RecentFiles files = ParseRecentFiles(cases[1].ini);
    ASSERT_EQ(files.paths().size(), 1u);
    EXPECT_EQ(files.paths()[0], "C:\\a.Zlv");
}

TEST(StructuresWindowScroll, BringsTheSelectedStructureIntoSight) {
    // 96 DPI, 10 metres per 10 pixels: a canvas of 500 x 300 pixels shows 500 x 300 metres.
    ViewTransform view = {100, 100, 10.0, 96};
    struct Case {
        Point low, high;
        int32_t x, y;
    } cases[] = {
        {{150, 150}, {200, 200}, 100, 100},        // in sight: the view stays
        {{900, 150}, {1000, 200}, 700, 100},       // to the right: centred along x only
        {{10, 10}, {20, 20}, 0, 0},                // near the origin: never below 0
        {{1900, 1900}, {1990, 1990}, 1000, 1000},  // near the far edge: held at the maximum
    };
    for (const Case& c : cases) {
        ScrollPosition p = ScrollToShow(c.low, c.high, view, 500, 300, 1000);
        EXPECT_EQ(p.x, c.x) << c.low.x;
        EXPECT_EQ(p.y, c.y) << c.low.y;
    }
}

// The list takes what the buttons and the note leave, at every density, and never a negative size.
TEST(StructuresWindowLayout, ListFillsTheWindowBetweenButtonsAndNote) {
    struct Case {
        int32_t width, height, dpi;
        PixelRect list, note;
    } cases[] = {
        {800, 400, 96, {6, 36, 788, 332}, {6, 374, 788, 20}},
        {1600, 800, 192, {12, 72, 1576, 664}, {12, 748, 1576, 40}},
        {1200, 600, 144, {9, 54, 1182, 498}, {9, 561, 1182, 30}},
        {10, 10, 96, {6, 36, 0, 0}, {6, 42, 0, 20}},  // shrunk to nothing: no negative sizes
    };
    for (const Case& c : cases) {
        StructuresLayout layout = LayOutStructures(c.width, c.height, c.dpi);
        const PixelRect* got[] = {&layout.list, &layout.note};
        const PixelRect* want[] = {&c.list, &c.note};
        for (int i = 0; i < 2; i++) {
            EXPECT_EQ(got[i]->left, want[i]->left) << c.dpi << " " << i;
            EXPECT_EQ(got[i]->top, want[i]->top) << c.dpi << " " << i;
            EXPECT_EQ(got[i]->width, want[i]->width) << c.dpi << " " << i;
            EXPECT_EQ(got[i]->height, want[i]->height) << c.dpi << " " << i;
        }
        EXPECT_GE(layout.progress.width, 0);
    }
}

}  // namespace

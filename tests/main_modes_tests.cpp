// Tests of the main window modes and the help paging.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_modes.h"
#include "shell/help_paging.h"

namespace {

// One character per button, Draw to View Am: '-' disabled and plain, 'o' enabled and plain,
// 'H' highlighted (pressed, not checked), 'X' checked, 'P' checked and pressed, '?' anything else.
std::string Looks(const MainModes& mainModes) {
    std::string looks;
    for (const ButtonState& b : mainModes.controls.buttons) {
        if (!b.enabled)
            looks += (b.checked || b.pressed) ? '?' : '-';
        else
            looks += b.checked ? (b.pressed ? 'P' : 'X') : (b.pressed ? 'H' : 'o');
    }
    return looks;
}

// The enabled menu groups: "new" (New, Open, Import), "save" (Save, Save as, Close), "export",
// "calc" (Options > Calculation), "draw" (Options > Draw).
std::string Menus(const MainModes& mainModes) {
    const MainControls& c = mainModes.controls;
    std::string menus;
    for (auto [on, name] : {std::pair{c.fileNew, "new"},
                            {c.fileSave, "save"},
                            {c.exportDraw, "export"},
                            {c.optionsCalculation, "calc"},
                            {c.optionsDraw, "draw"}})
        if (on)
            menus += menus.empty() ? name : std::string(" ") + name;
    return menus;
}

// The window copies a click's own check into the record before the transition runs.
void Click(MainModes* modes, ButtonIndex index) {
    modes->controls.buttons[index].checked = !modes->controls.buttons[index].checked;
}

class MainModesTransitions : public ::testing::Test {
  protected:
    void ExpectState(int32_t view, int32_t tool, const char* menus, const char* looks) {
        EXPECT_EQ(mainModes.viewMode, view);
        EXPECT_EQ(mainModes.toolMode, tool);
        EXPECT_EQ(Menus(mainModes), menus);
        EXPECT_EQ(Looks(mainModes), looks);
    }

    void ShowAd() {
        EnterOpenedDrawing(&mainModes);
        Click(&mainModes, ViewAdButton);
        EnterResultView(&mainModes, AdView);
    }

    MainModes mainModes;
};

}  // namespace

TEST_F(MainModesTransitions, StartOffersOnlyNewOpenImportAndOptions) {
    ExpectState(DrawingView, NoTool, "new calc draw", "------");
    EnterNoDrawing(&mainModes);
    ExpectState(DrawingView, NoTool, "new calc draw", "------");
}

TEST_F(MainModesTransitions, DocumentTransitionsSetMenusAndButtons) {
    struct Row {
        const char* name;
        std::function<void()> before;
        std::function<void()> transition;
        const char* menus;
        const char* looks;
    };
    const Row rows[] = {
        {"New", [] {}, [this] { EnterNewDrawing(&mainModes); }, "save calc draw", "Hooo--"},
        {"Open", [] {}, [this] { EnterOpenedDrawing(&mainModes); }, "save calc draw", "Hooooo"},
        {"New after Close of a view",
         [this] {
             ShowAd();
             EnterClosedDrawing(&mainModes);
         },
         [this] { EnterNewDrawing(&mainModes); }, "save draw", "Hooo--"},
        {"Close in drawing view",
         [this] {
             EnterOpenedDrawing(&mainModes);
             Click(&mainModes, CreateButton);
             ToggleTool(&mainModes, CreateTool);
         },
         [this] { EnterClosedDrawing(&mainModes); }, "new calc draw", "------"},
        {"Close in View Ad", [this] { ShowAd(); }, [this] { EnterClosedDrawing(&mainModes); }, "new draw", "------"},
        {"Close after View Am was asked again",
         [this] {
             EnterOpenedDrawing(&mainModes);
             Click(&mainModes, ViewAmButton);
             EnterResultView(&mainModes, AmView);
             Click(&mainModes, ViewAmButton);
             ShowCurrentView(&mainModes, AmView);
         },
         [this] { EnterClosedDrawing(&mainModes); }, "new draw", "------"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetMainModes(&mainModes);
        row.before();
        row.transition();
        ExpectState(DrawingView, NoTool, row.menus, row.looks);
    }
}

TEST_F(MainModesTransitions, DrawInTheDrawingViewKeepsTheToolAndHighlightsDraw) {
    EnterOpenedDrawing(&mainModes);
    Click(&mainModes, CreateButton);
    ToggleTool(&mainModes, CreateTool);
    Click(&mainModes, DrawButton);
    PressDraw(&mainModes, true);
    ExpectState(DrawingView, CreateTool, "save calc draw", "HXoooo");
}

TEST_F(MainModesTransitions, DrawInAResultViewReturnsToTheDrawingView) {
    for (bool calcReady : {true, false}) {
        SCOPED_TRACE(calcReady);
        for (int32_t view : {AdView, AmView}) {
            ResetMainModes(&mainModes);
            EnterOpenedDrawing(&mainModes);
            Click(&mainModes, view == AdView ? ViewAdButton : ViewAmButton);
            EnterResultView(&mainModes, view);
            Click(&mainModes, DrawButton);
            PressDraw(&mainModes, calcReady);
            ExpectState(DrawingView, NoTool, "save calc draw", calcReady ? "Hooooo" : "Hooo--");
        }
    }
}

TEST_F(MainModesTransitions, SameToolAgainLeavesNoTool) {
    EnterOpenedDrawing(&mainModes);
    for (int32_t tool : {CreateTool, EditTool, DeleteTool}) {
        SCOPED_TRACE(tool);
        ButtonIndex button = static_cast<ButtonIndex>(CreateButton + tool - CreateTool);
        Click(&mainModes, button);
        ToggleTool(&mainModes, tool);
        EXPECT_EQ(mainModes.toolMode, tool);
        EXPECT_TRUE(mainModes.controls.buttons[button].checked);
        Click(&mainModes, button);
        ToggleTool(&mainModes, tool);
        ExpectState(DrawingView, NoTool, "save calc draw", "Hooooo");
    }
}

TEST_F(MainModesTransitions, AnotherToolReleasesTheOthers) {
    EnterOpenedDrawing(&mainModes);
    Click(&mainModes, CreateButton);
    ToggleTool(&mainModes, CreateTool);
    mainModes.controls.buttons[DeleteButton].pressed = true;  // a stray highlight goes too
    Click(&mainModes, EditButton);
    ToggleTool(&mainModes, EditTool);
    ExpectState(DrawingView, EditTool, "save calc draw", "HoXooo");
    Click(&mainModes, DeleteButton);
    ToggleTool(&mainModes, DeleteTool);
    ExpectState(DrawingView, DeleteTool, "save calc draw", "HooXoo");
}

TEST_F(MainModesTransitions, EnteringAResultViewLocksTheTools) {
    struct Row {
        int32_t view;
        ButtonIndex button;
        const char* looks;
    };
    for (const Row& row : {Row{AdView, ViewAdButton, "o---Xo"}, Row{AmView, ViewAmButton, "o---oX"}}) {
        SCOPED_TRACE(row.view);
        ResetMainModes(&mainModes);
        EnterOpenedDrawing(&mainModes);
        Click(&mainModes, EditButton);
        ToggleTool(&mainModes, EditTool);
        Click(&mainModes, row.button);
        EnterResultView(&mainModes, row.view);
        ExpectState(row.view, NoTool, "save export draw", row.looks);
    }
    // From one view to the other the previous view button is released.
    Click(&mainModes, ViewAdButton);
    EnterResultView(&mainModes, AdView);
    ExpectState(AdView, NoTool, "save export draw", "o---Xo");
}

TEST_F(MainModesTransitions, AskingForTheShownViewKeepsItCheckedAndPressed) {
    ShowAd();
    Click(&mainModes, ViewAdButton);  // the click took the check away
    ShowCurrentView(&mainModes, AdView);
    ExpectState(AdView, NoTool, "save export draw", "o---Po");
}

TEST_F(MainModesTransitions, FailedViewReturnsToTheDrawingViewWithNoTool) {
    for (bool calcReady : {true, false}) {
        SCOPED_TRACE(calcReady);
        ResetMainModes(&mainModes);
        EnterOpenedDrawing(&mainModes);
        Click(&mainModes, CreateButton);
        ToggleTool(&mainModes, CreateTool);
        Click(&mainModes, ViewAmButton);
        LeaveFailedView(&mainModes, calcReady);
        ExpectState(DrawingView, NoTool, "save calc draw", calcReady ? "Hooooo" : "Hooo--");
    }
}

TEST_F(MainModesTransitions, CalcReadyVerdictEnablesOrClearsTheViewButtons) {
    EnterNewDrawing(&mainModes);
    ApplyCalcReady(&mainModes, true);
    EXPECT_EQ(Looks(mainModes), "Hooooo");
    mainModes.controls.buttons[ViewAdButton] = {true, true, true};
    ApplyCalcReady(&mainModes, true);
    EXPECT_EQ(Looks(mainModes), "HoooPo");
    ApplyCalcReady(&mainModes, false);
    EXPECT_EQ(Looks(mainModes), "Hooo--");
}

TEST_F(MainModesTransitions, OptionsCalculationComesBackOnlyWithDrawOrAFailedView) {
    struct Step {
        const char* name;
        std::function<void()> action;
        bool calculation;
    };
    const Step steps[] = {
        {"open", [this] { EnterOpenedDrawing(&mainModes); }, true},
        {"view", [this] { EnterResultView(&mainModes, AdView); }, false},
        {"close", [this] { EnterClosedDrawing(&mainModes); }, false},
        {"new", [this] { EnterNewDrawing(&mainModes); }, false},
        {"tool", [this] { ToggleTool(&mainModes, EditTool); }, false},
        {"verdict", [this] { ApplyCalcReady(&mainModes, true); }, false},
        {"draw", [this] { PressDraw(&mainModes, true); }, true},
        {"view again", [this] { EnterResultView(&mainModes, AmView); }, false},
        {"other view", [this] { EnterResultView(&mainModes, AdView); }, false},
        {"same view", [this] { ShowCurrentView(&mainModes, AdView); }, false},
        {"close again", [this] { EnterClosedDrawing(&mainModes); }, false},
        {"no drawing", [this] { EnterNoDrawing(&mainModes); }, false},
        {"open again", [this] { EnterOpenedDrawing(&mainModes); }, false},
        {"failed view", [this] { LeaveFailedView(&mainModes, true); }, true},
        {"close at last", [this] { EnterClosedDrawing(&mainModes); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.action();
        EXPECT_EQ(mainModes.controls.optionsCalculation, step.calculation);
    }
}

TEST(HelpPaging, MeasureStopsAtTheFirstBackslashAndCountsLineFeeds) {
    struct Row {
        std::string text;
        size_t length;
        int32_t lines;
    };
    const Row rows[] = {
        {"", 0, 0},
        {"one line without end", 20, 0},
        {"a\r\nb\r\n", 6, 2},
        {"a\nb\\c\nd\n", 3, 1},
        {"\\\nhidden\n", 0, 0},
        {"\n\n\n", 3, 3},
        {std::string("a\n\0b\n", 5), 5, 2},  // a zero byte is text like any other
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        HelpText measured = MeasureHelpText(row.text.data(), row.text.size());
        EXPECT_EQ(measured.length, row.length);
        EXPECT_EQ(measured.lineCount, row.lines);
    }
    // The resource's size bounds the walk, not a terminator.
    HelpText cut = MeasureHelpText("ab\ncd\nef\n", 4);
    EXPECT_EQ(cut.length, 4u);
    EXPECT_EQ(cut.lineCount, 1);
}

TEST(HelpPaging, ScrollRequestsLandWithinTheGuide) {
    constexpr int32_t N = 76;
    struct Row {
        int32_t position, request, thumb, clientHeight, lineHeight, expected;
    };
    // A client 100 pixels high with 16-pixel lines pages by 6 lines (100 / 16, truncated).
    const Row rows[] = {
        {5, LineUp, 0, 100, 16, 4},
        {0, LineUp, 0, 100, 16, 0},
        {5, LineDown, 0, 100, 16, 6},
        {N, LineDown, 0, 100, 16, N},
        {0, PageDown, 0, 100, 16, 6},
        {72, PageDown, 0, 100, 16, N},
        {10, PageUp, 0, 100, 16, 4},
        {3, PageUp, 0, 100, 16, 0},
        {0, PageDown, 0, 111, 16, 6},
        {0, PageDown, 0, 112, 16, 7},
        {0, PageDown, 0, 15, 16, 0},
        {9, PageDown, 0, 100, 0, 9},
        {10, ThumbPosition, 40, 100, 16, 40},
        {10, ThumbPosition, 90, 100, 16, N},
        {10, ThumbPosition, -3, 100, 16, 0},
        {10, ThumbTrack, 40, 100, 16, 10},
        {30, ScrollTop, 0, 100, 16, 0},
        {30, ScrollBottom, 0, 100, 16, N},
        {30, 8, 50, 100, 16, 30},
        {30, -1, 50, 100, 16, 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << row.position << " request " << row.request);
        EXPECT_EQ(HelpScrollPosition(row.position, row.request, row.thumb, row.clientHeight, row.lineHeight, N),
                  row.expected);
    }
}

TEST(HelpPaging, AnEmptyGuideStaysAtTheTop) {
    for (int32_t request : {LineDown, PageDown, ThumbPosition, ScrollBottom})
        EXPECT_EQ(HelpScrollPosition(0, request, 5, 100, 16, 0), 0);
}

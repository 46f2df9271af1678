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
std::string Looks() {
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
std::string Menus() {
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
void Click(ButtonIndex index) {
    mainModes.controls.buttons[index].checked = !mainModes.controls.buttons[index].checked;
}

class MainModesTransitions : public ::testing::Test {
  protected:
    void SetUp() override { ResetMainModes(); }

    static void ExpectState(int32_t view, int32_t tool, const char* menus, const char* looks) {
        EXPECT_EQ(mainModes.viewMode, view);
        EXPECT_EQ(mainModes.toolMode, tool);
        EXPECT_EQ(Menus(), menus);
        EXPECT_EQ(Looks(), looks);
    }

    static void ShowAd() {
        EnterOpenedDrawing();
        Click(ViewAdButton);
        EnterResultView(AdView);
    }
};

}  // namespace

TEST_F(MainModesTransitions, StartOffersOnlyNewOpenImportAndOptions) {
    ExpectState(DrawingView, NoTool, "new calc draw", "------");
    EnterNoDrawing();
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
        {"New", [] {}, EnterNewDrawing, "save calc draw", "Hooo--"},
        {"Open", [] {}, EnterOpenedDrawing, "save calc draw", "Hooooo"},
        {"New after Close of a view",
         [] {
             ShowAd();
             EnterClosedDrawing();
         },
         EnterNewDrawing, "save draw", "Hooo--"},
        {"Close in drawing view",
         [] {
             EnterOpenedDrawing();
             Click(CreateButton);
             ToggleTool(CreateTool);
         },
         EnterClosedDrawing, "new calc draw", "------"},
        {"Close in View Ad", ShowAd, EnterClosedDrawing, "new draw", "------"},
        {"Close after View Am was asked again",
         [] {
             EnterOpenedDrawing();
             Click(ViewAmButton);
             EnterResultView(AmView);
             Click(ViewAmButton);
             ShowCurrentView(AmView);
         },
         EnterClosedDrawing, "new draw", "------"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResetMainModes();
        row.before();
        row.transition();
        ExpectState(DrawingView, NoTool, row.menus, row.looks);
    }
}

TEST_F(MainModesTransitions, DrawInTheDrawingViewKeepsTheToolAndHighlightsDraw) {
    EnterOpenedDrawing();
    Click(CreateButton);
    ToggleTool(CreateTool);
    Click(DrawButton);
    PressDraw(true);
    ExpectState(DrawingView, CreateTool, "save calc draw", "HXoooo");
}

TEST_F(MainModesTransitions, DrawInAResultViewReturnsToTheDrawingView) {
    for (bool calcReady : {true, false}) {
        SCOPED_TRACE(calcReady);
        for (int32_t view : {AdView, AmView}) {
            ResetMainModes();
            EnterOpenedDrawing();
            Click(view == AdView ? ViewAdButton : ViewAmButton);
            EnterResultView(view);
            Click(DrawButton);
            PressDraw(calcReady);
            ExpectState(DrawingView, NoTool, "save calc draw", calcReady ? "Hooooo" : "Hooo--");
        }
    }
}

TEST_F(MainModesTransitions, SameToolAgainLeavesNoTool) {
    EnterOpenedDrawing();
    for (int32_t tool : {CreateTool, EditTool, DeleteTool}) {
        SCOPED_TRACE(tool);
        ButtonIndex button = static_cast<ButtonIndex>(CreateButton + tool - CreateTool);
        Click(button);
        ToggleTool(tool);
        EXPECT_EQ(mainModes.toolMode, tool);
        EXPECT_TRUE(mainModes.controls.buttons[button].checked);
        Click(button);
        ToggleTool(tool);
        ExpectState(DrawingView, NoTool, "save calc draw", "Hooooo");
    }
}

TEST_F(MainModesTransitions, AnotherToolReleasesTheOthers) {
    EnterOpenedDrawing();
    Click(CreateButton);
    ToggleTool(CreateTool);
    mainModes.controls.buttons[DeleteButton].pressed = true;  // a stray highlight goes too
    Click(EditButton);
    ToggleTool(EditTool);
    ExpectState(DrawingView, EditTool, "save calc draw", "HoXooo");
    Click(DeleteButton);
    ToggleTool(DeleteTool);
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
        ResetMainModes();
        EnterOpenedDrawing();
        Click(EditButton);
        ToggleTool(EditTool);
        Click(row.button);
        EnterResultView(row.view);
        ExpectState(row.view, NoTool, "save export draw", row.looks);
    }
    // From one view to the other the previous view button is released.
    Click(ViewAdButton);
    EnterResultView(AdView);
    ExpectState(AdView, NoTool, "save export draw", "o---Xo");
}

TEST_F(MainModesTransitions, AskingForTheShownViewKeepsItCheckedAndPressed) {
    ShowAd();
    Click(ViewAdButton);  // the click took the check away
    ShowCurrentView(AdView);
    ExpectState(AdView, NoTool, "save export draw", "o---Po");
}

TEST_F(MainModesTransitions, FailedViewReturnsToTheDrawingViewWithNoTool) {
    for (bool calcReady : {true, false}) {
        SCOPED_TRACE(calcReady);
        ResetMainModes();
        EnterOpenedDrawing();
        Click(CreateButton);
        ToggleTool(CreateTool);
        Click(ViewAmButton);
        LeaveFailedView(calcReady);
        ExpectState(DrawingView, NoTool, "save calc draw", calcReady ? "Hooooo" : "Hooo--");
    }
}

TEST_F(MainModesTransitions, CalcReadyVerdictEnablesOrClearsTheViewButtons) {
    EnterNewDrawing();
    ApplyCalcReady(true);
    EXPECT_EQ(Looks(), "Hooooo");
    mainModes.controls.buttons[ViewAdButton] = {true, true, true};
    ApplyCalcReady(true);
    EXPECT_EQ(Looks(), "HoooPo");
    ApplyCalcReady(false);
    EXPECT_EQ(Looks(), "Hooo--");
}

TEST_F(MainModesTransitions, OptionsCalculationComesBackOnlyWithDrawOrAFailedView) {
    struct Step {
        const char* name;
        std::function<void()> action;
        bool calculation;
    };
    const Step steps[] = {
        {"open", EnterOpenedDrawing, true},
        {"view", [] { EnterResultView(AdView); }, false},
        {"close", EnterClosedDrawing, false},
        {"new", EnterNewDrawing, false},
        {"tool", [] { ToggleTool(EditTool); }, false},
        {"verdict", [] { ApplyCalcReady(true); }, false},
        {"draw", [] { PressDraw(true); }, true},
        {"view again", [] { EnterResultView(AmView); }, false},
        {"other view", [] { EnterResultView(AdView); }, false},
        {"same view", [] { ShowCurrentView(AdView); }, false},
        {"close again", EnterClosedDrawing, false},
        {"no drawing", EnterNoDrawing, false},
        {"open again", EnterOpenedDrawing, false},
        {"failed view", [] { LeaveFailedView(true); }, true},
        {"close at last", EnterClosedDrawing, true},
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
